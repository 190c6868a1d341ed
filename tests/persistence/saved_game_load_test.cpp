// Loading a saved game: short, long, foreign and damaged files, and what each one keeps.
#include <gtest/gtest.h>

#include <cstring>

#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "platform/posix/posix_platform.h"
#include "rules/placement.h"
#include "rules/setup.h"
#include "rules/turn.h"
#include "tests/persistence/file_bytes.h"
#include "tests/persistence/message_log.h"
#include "tests/persistence/temp_folder.h"
#include "tools/fuzz_persistence/quiet_seam.h"

namespace {

// A real game played for a while on the silent seam, so that the snapshot is one play produced.
GameState playedGame(int steps) {
    GameState game;
    uint32_t now = 7000;
    setUpGame(QuietSeam, game, GameSnapshot{}, now);
    game.GameRunning = 1;
    for (int i = 0; i < steps && game.GameInProgress != 0; ++i) {
        gameStep(QuietSeam, game, now += 50);
        if (i % 4 == 0)
            placeAt(QuietSeam, game, 131 + 54 * (i % 6), 131 + 54 * ((i / 5) % 6), 480, 480, now);
    }
    return game;
}

class SavedGameLoad : public ::testing::Test {
  protected:
    void SetUp() override { message_log::shown().clear(); }
    void TearDown() override { platform::posix::SetWriteProbe(nullptr, 0); }

    // A file as the game writes it: a game in progress, two high scores, options changed.
    std::vector<uint8_t> gameFile() {
        SaveRecord r;
        r.highScores[0] = HighScoreEntry{{'B', 'e', 'a'}, 700, 1};
        r.highScores[1] = HighScoreEntry{{'L', 'e', 'o'}, 300, 1};
        r.HelpDuringGame = 0;
        r.ShowHelpAtStart = 0;
        r.GameInProgress = 1;
        takeSnapshot(r, playedGame(60), true);
        EXPECT_TRUE(snapshotIsPlayable(r.snapshot));
        EXPECT_TRUE(saveSavedGame(r, folder.file("donnees0.icc")));
        return readBytes(folder.file("donnees0.icc"));
    }

    SaveRecord load(const std::vector<uint8_t>& bytes) {
        writeBytes(folder.file("donnees1.icc"), bytes);
        SaveRecord r;
        loadSavedGame(r, folder.file("donnees1.icc"));
        return r;
    }

    static void expectScoresAndOptionsKept(const SaveRecord& r) {
        EXPECT_STREQ(r.highScores[0].name.data(), "Bea");
        EXPECT_EQ(r.highScores[0].score, 700);
        EXPECT_EQ(r.highScores[1].score, 300);
        EXPECT_EQ(r.highScores[1].used, 1);
        EXPECT_EQ(r.HelpDuringGame, 0);
        EXPECT_EQ(r.ShowHelpAtStart, 0);
    }

    TempFolder folder;
};

TEST_F(SavedGameLoad, GameComesBackAsSaved) {
    std::vector<uint8_t> bytes = gameFile();
    EXPECT_EQ(le32(bytes, 0x5C4), 1) << "written by the run that started the game";
    // The marks describe the run that wrote the file and are not taken back.
    setLe32(bytes, 0x5C4, 1);
    setLe32(bytes, 0x660, 0);
    const SaveRecord r = load(bytes);
    EXPECT_EQ(r.gameStartedThisRun, 0);
    EXPECT_EQ(r.startMark, 1);
    EXPECT_EQ(r.GameInProgress, 1);
    expectScoresAndOptionsKept(r);
    EXPECT_EQ(r.snapshot.score, le32(bytes, 0x63C));
    EXPECT_EQ(r.snapshot.pileCount, le32(bytes, 0x5B4));
    EXPECT_TRUE(message_log::shown().empty());
}

TEST_F(SavedGameLoad, MissingFileKeepsTheStartUpContents) {
    SaveRecord r;
    EXPECT_EQ(loadSavedGame(r, folder.file("nothing.icc")), FileRead::Missing);
    EXPECT_EQ(encodeSaveRecord(r), encodeSaveRecord(SaveRecord{}));
    // A folder where the file should be is not read, and must not be written over either.
    std::filesystem::create_directory(folder.file("folder.icc"));
    EXPECT_EQ(loadSavedGame(r, folder.file("folder.icc")), FileRead::Unreadable);
    EXPECT_EQ(encodeSaveRecord(r), encodeSaveRecord(SaveRecord{}));
    EXPECT_TRUE(message_log::shown().empty());
}

TEST_F(SavedGameLoad, WrongMagicRefusesOnlyTheGame) {
    // Other letters, a shorter word, or no terminator after the seven letters.
    for (const char* magic : {"glimora", "Glimorb", "Glimor\0", "GlimoraX"}) {
        std::vector<uint8_t> bytes = gameFile();
        std::memcpy(bytes.data(), magic, 8);
        const SaveRecord r = load(bytes);
        EXPECT_EQ(r.GameInProgress, 0) << magic;
        expectScoresAndOptionsKept(r);
    }
}

TEST_F(SavedGameLoad, HundredByteFileFillsOnlyItsLength) {
    std::vector<uint8_t> bytes = gameFile();
    bytes.resize(100);
    const SaveRecord r = load(bytes);
    EXPECT_EQ(std::memcmp(r.magic.data(), "Glimora", 8), 0);
    // The first 8 bytes of row 0's name come from the file, its other 4 stay zero.
    EXPECT_STREQ(r.highScores[0].name.data(), "Bea");
    EXPECT_EQ(r.highScores[0].score, 0);
    EXPECT_EQ(r.highScores[0].used, 0);
    EXPECT_EQ(r.GameInProgress, 0);
    EXPECT_EQ(r.ShowHelpAtStart, 1);
    EXPECT_EQ(r.HelpDuringGame, 1);
}

TEST_F(SavedGameLoad, LongerFileIsReadToTheRecordsLength) {
    std::vector<uint8_t> bytes = gameFile();
    bytes.resize(5000, 0xEE);
    const SaveRecord r = load(bytes);
    EXPECT_EQ(r.GameInProgress, 1);
    expectScoresAndOptionsKept(r);
    EXPECT_EQ(r.ShowHelpAtStart, 0);
}

TEST_F(SavedGameLoad, OutOfRangeSnapshotIsRefusedButScoresAndOptionsStay) {
    struct Damage {
        const char* what;
        size_t offset;
        int32_t value;
    };
    // clang-format off
    const Damage damages[] = {
        {"cell kind", 0x0F0 + 5 * 48 + 5 * 8, 7}, {"cell colour", 0x0F0 + 8, -1},
        {"weight", 0x210, -1}, {"bonus chain", 0x240, 5},
        {"popup count", 0x5B0, 37}, {"negative popup count", 0x5B0, -1},
        {"pile count", 0x5B4, 8}, {"active index", 0x5B8, -2147483647 - 1},
        {"landed count", 0x5BC, 6}, {"rise speed", 0x5C8, -1},
        {"points level", 0x24C, 0}, {"score", 0x63C, -5},
    };
    // clang-format on
    const std::vector<uint8_t> good = gameFile();
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = good;
        setLe32(bytes, d.offset, d.value);
        const SaveRecord r = load(bytes);
        EXPECT_EQ(r.GameInProgress, 0) << d.what;
        expectScoresAndOptionsKept(r);
    }
}

TEST_F(SavedGameLoad, FlagsAndNamesAreMadeSafe) {
    std::vector<uint8_t> bytes = gameFile();
    std::memset(&bytes[0x05C], 'X', 12); // row 0's name without a terminator
    setLe32(bytes, 0x05C + 16, 77);      // row 0 used
    setLe32(bytes, 0x05C + 20 + 16, -1); // row 1 used
    bytes[0x05C + 20 + 8] = 'J';         // row 1: a byte past its name's terminator
    setLe32(bytes, 0x0D4, 42);           // GameInProgress
    setLe32(bytes, 0x654, 2);
    setLe32(bytes, 0x658, -3);
    setLe32(bytes, 0x65C, 5);
    setLe32(bytes, 0x66C, 9);
    const SaveRecord r = load(bytes);
    EXPECT_STREQ(r.highScores[0].name.data(), "XXXXXXXX");
    EXPECT_EQ(r.highScores[1].name[8], 'J') << "kept as the file holds it";
    EXPECT_EQ(r.highScores[0].used, 1);
    EXPECT_EQ(r.highScores[1].used, 1);
    EXPECT_EQ(r.GameInProgress, 1);
    EXPECT_EQ(r.HelpDuringGame, 1);
    EXPECT_EQ(r.OccupiedNoticeArmed, 1);
    EXPECT_EQ(r.WrongColourNoticeArmed, 1);
    EXPECT_EQ(r.ShowHelpAtStart, 1);
}

TEST_F(SavedGameLoad, RowsThatCannotBeScoresAreDroppedAndTheFileKeptAside) {
    std::vector<uint8_t> bytes = gameFile();
    setLe32(bytes, 0x05C + 2 * 20 + 12, -2147483647 - 1); // row 2: INT_MIN
    setLe32(bytes, 0x05C + 2 * 20 + 16, 1);
    bytes[0x05C + 3 * 20] = 0x07; // row 3: a control byte in the name
    setLe32(bytes, 0x05C + 3 * 20 + 16, 1);
    bytes[0x05C + 4 * 20] = 'Z'; // row 4: a score of 0 is a score, a space a character
    bytes[0x05C + 4 * 20 + 1] = ' ';
    bytes[0x05C + 4 * 20 + 2] = 'Z';
    setLe32(bytes, 0x05C + 4 * 20 + 16, 1);
    bytes.resize((1 << 20) + 4, 0xAB); // past 1 MiB nothing more is kept
    const std::string path = folder.file("donnees0.icc");
    writeBytes(path, bytes);
    SaveRecord r;
    EXPECT_EQ(loadSavedGame(r, path), FileRead::GameRefused);
    for (int row : {2, 3}) {
        EXPECT_EQ(r.highScores[static_cast<size_t>(row)].used, 0) << row;
        EXPECT_EQ(r.highScores[static_cast<size_t>(row)].score, 0) << row;
    }
    EXPECT_EQ(r.highScores[4].used, 1);
    EXPECT_STREQ(r.highScores[4].name.data(), "Z Z");
    expectScoresAndOptionsKept(r);
    std::ifstream kept(path + ".refused", std::ios::binary);
    EXPECT_TRUE(std::vector<uint8_t>(std::istreambuf_iterator<char>(kept), {}) ==
                std::vector<uint8_t>(bytes.begin(), bytes.begin() + (1 << 20)));
}

TEST_F(SavedGameLoad, FailedSaveKeepsThePreviousFileAndSaysError2) {
    const std::vector<uint8_t> before = gameFile();
    message_log::shown().clear();
    platform::posix::SetWriteProbe(
        [](platform::posix::WriteStage stage, size_t written) {
            return !(stage == platform::posix::WriteStage::BytesWritten && written >= 800);
        },
        100);
    SaveRecord r;
    EXPECT_FALSE(saveSavedGame(r, folder.file("donnees0.icc")));
    EXPECT_EQ(readBytes(folder.file("donnees0.icc")), before);
    message_log::expectOne("Error 2.", "Error!");
    // Nothing is left behind beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    // A place that cannot hold the folder says the same.
    platform::posix::SetWriteProbe(nullptr, 0);
    writeBytes(folder.file("plain"), {1, 2, 3});
    EXPECT_FALSE(saveSavedGame(r, folder.file("plain/Glimora/donnees0.icc")));
    message_log::expectOne("Error 2.", "Error!");
}

} // namespace
