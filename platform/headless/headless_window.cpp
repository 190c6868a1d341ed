// The headless main window: its client picture, size, menu bar and sounds, shown nowhere.
#include <algorithm>
#include <cstdio>
#include <new>

#include "platform/classic_ui/window_frame.h"
#include "platform/headless/headless_state.h"

namespace headless::detail {

bool Backend::createWindow(const char* windowTitle) {
    if (failNextOpen) {
        failNextOpen = false;
        return false;
    }
    title = windowTitle != nullptr ? windowTitle : "";
    return true;
}

void Backend::show() {
    const classicui::Rect all = windowArea();
    if (frame.width != all.w || frame.height != all.h) {
        frame = Surface(all.w, all.h);
        screen = Surface(all.w, all.h);
        frameDirty = true;
    }
    // Only the rectangles the present says it changed reach the screen, as on a display.
    for (const classicui::Rect& r : classicui::UpdateFrame(*this, frame)) {
        const int x0 = std::max(r.x, 0), x1 = std::min(r.x + r.w, all.w);
        for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, all.h) && x1 > x0; ++y)
            std::copy_n(frame.row(y) + x0, x1 - x0, screen.row(y) + x0);
    }
}

void Backend::checkScreen() {
    if (!windowOpen || !staleScreen.empty() || screen.empty()) return;
    Surface now(screen.width, screen.height);
    classicui::ComposeFrame(*this, now);
    for (int y = 0; y < now.height; ++y)
        for (int x = 0; x < now.width; ++x)
            if (now.at(x, y) != screen.at(x, y)) {
                char where[160];
                std::snprintf(where, sizeof where,
                              "at tick %u window pixel (%d, %d) shows %06X, the window holds %06X",
                              ticks, x, y, screen.at(x, y), now.at(x, y));
                staleScreen = where;
                return;
            }
}

void Backend::resized(const classicui::UiEvent& event) {
    resizeClient(event.x, event.y);
    pictureSide = 0; // a new size: the game decides again how much it draws
    deliver({platform::EventType::Size, 0, 0, 0});
    paintPending = true;
}

} // namespace headless::detail

using headless::detail::state;

namespace headless {

void Reset() {
    // The backend is a single object that the platform calls find; it is emptied in place.
    detail::Backend& s = state();
    s.~Backend();
    new (&s) detail::Backend();
}

bool WindowOpen() {
    return state().windowOpen;
}
const std::string& WindowTitle() {
    return state().title;
}
void FailNextOpen() {
    state().failNextOpen = true;
}
void PlaceInPage() {
    state().inPage = true;
}
const std::vector<bool>& KeyboardPasses() {
    return state().keyboardPasses;
}
void SetClientSize(int width, int height) {
    state().resizeClient(width, height);
}
const std::vector<int>& SquareRequests() {
    return state().squareRequests;
}
void RefuseSquares() {
    state().squareRefused = true;
}

uint32_t Pixel(int x, int y) {
    const Surface& s = state().client;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0;
    return s.at(x, y);
}

const Surface& Screen() {
    return state().screen;
}
const std::string& StaleScreen() {
    return state().staleScreen;
}

int RepaintRequests() {
    return state().repaintRequests;
}
bool RepaintPending() {
    return state().paintPending;
}
std::string MenuShown() {
    const MenuBar* menu = state().menu;
    return menu != nullptr ? std::string(menu->name) : std::string();
}
const std::vector<int>& SoundsPlayed() {
    return state().sounds;
}

} // namespace headless

headless::detail::Backend headless::detail::mainWindow;

namespace platform {

void MakeClientSquare(int side) {
    auto& s = state();
    s.squareRequests.push_back(side);
    if (s.squareRefused) {
        // The window keeps its size: the game's picture is a square centred in the client.
        s.pictureSide = side == s.client.width && side == s.client.height ? 0 : side;
        s.frameDirty = true;
        return;
    }
    if (side == s.client.width && side == s.client.height) return;
    s.resizeClient(side, side);
    s.deliver({EventType::Size, 0, 0, 0});
}

void PlayWave(int id) {
    state().sounds.push_back(id);
}

} // namespace platform
