// The drawn menu bar: its look, and the modal menu loop driven by mouse and keyboard.
#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/sdl/sdl_state.h"

namespace sdlbackend {
namespace {

const BitmapFont& font() {
    return EmbeddedFont(DialogFontId);
}

int textTop(const classicui::Rect& r) {
    int h = font().valid() ? font().cellHeight : 13;
    return r.y + (r.h - h) / 2;
}

} // namespace

void drawMenuBar(Surface& frame) {
    const Backend& b = backend();
    classicui::FillRect(frame, {0, 0, frame.width, classicui::MenuBarHeight}, classicui::Face);
    if (b.menu == nullptr) return;
    classicui::BarLayout bar = classicui::LayoutBar(*b.menu, font());
    for (size_t i = 0; i < bar.titles.size(); ++i) {
        const classicui::Rect& r = bar.titles[i];
        bool selected = b.menuView.active && b.menuView.title == static_cast<int>(i);
        int shift = 0;
        if (selected && b.menuView.popupOpen) {
            classicui::Frame(frame, r, classicui::Shadow, classicui::Highlight); // pushed in
            shift = 1;
        } else if (selected) {
            classicui::Frame(frame, r, classicui::Highlight, classicui::Shadow); // raised
        }
        int textX = r.x + (r.w - TextWidth(font(), bar.texts[i].shown)) / 2 + shift;
        classicui::DrawText(frame, font(), textX, textTop(r) + shift, bar.texts[i], classicui::Text);
    }
}

void drawMenuPopup(Surface& frame) {
    const Backend& b = backend();
    const MenuView& v = b.menuView;
    if (b.menu == nullptr || !v.popupOpen || v.title < 0 ||
        static_cast<size_t>(v.title) >= b.menu->popups.size())
        return;
    const MenuPopup& popup = b.menu->popups[static_cast<size_t>(v.title)];
    classicui::BarLayout bar = classicui::LayoutBar(*b.menu, font());
    classicui::PopupLayout p =
        classicui::LayoutPopup(popup, bar.titles[static_cast<size_t>(v.title)], font(), frame.width);
    classicui::FillRect(frame, p.outer, classicui::Face);
    classicui::RaisedFrame(frame, p.outer);
    for (size_t i = 0; i < popup.items.size(); ++i) {
        const classicui::Rect& r = p.items[i];
        if (popup.items[i].id == 0) {
            classicui::HLine(frame, r.x + 1, r.y + r.h / 2 - 1, r.w - 2, classicui::Shadow);
            classicui::HLine(frame, r.x + 1, r.y + r.h / 2, r.w - 2, classicui::Highlight);
            continue;
        }
        bool hot = v.item == static_cast<int>(i);
        if (hot) classicui::FillRect(frame, r, classicui::Selection);
        classicui::DrawText(frame, font(), r.x + 17, textTop(r), p.texts[i],
                        hot ? classicui::SelectionText : classicui::Text);
    }
}

int runMenuLoop(int title, bool openPopup, bool viaKeyboard) {
    Backend& b = backend();
    if (b.menu == nullptr || b.menu->popups.empty()) return 0;
    const MenuBar& menu = *b.menu;
    int titles = static_cast<int>(menu.popups.size());
    MenuView& v = b.menuView;
    v = MenuView{true, title, openPopup, -1};
    if (openPopup && viaKeyboard)
        v.item = classicui::NextItem(menu.popups[static_cast<size_t>(title)], -1, 1);
    b.frameDirty = true;
    bool mouseHeld = !viaKeyboard; // a press on a title opened the menu
    int chosen = 0;

    auto popup = [&]() -> const MenuPopup& { return menu.popups[static_cast<size_t>(v.title)]; };
    auto layoutNow = [&](classicui::BarLayout& bar, classicui::PopupLayout& p) {
        bar = classicui::LayoutBar(menu, font());
        p = classicui::LayoutPopup(popup(), bar.titles[static_cast<size_t>(v.title)], font(),
                               b.client.width);
    };
    auto choose = [&](int item) {
        if (item >= 0) chosen = popup().items[static_cast<size_t>(item)].id;
        v.active = false;
    };

    SDL_Event e;
    while (v.active && b.windowOpen) {
        if (!nextModalEvent(e)) break;
        if (e.type == SDL_WINDOWEVENT) {
            handleWindowEvent(e, true);
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                v.active = false; // the menu closes as the window changes
            continue;
        }
        classicui::BarLayout bar;
        classicui::PopupLayout p;
        layoutNow(bar, p);
        switch (e.type) {
        case SDL_QUIT:
            // Close the menu; the close request then reaches the window as usual.
            SDL_PushEvent(&e);
            v.active = false;
            break;
        case SDL_MOUSEMOTION: {
            int t = classicui::HitTitle(bar, e.motion.x, e.motion.y);
            if (t >= 0 && t != v.title && v.popupOpen) {
                v.title = t;
                v.item = -1;
            } else if (v.popupOpen) {
                int item = classicui::HitItem(popup(), p, e.motion.x, e.motion.y);
                if (item >= 0 || !p.outer.contains(e.motion.x, e.motion.y)) v.item = item;
            }
            b.frameDirty = true;
            break;
        }
        case SDL_MOUSEBUTTONDOWN: {
            if (e.button.button != SDL_BUTTON_LEFT) break;
            int t = classicui::HitTitle(bar, e.button.x, e.button.y);
            mouseHeld = true;
            if (t >= 0) {
                if (t == v.title && v.popupOpen) {
                    v.active = false; // a second press on the open title closes it
                } else {
                    v.title = t;
                    v.popupOpen = true;
                    v.item = -1;
                }
            } else if (!(v.popupOpen && p.outer.contains(e.button.x, e.button.y))) {
                v.active = false; // a press elsewhere closes the menu and is used up
            }
            b.frameDirty = true;
            break;
        }
        case SDL_MOUSEBUTTONUP: {
            if (e.button.button != SDL_BUTTON_LEFT || !mouseHeld) break;
            mouseHeld = false;
            if (v.popupOpen) {
                int item = classicui::HitItem(popup(), p, e.button.x, e.button.y);
                if (item >= 0) choose(item);
            }
            b.frameDirty = true;
            break;
        }
        case SDL_KEYDOWN: {
            SDL_Keycode sym = e.key.keysym.sym;
            if (sym == SDLK_ESCAPE) {
                if (v.popupOpen && viaKeyboard) {
                    v.popupOpen = false;
                    v.item = -1;
                } else {
                    v.active = false;
                }
            } else if (sym == SDLK_LALT || sym == SDLK_RALT || sym == SDLK_F10) {
                v.active = false;
            } else if (sym == SDLK_LEFT || sym == SDLK_RIGHT) {
                v.title = (v.title + (sym == SDLK_LEFT ? titles - 1 : 1)) % titles;
                v.item = v.popupOpen ? classicui::NextItem(popup(), -1, 1) : -1;
            } else if (sym == SDLK_DOWN || sym == SDLK_UP) {
                int dir = sym == SDLK_DOWN ? 1 : -1;
                if (!v.popupOpen) {
                    v.popupOpen = true;
                    v.item = classicui::NextItem(popup(), -1, 1);
                } else {
                    v.item = classicui::NextItem(popup(), v.item, dir);
                }
            } else if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER || sym == SDLK_SPACE) {
                if (!v.popupOpen) {
                    v.popupOpen = true;
                    v.item = classicui::NextItem(popup(), -1, 1);
                } else if (v.item >= 0) {
                    choose(v.item);
                }
            } else {
                char key = 0;
                if (sym >= SDLK_a && sym <= SDLK_z) key = static_cast<char>(sym);
                if (sym >= SDLK_0 && sym <= SDLK_9) key = static_cast<char>(sym);
                if (v.popupOpen) {
                    int item = classicui::ItemForKey(p, popup(), key);
                    if (item >= 0) choose(item);
                } else {
                    int t = classicui::TitleForKey(bar, key);
                    if (t >= 0) {
                        v.title = t;
                        v.popupOpen = true;
                        v.item = classicui::NextItem(popup(), -1, 1);
                    }
                }
            }
            viaKeyboard = true;
            b.frameDirty = true;
            break;
        }
        default:
            break;
        }
    }
    v = MenuView{};
    b.frameDirty = true;
    b.altAlone = false;
    return chosen;
}

} // namespace sdlbackend
