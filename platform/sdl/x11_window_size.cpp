// Asks the X server for a window's size, through the X library SDL itself has loaded.
#include "platform/sdl/x11_window_size.h"

#include <SDL_syswm.h>

namespace sdlbackend {

namespace {

using GetAttributes = int (*)(Display*, ::Window, XWindowAttributes*);

// XGetWindowAttributes, looked up once; null where there is no X library. The game does not
// link the X library itself, so that it runs where SDL finds another video driver.
GetAttributes xGetWindowAttributes() {
    static void* const library = SDL_LoadObject("libX11.so.6");
    static const auto function =
        library != nullptr
            ? reinterpret_cast<GetAttributes>(SDL_LoadFunction(library, "XGetWindowAttributes"))
            : nullptr;
    return function;
}

} // namespace

bool X11WindowSize(SDL_Window* window, int& w, int& h) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    const GetAttributes get = xGetWindowAttributes();
    XWindowAttributes attributes{};
    if (get == nullptr || get(info.info.x11.display, info.info.x11.window, &attributes) == 0 ||
        attributes.width <= 0 || attributes.height <= 0)
        return false;
    w = attributes.width;
    h = attributes.height;
    return true;
}

} // namespace sdlbackend
