// Runs the real program on the headless backend: a files folder per test, a fake clock, input.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "shell/program_state.h"

// Canvas coordinates of the buttons painted on the screens (client = canvas at 480 x 480).
struct Point {
    int x, y;
};
constexpr Point PlayButtonAt{364, 160};
constexpr Point OptionsButtonAt{364, 259};
constexpr Point TitleHelpButtonAt{364, 351};
constexpr Point HelpOkAt{237, 418};
constexpr Point PlayAgainAt{135, 435};
constexpr Point HighScoreExitAt{372, 435};

// English menu ids.
constexpr int CmdNewGame = 9072;
constexpr int CmdAbandon = 9071;
constexpr int CmdHighScores = 9076;
constexpr int CmdPause = 9077;
constexpr int CmdOptions = 9075;
constexpr int CmdHelp = 9073;
constexpr int CmdExit = 9074;
constexpr int CmdAbout = 9069;

// The centre of board square (column, row) in client pixels at 480 x 480.
Point SquareCentre(int column, int row);

// A file's bytes (none when it cannot be read); a file written with `bytes`.
std::vector<uint8_t> FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

class ShellScenario : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The configuration beside the test executable, pointing at this test's folder.
    void WriteConfig(int language);
    std::string Folder() const { return folder_; }
    std::string SavedGamePath() const;
    std::vector<uint8_t> SavedGameBytes() const;

    // A fresh run of the program (clock at `ticks`), started up and settled.
    void Start(uint32_t ticks = 5000);
    // The first run of a new player ends on the title screen.
    void StartOnTitle(uint32_t ticks = 5000);
    // Handles every waiting event (and the repaints they cause), one pass each, then one pass.
    void Settle();
    // Moves the clock on in small steps, settling after each.
    void RunFor(uint32_t ms, uint32_t step = 20);
    void Click(Point at);
    // Chooses the menu command `id` with clicks on its title and item.
    void Command(int id);
    // Input for the dialog that shows next, queued now: a click on a control of template
    // `resourceId` at its drawn place, text typed, a key; a check of the open dialog.
    void ClickInDialog(int resourceId, int controlId);
    void TypeInDialog(std::string text);
    void KeyInDialog(classicui::UiKey key);
    void CheckInDialog(std::function<void(platform::DialogHandle&)> check);
    // Menu Exit, then passes until the loop ends; the exit code.
    int Exit();

    // Clicks a square the active rising element may go to; false when there is none.
    bool PlaceActiveElement();
    // Starts a game from the title screen and lets the first element rise a little.
    void PlayFromTitle();
    // Plays until the score is positive, then lets the pile fill up: GAME OVER shown.
    void PlayUntilGameOver();
    int FilledSquares() const;

    ProgramState& P() { return Program(); }
    GameState& G() { return Program().game; }

  private:
    std::string folder_;
};
