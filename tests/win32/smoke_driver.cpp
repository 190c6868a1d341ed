// Smoke-test driver: plays glimora.exe from outside through real window messages, then closes it.
// It keeps a picture of each screen and closes the window with WM_CLOSE as the close box would.
// "first": a first run (help OK, the Options dialog, Play, one element placed, the New Game
// dialog); "again": the next run, which resumes that game paused (one click continues it).
// "nokey": a run without the installer's registry key (a message at start-up and at exit).
// "second": while the game runs, starts glimora.exe once more: that start says the game is
// already running, opens no window and ends with 1; the running game is left as it is.
// "pair": two games of two players run at once; both are closed together.
// "keys": a resumed game (the one the native checker writes) played by the keyboard alone
// through key messages: Return resumes, arrows from square (0, 0) and Return place its two
// rising elements, Return after GAME OVER; the name is typed, a held Return first (which must
// not answer), then Return. "clicks": the same game by the same clicks, and OK clicked.
// Usage: smoke_driver first|again|nokey|second|pair|keys|clicks <folder for the pictures>
//        <glimora.exe>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

constexpr DWORD WindowWaitMs = 30000;
constexpr DWORD ChangeWaitMs = 5000;

int failures = 0;
std::string pictureFolder;

void check(bool passed, const std::string& what) {
    std::printf("%s: %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!passed) ++failures;
}

std::string windowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// What the client area shows on screen, as 24-bit bottom-up rows.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;
};

Picture capture(HWND window) {
    Picture picture;
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    picture.width = client.right;
    picture.height = client.bottom;
    if (picture.width <= 0 || picture.height <= 0) return picture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
        const auto* start = static_cast<const unsigned char*>(bits);
        picture.bytes.assign(start, start + rowBytes * static_cast<size_t>(picture.height));
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

int distinctColours(const Picture& picture) {
    std::vector<unsigned long> seen;
    const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
    for (int j = 0; j < 16; ++j) {
        for (int i = 0; i < 16; ++i) {
            const size_t x =
                static_cast<size_t>(picture.width) * static_cast<size_t>(2 * i + 1) / 32;
            const size_t y =
                static_cast<size_t>(picture.height) * static_cast<size_t>(2 * j + 1) / 32;
            const size_t at = y * rowBytes + x * 3;
            if (at + 2 >= picture.bytes.size()) continue;
            const unsigned long colour = picture.bytes[at] | (picture.bytes[at + 1] << 8) |
                                         (static_cast<unsigned long>(picture.bytes[at + 2]) << 16);
            bool known = false;
            for (const unsigned long c : seen)
                known = known || c == colour;
            if (!known) seen.push_back(colour);
        }
    }
    return static_cast<int>(seen.size());
}

void save(const Picture& picture, const char* name) {
    if (pictureFolder.empty() || picture.bytes.empty()) return;
    const std::string path = pictureFolder + "\\" + name + ".bmp";
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(picture.bytes.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(picture.bytes.data(), picture.bytes.size(), 1, out);
        std::fclose(out);
    }
}

// Waits until the window shows something other than `before`; returns what it shows then.
Picture waitForChange(HWND window, const Picture& before) {
    const DWORD start = GetTickCount();
    Picture now = capture(window);
    while (now.bytes == before.bytes && GetTickCount() - start < ChangeWaitMs) {
        Sleep(100);
        now = capture(window);
    }
    Sleep(300); // let the drawing of the new screen finish
    return capture(window);
}

// True when the two pictures differ inside a rectangle of the canvas (scaled to the client).
bool canvasAreaDiffers(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1) {
    if (a.width != b.width || a.height != b.height || a.bytes.size() != b.bytes.size()) return true;
    const size_t rowBytes = (static_cast<size_t>(a.width) * 3 + 3) & ~size_t{3};
    for (int y = y0 * a.height / 480; y < y1 * a.height / 480; ++y) {
        const size_t row = static_cast<size_t>(a.height - 1 - y) * rowBytes; // bottom-up rows
        for (int x = x0 * a.width / 480; x < x1 * a.width / 480; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            if (at + 2 < a.bytes.size() &&
                (a.bytes[at] != b.bytes[at] || a.bytes[at + 1] != b.bytes[at + 1] ||
                 a.bytes[at + 2] != b.bytes[at + 2]))
                return true;
        }
    }
    return false;
}

// A left click at a point of the game's 480 x 480 canvas, scaled to the client area.
void clickCanvas(HWND window, int x, int y) {
    RECT client{};
    GetClientRect(window, &client);
    const LPARAM at = MAKELPARAM(x * client.right / 480, y * client.bottom / 480);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

struct Search {
    DWORD process;
    HWND except;
    const char* caption; // nullptr: any
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || window == search->except || !IsWindowVisible(window))
        return TRUE;
    if (search->caption != nullptr && windowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

// A visible top-level window of the process other than `except`, with this caption (any
// when nullptr), looked for until `waitMs` have passed.
HWND findWindowOf(DWORD process, HWND except, const char* caption, DWORD waitMs) {
    Search search{process, except, caption, nullptr};
    const DWORD start = GetTickCount();
    do {
        search.found = nullptr;
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || waitMs == 0) break;
        Sleep(100);
    } while (GetTickCount() - start < waitMs);
    return search.found;
}

// Another visible top-level window of the game, with this caption (any when nullptr).
HWND findOtherWindow(HWND main, const char* caption, DWORD waitMs) {
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    return findWindowOf(process, main, caption, waitMs);
}

// The texts of a window's controls, each followed by '|'.
std::string childTexts(HWND window) {
    std::string texts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        texts += windowText(child) + "|";
    return texts;
}

bool waitClosed(HWND window, DWORD waitMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > waitMs) return false;
        Sleep(50);
    }
    return true;
}

bool checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A click on a dialog button, as the button itself reports it.
void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void reportAndDismiss(HWND main) {
    while (HWND other = findOtherWindow(main, nullptr, 0)) {
        std::printf("open window \"%s\": %s\n", windowText(other).c_str(),
                    childTexts(other).c_str());
        PostMessageA(other, WM_COMMAND, IDOK, 0);
        PostMessageA(other, WM_COMMAND, IDCANCEL, 0);
        if (!waitClosed(other, 2000)) break;
    }
}

void optionsDialog(HWND main) {
    PostMessageA(main, WM_COMMAND, 9075, 0); // Options, English menu
    HWND dialog = findOtherWindow(main, "Options", ChangeWaitMs);
    check(dialog != nullptr, "the Options command opens the \"Options\" dialog");
    if (dialog == nullptr) return;
    check(!IsWindowEnabled(main), "the dialog is modal: the main window is disabled");
    check(windowText(GetDlgItem(dialog, 2001)) == "Help screen during game.",
          "the English template with its check box");
    check(checked(dialog, 2001) && checked(dialog, 2101) && !checked(dialog, 2103),
          "help during the game and English are checked");
    clickButton(dialog, 2103); // Français
    Sleep(500);
    check(checked(dialog, 2103) && !checked(dialog, 2101),
          "a click on the French button moves the check");
    save(capture(dialog), "3-options");
    clickButton(dialog, IDCANCEL);
    check(waitClosed(dialog, ChangeWaitMs), "Cancel closes the dialog");
    check(IsWindowEnabled(main), "the main window is enabled again");
}

// Returns what the window shows once the dialog has gone: the paused game.
Picture newGameDialog(HWND main) {
    PostMessageA(main, WM_COMMAND, 9072, 0); // New Game, English menu
    HWND dialog = findOtherWindow(main, "Abandon Game ?", ChangeWaitMs);
    check(dialog != nullptr, "New Game during a game asks \"Abandon Game ?\"");
    if (dialog == nullptr) return capture(main);
    Sleep(300);
    const Picture asking = capture(main);
    // Escape arrives as IDCANCEL, the No button.
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    check(waitClosed(dialog, ChangeWaitMs), "No keeps the game and closes the dialog");
    const Picture paused = waitForChange(main, asking);
    check(paused.bytes != asking.bytes, "the window is repainted where the dialog was");
    return paused;
}

// The sounds and the icon are real resources of the executable, where PlaySound and LoadIcon
// look for them.
void checkResources(const char* exe) {
    HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    check(module != nullptr, std::string("the executable loads as data: ") + exe);
    if (module == nullptr) return;
    bool waves = true;
    for (int id = 5001; id <= 5006; ++id)
        waves = waves && FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE") != nullptr;
    check(waves, "WAVE resources 5001 to 5006 are in the executable");
    check(FindResourceA(module, MAKEINTRESOURCEA(500), MAKEINTRESOURCEA(14)) != nullptr,
          "icon 500 is in the executable");
    FreeLibrary(module);
}

// The first run: help, title, Options, Play, one element, New Game asked and refused.
void firstRun(HWND main) {
    Picture help = capture(main);
    save(help, "1-help");
    check(distinctColours(help) > 8, "the help screen is drawn");
    clickCanvas(main, 237, 418);
    Picture title = waitForChange(main, help);
    save(title, "2-title");
    check(title.bytes != help.bytes && distinctColours(title) > 8,
          "OK on the help screen shows the title screen");

    optionsDialog(main);
    reportAndDismiss(main);

    // Play: a new game on the game screen; the pile starts rising.
    const Picture beforePlay = capture(main);
    clickCanvas(main, 364, 160);
    Picture game = waitForChange(main, beforePlay);
    check(game.bytes != beforePlay.bytes, "Play shows the game screen");
    Sleep(1500);
    // The rising element goes to square (2, 2), drawn at (229, 229), 48 x 48.
    game = capture(main);
    clickCanvas(main, 253, 253);
    Sleep(1000);
    const Picture placed = capture(main);
    save(placed, "4-game");
    check(canvasAreaDiffers(game, placed, 233, 233, 273, 273),
          "a click on an empty square puts the element there");

    const Picture paused = newGameDialog(main);
    reportAndDismiss(main);
    save(paused, "5-paused");
}

// The next run: the saved game comes back paused; a click on the board continues it.
void nextRun(HWND main) {
    const Picture resumed = capture(main);
    save(resumed, "6-resumed");
    check(distinctColours(resumed) > 8, "the resumed game is drawn");
    clickCanvas(main, 361, 361);
    const Picture running = waitForChange(main, resumed);
    save(running, "7-running");
    check(running.bytes != resumed.bytes, "a click continues the paused game");
    Sleep(1000);

    // A client area of 600 x 500 is made square again, 500 a side, through the menu's frame.
    RECT outer{};
    RECT client{};
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    const int frameWidth = (outer.right - outer.left) - client.right;
    const int frameHeight = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(main, nullptr, 0, 0, 600 + frameWidth, 500 + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    const DWORD start = GetTickCount();
    do {
        Sleep(100);
        GetClientRect(main, &client);
    } while ((client.right != 500 || client.bottom != 500) &&
             GetTickCount() - start < ChangeWaitMs);
    check(client.right == 500 && client.bottom == 500,
          "a 600 x 500 client area becomes 500 x 500 (now " + std::to_string(client.right) + " x " +
              std::to_string(client.bottom) + ")");
    Sleep(500);
    save(capture(main), "8-square");
}

// Finds the message box with this caption, checks its text, and presses OK.
void answerMessageBox(HWND main, const char* caption, const std::string& text) {
    HWND box = findOtherWindow(main, caption, ChangeWaitMs);
    check(box != nullptr && childTexts(box).find(text) != std::string::npos,
          std::string("message box \"") + caption + "\": " + text);
    if (box == nullptr) return;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    check(waitClosed(box, ChangeWaitMs), "OK closes the message box");
}

// A key pressed and let go, as the window that has the keyboard gets it; `held`: a repeat of a
// key already down (only its press, bit 30 set).
void key(HWND target, UINT virtualKey, bool held = false) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0 /* MAPVK_VK_TO_VSC */));
    const LPARAM press = 1 | (scan << 16) | (held ? LPARAM{1} << 30 : 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, press);
    if (!held) PostMessageA(target, WM_KEYUP, virtualKey, press | (LPARAM{3} << 30));
}

void keys(HWND target, std::initializer_list<UINT> virtualKeys) {
    for (const UINT k : virtualKeys)
        key(target, k);
}

// A click at the centre of board square (column, row).
void clickSquare(HWND window, int column, int row) {
    clickCanvas(window, 121 + 54 * column + 24, 121 + 54 * row + 24);
}

// Whether the GAME OVER panel covers the board: its dark blue at four places the squares are.
bool gameOverShown(const Picture& p) {
    const size_t rowBytes = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
    for (const auto& [x, y] : {std::pair{199, 160}, {307, 160}, {199, 320}, {307, 320}}) {
        const size_t at = static_cast<size_t>(p.height - 1 - y * p.height / 480) * rowBytes +
                          static_cast<size_t>(x * p.width / 480) * 3;
        if (at + 2 >= p.bytes.size()) return false;
        const int b = p.bytes[at], g = p.bytes[at + 1], r = p.bytes[at + 2];
        if (!(b > r + 20 && b > g + 20 && r < 90)) return false;
    }
    return true;
}

// The resumed game, by keys or by clicks: the same placements at the same squares.
void resumedGame(HWND main, bool byKeys) {
    save(capture(main), byKeys ? "11-resumed-keys" : "11-resumed-clicks");
    if (byKeys) {
        key(main, VK_RETURN); // resumes, places nothing
        Sleep(300);
        keys(main, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}); // (3, 2)
        Sleep(400);
        keys(main, {VK_LEFT, VK_LEFT, VK_LEFT, VK_DOWN, VK_DOWN, VK_RETURN}); // (0, 4)
    } else {
        clickSquare(main, 0, 0);
        Sleep(300);
        clickSquare(main, 3, 2);
        Sleep(400);
        clickSquare(main, 0, 4);
    }
    const DWORD start = GetTickCount();
    Picture shown = capture(main);
    while (!gameOverShown(shown) && GetTickCount() - start < 90000) {
        Sleep(200);
        shown = capture(main);
    }
    save(shown, byKeys ? "12-game-over-keys" : "12-game-over-clicks");
    check(gameOverShown(shown), "GAME OVER shows");
    if (byKeys)
        key(main, VK_RETURN);
    else
        clickSquare(main, 0, 4);
    HWND dialog = findOtherWindow(main, "Player Name", 10000);
    check(dialog != nullptr, "the name is asked for");
    if (dialog == nullptr) return;
    HWND field = GetDlgItem(dialog, 1002);
    if (byKeys) {
        // Return held down since before the dialog opened: its repeats do not answer it.
        key(field, VK_RETURN, true);
        key(field, VK_RETURN, true);
        Sleep(700);
        check(IsWindowVisible(dialog) != 0, "a held Return leaves the name dialog open");
    }
    for (const char c : std::string("Ann"))
        PostMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 1);
    Sleep(300);
    if (byKeys)
        key(field, VK_RETURN);
    else
        clickButton(dialog, IDOK);
    check(waitClosed(dialog, ChangeWaitMs), "the name is taken");
    Sleep(500);
    save(capture(main), byKeys ? "13-high-scores-keys" : "13-high-scores-clicks");
}

// The visible main windows of games, of any process.
std::vector<HWND> gameWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, "Glimora", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "Glimora", nullptr)) {
        if (IsWindowVisible(w)) found.push_back(w);
    }
    return found;
}

void secondStart(HWND main, const char* exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = std::string("\"") + exe + "\"";
    if (!CreateProcessA(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        check(false, "the second start runs");
        return;
    }
    HWND box = findWindowOf(process.dwProcessId, nullptr, "Glimora 1.00", WindowWaitMs);
    const std::string shown = box != nullptr ? childTexts(box) : "";
    check(shown.find("Glimora is already running.") != std::string::npos,
          "the second start says \"Glimora is already running.\" (" + shown + ")");
    check(gameWindows() == std::vector<HWND>{main}, "the second start opens no window of its own");
    if (box != nullptr) PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, WindowWaitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    check(code == 1, "the second start ends with 1 (" + std::to_string(code) + ")");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    check(IsWindow(main) && IsWindowVisible(main), "the running game goes on");
    std::printf("the running game is %sthe foreground window\n",
                GetForegroundWindow() == main ? "" : "not ");
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "first" && mode != "again" && mode != "nokey" && mode != "installed" &&
        mode != "second" && mode != "pair" && mode != "keys" && mode != "clicks") {
        std::printf("usage: smoke_driver first|again|nokey|installed|second|pair|keys|clicks "
                    "<pictures folder> <glimora.exe>\n");
        return 2;
    }
    pictureFolder = argv[2];
    if (mode == "pair") {
        std::vector<HWND> games;
        const DWORD start = GetTickCount();
        // Two Wine processes starting at once on a busy machine may take long to show up.
        while ((games = gameWindows()).size() < 2 && GetTickCount() - start < 4 * WindowWaitMs)
            Sleep(100);
        check(games.size() == 2, "two games run at once (" + std::to_string(games.size()) + ")");
        Sleep(2000);
        for (HWND game : games)
            PostMessageA(game, WM_CLOSE, 0, 0);
        for (HWND game : games)
            check(waitClosed(game, WindowWaitMs), "WM_CLOSE closes each game");
        std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
        return failures == 0 ? 0 : 1;
    }

    HWND main = nullptr;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < WindowWaitMs) {
        main = FindWindowA("Glimora", nullptr);
        if (main != nullptr && IsWindowVisible(main)) break;
        main = nullptr;
        Sleep(100);
    }
    if (main == nullptr) {
        std::printf("FAIL: no visible Glimora window within %lu ms\n",
                    static_cast<unsigned long>(WindowWaitMs));
        return 2;
    }
    Sleep(2000);

    RECT client{};
    RECT outer{};
    GetClientRect(main, &client);
    GetWindowRect(main, &outer);
    std::printf("window \"%s\": outer %ld x %ld, client %ld x %ld\n", windowText(main).c_str(),
                outer.right - outer.left, outer.bottom - outer.top, client.right, client.bottom);
    check(GetMenu(main) != nullptr, "the window has its menu bar");
    // The frame and menu bar of this system are taken into account: the canvas one to one.
    check(client.right == 480 && client.bottom == 480, "the client area opens at 480 x 480 (now " +
                                                           std::to_string(client.right) + " x " +
                                                           std::to_string(client.bottom) + ")");
    if (mode == "second") {
        secondStart(main, argv[3]);
        std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
        return failures == 0 ? 0 : 1;
    }
    if (mode == "nokey") {
        // Without the installer's key the game says so at start-up, plays on, and says at
        // exit that it cannot save.
        answerMessageBox(main, "Error!",
                         "Uninstall Glimora, and reinstall it correctly in the default directory.");
        const Picture screen = waitForChange(main, Picture{});
        save(screen, "9-without-key");
        check(distinctColours(screen) > 8, "the game goes on and draws its screen");
        PostMessageA(main, WM_CLOSE, 0, 0);
        answerMessageBox(main, "Error!", "Cannot write the save file.");
    } else if (mode == "installed") {
        // The installed game, in the language the installer chose: it quits by its own Exit
        // command, French (8074) or English (9074), whichever menu bar the window has.
        check(findOtherWindow(main, nullptr, 0) == nullptr, "no message box at start-up");
        reportAndDismiss(main);
        save(waitForChange(main, Picture{}), "10-installed");
        const bool french = GetMenuState(GetMenu(main), 8074, MF_BYCOMMAND) != UINT(-1);
        PostMessageA(main, WM_COMMAND, french ? 8074 : 9074, 0);
        check(waitClosed(main, WindowWaitMs), "the Exit command closes the window");
        std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
        return failures == 0 ? 0 : 1;
    } else {
        check(findOtherWindow(main, nullptr, 0) == nullptr, "no message box at start-up");
        reportAndDismiss(main);
        if (mode == "first") {
            checkResources(argv[3]);
            firstRun(main);
        } else if (mode == "keys" || mode == "clicks") {
            resumedGame(main, mode == "keys");
        } else {
            nextRun(main);
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    check(waitClosed(main, WindowWaitMs), "WM_CLOSE closes the window");
    std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
