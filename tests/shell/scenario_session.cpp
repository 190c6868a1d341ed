// The scenario harness: configuration, fresh runs of the program and input helpers.
#include "tests/shell/scenario_session.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "persistence/saved_game.h"
#include "platform/posix/posix_platform.h"
#include "resources/ui/ui_data.h"
#include "shell/shell.h"

namespace fs = std::filesystem;

Point SquareCentre(int column, int row) {
    return {121 + 54 * column + 24, 121 + 54 * row + 24};
}

void ShellScenario::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "glimora-shell-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    fs::create_directories(fs::path(folder_) / "Glimora");
    WriteConfig(1);
}

void ShellScenario::TearDown() {
    // Whatever the game drew, the player saw before it waited.
    EXPECT_EQ(headless::StaleScreen(), "");
    headless::Reset();
    ResetProgramState();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::remove(fs::path(platform::posix::ExecutableFolder()) / platform::posix::ConfigFileName,
               ignored);
}

void ShellScenario::WriteConfig(int language) {
    std::ofstream out(fs::path(platform::posix::ExecutableFolder()) /
                      platform::posix::ConfigFileName);
    out << "Language=" << language << "\nPath=" << folder_ << "\n";
}

std::string ShellScenario::SavedGamePath() const {
    return (fs::path(folder_) / "Glimora" / savedGameFileName(Program().PlayerSlot)).string();
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ShellScenario::SavedGameBytes() const {
    return FileBytes(SavedGamePath());
}

void ShellScenario::Start(uint32_t ticks) {
    EXPECT_EQ(headless::StaleScreen(), "");
    headless::Reset();
    ResetProgramState();
    headless::SetTicks(ticks);
    ASSERT_TRUE(StartUp());
    Settle();
}

void ShellScenario::StartOnTitle(uint32_t ticks) {
    Start(ticks);
    if (P().Screen == HelpScreen) {
        Click(HelpOkAt);
    }
    ASSERT_EQ(P().Screen, TitleScreen);
}

void ShellScenario::Settle() {
    for (int i = 0; i < 1000 && (headless::PendingInputs() > 0 || headless::RepaintPending());
         ++i) {
        if (!MainLoopPass()) return;
    }
    MainLoopPass();
    // The loop would wait now: what the pass drew is shown first, and checked then.
    platform::WaitForEvent(0);
}

void ShellScenario::RunFor(uint32_t ms, uint32_t step) {
    for (uint32_t done = 0; done < ms; done += step) {
        headless::AdvanceTicks(step);
        Settle();
    }
}

void ShellScenario::Click(Point at) {
    headless::QueueClick(at.x, at.y);
    Settle();
}

void ShellScenario::Command(int id) {
    headless::QueueMenuCommand(id);
    Settle();
}

void ShellScenario::ClickInDialog(int resourceId, int controlId) {
    const DialogTemplate* dialog = FindDialog(resourceId);
    ASSERT_NE(dialog, nullptr);
    headless::QueueControlClick(*dialog, controlId);
}

void ShellScenario::TypeInDialog(std::string text) {
    headless::QueueText(std::move(text));
}

void ShellScenario::KeyInDialog(classicui::UiKey key) {
    headless::AwaitDialog();
    headless::QueueKey(key);
}

void ShellScenario::CheckInDialog(std::function<void(platform::DialogHandle&)> check) {
    headless::AwaitDialog();
    headless::QueueProbe([check = std::move(check)] {
        platform::DialogHandle* dialog = headless::OpenDialog();
        ASSERT_NE(dialog, nullptr) << "a dialog is open";
        check(*dialog);
    });
}

int ShellScenario::Exit() {
    // Exit in the menu shown: the French one has its own ids.
    headless::QueueMenuCommand(
        headless::MenuShown() == "MAINMENUFR" ? CmdExit - menu_id::EnglishOffset : CmdExit);
    for (int i = 0; i < 1000; ++i) {
        if (!MainLoopPass()) break;
    }
    EXPECT_TRUE(P().quitReached);
    return P().exitCode;
}

bool ShellScenario::PlaceActiveElement() {
    const GameState& g = G();
    if (g.activeIndex < 0 || g.activeIndex >= g.pileCount) return false;
    const PileSlot& active = g.slots[static_cast<size_t>(g.activeIndex)];
    if (active.landed) return false;
    for (int row = 0; row < BoardSide; ++row) {
        for (int column = 0; column < BoardSide; ++column) {
            const Cell& cell = g.board.at(column, row);
            if (cell.kind == ElementKind::None &&
                (cell.color == Color::Plain || cell.color == active.color)) {
                Click(SquareCentre(column, row));
                return true;
            }
        }
    }
    return false;
}

void ShellScenario::PlayFromTitle() {
    Click(PlayButtonAt);
    ASSERT_EQ(P().Screen, GameScreen);
    RunFor(300);
    ASSERT_EQ(G().GameRunning, 1);
    ASSERT_GE(G().pileCount, 1);
}

void ShellScenario::PlayUntilGameOver() {
    for (int i = 0; i < 40 && G().score <= 0; ++i) {
        if (!PlaceActiveElement()) RunFor(200);
        RunFor(200);
    }
    ASSERT_GT(G().score, 0);
    for (int i = 0; i < 2000 && G().GameOverClickArmed == 0; ++i)
        RunFor(101, 101);
    ASSERT_EQ(G().GameOverClickArmed, 1);
}

int ShellScenario::FilledSquares() const {
    int filled = 0;
    for (const Cell& cell : Program().game.board.cells) {
        if (cell.kind != ElementKind::None) ++filled;
    }
    return filled;
}
