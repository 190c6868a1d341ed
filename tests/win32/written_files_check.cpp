// Checks the two files the Windows smoke test left, read back by the game's own loaders.
// The session: a first run (help, Options cancelled, Play, one element placed, closed during
// the game), then possibly a run that resumed it. For the runs that play a resumed game by
// keys and by clicks it also writes that game, and compares the two games they left.
// Usage: win32_written_files_check <slot file> <saved game>
//        win32_written_files_check --resumable <saved game>   (writes it)
//        win32_written_files_check --same-game <saved game> <saved game>
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
#include "rules/turn.h"

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

// A game to resume, the same at every start: four elements landed, two rising (a red
// diamond, then a green arrow pointing right) slowly enough to be placed by hand, two red
// diamonds on squares (1, 2) and (2, 2). The red diamond at (3, 2) clears the row's three;
// the green arrow at (0, 4) paints the five squares right of it. No help notices, no help
// screen first.
int writeResumable(const char* path) {
    SaveRecord record;
    record.GameInProgress = 1;
    record.ShowHelpAtStart = 0;
    record.HelpDuringGame = 0;
    record.OccupiedNoticeArmed = 0;
    record.WrongColourNoticeArmed = 0;
    GameSnapshot& game = record.snapshot;
    game.drawWeights.fill(DrawWeightTotal / DrawWeightCount);
    game.board.at(1, 2) = {ElementKind::Diamond, Color::Red};
    game.board.at(2, 2) = {ElementKind::Diamond, Color::Red};
    game.paintPoints = 20;
    game.clearPoints = 100;
    game.pointsLevel = 1;
    game.speedLevel = 1;
    game.riseSpeed = 2;
    game.landedCount = 4;
    game.activeIndex = 4;
    game.pileCount = 6;
    for (int i = 0; i < 4; ++i)
        game.slots[static_cast<size_t>(i)] = {LandingY(i), ElementKind::Star, Color::Green, 1};
    game.slots[4] = {380, ElementKind::Diamond, Color::Red, 0};
    game.slots[5] = {404, ElementKind::ArrowRight, Color::Green, 0};
    if (!snapshotIsPlayable(game) || !saveSavedGame(record, path)) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    return 0;
}

// The board, score and counters of a saved game, and its table of best scores, as text.
std::string gameOf(const char* path) {
    SaveRecord r;
    loadSavedGame(r, path);
    const GameSnapshot& g = r.snapshot;
    std::string text = "board:";
    for (int y = 0; y < BoardSide; ++y) {
        text += ' ';
        for (int x = 0; x < BoardSide; ++x) {
            const Cell& c = g.board.at(x, y);
            text += static_cast<char>('0' + static_cast<int>(c.kind));
            text += "pgr"[static_cast<int>(c.color) % 3];
        }
    }
    char counters[256];
    std::snprintf(counters, sizeof counters,
                  "\nscore %d, in progress %d, landed %d, speed level %d, rise %d, points "
                  "level %d, paint %d, clear %d, chain %d\nbest:",
                  g.score, r.GameInProgress, g.landedCount, g.speedLevel, g.riseSpeed,
                  g.pointsLevel, g.paintPoints, g.clearPoints, g.bonusChain);
    text += counters;
    for (const HighScoreEntry& e : r.highScores)
        if (e.used != 0) text += " " + std::string(e.name.data()) + " " + std::to_string(e.score);
    return text;
}

int compareGames(const char* a, const char* b) {
    const std::string first = gameOf(a), second = gameOf(b);
    std::printf("%s\n", first.c_str());
    if (first == second) {
        std::printf("the two games end alike\n");
        return 0;
    }
    std::printf("FAIL: the other game ends otherwise:\n%s\n", second.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--resumable") return writeResumable(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--same-game") return compareGames(argv[2], argv[3]);
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
