// Checks the two files the Windows smoke test left, read back by the game's own loaders.
// The session: a first run (help, Options cancelled, Play, one element placed, closed during
// the game), then possibly a run that resumed it.
// Usage: win32_written_files_check <slot file> <saved game>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "rules/game_snapshot.h"

namespace {

int failures = 0;

void check(bool passed, const std::string& what) {
    std::printf("%s: %s\n", passed ? "ok  " : "FAIL", what.c_str());
    if (!passed) ++failures;
}

std::vector<uint8_t> fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <slot file> <saved game>\n", argv[0]);
        return 2;
    }
    const std::vector<uint8_t> slotBytes = fileBytes(argv[1]);
    const std::vector<uint8_t> saveBytes = fileBytes(argv[2]);
    check(slotBytes.size() == SlotRecordSize, "the slot file has 5,208 bytes");
    check(saveBytes.size() == SaveRecordSize, "the saved game has 1,648 bytes");
    if (slotBytes.size() != SlotRecordSize || saveBytes.size() != SaveRecordSize) return 1;

    SlotRecord slots;
    readSlotFile(slots, argv[1]);
    check(slots.count == 1, "the slot file holds one user");
    check(slots.names[0][0] != '\0', "the first row holds the user's name");
    const std::string name(slots.names[0].data());
    check(resolvePlayerSlot(slots, name, 1) == 0 && slots.count == 1,
          "that user finds slot 0 again (" + name + ")");
    SlotRecordBytes slotArray{};
    std::copy(slotBytes.begin(), slotBytes.end(), slotArray.begin());
    check(encodeSlotRecord(decodeSlotRecord(slotArray)) == slotArray,
          "every reserved byte of the slot file is zero");

    SaveRecord record;
    loadSavedGame(record, argv[2]);
    check(std::string(record.magic.data(), 7) == "Glimora" && record.magic[7] == 0,
          "the saved game starts with its magic");
    // The loader refuses a snapshot that could not be played on: the flag survives only then.
    check(record.GameInProgress == 1 && snapshotIsPlayable(record.snapshot),
          "the game left running is saved, and can be played on");
    check(record.snapshot.board.at(2, 2).kind != ElementKind::None,
          "the element placed on square (2, 2) is in the saved board");
    // Ignored on reading, so looked at in the bytes.
    check(saveBytes[save_layout::GameStartedThisRun] == 1,
          "the run is marked as one that started a game");
    check(record.ShowHelpAtStart == 0,
          "the help screen shown at the first start is not shown again");
    check(record.HelpDuringGame == 1 && record.OccupiedNoticeArmed == 1 &&
              record.WrongColourNoticeArmed == 1,
          "the options keep their defaults");
    check(record.startMark == 1, "the start-up mark is set");
    bool empty = true;
    for (const HighScoreEntry& entry : record.highScores)
        empty = empty && entry.used == 0;
    check(empty, "the high-score table is empty");
    SaveRecordBytes saveArray{};
    std::copy(saveBytes.begin(), saveBytes.end(), saveArray.begin());
    check(encodeSaveRecord(decodeSaveRecord(saveArray)) == saveArray,
          "the saved game decodes and encodes to the same bytes");

    std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
