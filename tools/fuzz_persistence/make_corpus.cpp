// Writes the seed corpus of the loader fuzzers: saved game and player slot files the game wrote.
#include <cstdio>
#include <fstream>
#include <string>

#include "persistence/high_scores.h"
#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "rules/placement.h"
#include "rules/setup.h"
#include "rules/turn.h"
#include "tools/fuzz_persistence/quiet_seam.h"

namespace {

template <size_t N>
void writeFile(const std::string& path, const std::array<uint8_t, N>& bytes, size_t length = N) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(length));
}

SaveRecord withMagic(SaveRecord record) {
    const char magic[8] = "Glimora";
    std::copy(magic, magic + 8, record.magic.begin());
    return record;
}

// A game played for a while with clicks all over the board.
GameState playedGame(int steps) {
    GameState game;
    uint32_t now = 5000;
    setUpGame(QuietSeam, game, GameSnapshot{}, now);
    game.GameRunning = 1;
    for (int i = 0; i < steps && game.GameInProgress != 0; ++i) {
        now += 50;
        gameStep(QuietSeam, game, now);
        if (i % 4 == 0)
            placeAt(QuietSeam, game, 131 + 54 * (i % 6), 131 + 54 * ((i / 6) % 6), 480, 480, now);
    }
    return game;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    SaveRecord fresh;
    fresh.ShowHelpAtStart = 0;
    writeFile(folder + "/saved_game/no_game.icc", encodeSaveRecord(withMagic(fresh)));

    SaveRecord scores = fresh;
    for (int32_t score : {500, 400, 300, 200, 100, 50}) {
        const int row = enterFinishedGame(scores.highScores, score);
        storeName(scores, row, "Player" + std::to_string(score / 100), score);
    }
    writeFile(folder + "/saved_game/high_scores.icc", encodeSaveRecord(withMagic(scores)));

    for (int steps : {1, 40, 120, 400}) {
        SaveRecord inGame = scores;
        inGame.GameInProgress = 1;
        takeSnapshot(inGame, playedGame(steps), true);
        writeFile(folder + "/saved_game/game_" + std::to_string(steps) + ".icc",
                  encodeSaveRecord(withMagic(inGame)));
    }

    SaveRecord wrongMagic = scores;
    wrongMagic.GameInProgress = 1;
    takeSnapshot(wrongMagic, playedGame(40), true);
    writeFile(folder + "/saved_game/wrong_magic.icc", encodeSaveRecord(wrongMagic));
    writeFile(folder + "/saved_game/short_100.icc", encodeSaveRecord(withMagic(scores)), 100);

    SlotRecord slots;
    writeFile(folder + "/slot_file/empty.wxp", encodeSlotRecord(slots));
    resolvePlayerSlot(slots, "alice", 1);
    writeFile(folder + "/slot_file/one_user.wxp", encodeSlotRecord(slots));
    for (int i = 1; i < SlotNameCount; ++i)
        resolvePlayerSlot(slots, "user" + std::to_string(i), 1);
    writeFile(folder + "/slot_file/full.wxp", encodeSlotRecord(slots));
    slots.count = 25;
    writeFile(folder + "/slot_file/count_25.wxp", encodeSlotRecord(slots));
    return 0;
}
