// The headless main window: its surface, size, menu bar, repaint requests and sounds.
#include <algorithm>

#include "platform/headless/headless_state.h"

namespace headless::detail {

State& state() {
    static State s;
    return s;
}

void deliver(const platform::Event& event) {
    State& s = state();
    if (s.windowOpen && s.procedure != nullptr) s.procedure(event);
}

void resizeSurface(int width, int height) {
    State& s = state();
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == s.surface.width && height == s.surface.height) return;
    Surface resized(width, height);
    int w = std::min(width, s.surface.width);
    int h = std::min(height, s.surface.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            resized.at(x, y) = s.surface.at(x, y);
    s.surface = std::move(resized);
}

} // namespace headless::detail

using headless::detail::state;

namespace headless {

void Reset() {
    state() = detail::State{};
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
void SetClientSize(int width, int height) {
    detail::resizeSurface(width, height);
}

void QueueResize(int width, int height) {
    detail::resizeSurface(width, height);
    state().queue.push_back({platform::EventType::Size, 0, 0, 0});
    state().repaintPending = true;
}

const std::vector<int>& SquareRequests() {
    return state().squareRequests;
}

uint32_t Pixel(int x, int y) {
    const Surface& s = state().surface;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0;
    return s.at(x, y);
}

int RepaintRequests() {
    return state().repaintRequests;
}
bool RepaintPending() {
    return state().repaintPending;
}
int UpdatesReported() {
    return state().updatesReported;
}
const std::vector<int>& SoundsPlayed() {
    return state().sounds;
}
const std::vector<std::string>& MenusAttached() {
    return state().menus;
}

} // namespace headless

namespace platform {

bool OpenMainWindow(const char* title, WindowProcedure procedure, const MenuBar& initialMenu) {
    auto& s = state();
    if (s.failNextOpen) {
        s.failNextOpen = false;
        return false;
    }
    s.title = title != nullptr ? title : "";
    s.procedure = procedure;
    s.windowOpen = true;
    s.menus.emplace_back(initialMenu.name);
    headless::detail::deliver({EventType::Create, 0, 0, 0});
    return true;
}

void DestroyMainWindow() {
    auto& s = state();
    if (!s.windowOpen) return;
    headless::detail::deliver({EventType::Destroy, 0, 0, 0});
    s.windowOpen = false;
    s.repaintPending = false;
}

void GetClientSize(int& width, int& height) {
    width = state().surface.width;
    height = state().surface.height;
}

void MakeClientSquare(int side) {
    auto& s = state();
    s.squareRequests.push_back(side);
    if (side == s.surface.width && side == s.surface.height) return;
    headless::detail::resizeSurface(side, side);
    headless::detail::deliver({EventType::Size, 0, 0, 0});
}

void RequestRepaint() {
    auto& s = state();
    ++s.repaintRequests;
    if (s.windowOpen) s.repaintPending = true;
}

Surface& WindowSurface() {
    return state().surface;
}

void WindowUpdated(int, int, int, int) {
    ++state().updatesReported;
}

void AttachMenu(const MenuBar& menu) {
    state().menus.emplace_back(menu.name);
}

void PlayWave(int id) {
    state().sounds.push_back(id);
}

} // namespace platform
