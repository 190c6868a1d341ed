// The size of an SDL window as the X server has it, apart from the X headers' macros.
#pragma once

#include <SDL.h>

namespace sdlbackend {

// On X11, the window's size on the screen into w and h (true); elsewhere, or when the server
// cannot say, w and h are left as they are (false).
bool X11WindowSize(SDL_Window* window, int& w, int& h);

} // namespace sdlbackend
