// Control of the headless backend: a scripted clock and input, and what the program showed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/platform.h"

// The headless backend is the drawn window of the desktop and the web, with its menu loop,
// dialogs and message boxes, fed from a script instead of a screen:
//  - inputs queued by a test are taken one at a time, in order, by the main loop, the menu
//    loop and the modal loops alike; mouse positions are window pixels, the menu bar above
//    the client (the Queue helpers for the client take client pixels);
//  - WaitForEvent never sleeps: when nothing waits it moves the clock forward by the
//    timeout (at most the wait cap) or to the next timed input, whichever comes first;
//  - a menu, dialog or message box that waits for input when none is queued (and none is
//    timed) ends: the menu without a choice, a dialog with the result -1 and `forcedEnd`
//    set in its record, so that a test never hangs on what nobody closes.
namespace headless {

// One scripted input; a probe instead runs a test's function when the script reaches it.
// An input that awaits a dialog is passed over until a dialog or message box is up, as a
// player answers a dialog once it shows.
struct Input {
    classicui::UiEvent event;
    std::function<void()> probe;
    bool awaitsDialog = false;
};

// Puts everything back as at program start: clock 0, no window, client 480 x 480, empty
// queues and records, wait cap 1000 ms.
void Reset();

// ---- The clock ----
void SetTicks(uint32_t ticks);
void AdvanceTicks(uint32_t ms);
// The most a WaitForEvent moves the clock, also for UINT32_MAX ("no timeout").
void SetWaitCap(uint32_t ms);
// Every timeout WaitForEvent was called with, in order.
const std::vector<uint32_t>& WaitTimeouts();

// ---- The window ----
bool WindowOpen();
const std::string& WindowTitle();
// Makes the next OpenMainWindow fail (returns false without calling the procedure).
void FailNextOpen();
// Sets the client size without telling the window procedure (the start state of a test).
void SetClientSize(int width, int height);
// The user resized the window to a client of width x height: an input.
void QueueResize(int width, int height);
// From now on the window has neighbours the keyboard may go on to, as the web page's own
// elements around its canvas; every PassKeyboardOn is recorded (true: forward).
void PlaceInPage();
const std::vector<bool>& KeyboardPasses();
// Every side passed to MakeClientSquare, in order.
const std::vector<int>& SquareRequests();
// From now on the window keeps its size, as a window manager that keeps it maximised does:
// MakeClientSquare then centres a square picture of that side in the client, with a margin.
void RefuseSquares();
// A pixel of the client (0x00RRGGBB); 0 outside it.
uint32_t Pixel(int x, int y);
// The whole window as the last present showed it, menu bar and covers included.
const Surface& Screen();
// Empty while every wait for input found the window shown as it is: else where the first
// one found a change never presented.
const std::string& StaleScreen();
// How many times RequestRepaint was called, and whether a Paint now waits.
int RepaintRequests();
bool RepaintPending();
// The name of the menu bar attached now ("" without).
std::string MenuShown();

// ---- Input ----
void QueueInput(const classicui::UiEvent& event);
// A left press, release or double-click press at client pixels (x, y).
void QueueLeftDown(int x, int y);
void QueueLeftUp(int x, int y);
void QueueLeftDoubleClick(int x, int y);
// A press and its release at the same client point.
void QueueClick(int x, int y);
// A quick double click as Windows reports it: down, up, double click, up.
void QueueDoubleClick(int x, int y);
// A press and release at window pixels, the menu bar's rows included.
void QueueWindowClick(int x, int y);
// A key pressed and released (with Alt held when `alt`); typed text.
void QueueKey(classicui::UiKey key, char ch = 0, bool alt = false, bool shift = false);
void QueueText(std::string utf8);
// The window's close box.
void QueueClose();
// An input that waits until the clock reaches `ticks` (compared as a wrapping difference).
void QueueInputAt(uint32_t ticks, const classicui::UiEvent& event);
// Runs `probe` when the script gets there (inside a dialog, say).
void QueueProbe(std::function<void()> probe);
// The next input queued awaits a dialog. Typed text and clicks on a dialog's controls always do.
void AwaitDialog();
// Inputs queued and not yet taken (timed ones not yet due are not counted).
size_t PendingInputs();

// ---- Menus and dialogs at their drawn places ----
// Clicks the title, then the item, of command `id` in the menu bar attached now.
void QueueMenuCommand(int id);
// Where control `controlId` of `dialog` is drawn (window pixels) over the window as it is now.
classicui::Rect ControlRect(const DialogTemplate& dialog, int controlId);
// Clicks the middle of that control.
void QueueControlClick(const DialogTemplate& dialog, int controlId);
// The dialog running innermost (for a probe), none outside dialogs.
platform::DialogHandle* OpenDialog();

struct DialogRecord {
    int resourceId = 0;
    std::vector<int> commands; // every Command id delivered to the procedure
    int result = 0;
    bool forcedEnd = false;
};
const std::vector<DialogRecord>& Dialogs();

// ---- Message boxes, sounds ----
struct MessageRecord {
    std::string text;
    std::string caption;
};
const std::vector<MessageRecord>& Messages();
// The messages nobody could read in a box (no window, or a request to end closed the box),
// said where they are not lost.
const std::vector<MessageRecord>& UnseenMessages();
const std::vector<int>& SoundsPlayed();
// Every text the program gave to Announce, in order.
const std::vector<std::string>& Announcements();

} // namespace headless
