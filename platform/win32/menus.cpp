// Builds real Windows menu bars from the shared menu data and attaches them to the main window.
#include <string>
#include <vector>

#include "platform/win32/backend.h"

namespace platform::win32 {

namespace {

struct BuiltMenu {
    std::string name;
    HMENU handle;
};

std::vector<BuiltMenu> builtMenus;

HMENU buildMenu(const MenuBar& menu) {
    HMENU bar = CreateMenu();
    if (bar == nullptr) return nullptr;
    for (const MenuPopup& popup : menu.popups) {
        HMENU items = CreatePopupMenu();
        if (items == nullptr) continue;
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                AppendMenuA(items, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuA(items, MF_STRING, static_cast<UINT_PTR>(item.id),
                            std::string(item.text).c_str());
            }
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items),
                    std::string(popup.title).c_str());
    }
    return bar;
}

} // namespace

HMENU MenuFor(const MenuBar& menu) {
    for (const BuiltMenu& built : builtMenus) {
        if (built.name == menu.name && IsMenu(built.handle)) return built.handle;
    }
    HMENU handle = buildMenu(menu);
    if (handle != nullptr) builtMenus.push_back({std::string(menu.name), handle});
    return handle;
}

void DestroyMenusExcept(HMENU keep) {
    for (const BuiltMenu& built : builtMenus) {
        if (built.handle != keep && IsMenu(built.handle)) DestroyMenu(built.handle);
    }
    builtMenus.clear();
}

} // namespace platform::win32

namespace platform {

void AttachMenu(const MenuBar& menu) {
    HMENU handle = win32::MenuFor(menu);
    if (win32::MainWindow() != nullptr && handle != nullptr) SetMenu(win32::MainWindow(), handle);
}

} // namespace platform
