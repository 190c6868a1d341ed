// Control of the headless backend: a fake clock, scripted input and dialog answers, records.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// The headless backend behaves like the Windows message queue the game was written for:
//  - events queued by a test are handed out by PumpOne one at a time, in order;
//  - a requested repaint is one Paint, delivered only when no other event waits;
//  - PostQuit makes PumpOne return Quit once every event queued before is handled (and
//    before a waiting Paint); after that PumpOne keeps returning Quit until Reset;
//  - DestroyMainWindow calls the procedure with Destroy before it returns; events still
//    queued for the destroyed window are dropped;
//  - MakeClientSquare changes the client size at once and calls the procedure with Size
//    before it returns, as SetWindowPos sends WM_SIZE;
//  - WaitForEvent never sleeps: when nothing waits it moves the clock forward by the
//    timeout (at most the wait cap) or to the next timed event, whichever comes first.
//
// Dialogs: RunDialog calls the procedure with Init, delivers a waiting Paint to the main
// window (the modal loop repaints the owner), then runs the next scripted answer. Without a
// scripted answer it presses Enter (the default push button's id, else IDOK 1). A dialog that
// is still open afterwards is ended by force with the result -1 and `forcedEnd` set in its
// record, so that a test never hangs on a dialog nobody closes.
namespace headless {

// Puts everything back as at program start: clock 0, no window, client 480 x 480, empty
// queues, scripts and records, wait cap 1000 ms.
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
// The user resized the window: the client size changes now, and a Size event is queued;
// a repaint follows as after any resize.
void QueueResize(int width, int height);
// Every side passed to MakeClientSquare, in order.
const std::vector<int>& SquareRequests();
// A pixel of the window surface (0x00RRGGBB); 0 outside it.
uint32_t Pixel(int x, int y);
// How many times RequestRepaint was called, and whether a Paint now waits.
int RepaintRequests();
bool RepaintPending();
// How many rectangles were reported with WindowUpdated.
int UpdatesReported();

// ---- Input ----
void QueueEvent(const platform::Event& event);
void QueueLeftDown(int x, int y);
void QueueLeftUp(int x, int y);
void QueueLeftDoubleClick(int x, int y);
// A press and its release at the same point.
void QueueClick(int x, int y);
// A quick double click as Windows reports it: down, up, double click, up.
void QueueDoubleClick(int x, int y);
void QueueCommand(int id);
void QueueClose();
// An event that waits until the clock reaches `ticks` (compared as a wrapping difference).
void QueueEventAt(uint32_t ticks, const platform::Event& event);
// Events queued and not yet handed out (timed events not yet due are not counted).
size_t PendingEvents();

// ---- Dialogs ----
// An answer runs inside RunDialog with the open dialog and its template.
using DialogAnswer = std::function<void(platform::DialogHandle&, const DialogTemplate&)>;
void ScriptDialog(DialogAnswer answer);
size_t ScriptedDialogsLeft();

// What an answer can do, as a user would:
// type Windows-1252 text at the end of an edit field, refused beyond its LimitText;
void TypeText(platform::DialogHandle& dialog, int controlId, std::string_view text);
// empty an edit field (select all, delete);
void ClearText(platform::DialogHandle& dialog, int controlId);
// click a push button, check box or radio button: the procedure gets Command with its id
// (labels, group boxes and edit fields send nothing; nothing happens after EndDialog);
void ClickControl(platform::DialogHandle& dialog, int controlId);
// Enter: the default push button's id, else IDOK; Escape: IDCANCEL, with or without such a
// control; the close box of the dialog: IDCANCEL as well.
void PressEnter(platform::DialogHandle& dialog);
void PressEscape(platform::DialogHandle& dialog);
// read the state of a control (the first one with that id, in template order).
bool IsChecked(platform::DialogHandle& dialog, int controlId);
std::string ControlText(platform::DialogHandle& dialog, int controlId);
bool DialogEnded(platform::DialogHandle& dialog);

// Ready-made answers.
DialogAnswer Click(int controlId);
DialogAnswer TypeThenClick(int editId, std::string text, int buttonId);

struct DialogRecord {
    int resourceId = 0;
    std::vector<int> commands; // every Command id delivered to the procedure
    int result = 0;
    bool forcedEnd = false;
};
const std::vector<DialogRecord>& Dialogs();

// ---- Message boxes, sounds, menus ----
struct MessageRecord {
    std::string text;
    std::string caption;
};
const std::vector<MessageRecord>& Messages();
const std::vector<int>& SoundsPlayed();
// The names of the menu bars attached (OpenMainWindow's first), in order.
const std::vector<std::string>& MenusAttached();

} // namespace headless
