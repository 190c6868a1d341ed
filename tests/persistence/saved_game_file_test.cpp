// The saved game file byte for byte: every field at its offset, the reserved bytes, round trips.
#include <gtest/gtest.h>

#include <cstring>

#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "tests/persistence/file_bytes.h"
#include "tests/persistence/message_log.h"
#include "tests/persistence/temp_folder.h"

namespace {

// Every field of the record holds a value of its own, so that a field written at another
// field's place shows.
SaveRecord distinctRecord() {
    SaveRecord r;
    int32_t next = 1000;
    for (int i = 0; i < 6; ++i) {
        auto& e = r.highScores[static_cast<size_t>(i)];
        std::snprintf(e.name.data(), e.name.size(), "Row%d", i);
        e.score = next++;
        e.used = i % 2;
    }
    r.GameInProgress = 1;
    GameSnapshot& s = r.snapshot;
    s.MultiplierLabelSize = {next++, next++};
    s.PaintLabelSize = {next++, next++};
    s.ClearLabelSize = {next++, next++};
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            s.board.at(x, y) = Cell{static_cast<ElementKind>(x), static_cast<Color>(100 + y)};
    for (auto& w : s.drawWeights)
        w = next++;
    s.bonusChain = next++;
    s.paintPoints = next++;
    s.clearPoints = next++;
    s.pointsLevel = next++;
    for (auto& p : s.popups)
        p = ScorePopup{next++, next++, next++, next++, static_cast<PopupStyle>(next++), next++};
    s.popupCount = next++;
    s.pileCount = next++;
    s.activeIndex = next++;
    s.landedCount = next++;
    s.speedLevel = next++;
    s.riseSpeed = next++;
    for (auto& p : s.slots)
        p = PileSlot{next++, static_cast<ElementKind>(next++), static_cast<Color>(next++), next++};
    s.score = -next++;
    r.gameStartedThisRun = 1;
    r.HelpDuringGame = 0;
    r.OccupiedNoticeArmed = 1;
    r.WrongColourNoticeArmed = 0;
    r.startMark = 1;
    r.ShowHelpAtStart = 0;
    return r;
}

std::vector<uint8_t> bytesOf(const SaveRecord& r) {
    const SaveRecordBytes b = encodeSaveRecord(r);
    return std::vector<uint8_t>(b.begin(), b.end());
}

TEST(SavedGameFile, WrittenFileHoldsEveryFieldAtItsOffset) {
    TempFolder folder;
    SaveRecord r = distinctRecord();
    ASSERT_TRUE(saveSavedGame(r, folder.file("donnees0.icc")));
    const std::vector<uint8_t> b = readBytes(folder.file("donnees0.icc"));
    ASSERT_EQ(b.size(), 1648u);

    EXPECT_EQ(std::memcmp(b.data(), "Glimora\0", 8), 0);
    for (size_t i = 0; i < 6; ++i) {
        const size_t row = 0x05C + 20 * i;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[row])), "Row" + std::to_string(i));
        EXPECT_EQ(le32(b, row + 12), 1000 + static_cast<int32_t>(i));
        EXPECT_EQ(le32(b, row + 16), static_cast<int32_t>(i % 2));
    }
    EXPECT_EQ(le32(b, 0x0D4), 1);
    const GameSnapshot& s = r.snapshot;
    EXPECT_EQ(le32(b, 0x0D8), s.MultiplierLabelSize.width);
    EXPECT_EQ(le32(b, 0x0DC), s.MultiplierLabelSize.height);
    EXPECT_EQ(le32(b, 0x0E0), s.PaintLabelSize.width);
    EXPECT_EQ(le32(b, 0x0E4), s.PaintLabelSize.height);
    EXPECT_EQ(le32(b, 0x0E8), s.ClearLabelSize.width);
    EXPECT_EQ(le32(b, 0x0EC), s.ClearLabelSize.height);
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            const size_t at = 0x0F0 + static_cast<size_t>(x * 48 + y * 8);
            EXPECT_EQ(le32(b, at), x) << x << "," << y;
            EXPECT_EQ(le32(b, at + 4), 100 + y) << x << "," << y;
        }
    }
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(le32(b, 0x210 + 4 * i), s.drawWeights[i]);
    EXPECT_EQ(le32(b, 0x240), s.bonusChain);
    EXPECT_EQ(le32(b, 0x244), s.paintPoints);
    EXPECT_EQ(le32(b, 0x248), s.clearPoints);
    EXPECT_EQ(le32(b, 0x24C), s.pointsLevel);
    for (size_t i = 0; i < 36; ++i) {
        const size_t at = 0x250 + 24 * i;
        const ScorePopup& p = s.popups[i];
        EXPECT_EQ(le32(b, at), p.x);
        EXPECT_EQ(le32(b, at + 4), p.y);
        EXPECT_EQ(le32(b, at + 8), p.points);
        EXPECT_EQ(le32(b, at + 12), p.tick);
        EXPECT_EQ(le32(b, at + 16), static_cast<int32_t>(p.style));
        EXPECT_EQ(le32(b, at + 20), p.step);
    }
    EXPECT_EQ(le32(b, 0x5B0), s.popupCount);
    EXPECT_EQ(le32(b, 0x5B4), s.pileCount);
    EXPECT_EQ(le32(b, 0x5B8), s.activeIndex);
    EXPECT_EQ(le32(b, 0x5BC), s.landedCount);
    EXPECT_EQ(le32(b, 0x5C0), s.speedLevel);
    EXPECT_EQ(le32(b, 0x5C8), s.riseSpeed);
    for (size_t i = 0; i < 7; ++i) {
        const size_t at = 0x5CC + 16 * i;
        const PileSlot& p = s.slots[i];
        EXPECT_EQ(le32(b, at), p.y);
        EXPECT_EQ(le32(b, at + 4), static_cast<int32_t>(p.kind));
        EXPECT_EQ(le32(b, at + 8), static_cast<int32_t>(p.color));
        EXPECT_EQ(le32(b, at + 12), p.landed);
    }
    EXPECT_EQ(le32(b, 0x63C), s.score);
    EXPECT_EQ(le32(b, 0x654), 0);
    EXPECT_EQ(le32(b, 0x658), 1);
    EXPECT_EQ(le32(b, 0x65C), 0);
    EXPECT_EQ(le32(b, 0x66C), 0);

    // The reserved bytes: zero, except the two marks.
    EXPECT_TRUE(allZero(b, 0x008, 0x05C));
    EXPECT_EQ(le32(b, 0x5C4), 1);
    EXPECT_TRUE(allZero(b, 0x640, 0x654));
    EXPECT_EQ(le32(b, 0x660), 1);
    EXPECT_TRUE(allZero(b, 0x664, 0x66C));
}

TEST(SavedGameFile, FreshRecordIsTheStartUpContents) {
    const std::vector<uint8_t> b = bytesOf(SaveRecord{});
    EXPECT_TRUE(allZero(b, 0x000, 0x654));
    EXPECT_EQ(le32(b, 0x654), 1);
    EXPECT_EQ(le32(b, 0x658), 1);
    EXPECT_EQ(le32(b, 0x65C), 1);
    EXPECT_EQ(le32(b, 0x660), 1);
    EXPECT_TRUE(allZero(b, 0x664, 0x66C));
    EXPECT_EQ(le32(b, 0x66C), 1);
}

TEST(SavedGameFile, DecodingGivesBackEveryByte) {
    // Decoding then encoding any image keeps every byte that is not reserved.
    std::vector<uint8_t> image(1648);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    SaveRecordBytes in{};
    std::copy(image.begin(), image.end(), in.begin());
    const std::vector<uint8_t> out = bytesOf(decodeSaveRecord(in));
    for (size_t i = 0; i < image.size(); ++i) {
        const bool reserved =
            (i >= 0x008 && i < 0x05C) || (i >= 0x640 && i < 0x654) || (i >= 0x664 && i < 0x66C);
        EXPECT_EQ(out[i], reserved ? 0 : image[i]) << "offset " << i;
    }
}

TEST(SavedGameFile, SaveThenLoadGivesTheSameRecord) {
    TempFolder folder;
    GameState game;
    game.score = 1234;
    game.board.at(2, 3) = Cell{ElementKind::Star, Color::Red};
    SaveRecord saved;
    saved.highScores[0] = HighScoreEntry{{'A', 'n', 'n', 'e'}, 900, 1};
    saved.ShowHelpAtStart = 0;
    saved.OccupiedNoticeArmed = 0;
    takeSnapshot(saved, game, false);
    ASSERT_TRUE(saveSavedGame(saved, folder.file("donnees0.icc")));

    SaveRecord loaded;
    loadSavedGame(loaded, folder.file("donnees0.icc"));
    EXPECT_EQ(encodeSaveRecord(loaded), encodeSaveRecord(saved));
    EXPECT_EQ(loaded.snapshot.board.at(2, 3).kind, ElementKind::Star);
    EXPECT_EQ(loaded.snapshot.score, 1234);
    EXPECT_EQ(le32(readBytes(folder.file("donnees0.icc")), 0x5C4), 0);
}

TEST(SavedGameFile, NamesCarryTheSlotInBase4) {
    EXPECT_EQ(savedGameFileName(0), "donnees0.icc");
    EXPECT_EQ(savedGameFileName(3), "donnees3.icc");
    EXPECT_EQ(savedGameFileName(4), "donnees10.icc");
    EXPECT_EQ(savedGameFileName(5), "donnees11.icc");
    EXPECT_EQ(savedGameFileName(16), "donnees100.icc");
    EXPECT_EQ(savedGameFileName(19), "donnees103.icc");
    EXPECT_EQ(toBase4(27), "123");
    EXPECT_EQ(toBase4(-1), "3333333333333333");
}

} // namespace
