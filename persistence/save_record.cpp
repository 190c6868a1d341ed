// Byte-exact encoding and decoding of the saved game record, field by field.
#include "persistence/save_record.h"

#include <algorithm>

#include "persistence/byte_order.h"

using byte_order::getI32;
using byte_order::putI32;
namespace L = save_layout;

namespace {

void putLabel(std::span<uint8_t> b, size_t at, const LabelSize& size) {
    putI32(b, at, size.width);
    putI32(b, at + 4, size.height);
}

LabelSize getLabel(std::span<const uint8_t> b, size_t at) {
    return LabelSize{getI32(b, at), getI32(b, at + 4)};
}

} // namespace

SaveRecordBytes encodeSaveRecord(const SaveRecord& r) {
    SaveRecordBytes bytes{};
    std::span<uint8_t> b(bytes);
    const GameSnapshot& s = r.snapshot;

    byte_order::putBytes(b, L::Magic, r.magic.data(), r.magic.size());
    for (size_t i = 0; i < r.highScores.size(); ++i) {
        const HighScoreEntry& e = r.highScores[i];
        const size_t at = L::HighScores + i * L::HighScoreEntrySize;
        byte_order::putBytes(b, at + L::EntryName, e.name.data(), e.name.size());
        putI32(b, at + L::EntryScore, e.score);
        putI32(b, at + L::EntryUsed, e.used);
    }
    putI32(b, L::GameInProgress, r.GameInProgress);
    putLabel(b, L::MultiplierLabelSize, s.MultiplierLabelSize);
    putLabel(b, L::PaintLabelSize, s.PaintLabelSize);
    putLabel(b, L::ClearLabelSize, s.ClearLabelSize);
    for (size_t i = 0; i < s.board.cells.size(); ++i) {
        const size_t at = L::Board + i * 8;
        putI32(b, at, static_cast<int32_t>(s.board.cells[i].kind));
        putI32(b, at + 4, static_cast<int32_t>(s.board.cells[i].color));
    }
    for (size_t i = 0; i < s.drawWeights.size(); ++i)
        putI32(b, L::DrawWeights + i * 4, s.drawWeights[i]);
    putI32(b, L::BonusChain, s.bonusChain);
    putI32(b, L::PaintPoints, s.paintPoints);
    putI32(b, L::ClearPoints, s.clearPoints);
    putI32(b, L::PointsLevel, s.pointsLevel);
    for (size_t i = 0; i < s.popups.size(); ++i) {
        const ScorePopup& p = s.popups[i];
        const size_t at = L::Popups + i * L::PopupSize;
        putI32(b, at, p.x);
        putI32(b, at + 4, p.y);
        putI32(b, at + 8, p.points);
        putI32(b, at + 12, p.tick);
        putI32(b, at + 16, static_cast<int32_t>(p.style));
        putI32(b, at + 20, p.step);
    }
    putI32(b, L::PopupCount, s.popupCount);
    putI32(b, L::PileCount, s.pileCount);
    putI32(b, L::ActiveIndex, s.activeIndex);
    putI32(b, L::LandedCount, s.landedCount);
    putI32(b, L::SpeedLevel, s.speedLevel);
    putI32(b, L::GameStartedThisRun, r.gameStartedThisRun);
    putI32(b, L::RiseSpeed, s.riseSpeed);
    for (size_t i = 0; i < s.slots.size(); ++i) {
        const PileSlot& p = s.slots[i];
        const size_t at = L::Slots + i * L::SlotSize;
        putI32(b, at, p.y);
        putI32(b, at + 4, static_cast<int32_t>(p.kind));
        putI32(b, at + 8, static_cast<int32_t>(p.color));
        putI32(b, at + 12, p.landed);
    }
    putI32(b, L::Score, s.score);
    putI32(b, L::HelpDuringGame, r.HelpDuringGame);
    putI32(b, L::OccupiedNoticeArmed, r.OccupiedNoticeArmed);
    putI32(b, L::WrongColourNoticeArmed, r.WrongColourNoticeArmed);
    putI32(b, L::StartMark, r.startMark);
    putI32(b, L::ShowHelpAtStart, r.ShowHelpAtStart);
    return bytes;
}

SaveRecord decodeSaveRecord(const SaveRecordBytes& bytes) {
    SaveRecord r;
    std::span<const uint8_t> b(bytes);
    GameSnapshot& s = r.snapshot;

    byte_order::getBytes(b, L::Magic, r.magic.data(), r.magic.size());
    for (size_t i = 0; i < r.highScores.size(); ++i) {
        HighScoreEntry& e = r.highScores[i];
        const size_t at = L::HighScores + i * L::HighScoreEntrySize;
        byte_order::getBytes(b, at + L::EntryName, e.name.data(), e.name.size());
        e.score = getI32(b, at + L::EntryScore);
        e.used = getI32(b, at + L::EntryUsed);
    }
    r.GameInProgress = getI32(b, L::GameInProgress);
    s.MultiplierLabelSize = getLabel(b, L::MultiplierLabelSize);
    s.PaintLabelSize = getLabel(b, L::PaintLabelSize);
    s.ClearLabelSize = getLabel(b, L::ClearLabelSize);
    // The enumerations have int32_t as their fixed underlying type, so any stored value can be
    // held; whether it means anything is checked before a game is resumed.
    for (size_t i = 0; i < s.board.cells.size(); ++i) {
        const size_t at = L::Board + i * 8;
        s.board.cells[i].kind = static_cast<ElementKind>(getI32(b, at));
        s.board.cells[i].color = static_cast<Color>(getI32(b, at + 4));
    }
    for (size_t i = 0; i < s.drawWeights.size(); ++i)
        s.drawWeights[i] = getI32(b, L::DrawWeights + i * 4);
    s.bonusChain = getI32(b, L::BonusChain);
    s.paintPoints = getI32(b, L::PaintPoints);
    s.clearPoints = getI32(b, L::ClearPoints);
    s.pointsLevel = getI32(b, L::PointsLevel);
    for (size_t i = 0; i < s.popups.size(); ++i) {
        ScorePopup& p = s.popups[i];
        const size_t at = L::Popups + i * L::PopupSize;
        p.x = getI32(b, at);
        p.y = getI32(b, at + 4);
        p.points = getI32(b, at + 8);
        p.tick = getI32(b, at + 12);
        p.style = static_cast<PopupStyle>(getI32(b, at + 16));
        p.step = getI32(b, at + 20);
    }
    s.popupCount = getI32(b, L::PopupCount);
    s.pileCount = getI32(b, L::PileCount);
    s.activeIndex = getI32(b, L::ActiveIndex);
    s.landedCount = getI32(b, L::LandedCount);
    s.speedLevel = getI32(b, L::SpeedLevel);
    r.gameStartedThisRun = getI32(b, L::GameStartedThisRun);
    s.riseSpeed = getI32(b, L::RiseSpeed);
    for (size_t i = 0; i < s.slots.size(); ++i) {
        PileSlot& p = s.slots[i];
        const size_t at = L::Slots + i * L::SlotSize;
        p.y = getI32(b, at);
        p.kind = static_cast<ElementKind>(getI32(b, at + 4));
        p.color = static_cast<Color>(getI32(b, at + 8));
        p.landed = getI32(b, at + 12);
    }
    s.score = getI32(b, L::Score);
    r.HelpDuringGame = getI32(b, L::HelpDuringGame);
    r.OccupiedNoticeArmed = getI32(b, L::OccupiedNoticeArmed);
    r.WrongColourNoticeArmed = getI32(b, L::WrongColourNoticeArmed);
    r.startMark = getI32(b, L::StartMark);
    r.ShowHelpAtStart = getI32(b, L::ShowHelpAtStart);
    return r;
}

void overlaySaveRecord(SaveRecord& record, std::span<const uint8_t> fileBytes) {
    // Going through the byte image keeps the exact effect of a partial read: a field the file
    // covers only in part takes the file's bytes for that part and keeps its own for the rest.
    SaveRecordBytes image = encodeSaveRecord(record);
    const size_t taken = std::min(fileBytes.size(), image.size());
    std::copy_n(fileBytes.begin(), taken, image.begin());
    record = decodeSaveRecord(image);
}
