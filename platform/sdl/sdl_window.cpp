// The SDL main window: creation, the client surface, the menu bar above it, presenting.
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/classic_ui/window_frame.h"
#include "platform/sdl/icon_decode.h"
#include "platform/sdl/sdl_state.h"
#include "platform/sdl/x11_window_size.h"
#include "resources/resources.h"

namespace sdlbackend {

Backend mainWindow;

namespace {

// The player's GDK_SCALE when it is a whole number from 1 to 8 (GTK desktops set it for a
// high-density display, and anyone may set it for this game alone). Otherwise, on X11, the
// display's density in steps of 96 dots per inch, the classic desktop's: k = round(dpi / 96),
// at least 1. A Wayland compositor enlarges by itself the windows that, like this one, ask
// for no high-density buffer, so there only GDK_SCALE counts.
int uiScaleForDisplay() {
    const char* asked = std::getenv("GDK_SCALE");
    if (asked != nullptr && *asked != '\0') {
        char* end = nullptr;
        const long k = std::strtol(asked, &end, 10);
        if (*end == '\0' && k >= 1 && k <= 8) return static_cast<int>(k);
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    float dpi = 0;
    if (driver == nullptr || std::strcmp(driver, "x11") != 0 ||
        SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0)
        return 1;
    const float k = std::round(dpi / 96.0f); // a nonsensical DPI (NaN, huge) gives 1 or 8
    return k >= 8 ? 8 : k > 1 ? static_cast<int>(k) : 1;
}

// Whether the client may be a view over `target`, a window surface of width x height client
// pixels below the menu bar: 32-bit XRGB rows that need no lock, and the whole client is the
// picture (a square picture in a larger client keeps its margin in a picture of its own).
bool viewable(const SDL_Surface* target, int width, int height) {
    const Backend& b = backend();
    return target != nullptr && b.pictureSide == 0 &&
           target->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(target) &&
           target->pitch % 4 == 0 && target->w == width && target->h == height + barHeight();
}

// Makes the client width x height, keeping the pixels that still fit (white elsewhere): a
// view over SDL's window surface where it can be, otherwise a picture of its own. SDL frees
// the old window surface when it makes the new one, so the kept pixels are copied out
// first. `repoint`: SDL may have a new window surface for the window. True when the size
// changed.
bool placeClient(int width, int height, bool repoint) {
    Backend& b = backend();
    width = std::max(width, 1);
    height = std::max(height, 1);
    const bool resized = width != b.client.width || height != b.client.height;
    const bool wantView = b.window != nullptr && b.pictureSide == 0;
    if (!resized && !repoint && (b.shown != nullptr) == wantView) return false;
    b.restoreUnder();
    const int keptW = std::min(width, b.client.width), keptH = std::min(height, b.client.height);
    Surface kept(keptW, keptH);
    for (int y = 0; y < keptH; ++y)
        std::copy_n(b.client.row(y), keptW, kept.row(y));
    b.client = Surface();
    b.shown = nullptr;
    SDL_Surface* target = wantView ? SDL_GetWindowSurface(b.window) : nullptr;
    if (viewable(target, width, height)) {
        const int pitch = target->pitch / 4;
        uint32_t* first =
            static_cast<uint32_t*>(target->pixels) + static_cast<ptrdiff_t>(barHeight()) * pitch;
        b.client = Surface::View(first, width, height, pitch,
                                 static_cast<size_t>(pitch) * static_cast<size_t>(height));
        b.shown = target;
    } else {
        b.client = Surface(width, height);
    }
    // The kept pixels first, and let go of, before the rest of a new window surface is
    // touched: the peak is one window's pixels and not a second copy beside them.
    for (int y = 0; y < keptH; ++y)
        std::copy_n(kept.row(y), keptW, b.client.row(y));
    kept = Surface();
    if (b.shown != nullptr) {
        for (int y = 0; y < height; ++y) {
            const int from = y < keptH ? keptW : 0;
            std::fill(b.client.row(y) + from, b.client.row(y) + width, 0xFFFFFFu);
        }
    }
    b.frameDirty = true;
    return resized;
}

// The size the window has on the screen. SDL takes a size it asked for as granted, but a
// window manager that keeps the window maximised or tiled refuses it; on X11 the server knows.
void realWindowSize(int& w, int& h) {
    Backend& b = backend();
    SDL_GetWindowSize(b.window, &w, &h);
    X11WindowSize(b.window, w, h);
}

} // namespace

// Takes the window's present size as the client size plus the menu bar; tells the window
// procedure when it changed.
bool syncWindowSize() {
    Backend& b = backend();
    int w = 0, h = 0;
    realWindowSize(w, h);
    const bool resized = w != b.client.width || h - barHeight() != b.client.height;
    // SDL makes a new window surface for a new window size; an update of no rectangle says
    // whether the one the client views is still the window's.
    const bool stale =
        b.shown != nullptr && (b.shown->w != w || b.shown->h != h ||
                               SDL_UpdateWindowSurfaceRects(b.window, nullptr, 0) != 0);
    // A new size from the window manager: the game decides again how much it draws.
    if (resized) b.pictureSide = 0;
    if (resized || stale) placeClient(w, h - barHeight(), true);
    if (!resized) return false;
    b.deliver({platform::EventType::Size, 0, 0, 0});
    b.paintPending = true;
    return true;
}

namespace {

// A closed terminal or a logout ends the session with SIGHUP: handled as the SIGTERM that SDL
// already turns into a press of the close box, so the game is saved the same way.
void onHangUp(int) {
    std::raise(SIGTERM);
}

// Makes SIGHUP end the game as SIGTERM does: through the close box, saving.
void endSessionOnHangUp() {
    struct sigaction action {};
    action.sa_handler = onHangUp;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    // A hang-up the player's shell chose to ignore (nohup) stays ignored.
    if (sigaction(SIGHUP, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) return;
    sigaction(SIGHUP, &action, nullptr);
}

// Whether SDL's video driver shows a window: false for the drivers that draw nowhere, unless
// SDL_VIDEODRIVER asked for that one.
bool driverShowsWindow() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return false;
    // A driver that draws nowhere is fine when the player (or a test) asked for it by name;
    // chosen by SDL as a fallback it would leave the game running with no window at all.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (asked != nullptr && *asked != '\0') return true;
    for (const char* invisible : {"offscreen", "dummy", "evdev"}) {
        if (std::strcmp(driver, invisible) == 0) return false;
    }
    return true;
}

// Starts SDL's video. An X server resets itself when its last client leaves, and drops the
// connections that arrive meanwhile: a start at that moment would find no display, or fall
// back to a driver that shows nothing. While a display is named, such a start is tried again
// for about two seconds.
bool startVideo() {
    const auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value != nullptr && *value != '\0';
    };
    const bool displayNamed = named("DISPLAY") || named("WAYLAND_DISPLAY");
    for (int attempt = 0;; ++attempt) {
        const bool started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
        if (started && driverShowsWindow()) return true;
        if (!displayNamed || attempt == 8) return started;
        SDL_Quit();
        SDL_Delay(250);
    }
}

// Gives the window the icon resource.
void setWindowIcon(SDL_Window* window) {
    classicui::IconImage icon =
        classicui::DecodeLargestIcon(ResourceBytes(ResourceKind::Icon, WindowIconId));
    if (icon.empty()) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon.argb.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

// SDL's window surface as a frame to compose into.
Surface frameOf(SDL_Surface* target) {
    return classicui::FrameView(static_cast<uint32_t*>(target->pixels), target->w, target->h,
                                target->pitch / 4);
}

// `r` in interface pixels as window pixels of the client (below the menu bar), clipped to it.
classicui::Rect clientPart(const classicui::Rect& r) {
    const Backend& b = backend();
    const int k = b.uiScale;
    const int x0 = std::max(r.x * k, 0), y0 = std::max(r.y * k - barHeight(), 0);
    const int x1 = std::min((r.x + r.w) * k, b.client.width);
    const int y1 = std::min((r.y + r.h) * k - barHeight(), b.client.height);
    if (r.w <= 0 || r.h <= 0 || x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

// The part of the client the open pop-up and the overlays cover.
classicui::Rect coveredArea() {
    Backend& b = backend();
    classicui::Rect all;
    auto add = [&all](const classicui::Rect& r) {
        if (r.w <= 0 || r.h <= 0) return;
        all = all.w > 0 ? all.united(r) : r;
    };
    add(clientPart(b.menuPopupArea()));
    for (const classicui::Overlay& overlay : b.overlays)
        add(clientPart(overlay.area()));
    return all;
}

// Keeps the client pixels of `area` aside, to be put back by restoreUnder.
void saveUnder(const classicui::Rect& area) {
    Backend& b = backend();
    b.under = Surface(area.w, area.h);
    b.underArea = area;
    for (int y = 0; y < area.h; ++y)
        std::copy_n(b.client.row(area.y + y) + area.x, area.w, b.under.row(y));
}

// A window surface in another pixel format: the whole picture, converted by SDL.
void presentConverted() {
    Backend& b = backend();
    SDL_Surface* target = SDL_GetWindowSurface(b.window);
    if (target == nullptr) return;
    const classicui::Rect all = b.windowArea();
    Surface frame(all.w, all.h);
    classicui::ComposeFrame(b, frame);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        frame.row(0), frame.width, frame.height, 32, frame.width * 4, SDL_PIXELFORMAT_RGB888);
    if (source == nullptr) return;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(b.window);
}

} // namespace

void Backend::restoreUnder() {
    if (under.empty()) return;
    const classicui::Rect& r = underArea;
    for (int y = 0; y < r.h; ++y)
        std::copy_n(under.row(y), r.w, client.row(r.y + y) + r.x);
    under = Surface();
    underArea = {};
    frameDirty = true;
}

namespace {

std::vector<SDL_Rect> sdlRects(const std::vector<classicui::Rect>& window) {
    std::vector<SDL_Rect> rects;
    for (const classicui::Rect& r : window)
        rects.push_back({r.x, r.y, r.w, r.h});
    return rects;
}

// The changed parts of the picture in window pixels.
std::vector<SDL_Rect> changedRects(const std::vector<classicui::Rect>& changed) {
    std::vector<classicui::Rect> window;
    for (const classicui::Rect& r : changed)
        window.push_back(classicui::InWindow(backend(), r));
    return sdlRects(window);
}

// Shows a client that is a picture of its own: copied into SDL's window surface, or
// converted when that surface has another pixel format.
void presentCopied() {
    Backend& b = backend();
    classicui::Rect all = b.windowArea();
    SDL_Surface* target = SDL_GetWindowSurface(b.window);
    if (target == nullptr || target->format->format != SDL_PIXELFORMAT_RGB888 ||
        SDL_MUSTLOCK(target) || target->w < all.w || target->h < all.h)
        return presentConverted();
    Surface frame = frameOf(target);
    // The whole window, or only the changed parts of the picture: the margin keeps its paint.
    const std::vector<SDL_Rect> rects = sdlRects(classicui::UpdateFrame(b, frame));
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(b.window, rects.data(), static_cast<int>(rects.size()));
}

// Shows a client that is a view over the window surface: the game's pixels are already
// there, so only the menu bar and what covers the client are drawn. The pixels under the
// covers are kept aside first, and put back when they change or go.
void presentInPlace(bool retried = false) {
    Backend& b = backend();
    int w = 0, h = 0;
    SDL_GetWindowSize(b.window, &w, &h);
    // A resize on its way: SDL drops this surface at the next SDL_GetWindowSurface, which
    // its event makes when it re-points the client; until then nothing can be shown.
    if (w != b.shown->w || h != b.shown->h || w != b.client.width ||
        h != b.client.height + barHeight())
        return;
    const bool composed = classicui::Covered(b);
    if (composed || b.frameDirty) {
        b.restoreUnder();
        if (composed) saveUnder(coveredArea());
        Surface frame = frameOf(b.shown);
        classicui::ComposeFrame(b, frame);
        if (SDL_UpdateWindowSurface(b.window) != 0 && !retried) {
            // The window got a new surface at the same size (resized and back at once).
            placeClient(b.client.width, b.client.height, true);
            if (b.shown != nullptr) presentInPlace(true);
        }
    } else {
        const std::vector<SDL_Rect> rects = changedRects(classicui::ChangedPicture(b));
        if (!rects.empty() &&
            SDL_UpdateWindowSurfaceRects(b.window, rects.data(), static_cast<int>(rects.size())) !=
                0 &&
            !retried) {
            placeClient(b.client.width, b.client.height, true);
            if (b.shown != nullptr) presentInPlace(true);
        }
    }
}

} // namespace

// The window's pixels go to the screen through SDL's own window surface, updated with just
// the changed rectangles: on X11 that is a shared-memory copy of a few rows, where a renderer
// would composite and present the whole window for every pile step.
void Backend::show() {
    // What a resize on its way keeps from being shown is shown whole once it lands.
    if (shown != nullptr)
        presentInPlace();
    else
        presentCopied();
}

bool Backend::createWindow(const char* title) {
    if (!sdlStarted) {
        // Windows' double-click rectangle is 4 pixels wide.
        SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
        // The window's class (X11) and application id (Wayland) name the desktop entry, so
        // that docks group the window with its launcher (its StartupWMClass).
        SDL_SetHint(SDL_HINT_APP_NAME, GLIMORA_APP_ID);
        if (!startVideo()) {
            std::fprintf(stderr, "Glimora: cannot open the game's window: %s\n", SDL_GetError());
            return false;
        }
        endSessionOnHangUp();
        if (!driverShowsWindow()) {
            std::fprintf(stderr,
                         "Glimora: cannot open the game's window: no display (SDL chose its "
                         "\"%s\" video driver, which shows nothing)\n",
                         SDL_GetCurrentVideoDriver());
            SDL_Quit();
            return false;
        }
        // On X11 the window surface is copied to the screen as it is, through shared memory:
        // an accelerated framebuffer would run a whole GL frame for each small change, which
        // without a GPU costs more than everything else the game does. Drivers without a
        // surface of their own (Wayland) keep SDL's accelerated one.
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver != nullptr && std::strcmp(driver, "x11") == 0)
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        sdlStarted = true;
        uiScale = uiScaleForDisplay();
        startGamepads();
    }
    // An enlarged interface opens an as much enlarged window, where its dialogs fit.
    const int side = 480 * uiScale, bar = barHeight();
    // The client comes with the window's surface; nothing to keep from before.
    client = Surface();
    shown = nullptr;
    under = Surface();
    pictureSide = 0;
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, side,
                              side + bar, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        std::fprintf(stderr, "Glimora: cannot open the game's window: %s\n", SDL_GetError());
        return false;
    }
    // The game keeps its client at least 480 x 480.
    SDL_SetWindowMinimumSize(window, 480, 480 + bar);
    placeClient(side, side, true);
    setWindowIcon(window);
    return true;
}

void Backend::showWindow() {
    SDL_ShowWindow(window);
    paintPending = true;
}

void Backend::destroyWindow() {
    under = Surface();
    // The client's pixels may be the window surface's, which goes with the window.
    client = Surface();
    shown = nullptr;
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    closeAudio();
    stopGamepads();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    sdlStarted = false;
}

} // namespace sdlbackend

using sdlbackend::backend;

namespace platform {

void MakeClientSquare(int side) {
    auto& b = backend();
    if (!b.windowOpen || side <= 0) return;
    const int wantW = side, wantH = side + sdlbackend::barHeight();
    SDL_SetWindowSize(b.window, wantW, wantH);
    // A window manager answers a moment later: wait for it a little (at most 0.2 s).
    int w = 0, h = 0;
    sdlbackend::realWindowSize(w, h);
    for (int waited = 0; (w != wantW || h != wantH) && waited < 200; waited += 10) {
        SDL_Delay(10);
        SDL_PumpEvents();
        sdlbackend::realWindowSize(w, h);
    }
    // Refused: SDL would go on taking the size asked for as the window's, and make its window
    // surface that size, leaving the rest of the window unpainted. Asking for the size the
    // window has puts SDL right, and changes nothing on the screen.
    if (w != wantW || h != wantH) {
        int sdlW = 0, sdlH = 0;
        SDL_GetWindowSize(b.window, &sdlW, &sdlH);
        if (sdlW != w || sdlH != h) SDL_SetWindowSize(b.window, w, h);
    }
    // SetWindowPos sends WM_SIZE before it returns; do the same with the size we got.
    sdlbackend::syncWindowSize();
    // A window manager that keeps the window maximised or tiled refuses the size: the game
    // draws a side x side picture and the rest of the client is margin.
    b.pictureSide = b.client.width == side && b.client.height == side ? 0 : side;
    sdlbackend::placeClient(b.client.width, b.client.height, false);
    b.frameDirty = true;
}

// The SDL window offers the game no screen reader.
void Announce(std::string_view /*text*/) {}

} // namespace platform
