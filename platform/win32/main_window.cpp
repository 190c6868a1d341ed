// The main window: its class, messages turned into game events, the event loop, its picture.
// The procedure hands each message to the portable window procedure; the client-sized picture
// is drawn straight to the window, as the game's immediate drawing expects.
#include <algorithm>
#include <cstdint>

#include "platform/win32/backend.h"

namespace platform::win32 {

namespace {

constexpr char ClassName[] = "Glimora";
// The client area the window opens with: the canvas, one to one.
constexpr int OpeningSide = 480;
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;

HWND mainWindow = nullptr;
WindowProcedure procedure = nullptr;
Surface windowSurface(480, 480);

void deliver(EventType type, int x = 0, int y = 0, int id = 0) {
    if (procedure != nullptr) procedure(Event{type, x, y, id});
}

// Keeps the picture the size of the client area. A minimised window keeps its last size, so
// the game never draws into an empty area.
void fitSurfaceToClient(HWND window) {
    RECT client{};
    if (window == nullptr || IsIconic(window) || !GetClientRect(window, &client)) return;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    if (width != windowSurface.width || height != windowSurface.height)
        windowSurface = Surface(width, height);
}

// The key the window is given for a virtual-key code; None for the others, which go to the
// default window procedure. Keys with Ctrl or Alt are not the window's either (Alt makes
// them system keys, which never come here).
Key keyOf(WPARAM virtualKey) {
    if (GetKeyState(VK_CONTROL) < 0) return Key::None;
    switch (virtualKey) {
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_UP:
        return Key::Up;
    case VK_DOWN:
        return Key::Down;
    case VK_RETURN:
        return Key::Enter;
    case VK_SPACE:
        return Key::Space;
    case VK_TAB:
        return Key::Tab;
    default:
        return Key::None;
    }
}

// Client coordinates as the mouse messages carry them: two unsigned 16-bit words.
int lowWord(LPARAM value) {
    return static_cast<int>(LOWORD(static_cast<DWORD_PTR>(value)));
}
int highWord(LPARAM value) {
    return static_cast<int>(HIWORD(static_cast<DWORD_PTR>(value)));
}

LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        mainWindow = window;
        fitSurfaceToClient(window);
        deliver(EventType::Create);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        // The game draws through its own device contexts, the whole client area at once.
        if (!IsIconic(window)) {
            fitSurfaceToClient(window);
            deliver(EventType::Paint);
        }
        return 0;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            fitSurfaceToClient(window);
            deliver(EventType::Size);
        }
        RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
        return 0;
    case WM_ACTIVATE:
        return 0;
    case WM_COMMAND:
        deliver(EventType::Command, 0, 0, LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        deliver(EventType::LeftDown, lowWord(lParam), highWord(lParam));
        return 0;
    case WM_LBUTTONUP:
        deliver(EventType::LeftUp, lowWord(lParam), highWord(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        deliver(EventType::LeftDoubleClick, lowWord(lParam), highWord(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN: {
        const Key key = keyOf(wParam);
        if (key == Key::None || procedure == nullptr) break;
        Event event{EventType::KeyDown};
        event.key = key;
        event.repeat = (lParam & (LPARAM{1} << 30)) != 0; // it was down already
        event.shift = GetKeyState(VK_SHIFT) < 0;
        procedure(event);
        return 0;
    }
    case WM_CLOSE:
        deliver(EventType::Close);
        return 0;
    case WM_DESTROY:
        deliver(EventType::Destroy);
        return 0;
    case WM_NCDESTROY:
        // The attached menu goes with the window; the others kept for the run go now.
        DestroyMenusExcept(GetMenu(window));
        mainWindow = nullptr;
        procedure = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// How the program was asked to show its window (a shortcut may ask for minimised).
int startupShowState() {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

bool registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(500));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = ClassName;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

HWND MainWindow() {
    return mainWindow;
}

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

} // namespace platform::win32

namespace platform {

using win32::mainWindow;

uint32_t GetTicks() {
    return GetTickCount();
}

bool OpenMainWindow(const char* title, WindowProcedure procedure, const MenuBar& initialMenu) {
    const HINSTANCE instance = win32::Instance();
    if (!win32::registerWindowClass(instance)) return false;
    win32::procedure = procedure;
    // The window starts with the menu bar it is given (the English one), as a class menu would.
    HMENU menu = win32::MenuFor(initialMenu);
    // The outer size that gives a 480 x 480 client with this system's frame and menu bar
    // (488 x 534 with the classic metrics): the picture is shown one to one.
    RECT outer{0, 0, win32::OpeningSide, win32::OpeningSide};
    AdjustWindowRectEx(&outer, win32::WindowStyle, TRUE, 0);
    const HWND window = CreateWindowExA(0, win32::ClassName, title, win32::WindowStyle,
                                        CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                        outer.bottom - outer.top, nullptr, menu, instance, nullptr);
    if (window == nullptr) {
        win32::procedure = nullptr;
        return false;
    }
    mainWindow = window;
    ShowWindow(window, win32::startupShowState());
    // A menu bar that wraps, or a frame the calculation does not know, is corrected once.
    RECT client{};
    if (!IsIconic(window) && !IsZoomed(window) && GetClientRect(window, &client) &&
        (client.right != win32::OpeningSide || client.bottom != win32::OpeningSide))
        MakeClientSquare(win32::OpeningSide);
    win32::fitSurfaceToClient(window);
    return true;
}

void DestroyMainWindow() {
    if (mainWindow == nullptr) return;
    // DestroyWindow hides a visible window first, and under Wine a hide waits up to 2 s for a
    // window manager to confirm it (none confirms without one) before WM_DESTROY, which saves
    // the game, comes. Marked hidden without that hide, the window is destroyed at once; what
    // lay under it is then painted again, as a hide would have had it.
    RECT area{};
    const bool placed = GetWindowRect(mainWindow, &area) != 0;
    SetWindowLongPtrA(mainWindow, GWL_STYLE,
                      GetWindowLongPtrA(mainWindow, GWL_STYLE) & ~LONG_PTR{WS_VISIBLE});
    DestroyWindow(mainWindow);
    if (placed) RedrawWindow(nullptr, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void GetClientSize(int& width, int& height) {
    width = win32::windowSurface.width;
    height = win32::windowSurface.height;
}

void MakeClientSquare(int side) {
    if (mainWindow == nullptr || side <= 0) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(mainWindow, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(mainWindow, GWL_EXSTYLE));
    RECT outer{0, 0, side, side};
    AdjustWindowRectEx(&outer, style, GetMenu(mainWindow) != nullptr, exStyle);
    RECT window{};
    GetWindowRect(mainWindow, &window);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    SetWindowPos(mainWindow, HWND_TOP, window.left, window.top, width, height, SWP_SHOWWINDOW);

    // A menu bar that wraps onto two lines, or a frame the calculation does not know, leaves
    // the client area off by some pixels: correct it once by what is missing.
    RECT client{};
    if (mainWindow == nullptr || IsIconic(mainWindow) || !GetClientRect(mainWindow, &client))
        return;
    const int missingWidth = side - client.right;
    const int missingHeight = side - client.bottom;
    if (missingWidth == 0 && missingHeight == 0) return;
    width += missingWidth;
    height += missingHeight;
    SetWindowPos(mainWindow, HWND_TOP, window.left, window.top, width, height, SWP_SHOWWINDOW);
}

void RequestRepaint() {
    if (mainWindow != nullptr) RedrawWindow(mainWindow, nullptr, nullptr, RDW_INTERNALPAINT);
}

Surface& WindowSurface() {
    return win32::windowSurface;
}

void WindowUpdated(int x, int y, int width, int height) {
    Surface& surface = win32::windowSurface;
    if (mainWindow == nullptr || IsIconic(mainWindow) || surface.empty()) return;
    // Clip to the picture in 64 bits, so no rectangle can overflow.
    const auto left = static_cast<int>(std::clamp<int64_t>(x, 0, surface.width));
    const auto top = static_cast<int>(std::clamp<int64_t>(y, 0, surface.height));
    const auto right =
        static_cast<int>(std::clamp<int64_t>(int64_t{x} + width, left, surface.width));
    const auto bottom =
        static_cast<int>(std::clamp<int64_t>(int64_t{y} + height, top, surface.height));
    if (right <= left || bottom <= top) return;

    // The rows top..bottom as one top-down picture of the surface's width: its source
    // rectangle starts at row 0, so there is no doubt about which rows are meant.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = surface.width;
    info.bmiHeader.biHeight = -(bottom - top);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const uint32_t* rows =
        surface.pixels.data() + static_cast<size_t>(top) * static_cast<size_t>(surface.width);

    HDC device = GetDC(mainWindow);
    if (device == nullptr) return;
    SetDIBitsToDevice(device, left, top, static_cast<DWORD>(right - left),
                      static_cast<DWORD>(bottom - top), left, 0, 0, static_cast<UINT>(bottom - top),
                      rows, &info, DIB_RGB_COLORS);
    ReleaseDC(mainWindow, device);
}

PumpResult PumpOne(int& exitCode) {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return PumpResult::Idle;
    if (message.message == WM_QUIT) {
        exitCode = static_cast<int>(message.wParam);
        return PumpResult::Quit;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return PumpResult::Dispatched;
}

void WaitForEvent(uint32_t timeoutMs) {
    // Drawing is shown as it happens, so there is nothing to present first. The loop waits
    // only after a peek found the queue empty, so the wait asks for input that arrives after
    // that peek, not for any input in the queue (MWMO_INPUTAVAILABLE): Wine keeps the queue's
    // paint bit set while its peek finds no window to paint, and such a wait returns at once.
    const DWORD timeout = timeoutMs == UINT32_MAX ? INFINITE : timeoutMs;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER started{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, 0);
    LARGE_INTEGER ended{};
    QueryPerformanceCounter(&ended);
    const auto waited =
        static_cast<DWORD>((ended.QuadPart - started.QuadPart) * 1000 / frequency.QuadPart);

    // Whatever the wait answered, it did its work when it lasted its time or left something
    // to read. Otherwise it ended early for nothing: once, that is a message sent from another
    // thread and handled inside the wait; several times in a row, a wait that cannot block
    // (a failure, a system that returns at once). Then sleep a little (at most 10 ms of input
    // lag, never past the timeout), so the loop polls gently instead of spinning.
    static int emptyWakes = 0;
    MSG message{};
    if ((timeout != INFINITE && waited + 1 >= timeout) ||
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD)) {
        emptyWakes = 0;
        return;
    }
    if (++emptyWakes < 3) return;
    Sleep(timeout == INFINITE ? 10 : std::min<DWORD>(timeout - waited, 10));
}

// A desktop window has no neighbours the keyboard could go on to.
bool PassKeyboardOn(bool /*forward*/) {
    return false;
}

void PostQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

} // namespace platform
