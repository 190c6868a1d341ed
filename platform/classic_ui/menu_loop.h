// The drawn menu bar's modal loop and its look, fed with backend-neutral events.
#pragma once

#include "platform/classic_ui/ui_event.h"
#include "platform/surface.h"
#include "platform/ui_types.h"

namespace classicui {

// What the menu bar shows while the menu loop runs.
struct MenuView {
    bool active = false;    // the menu loop runs
    int title = -1;         // selected title
    bool popupOpen = false; // its pop-up hangs below it
    int item = -1;          // highlighted item of the pop-up
};

// One run of the menu loop over `view`: opens at `title` (with its pop-up when `openPopup`).
class MenuLoop {
  public:
    MenuLoop(const MenuBar& menu, MenuView& view, int title, bool openPopup, bool viaKeyboard);
    // One event; `width` is the client area's width, which bounds the pop-up.
    void handle(const UiEvent& event, int width);
    bool active() const { return view_.active; }
    void close() { view_.active = false; }
    // The chosen command id, 0 when the menu closed without a choice.
    int chosen() const { return chosen_; }

  private:
    const MenuPopup& popup() const;
    void choose(int item);

    const MenuBar& menu_;
    MenuView& view_;
    bool viaKeyboard_;
    bool mouseHeld_;
    int chosen_ = 0;
};

// Draws the menu bar, and the open pop-up over everything else.
void DrawMenuBar(Surface& frame, const MenuBar* menu, const MenuView& view);
void DrawMenuPopup(Surface& frame, const MenuBar* menu, const MenuView& view);

} // namespace classicui
