// What the files of the native Windows backend share: the main window and the menus built for it.
#pragma once

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

// The main window, or nullptr before it is created and after it is destroyed.
HWND MainWindow();

// The program's module, which holds the icon and the sounds.
HINSTANCE Instance();

// The Windows menu bar built from `menu`, built once and kept for the run.
HMENU MenuFor(const MenuBar& menu);

// Destroys every kept menu bar except `keep` (the one the window destroys itself).
void DestroyMenusExcept(HMENU keep);

} // namespace platform::win32
