// SDL's input as the drawn menu bar and dialogs see it, and the menu loop over SDL's events.
#include "platform/classic_ui/menu_loop.h"
#include "platform/sdl/sdl_state.h"

namespace sdlbackend {

namespace {

// A window pixel's coordinate in interface pixels (rounded down, also left of or above the
// window, where a held button still reports the pointer).
int toUi(int windowPixel) {
    const int k = backend().uiScale;
    return windowPixel >= 0 ? windowPixel / k : -((k - 1 - windowPixel) / k);
}

} // namespace

bool toUiEvent(const SDL_Event& e, classicui::UiEvent& out) {
    using classicui::UiEvent;
    using classicui::UiKey;
    out = UiEvent{};
    switch (e.type) {
    case SDL_MOUSEMOTION:
        out.kind = UiEvent::Kind::MouseMove;
        out.x = toUi(e.motion.x);
        out.y = toUi(e.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? UiEvent::Kind::MouseDown : UiEvent::Kind::MouseUp;
        out.x = toUi(e.button.x);
        out.y = toUi(e.button.y);
        out.left = e.button.button == SDL_BUTTON_LEFT;
        return true;
    case SDL_TEXTINPUT:
        out.kind = UiEvent::Kind::Text;
        out.text = e.text.text;
        return true;
    case SDL_KEYDOWN: {
        out.kind = UiEvent::Kind::Key;
        SDL_Keycode sym = e.key.keysym.sym;
        out.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
        out.ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
        out.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
        switch (sym) {
        case SDLK_ESCAPE: out.key = UiKey::Escape; break;
        case SDLK_TAB: out.key = UiKey::Tab; break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: out.key = UiKey::Return; break;
        case SDLK_SPACE: out.key = UiKey::Space; break;
        case SDLK_BACKSPACE: out.key = UiKey::Backspace; break;
        case SDLK_DELETE: out.key = UiKey::Delete; break;
        case SDLK_HOME: out.key = UiKey::Home; break;
        case SDLK_END: out.key = UiKey::End; break;
        case SDLK_LEFT: out.key = UiKey::Left; break;
        case SDLK_RIGHT: out.key = UiKey::Right; break;
        case SDLK_UP: out.key = UiKey::Up; break;
        case SDLK_DOWN: out.key = UiKey::Down; break;
        case SDLK_LALT:
        case SDLK_RALT:
        case SDLK_F10: out.key = UiKey::MenuKey; break;
        default:
            if ((sym >= SDLK_a && sym <= SDLK_z) || (sym >= SDLK_0 && sym <= SDLK_9)) {
                out.key = UiKey::Char;
                out.ch = static_cast<char>(sym);
            }
            break;
        }
        return true;
    }
    default:
        return false;
    }
}

void drawMenuBar(Surface& frame) {
    classicui::DrawMenuBar(frame, backend().menu, backend().menuView);
}

classicui::Rect menuPopupArea() {
    const Backend& b = backend();
    const classicui::MenuView& v = b.menuView;
    if (!v.active || !v.popupOpen || b.menu == nullptr || v.title < 0 ||
        static_cast<size_t>(v.title) >= b.menu->popups.size())
        return {};
    const BitmapFont& font = EmbeddedFont(DialogFontId);
    const classicui::BarLayout bar = classicui::LayoutBar(*b.menu, font);
    // As wide as the layer the pop-up is drawn in (DrawScaled rounds up).
    const int width = (windowArea().w + b.uiScale - 1) / b.uiScale;
    const auto title = static_cast<size_t>(v.title);
    return classicui::LayoutPopup(b.menu->popups[title], bar.titles[title], font, width).outer;
}

void drawMenuPopup(Surface& frame) {
    classicui::DrawMenuPopup(frame, backend().menu, backend().menuView);
}

int runMenuLoop(int title, bool openPopup, bool viaKeyboard) {
    Backend& b = backend();
    if (b.menu == nullptr || b.menu->popups.empty()) return 0;
    classicui::MenuLoop loop(*b.menu, b.menuView, title, openPopup, viaKeyboard);
    b.frameDirty = true;
    SDL_Event e;
    while (loop.active() && b.windowOpen) {
        if (!nextModalEvent(e)) break;
        if (e.type == SDL_WINDOWEVENT) {
            handleWindowEvent(e, true);
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                loop.close(); // the menu closes as the window changes
            continue;
        }
        if (e.type == SDL_QUIT) {
            // Close the menu; the close request then reaches the window as usual.
            SDL_PushEvent(&e);
            loop.close();
            continue;
        }
        classicui::UiEvent event;
        if (!toUiEvent(e, event) || event.kind == classicui::UiEvent::Kind::Text) continue;
        loop.handle(event, uiWindowArea().w);
        b.frameDirty = true;
    }
    restoreUnder();
    b.menuView = classicui::MenuView{};
    b.frameDirty = true;
    b.altAlone = false;
    return loop.chosen();
}

} // namespace sdlbackend
