// The few effects the game needs from the operating system; exactly one backend implements them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "platform/ui_types.h"

// Every name here is free of the Windows API's macro names (MessageBox, PlaySound, ...), so
// that the Win32 backend can include <windows.h> beside this header.
namespace platform {

// ---- Time -------------------------------------------------------------------------------

// Milliseconds since some fixed moment, unsigned 32-bit and wrapping; compare as `now - then`.
uint32_t GetTicks();

// ---- The main window --------------------------------------------------------------------

enum class EventType {
    Create,          // the window is being created (delivered inside OpenMainWindow)
    Paint,           // repaint the whole client area
    Size,            // the client area changed size
    LeftDown,        // left button pressed (x, y: client pixels)
    LeftUp,          // left button released (x, y)
    LeftDoubleClick, // second press of a quick double click, instead of LeftDown (x, y)
    Command,         // a menu command (id)
    Close,           // the close box: the window procedure decides (normally DestroyMainWindow)
    Destroy,         // the window is being destroyed (delivered inside DestroyMainWindow)
    KeyDown,         // a key went down, or repeats while held (key, repeat, shift)
};

// The keys the window is given: those a player without a pointer plays with. Every backend
// turns its own key codes, and a gamepad's buttons, into these; what they do is the window
// procedure's to decide. The keys the menus and dialogs use themselves (Alt with a letter,
// F10, a dialog's keys) and every other key never reach the window.
enum class Key {
    None,
    Left,
    Right,
    Up,
    Down,
    Enter, // Return or the keypad's Enter; a gamepad's A
    Space,
    Tab,   // with `shift`: Shift+Tab
    Pause, // a gamepad's Start
};

struct Event {
    EventType type = EventType::Paint;
    int x = 0;
    int y = 0;
    int id = 0;
    Key key = Key::None; // KeyDown
    bool repeat = false; // KeyDown: a held key repeating, not a new press
    bool shift = false;  // KeyDown: Shift is held
    // KeyDown of Tab: the keyboard comes onto the window by this Tab from its neighbours (the
    // web page's own elements), as PassKeyboardOn hands it to them.
    bool arriving = false;
};

// The portable window procedure. Backends call it for every event of the main window,
// from PumpOne and also from inside the modal loops of dialogs and message boxes.
using WindowProcedure = void (*)(const Event&);

// Creates and shows the main window, titled `title`, with the menu bar `initialMenu`.
// The procedure receives Create before this returns. The client area starts 480 x 480
// on desktops and in tests; the Win32 backend uses the classic outer size 488 x 534.
bool OpenMainWindow(const char* title, WindowProcedure procedure, const MenuBar& initialMenu);

// Destroys the main window: the procedure receives Destroy before this returns.
void DestroyMainWindow();

// The client area's size in pixels.
void GetClientSize(int& width, int& height);

// Resizes the window so that its client area is side x side, keeping its top-left corner.
void MakeClientSquare(int side);

// Asks for one Paint event although nothing is invalid (RDW_INTERNALPAINT). Paint events
// are delivered only when no other event waits, and several requests give one Paint.
void RequestRepaint();

// The client-sized picture of the window. Drawing goes here; after drawing, report the
// changed rectangle with WindowUpdated and the backend shows it before it next waits.
Surface& WindowSurface();
void WindowUpdated(int x, int y, int width, int height);

// Attaches a menu bar to the window, replacing the one shown.
void AttachMenu(const MenuBar& menu);
// Tab past the window's last stop: the keyboard goes on to what follows the window (`forward`)
// or precedes it, where the window has such neighbours (the web page's own elements); false
// where it has none (a desktop's window), and the keyboard stays in the window.
bool PassKeyboardOn(bool forward);

// ---- The event loop ---------------------------------------------------------------------

enum class PumpResult { Idle, Dispatched, Quit };

// Takes at most one waiting event and hands it to the window procedure; never waits.
// Returns Quit once PostQuit was called and every event before it was handled.
PumpResult PumpOne(int& exitCode);

// Sleeps until an event waits or `timeoutMs` milliseconds have passed (UINT32_MAX: no
// timeout). Shows what was drawn first.
void WaitForEvent(uint32_t timeoutMs);

// Ends the loop (PostQuitMessage): PumpOne returns Quit when it reaches this.
void PostQuit(int exitCode);

// ---- Modal dialogs and message boxes ---------------------------------------------------

struct DialogHandle; // one open dialog, the backend's own

enum class DialogMessage {
    Init,    // WM_INITDIALOG
    Command, // a button click, Enter or Escape (id: the button, IDOK 1 or IDCANCEL 2)
};

using DialogProcedure = std::function<void(DialogHandle&, DialogMessage, int id)>;

// Runs the dialog modally, owned by the main window, until the procedure calls EndDialog;
// returns the result given there. The main window keeps being repainted meanwhile.
int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure);
void EndDialog(DialogHandle& dialog, int result);
void SetCheck(DialogHandle& dialog, int controlId, bool checked);  // BM_SETCHECK
bool GetCheck(DialogHandle& dialog, int controlId);                // BM_GETCHECK
void LimitText(DialogHandle& dialog, int controlId, int maxChars); // EM_LIMITTEXT
// GetWindowTextA: at most maxCount - 1 bytes of the control's text, Windows-1252.
std::string GetControlText(DialogHandle& dialog, int controlId, int maxCount);

// A modal message box without owner and with one OK button. Texts are Windows-1252.
void ShowMessage(std::string_view text, std::string_view caption);

// ---- What a screen reader says ----------------------------------------------------------

// Says `text` (Windows-1252) to the player's screen reader once it has finished what it is
// saying, where the platform offers one to the game (the web page); elsewhere nothing.
void Announce(std::string_view text);

// ---- Sound ------------------------------------------------------------------------------

// Starts the embedded WAVE resource `id` and returns at once; a sound still playing stops
// first. Without an audio device nothing is heard.
void PlayWave(int id);

// ---- Configuration, identity and files ---------------------------------------------------

// What the installer recorded (the registry on Windows, a read-only key=value file
// elsewhere). Only read, never written.
struct InstallConfig {
    bool keyFound = false;      // the key (or configuration file) exists
    bool pathFound = false;     // "Path" could be read
    std::string path;           // the installation folder, without a trailing separator
    bool languageFound = false; // "Language" could be read
    uint8_t languageByte = 1;   // its first byte
};
InstallConfig ReadInstallConfig();

// The name of the user running the program; empty when it cannot be found.
std::string UserName();

// The folder that holds the machine's player slot file, without a trailing separator.
std::string SlotFileFolder();

// '\\' on Windows, '/' elsewhere.
char PathSeparator();

enum class GameFile { SavedGame, SlotFile };

enum class FileResult {
    Ok,
    NotFound,       // the file does not exist (reads only)
    OpenFailed,     // the file could not be opened or created
    SecurityFailed, // the access list could not be built (Windows)
    IoFailed,       // reading or writing failed after the open
};

// Reads at most maxBytes bytes from the start of the file into `bytes`.
FileResult ReadWholeFile(const std::string& path, GameFile kind, std::vector<uint8_t>& bytes,
                         size_t maxBytes);

// Replaces the file with `bytes` without ever leaving a broken file: a temporary file in
// the same folder is written, flushed and renamed over the old one.
FileResult WriteWholeFile(const std::string& path, GameFile kind, std::span<const uint8_t> bytes);

// ---- One running game per player ------------------------------------------------------

enum class PlayerLock {
    Taken,         // this process holds it until it ends
    HeldElsewhere, // a game already running holds it: this start must read and write nothing
    Unavailable,   // the system offers no lock here: the game runs without one
};

// Takes the lock that lets one game at a time use `userName`'s files in `folder` (the
// saved-game folder), before any of them is read. The operating system's own (a lock on the
// folder, a named mutex on Windows), so a game that crashed or was killed never holds it.
// Taking it again in the same process for the same folder and user is Taken.
PlayerLock LockPlayerFiles(const std::string& folder, const std::string& userName);

// Brings the window of the game holding the lock to the front, where the platform allows it.
void ShowRunningGame();

// Runs `update` while no other program of the machine reads or writes the slot file at
// `path` (between the users of one machine; a held player lock already covers it where it
// is the folder's). False, with `update` not run, when that could not be arranged in time.
bool WithSlotFileHeld(const std::string& path, const std::function<void()>& update);

} // namespace platform
