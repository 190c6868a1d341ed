// The headless backend's state, shared by its files and cleared by headless::Reset.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/classic_ui/window_core.h"
#include "platform/headless/headless.h"

namespace headless::detail {

struct TimedInput {
    uint32_t due = 0;
    Input input;
};

// The drawn window over a scripted clock and scripted input; nothing is shown anywhere.
struct Backend : classicui::WindowCore {
    uint32_t ticks = 0;
    uint32_t waitCap = 1000;
    std::vector<uint32_t> waitTimeouts;

    bool failNextOpen = false;
    std::string title;
    std::vector<int> squareRequests;
    bool squareRefused = false;
    bool inPage = false;
    std::vector<bool> keyboardPasses;

    std::deque<Input> queue;
    bool nextAwaitsDialog = false;
    std::vector<TimedInput> timed; // kept in the order queued

    std::vector<DialogRecord> dialogs;
    std::vector<size_t> openDialogs; // records of the dialogs running, innermost last
    std::vector<MessageRecord> messages;
    std::vector<MessageRecord> unseen;
    std::vector<int> sounds;
    std::vector<std::string> announcements;

    // The window's picture as the backend keeps it, and the screen: what of it each present
    // said it changed, as a display shows it.
    Surface frame, screen;
    std::string staleScreen; // the first wait that found it out of date, described

    // Checks, when the program is about to wait for input, that the screen shows what the
    // window holds: a change never presented would stay unseen by the player meanwhile.
    void checkScreen();

    // Moves the timed inputs that came due to the queue; true when one may be taken now.
    bool inputReady();
    // The first input that may be taken now: with a dialog up, the first; else the first
    // that does not await a dialog.
    std::deque<Input>::iterator nextReady();
    void push(Input input);

    void show() override;
    bool createWindow(const char* windowTitle) override;
    bool pollInput(classicui::UiEvent& event) override;
    bool waitInput(uint32_t timeoutMs) override;
    void waitInMainLoop(uint32_t timeoutMs) override;
    void sleepWithoutWindow(uint32_t timeoutMs) override;
    void resized(const classicui::UiEvent& event) override;
    bool passKeyboardOn(bool forward) override {
        if (inPage) keyboardPasses.push_back(forward);
        return inPage;
    }
    void reportUnseen(std::string_view text, std::string_view caption) override;
    void noteDialog(const DialogTemplate& dialog) override;
    void noteCommand(int id) override;
    void noteDialogEnd(int result, bool forced) override;
    void noteMessage(std::string_view text, std::string_view caption) override;
};

// The one main window, made before the program starts.
extern Backend mainWindow;
inline Backend& state() {
    return mainWindow;
}

} // namespace headless::detail
