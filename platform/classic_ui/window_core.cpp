// The platform calls shared by the backends that draw their own window: the main loop's
// pump and wait, repaints, changed rectangles, the menu bar, quitting.
#include "platform/classic_ui/window_core.h"

#include <algorithm>
#include <cstdint>

namespace classicui {

namespace {
WindowCore* mainWindow = nullptr;
} // namespace

WindowCore::WindowCore() {
    mainWindow = this;
}

WindowCore& MainWindow() {
    return *mainWindow;
}

void AddChanged(std::vector<Rect>& changed, Rect r) {
    const auto meet = [](const Rect& a, const Rect& c) {
        return a.x <= c.x + c.w && c.x <= a.x + a.w && a.y <= c.y + c.h && c.y <= a.y + a.h;
    };
    const auto area = [](const Rect& a) { return int64_t{a.w} * a.h; };
    // Rectangles that overlap or touch become one, and so on while the grown one meets more.
    for (size_t i = 0; i < changed.size();) {
        if (meet(changed[i], r)) {
            r = r.united(changed[i]);
            changed.erase(changed.begin() + static_cast<ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    if (changed.size() < MaxChanged) {
        changed.push_back(r);
        return;
    }
    // As many as kept apart already: joined to the one it grows least.
    size_t best = 0;
    int64_t growth = INT64_MAX;
    for (size_t i = 0; i < changed.size(); ++i) {
        const int64_t g = area(changed[i].united(r)) - area(changed[i]);
        if (g < growth) {
            growth = g;
            best = i;
        }
    }
    changed[best] = changed[best].united(r);
}

void WindowCore::present() {
    if (!windowOpen || (!frameDirty && !clientDirty)) return;
    show();
    frameDirty = false;
    clientDirty = false;
    dirty.clear();
}

void WindowCore::resizeClient(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == client.width && height == client.height) return;
    Surface resized(width, height);
    const int w = std::min(width, client.width), h = std::min(height, client.height);
    for (int y = 0; y < h; ++y)
        std::copy_n(client.row(y), w, resized.row(y));
    client = std::move(resized);
}

Rect WindowCore::pictureArea() const {
    if (pictureSide <= 0) return {0, 0, client.width, client.height};
    const int w = std::min(client.width, pictureSide);
    const int h = std::min(client.height, pictureSide);
    return {(client.width - w) / 2, (client.height - h) / 2, w, h};
}

} // namespace classicui

using classicui::MainWindow;

namespace platform {

bool OpenMainWindow(const char* title, WindowProcedure procedure, const MenuBar& initialMenu) {
    classicui::WindowCore& w = MainWindow();
    if (w.windowOpen || !w.createWindow(title)) return false;
    w.procedure = procedure;
    w.menu = &initialMenu;
    w.menuAttached();
    w.windowOpen = true;
    w.frameDirty = true;
    w.deliver({EventType::Create, 0, 0, 0});
    w.showWindow();
    return true;
}

void DestroyMainWindow() {
    classicui::WindowCore& w = MainWindow();
    if (!w.windowOpen) return;
    w.deliver({EventType::Destroy, 0, 0, 0});
    w.windowOpen = false;
    w.paintPending = false;
    w.overlays.clear();
    w.destroyWindow();
}

PumpResult PumpOne(int& exitCode) {
    classicui::WindowCore& w = MainWindow();
    if (w.quitPosted) {
        exitCode = w.quitCode;
        return PumpResult::Quit;
    }
    if (!w.windowOpen) return PumpResult::Idle;
    w.present();
    bool forWindow = false;
    while (w.handleNextInput(forWindow)) {
        if (forWindow) return PumpResult::Dispatched;
        if (w.quitPosted) break;
    }
    if (w.paintPending && w.windowOpen) {
        w.paintPending = false;
        w.deliver({EventType::Paint, 0, 0, 0});
        return PumpResult::Dispatched;
    }
    return PumpResult::Idle;
}

void WaitForEvent(uint32_t timeoutMs) {
    classicui::WindowCore& w = MainWindow();
    if (w.quitPosted) return;
    if (!w.windowOpen) {
        // Nothing can wake us: sleep out the timeout, a little at a time.
        w.sleepWithoutWindow(timeoutMs < 100 ? timeoutMs : 100);
        return;
    }
    w.present();
    if (w.paintPending) return;
    w.waitInMainLoop(timeoutMs);
}

void PostQuit(int exitCode) {
    classicui::WindowCore& w = MainWindow();
    if (w.quitPosted) return;
    w.quitPosted = true;
    w.quitCode = exitCode;
}

void GetClientSize(int& width, int& height) {
    width = MainWindow().client.width;
    height = MainWindow().client.height;
}

Surface& WindowSurface() {
    return MainWindow().client;
}

void RequestRepaint() {
    classicui::WindowCore& w = MainWindow();
    ++w.repaintRequests;
    if (w.windowOpen) w.paintPending = true;
}

void WindowUpdated(int x, int y, int width, int height) {
    classicui::WindowCore& w = MainWindow();
    if (width <= 0 || height <= 0) return;
    classicui::AddChanged(w.dirty, {x, y, width, height});
    w.clientDirty = true;
}

void AttachMenu(const MenuBar& menu) {
    classicui::WindowCore& w = MainWindow();
    w.menu = &menu;
    w.frameDirty = true;
    w.menuAttached();
}

bool PassKeyboardOn(bool forward) {
    return MainWindow().passKeyboardOn(forward);
}

} // namespace platform
