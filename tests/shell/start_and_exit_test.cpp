// Start-up and exit of whole runs: first start, saved games, high scores, configuration.
#include <csignal>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "persistence/save_record.h"
#include "platform/posix/player_files_lock.h"
#include "platform/posix/posix_platform.h"
#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "rules/game_snapshot.h"
#include "rules/runtime_random.h"
#include "shell/shell.h"
#include "tests/shell/scenario_session.h"

namespace {

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset) {
    int32_t value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

} // namespace

TEST_F(ShellScenario, FirstStartShowsHelpThenTitleAndTheNextStartShowsTitle) {
    Start(5000);
    // The random source was seeded with the clock when the window was made: the first draw
    // is the generator's first step from 5000.
    EXPECT_EQ(crtRand(), static_cast<int>(((5000u * 214013u + 2531011u) >> 16) & 0x7FFFu));
    EXPECT_EQ(P().Screen, HelpScreen);
    EXPECT_EQ(P().ReturnScreen, TitleScreen);
    EXPECT_TRUE(headless::Dialogs().empty());
    EXPECT_TRUE(headless::Messages().empty());
    Click(HelpOkAt);
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(Exit(), 0);
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(GraphicsReady, 0) << "the graphics were released with the window";
    EXPECT_TRUE(BackBuffer.pixels.empty());

    const std::vector<uint8_t> bytes = SavedGameBytes();
    ASSERT_EQ(bytes.size(), SaveRecordSize);
    EXPECT_EQ(std::memcmp(bytes.data(), "Glimora", 8), 0);
    EXPECT_EQ(Int32At(bytes, save_layout::ShowHelpAtStart), 0);
    EXPECT_EQ(Int32At(bytes, save_layout::GameInProgress), 0);
    EXPECT_EQ(Int32At(bytes, save_layout::HelpDuringGame), 1);
    // The list of players holds this user, first of one.
    const std::vector<uint8_t> slots = FileBytes(Folder() + "/userscd32.wxp");
    ASSERT_EQ(slots.size(), 5208u);
    const std::string user = platform::UserName();
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(
        std::string(slots.begin() + 8, slots.begin() + 8 + static_cast<long>(user.size()) + 1),
        user + '\0');
    EXPECT_EQ(Int32At(slots, 0x1444), 1);

    Start();
    EXPECT_EQ(P().Screen, TitleScreen);

    // A click that comes before the window's first paint hits its button all the same.
    headless::Reset();
    ResetProgramState();
    ClientWidth = 0;
    ClientHeight = 0;
    ASSERT_TRUE(StartUp());
    Click(TitleHelpButtonAt);
    EXPECT_EQ(P().Screen, HelpScreen);
}

TEST_F(ShellScenario, ExitDuringAGameResumesItPausedAtTheNextStart) {
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    RunFor(2500);
    ASSERT_TRUE(PlaceActiveElement());
    RunFor(1500);
    const GameState before = G();
    ASSERT_EQ(FilledSquares(), 2);
    // The board as shown: the resumed game shows it the same once the pause ends.
    const auto board = [] {
        std::vector<uint32_t> pixels;
        for (int y = 121; y < 121 + 6 * 54; ++y)
            for (int x = 121; x < 121 + 6 * 54; ++x)
                pixels.push_back(headless::Pixel(x, y));
        return pixels;
    };
    const std::vector<uint32_t> shownBoard = board();
    EXPECT_EQ(Exit(), 0);

    Start(90000);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(G().Paused, 1);
    EXPECT_EQ(G().GameRunning, 0);
    EXPECT_EQ(P().PauseOverlayPending, 0) << "the loop draws the overlay at once";
    // Every stored value of the game (board, pile, popups, counters, draw weights) as it was.
    SaveRecord left, resumed;
    left.snapshot = takeSnapshot(before);
    resumed.snapshot = takeSnapshot(G());
    EXPECT_TRUE(encodeSaveRecord(left) == encodeSaveRecord(resumed)) << "the game resumed differs";

    // Paused: time passes and nothing moves until a click, which places nothing.
    RunFor(1000);
    EXPECT_EQ(G().slots[0].y, before.slots[0].y);
    Click(SquareCentre(5, 5));
    EXPECT_EQ(G().Paused, 0);
    EXPECT_EQ(G().GameRunning, 1);
    EXPECT_EQ(FilledSquares(), 2);
    EXPECT_TRUE(board() == shownBoard);

    // Played to its end, the resumed game is over: Play again starts afresh, not from it.
    PlayUntilGameOver();
    headless::QueueClick(240, 240);
    RunFor(2100);
    ASSERT_EQ(P().Screen, HighScoreScreen);
    Click(PlayAgainAt);
    EXPECT_EQ(P().Screen, GameScreen);
    EXPECT_EQ(FilledSquares(), 0);
    EXPECT_EQ(G().score, 0);
}

TEST_F(ShellScenario, AfterAFinishedGameTheNextStartIsOnTheTitleWithTheHighScore) {
    StartOnTitle();
    PlayFromTitle();
    PlayUntilGameOver();
    const int32_t score = G().score;
    TypeInDialog("Ada");
    ClickInDialog(1101, 1);
    headless::QueueClick(240, 240);
    RunFor(2100);
    ASSERT_EQ(P().Screen, HighScoreScreen);
    EXPECT_EQ(Exit(), 0);

    Start();
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(G().GameInProgress, 0);
    const HighScoreEntry& best = P().save.highScores[0];
    EXPECT_STREQ(best.name.data(), "Ada");
    EXPECT_EQ(best.score, score);
    EXPECT_EQ(best.used, 1);
}

TEST_F(ShellScenario, WithoutConfigurationTheGameRunsInEnglishAndSaysItCannotSave) {
    TearDown(); // removes the configuration file
    SetUp();
    std::filesystem::remove(std::filesystem::path(platform::posix::ExecutableFolder()) /
                            platform::posix::ConfigFileName);
    Start();
    ASSERT_FALSE(headless::Messages().empty());
    EXPECT_EQ(headless::Messages()[0].caption, "Error!");
    EXPECT_EQ(headless::Messages()[0].text,
              "Uninstall Glimora, and reinstall it correctly in the default directory.");
    EXPECT_EQ(P().SaveDisabled, 1);
    EXPECT_EQ(P().Language, 1);
    EXPECT_EQ(Exit(), 1) << "the saved game was not written";
    EXPECT_EQ(headless::Messages().back().text, "Cannot write the save file.");
    EXPECT_TRUE(SavedGameBytes().empty());

    // A folder too long for the files' paths: neither can be written, and both are said.
    std::ofstream(std::filesystem::path(platform::posix::ExecutableFolder()) /
                  platform::posix::ConfigFileName)
        << "Language=1\nPath=" << Folder() << "/" << std::string(400, 'x') << "\n";
    Start();
    EXPECT_EQ(P().SaveDisabled, 0);
    EXPECT_EQ(Exit(), 1);
    ASSERT_EQ(headless::Messages().size(), 2u);
    EXPECT_EQ(headless::Messages()[0].text, "Cannot write the save file.");
    EXPECT_EQ(headless::Messages()[1].text, "Error 4.");
}

TEST_F(ShellScenario, TheLanguageLineElseThePlayersLocaleChoosesMenuPicturesAndDialogs) {
    struct Case {
        const char* languageLine; // nullptr: the file names no language
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        uint8_t expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "fr_FR.UTF-8", 0},
        {nullptr, nullptr, nullptr, "en_US.UTF-8", 1},
        {nullptr, nullptr, nullptr, nullptr, 1},
        {nullptr, "", "fr_CA.UTF-8", "en_US.UTF-8", 0},
        {nullptr, "de_DE.UTF-8", "fr_FR.UTF-8", "fr_FR.UTF-8", 1},
        {nullptr, "FR_be", nullptr, "en_US.UTF-8", 0},
        {"Language=1", nullptr, nullptr, "fr_FR.UTF-8", 1},
        {"Language=0", "en_GB.UTF-8", nullptr, "en_US.UTF-8", 0},
    };
    const auto put = [](const char* name, const char* value) {
        if (value == nullptr) {
            ::unsetenv(name);
        } else {
            ::setenv(name, value, 1);
        }
    };
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    for (const Case& c : cases) {
        {
            std::ofstream out(std::filesystem::path(platform::posix::ExecutableFolder()) /
                              platform::posix::ConfigFileName);
            out << "# Language=1\nPath=" << Folder() << "\n";
            if (c.languageLine != nullptr) out << c.languageLine << "\n";
        }
        put("LC_ALL", c.lcAll);
        put("LC_MESSAGES", c.lcMessages);
        put("LANG", c.lang);
        const std::string label =
            std::string(c.languageLine ? c.languageLine : "-") + " " + (c.lcAll ? c.lcAll : "-") +
            " " + (c.lcMessages ? c.lcMessages : "-") + " " + (c.lang ? c.lang : "-");
        StartOnTitle();
        EXPECT_EQ(P().Language, c.expected) << label;
        EXPECT_EQ(headless::MenuShown(), c.expected == 0 ? "MAINMENUFR" : "MAINMENUENG") << label;
        EXPECT_TRUE(platform::WindowSurface().pixels ==
                    LoadBitmapResource(2600 + c.expected).pixels)
            << label << ": the title";
        Command(c.expected == 0 ? 8075 : 9075); // Options
        ASSERT_EQ(headless::Dialogs().size(), 1u) << label;
        EXPECT_EQ(headless::Dialogs()[0].resourceId, 1150 + c.expected) << label;
    }
    for (const auto& [name, value] : saved)
        put(name, value ? value->c_str() : nullptr);
}

TEST_F(ShellScenario, AFileThatCannotBeReadIsNeverReplacedAndARefusedGameIsKeptAside) {
    // Something that cannot be read where the saved game should be: said at start-up, and
    // left as it is at exit, which says by its status that nothing was saved.
    std::filesystem::create_directory(Folder() + "/Glimora/donnees0.icc");
    Start();
    ASSERT_FALSE(headless::Messages().empty());
    EXPECT_EQ(headless::Messages()[0].caption, "Error!");
    EXPECT_EQ(headless::Messages()[0].text, "The saved game file cannot be read. It is left as it "
                                            "is, and this game will not be saved.");
    EXPECT_EQ(Exit(), 1);
    EXPECT_EQ(headless::Messages().size(), 1u) << "nothing more said at exit";
    EXPECT_TRUE(std::filesystem::is_directory(SavedGamePath()));
    std::filesystem::remove(SavedGamePath());
    // The same for the list of players, in the game's language.
    WriteConfig(0);
    std::filesystem::remove(Folder() + "/userscd32.wxp");
    std::filesystem::create_directory(Folder() + "/userscd32.wxp");
    Start();
    ASSERT_FALSE(headless::Messages().empty());
    EXPECT_EQ(headless::Messages()[0].text,
              "La liste des joueurs ne peut pas \xEAtre lue. Elle est laiss\xE9"
              "e telle quelle, et cette partie ne sera pas sauvegard\xE9"
              "e.");
    EXPECT_EQ(Exit(), 1);
    EXPECT_EQ(headless::Messages().size(), 1u) << "nothing more said at exit";
    EXPECT_TRUE(std::filesystem::is_directory(Folder() + "/userscd32.wxp"));
    std::filesystem::remove(Folder() + "/userscd32.wxp");
    WriteConfig(1);

    // A game in progress whose bonus chain is out of range is not resumed, and not lost.
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    EXPECT_EQ(Exit(), 0);
    std::vector<uint8_t> damaged = SavedGameBytes();
    ASSERT_EQ(damaged.size(), SaveRecordSize);
    damaged[0x240] = 5;
    WriteFileBytes(SavedGamePath(), damaged);
    testing::internal::CaptureStderr();
    Start();
    EXPECT_NE(testing::internal::GetCapturedStderr().find(SavedGamePath() + " holds values out of "
                                                                            "range"),
              std::string::npos);
    EXPECT_EQ(P().Screen, TitleScreen);
    EXPECT_EQ(Exit(), 0);
    EXPECT_EQ(FileBytes(SavedGamePath() + ".refused"), damaged);
    EXPECT_EQ(Int32At(SavedGameBytes(), save_layout::GameInProgress), 0);

    // Without the list of players the slot is unknown: the first slot's game in progress is
    // neither resumed nor written.
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    EXPECT_EQ(Exit(), 0);
    const std::vector<uint8_t> inProgress = SavedGameBytes();
    std::filesystem::remove(Folder() + "/userscd32.wxp");
    std::filesystem::create_directory(Folder() + "/userscd32.wxp");
    Start();
    EXPECT_EQ(P().Screen, HelpScreen) << "a new player's start";
    EXPECT_EQ(G().GameInProgress, 0);
    EXPECT_EQ(Exit(), 1);
    EXPECT_EQ(SavedGameBytes(), inProgress);
}

namespace {

// The exit's n-th write point ends the child, by _exit or by SIGKILL.
int exitStopAt = 0;
bool exitKillHard = false;
int exitPointsSeen = 0;

bool StopTheExit(platform::posix::WriteStage, size_t) {
    if (++exitPointsSeen == exitStopAt) {
        if (exitKillHard) ::raise(SIGKILL);
        ::_exit(3);
    }
    return true;
}

} // namespace

TEST_F(ShellScenario, AnExitStoppedAnywhereLeavesEachFileOldOrNew) {
    StartOnTitle();
    PlayFromTitle();
    ASSERT_TRUE(PlaceActiveElement());
    ASSERT_EQ(Exit(), 0);
    const std::string slotPath = Folder() + "/userscd32.wxp";
    const std::vector<uint8_t> oldGame = SavedGameBytes(), oldSlots = FileBytes(slotPath);

    // Each child resumes the game, places one more element, adds a player to the list and
    // exits, stopped at one point of writing the two files; the last one is not stopped.
    std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> seen;
    for (int point = 1;; ++point) {
        bool completed = false;
        for (bool hard : {false, true}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                Start();
                Click(SquareCentre(3, 3)); // ends the pause
                (void)PlaceActiveElement();
                std::strcpy(P().slots.names[1].data(), "another");
                P().slots.count = 2;
                exitStopAt = point;
                exitKillHard = hard;
                platform::posix::SetWriteProbe(StopTheExit, 256);
                ::_exit(Exit() == 0 ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            seen.emplace_back(SavedGameBytes(), FileBytes(slotPath));
            completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            WriteFileBytes(SavedGamePath(), oldGame);
            WriteFileBytes(slotPath, oldSlots);
        }
        if (completed) break;
        ASSERT_LT(point, 200) << "the exit never completed";
    }
    const auto& [newGame, newSlots] = seen.back();
    ASSERT_NE(newGame, oldGame);
    ASSERT_NE(newSlots, oldSlots);
    int gamesReplaced = 0, listsReplaced = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
        const auto& [game, slots] = seen[i];
        EXPECT_TRUE(game == oldGame || game == newGame) << "stop " << i;
        EXPECT_TRUE(slots == oldSlots || slots == newSlots) << "stop " << i;
        gamesReplaced += game == newGame;
        listsReplaced += slots == newSlots;
    }
    // The saved game is written first: some stops found it new beside the old list.
    EXPECT_GT(gamesReplaced, listsReplaced);
    EXPECT_GT(listsReplaced, 0);
}

TEST_F(ShellScenario, AGameHoldingThePlayersFilesKeepsASecondStartOut) {
    platform::posix::FolderLock running;
    ASSERT_EQ(running.take(Folder()), platform::PlayerLock::Taken);
    WriteConfig(0);
    headless::Reset();
    ResetProgramState();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunGlimora(), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("a game is already running for " +
                                                          Folder() + ";"),
              std::string::npos);
    EXPECT_FALSE(headless::WindowOpen());
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "Glimora est d\xE9j\xE0 lanc\xE9.");
    EXPECT_EQ(headless::Messages()[0].caption, "Glimora 1.00");
    EXPECT_FALSE(std::filesystem::exists(Folder() + "/userscd32.wxp"));
    EXPECT_TRUE(std::filesystem::is_empty(Folder() + "/Glimora"));

    // Once that game has ended, the next start plays.
    running.release();
    Start();
    EXPECT_EQ(P().Screen, HelpScreen);
}
