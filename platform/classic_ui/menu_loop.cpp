// The drawn menu bar: its look, and the modal menu loop driven by mouse and keyboard.
#include "platform/classic_ui/menu_loop.h"

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_layout.h"
#include "resources/resources.h"

namespace classicui {
namespace {

const BitmapFont& font() {
    return EmbeddedFont(DialogFontId);
}

int textTop(const Rect& r) {
    int h = font().valid() ? font().cellHeight : 13;
    return r.y + (r.h - h) / 2;
}

} // namespace

void DrawMenuBar(Surface& frame, const MenuBar* menu, const MenuView& view) {
    FillRect(frame, {0, 0, frame.width, MenuBarHeight}, Face);
    if (menu == nullptr) return;
    BarLayout bar = LayoutBar(*menu, font());
    for (size_t i = 0; i < bar.titles.size(); ++i) {
        const Rect& r = bar.titles[i];
        bool selected = view.active && view.title == static_cast<int>(i);
        int shift = 0;
        if (selected && view.popupOpen) {
            Frame(frame, r, Shadow, Highlight); // pushed in
            shift = 1;
        } else if (selected) {
            Frame(frame, r, Highlight, Shadow); // raised
        }
        int textX = r.x + (r.w - TextWidth(font(), bar.texts[i].shown)) / 2 + shift;
        DrawText(frame, font(), textX, textTop(r) + shift, bar.texts[i], Text);
    }
}

void DrawMenuPopup(Surface& frame, const MenuBar* menu, const MenuView& v) {
    if (menu == nullptr || !v.popupOpen || v.title < 0 ||
        static_cast<size_t>(v.title) >= menu->popups.size())
        return;
    const MenuPopup& popup = menu->popups[static_cast<size_t>(v.title)];
    BarLayout bar = LayoutBar(*menu, font());
    PopupLayout p =
        LayoutPopup(popup, bar.titles[static_cast<size_t>(v.title)], font(), frame.width);
    FillRect(frame, p.outer, Face);
    RaisedFrame(frame, p.outer);
    for (size_t i = 0; i < popup.items.size(); ++i) {
        const Rect& r = p.items[i];
        if (popup.items[i].id == 0) {
            HLine(frame, r.x + 1, r.y + r.h / 2 - 1, r.w - 2, Shadow);
            HLine(frame, r.x + 1, r.y + r.h / 2, r.w - 2, Highlight);
            continue;
        }
        bool hot = v.item == static_cast<int>(i);
        if (hot) FillRect(frame, r, Selection);
        DrawText(frame, font(), r.x + 17, textTop(r), p.texts[i], hot ? SelectionText : Text);
    }
}

MenuLoop::MenuLoop(const MenuBar& menu, MenuView& view, int title, bool openPopup, bool viaKeyboard)
    : menu_(menu), view_(view), viaKeyboard_(viaKeyboard),
      mouseHeld_(!viaKeyboard) { // a press on a title opened the menu
    view_ = MenuView{true, title, openPopup, -1};
    if (openPopup && viaKeyboard) view_.item = NextItem(popup(), -1, 1);
}

const MenuPopup& MenuLoop::popup() const {
    return menu_.popups[static_cast<size_t>(view_.title)];
}

void MenuLoop::choose(int item) {
    if (item >= 0) chosen_ = popup().items[static_cast<size_t>(item)].id;
    view_.active = false;
}

void MenuLoop::handle(const UiEvent& e, int width) {
    MenuView& v = view_;
    int titles = static_cast<int>(menu_.popups.size());
    BarLayout bar = LayoutBar(menu_, font());
    PopupLayout p = LayoutPopup(popup(), bar.titles[static_cast<size_t>(v.title)], font(), width);
    switch (e.kind) {
    case UiEvent::Kind::MouseMove: {
        int t = HitTitle(bar, e.x, e.y);
        if (t >= 0 && t != v.title && v.popupOpen) {
            v.title = t;
            v.item = -1;
        } else if (v.popupOpen) {
            int item = HitItem(popup(), p, e.x, e.y);
            if (item >= 0 || !p.outer.contains(e.x, e.y)) v.item = item;
        }
        break;
    }
    case UiEvent::Kind::MouseDown: {
        if (!e.left) break;
        int t = HitTitle(bar, e.x, e.y);
        mouseHeld_ = true;
        if (t >= 0) {
            if (t == v.title && v.popupOpen) {
                v.active = false; // a second press on the open title closes it
            } else {
                v.title = t;
                v.popupOpen = true;
                v.item = -1;
            }
        } else if (!(v.popupOpen && p.outer.contains(e.x, e.y))) {
            v.active = false; // a press elsewhere closes the menu and is used up
        }
        break;
    }
    case UiEvent::Kind::MouseUp: {
        if (!e.left || !mouseHeld_) break;
        mouseHeld_ = false;
        if (v.popupOpen) {
            int item = HitItem(popup(), p, e.x, e.y);
            if (item >= 0) choose(item);
        }
        break;
    }
    case UiEvent::Kind::Key: {
        UiKey k = e.key;
        if (k == UiKey::Escape) {
            if (v.popupOpen && viaKeyboard_) {
                v.popupOpen = false;
                v.item = -1;
            } else {
                v.active = false;
            }
        } else if (k == UiKey::MenuKey || k == UiKey::Alt) {
            v.active = false;
        } else if (k == UiKey::Left || k == UiKey::Right) {
            v.title = (v.title + (k == UiKey::Left ? titles - 1 : 1)) % titles;
            v.item = v.popupOpen ? NextItem(popup(), -1, 1) : -1;
        } else if (k == UiKey::Down || k == UiKey::Up) {
            int dir = k == UiKey::Down ? 1 : -1;
            if (!v.popupOpen) {
                v.popupOpen = true;
                v.item = NextItem(popup(), -1, 1);
            } else {
                v.item = NextItem(popup(), v.item, dir);
            }
        } else if (k == UiKey::Return || k == UiKey::Space) {
            if (!v.popupOpen) {
                v.popupOpen = true;
                v.item = NextItem(popup(), -1, 1);
            } else if (v.item >= 0) {
                choose(v.item);
            }
        } else {
            char key = k == UiKey::Char ? e.ch : 0;
            if (v.popupOpen) {
                int item = ItemForKey(p, popup(), key);
                if (item >= 0) choose(item);
            } else {
                int t = TitleForKey(bar, key);
                if (t >= 0) {
                    v.title = t;
                    v.popupOpen = true;
                    v.item = NextItem(popup(), -1, 1);
                }
            }
        }
        viaKeyboard_ = true;
        break;
    }
    default:
        break;
    }
}

} // namespace classicui
