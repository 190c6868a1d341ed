// The drawn menu bar's modal loop over the page's input.
#include "platform/web/web_state.h"

namespace webbackend {

int runMenuLoop(int title, bool openPopup, bool viaKeyboard) {
    Backend& b = backend();
    if (b.menu == nullptr || b.menu->popups.empty()) return 0;
    classicui::MenuLoop loop(*b.menu, b.menuView, title, openPopup, viaKeyboard);
    b.frameDirty = true;
    Input input;
    while (loop.active() && b.windowOpen) {
        if (!nextModalInput(input)) break;
        if (input.altUp || input.ui.kind == classicui::UiEvent::Kind::Text) continue;
        loop.handle(input.ui, uiWindowArea().w);
        b.frameDirty = true;
    }
    b.menuView = classicui::MenuView{};
    b.frameDirty = true;
    return loop.chosen();
}

} // namespace webbackend
