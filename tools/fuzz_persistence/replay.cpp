// The shared body of the loader fuzzers and of the corpus tests.
#include "tools/fuzz_persistence/replay.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "rules/placement.h"
#include "rules/setup.h"
#include "rules/turn.h"
#include "tools/fuzz_persistence/quiet_seam.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool isFlag(int32_t value) {
    return value == 0 || value == 1;
}

void checkLoadedRecord(const SaveRecord& record) {
    check(isFlag(record.GameInProgress) && isFlag(record.HelpDuringGame) &&
          isFlag(record.OccupiedNoticeArmed) && isFlag(record.WrongColourNoticeArmed) &&
          isFlag(record.ShowHelpAtStart));
    for (const HighScoreEntry& entry : record.highScores) {
        check(isFlag(entry.used));
        check(std::memchr(entry.name.data(), '\0', 9) != nullptr);
    }
    if (record.GameInProgress != 0) check(snapshotIsPlayable(record.snapshot));
    const SaveRecordBytes image = encodeSaveRecord(record);
    check(encodeSaveRecord(decodeSaveRecord(image)) == image);
}

void checkGame(const GameState& game) {
    check(game.pileCount >= 0 && game.pileCount <= PileSlotCount);
    check(game.popupCount >= 0 && game.popupCount <= PopupCapacity);
    check(game.landedCount >= 0 && game.landedCount <= LandingsToEnd);
    check(game.score >= 0);
}

} // namespace

bool replaySavedGame(std::span<const uint8_t> bytes) {
    SaveRecord record;
    acceptSavedGameBytes(record, bytes);
    checkLoadedRecord(record);
    if (record.GameInProgress == 0) return false;

    GameState game;
    game.GameInProgress = 1;
    uint32_t now = 1000;
    setUpGame(QuietSeam, game, record.snapshot, now);
    // The resumed game must be the stored one, not a new game put in its place.
    check(game.score == record.snapshot.score && game.pileCount == record.snapshot.pileCount);
    game.GameRunning = 1;
    checkGame(game);

    // Play on: time passes and the player clicks where the bytes say.
    for (size_t i = 0; i < 200 && game.GameInProgress != 0; ++i) {
        now += 50;
        gameStep(QuietSeam, game, now);
        checkGame(game);
        if (!bytes.empty() && i % 3 == 0) {
            const uint8_t b = bytes[i % bytes.size()];
            placeAt(QuietSeam, game, 121 + 54 * (b % 6) + 10, 121 + 54 * ((b / 6) % 6) + 10, 480,
                    480, now);
            checkGame(game);
        }
    }
    // What play left behind saves and loads back as a game.
    SaveRecord after = record;
    takeSnapshot(after, game, true);
    if (game.GameInProgress != 0 && game.landedCount < LandingsToEnd)
        check(snapshotIsPlayable(after.snapshot));
    return true;
}

int replaySlotFile(std::span<const uint8_t> bytes) {
    SlotRecord record;
    overlaySlotRecord(record, bytes);
    const SlotRecord loaded = record;
    const int first = resolvePlayerSlot(record, "player", 1);
    check(first >= 0 && first < SlotNameCount);
    check(record.count == loaded.count || record.count == loaded.count + 1);
    const int again = resolvePlayerSlot(record, "player", 0);
    check(again == first);
    const std::string longName(300, 'n');
    const int other = resolvePlayerSlot(record, longName, 1);
    check(other >= 0 && other < SlotNameCount);
    check(!savedGameFileName(other).empty());

    const SlotRecordBytes image = encodeSlotRecord(record);
    check(encodeSlotRecord(decodeSlotRecord(image)) == image);
    return first;
}
