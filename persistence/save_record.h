// The saved game record (1,648 bytes on disk): high scores, options, marks and the game snapshot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "rules/game_snapshot.h"

// One row of a player's table of best scores (20 bytes on disk).
struct HighScoreEntry {
    std::array<char, 12> name{}; // zero-terminated, at most 8 characters
    int32_t score = 0;
    int32_t used = 0; // 1 when the row holds a score
};

constexpr int HighScoreRows = 6;
using HighScoreTable = std::array<HighScoreEntry, HighScoreRows>;

// The record in memory, as it stands before any file is read.
struct SaveRecord {
    std::array<char, 8> magic{};
    HighScoreTable highScores{};
    int32_t GameInProgress = 0;
    GameSnapshot snapshot{};
    int32_t gameStartedThisRun = 0; // 0x5C4: a game was started or resumed by the writing run
    int32_t HelpDuringGame = 1;
    int32_t OccupiedNoticeArmed = 1;
    int32_t WrongColourNoticeArmed = 1;
    int32_t startMark = 1; // 0x660: set at every start-up
    int32_t ShowHelpAtStart = 1;
};

constexpr size_t SaveRecordSize = 1648;
using SaveRecordBytes = std::array<uint8_t, SaveRecordSize>;

// Where each field lives in the file.
namespace save_layout {
constexpr size_t Magic = 0x000;
constexpr size_t HighScores = 0x05C;
constexpr size_t HighScoreEntrySize = 20;
constexpr size_t EntryName = 0;
constexpr size_t EntryScore = 12;
constexpr size_t EntryUsed = 16;
constexpr size_t GameInProgress = 0x0D4;
constexpr size_t MultiplierLabelSize = 0x0D8;
constexpr size_t PaintLabelSize = 0x0E0;
constexpr size_t ClearLabelSize = 0x0E8;
constexpr size_t Board = 0x0F0; // cell (x, y) at Board + x*48 + y*8: {kind, color}
constexpr size_t DrawWeights = 0x210;
constexpr size_t BonusChain = 0x240;
constexpr size_t PaintPoints = 0x244;
constexpr size_t ClearPoints = 0x248;
constexpr size_t PointsLevel = 0x24C;
constexpr size_t Popups = 0x250; // 36 x {x, y, points, tick, style, step}
constexpr size_t PopupSize = 24;
constexpr size_t PopupCount = 0x5B0;
constexpr size_t PileCount = 0x5B4;
constexpr size_t ActiveIndex = 0x5B8;
constexpr size_t LandedCount = 0x5BC;
constexpr size_t SpeedLevel = 0x5C0;
constexpr size_t GameStartedThisRun = 0x5C4;
constexpr size_t RiseSpeed = 0x5C8;
constexpr size_t Slots = 0x5CC; // 7 x {y, kind, color, landed}
constexpr size_t SlotSize = 16;
constexpr size_t Score = 0x63C;
constexpr size_t HelpDuringGame = 0x654;
constexpr size_t OccupiedNoticeArmed = 0x658;
constexpr size_t WrongColourNoticeArmed = 0x65C;
constexpr size_t StartMark = 0x660;
constexpr size_t ShowHelpAtStart = 0x66C;
} // namespace save_layout

// The record exactly as the file holds it; every reserved byte is zero.
SaveRecordBytes encodeSaveRecord(const SaveRecord& record);

// The record held by exactly these bytes, values as stored (nothing checked).
SaveRecord decodeSaveRecord(const SaveRecordBytes& bytes);

// Lays the first bytes of a file over the record, as reading a file into the start of the
// record does: a short file leaves the rest of the record as it was, bytes past the record's
// size are ignored.
void overlaySaveRecord(SaveRecord& record, std::span<const uint8_t> fileBytes);
