// The drawn window's input: the main loop's dispatch to the window procedure, the menu loop,
// and the modal loop that dialogs and message boxes run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/classic_ui/window_core.h"
#include "resources/resources.h"

namespace classicui {

namespace {

using Kind = UiEvent::Kind;

BarLayout barLayout(const MenuBar& menu) {
    return LayoutBar(menu, EmbeddedFont(DialogFontId));
}

// The key the window is given for a key press the menus and dialogs do not take; None for
// one it is not given (a letter, a key with Alt or Ctrl, B and Back of a gamepad).
platform::Key windowKey(const UiEvent& e) {
    if (e.alt || e.ctrl) return platform::Key::None;
    switch (PadArrow(e.key)) {
    case UiKey::Left:
        return platform::Key::Left;
    case UiKey::Right:
        return platform::Key::Right;
    case UiKey::Up:
        return platform::Key::Up;
    case UiKey::Down:
        return platform::Key::Down;
    case UiKey::Return:
    case UiKey::PadA:
        return platform::Key::Enter;
    case UiKey::Space:
        return platform::Key::Space;
    case UiKey::Tab:
        return platform::Key::Tab;
    case UiKey::PadStart:
        return platform::Key::Pause;
    default:
        return platform::Key::None;
    }
}

// A gamepad's button in the menu loop: A chooses as Space does, B steps back as Escape
// does, Back closes the menu as F10 does.
UiEvent padInMenu(UiEvent e) {
    switch (e.key) {
    case UiKey::PadA:
        e.key = UiKey::Space;
        break;
    case UiKey::PadB:
        e.key = UiKey::Escape;
        break;
    case UiKey::PadBack:
        e.key = UiKey::MenuKey;
        break;
    case UiKey::PadStart:
        e.key = UiKey::None;
        break;
    default:
        e.key = PadArrow(e.key);
        break;
    }
    return e;
}

} // namespace

void WindowCore::deliver(const platform::Event& event) {
    restoreUnder(); // the game draws on what it drew before, not on a pop-up or a dialog
    if (windowOpen && procedure != nullptr) procedure(event);
}

Rect WindowCore::uiClientArea() const {
    return {0, MenuBarHeight, client.width / uiScale, client.height / uiScale};
}

Rect WindowCore::uiWindowArea() const {
    const Rect c = uiClientArea();
    return {0, 0, c.w, c.y + c.h};
}

Rect WindowCore::menuPopupArea() const {
    const MenuView& v = menuView;
    if (!v.active || !v.popupOpen || menu == nullptr || v.title < 0 ||
        static_cast<size_t>(v.title) >= menu->popups.size())
        return {};
    // As wide as the layer the pop-up is drawn in (DrawScaled rounds up).
    const int width = (windowArea().w + uiScale - 1) / uiScale;
    const auto title = static_cast<size_t>(v.title);
    return LayoutPopup(menu->popups[title], barLayout(*menu).titles[title],
                       EmbeddedFont(DialogFontId), width)
        .outer;
}

void WindowCore::reportUnseen(std::string_view text, std::string_view caption) {
    std::fprintf(stderr, "Glimora: %.*s %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

// A window pixel's coordinates in interface pixels (rounded down, also left of or above the
// window, where a held button still reports the pointer).
UiEvent WindowCore::toUi(UiEvent e) const {
    const int k = uiScale;
    const auto down = [k](int p) { return p >= 0 ? p / k : -((k - 1 - p) / k); };
    e.x = down(e.x);
    e.y = down(e.y);
    return e;
}

bool WindowCore::takeInput(UiEvent& event) {
    if (putBack.empty()) return pollInput(event);
    event = putBack.front();
    putBack.pop_front();
    return true;
}

bool WindowCore::handleNextInput(bool& forWindow) {
    UiEvent e;
    if (!takeInput(e)) return false;
    forWindow = dispatch(e);
    return true;
}

// Runs the menu from a key press or a click on the bar; a choice becomes a Command.
void WindowCore::menuThenCommand(int title, bool openPopup, bool viaKeyboard, bool shownAlready) {
    const int id = runMenu(title, openPopup, viaKeyboard, shownAlready);
    if (id != 0) deliver({platform::EventType::Command, 0, 0, id});
}

// Handles one input in the main loop; true when it was something for the window.
bool WindowCore::dispatch(const UiEvent& e) {
    const bool hasMenu = menu != nullptr && !menu->popups.empty();
    switch (e.kind) {
    case Kind::Resize:
        resized(e);
        frameDirty = true;
        return true;
    case Kind::Expose:
        paintPending = true;
        frameDirty = true;
        return true;
    case Kind::FocusLost:
        return true;
    case Kind::Close:
    case Kind::Quit:
        deliver({platform::EventType::Close, 0, 0, 0});
        return true;
    case Kind::MouseDown: {
        altAlone = false;
        if (!e.left) return false;
        const int y = e.y - barHeight();
        if (y < 0) {
            if (menu == nullptr) return false;
            const UiEvent ui = toUi(e);
            const int title = HitTitle(barLayout(*menu), ui.x, ui.y);
            if (title < 0) return false;
            menuThenCommand(title, true, false);
            return true;
        }
        // The second press of a double click comes instead of a press; a third press is an
        // ordinary press again, as on Windows.
        const Rect picture = pictureArea();
        deliver(
            {e.doubleClick ? platform::EventType::LeftDoubleClick : platform::EventType::LeftDown,
             e.x - picture.x, y - picture.y, 0});
        return true;
    }
    case Kind::MouseUp: {
        const int y = e.y - barHeight();
        if (!e.left || y < 0 || e.x < 0 || e.x >= client.width || y >= client.height) return false;
        const Rect picture = pictureArea();
        deliver({platform::EventType::LeftUp, e.x - picture.x, y - picture.y, 0});
        return true;
    }
    case Kind::Key: {
        if (e.key == UiKey::Alt) {
            if (!e.repeat) altAlone = true;
            return false;
        }
        altAlone = false;
        if (hasMenu && e.key == UiKey::MenuKey && !e.alt && !e.ctrl) {
            menuThenCommand(0, false, true);
            return true;
        }
        // A gamepad's Back opens the first menu with its pop-up, as Alt with its letter does.
        if (hasMenu && e.key == UiKey::PadBack) {
            menuThenCommand(0, true, true);
            return true;
        }
        if (hasMenu && e.alt && e.key == UiKey::Char) {
            const int title = TitleForKey(barLayout(*menu), e.ch);
            if (title >= 0) {
                menuThenCommand(title, true, true);
                return true;
            }
        }
        // What the menus do not take goes to the window, when it is a key the window is given.
        const platform::Key key = windowKey(e);
        if (key == platform::Key::None) return false;
        platform::Event event{platform::EventType::KeyDown, 0, 0, 0};
        event.key = key;
        event.repeat = e.repeat;
        event.shift = e.shift;
        event.arriving = e.arriving;
        deliver(event);
        return true;
    }
    case Kind::KeyUp:
        if (e.key != UiKey::Alt || !altAlone || !hasMenu) return false;
        altAlone = false;
        menuThenCommand(0, false, true);
        return true;
    case Kind::MenuOpened:
        if (!hasMenu) return false;
        menuThenCommand(e.id, true, false, true);
        return true;
    default:
        return false;
    }
}

// The next input for a modal loop: shows the window first, delivers a waiting Paint when no
// input waits (the nested loop keeps the owner painted), then sleeps until one comes.
bool WindowCore::nextModalInput(UiEvent& event) {
    for (;;) {
        present();
        if (!windowOpen) return false;
        if (takeInput(event)) return true;
        if (paintPending) {
            paintPending = false;
            deliver({platform::EventType::Paint, 0, 0, 0});
            continue;
        }
        if (!waitInput(UINT32_MAX)) return false;
    }
}

int WindowCore::runMenuLoop(int title, bool openPopup, bool viaKeyboard) {
    if (menu == nullptr || menu->popups.empty()) return 0;
    MenuLoop loop(*menu, menuView, title, openPopup, viaKeyboard);
    frameDirty = true;
    UiEvent e;
    while (loop.active() && windowOpen) {
        if (!nextModalInput(e)) break;
        switch (e.kind) {
        case Kind::Resize:
            resized(e);
            loop.close(); // the menu closes as the window changes
            break;
        case Kind::FocusLost:
            loop.close();
            break;
        case Kind::Expose:
            paintPending = true;
            break;
        case Kind::Close:
        case Kind::Quit:
            // Close the menu; the request then reaches the window as usual.
            putBack.push_back(e);
            loop.close();
            break;
        case Kind::Text:
        case Kind::KeyUp:
            continue;
        case Kind::Key:
            loop.handle(padInMenu(e), uiWindowArea().w);
            break;
        default:
            loop.handle(toUi(e), uiWindowArea().w);
            break;
        }
        frameDirty = true;
    }
    restoreUnder();
    menuView = MenuView{};
    frameDirty = true;
    altAlone = false;
    return loop.chosen();
}

bool WindowCore::modalLoop(Overlay overlay, const std::function<bool()>& done,
                           const std::function<void(const UiEvent&)>& handle,
                           const std::function<void()>& closeBox) {
    const size_t below = overlays.size();
    const bool drawn = static_cast<bool>(overlay.draw);
    if (drawn) overlays.push_back(std::move(overlay));
    frameDirty = frameDirty || drawn;
    // A key held down as the dialog opens (the one whose press opened it, say) is no press
    // for it: the repeats of a key not pressed since it opened, and what they type, never
    // reach it. The keys pressed in it repeat as usual (Backspace held in a field).
    struct PressedKey {
        UiKey key;
        char ch;
    };
    std::vector<PressedKey> pressedHere;
    bool dropText = false; // the text a dropped repeat typed follows it
    UiEvent e;
    while (!done() && windowOpen) {
        if (!nextModalInput(e)) break;
        const bool textOfDropped = dropText && e.kind == Kind::Text;
        dropText = false;
        switch (e.kind) {
        case Kind::Close:
            closeBox();
            break;
        case Kind::Quit:
            quitAfterModal = true;
            closeBox();
            break;
        case Kind::Resize:
            resized(e);
            break;
        case Kind::Expose:
            paintPending = true;
            break;
        case Kind::FocusLost:
        case Kind::KeyUp:
            break;
        case Kind::Key: {
            const bool here =
                std::any_of(pressedHere.begin(), pressedHere.end(),
                            [&e](const PressedKey& k) { return k.key == e.key && k.ch == e.ch; });
            if (e.repeat && !here) {
                dropText = true;
                break;
            }
            if (!here) pressedHere.push_back({e.key, e.ch});
            handle(e);
            break;
        }
        case Kind::Text:
            if (!textOfDropped) handle(e);
            break;
        default:
            handle(toUi(e));
            break;
        }
        frameDirty = frameDirty || drawn;
    }
    // The overlay goes, unless the window took it along already.
    restoreUnder();
    if (overlays.size() > below) overlays.resize(below);
    frameDirty = frameDirty || drawn;
    if (!quitAfterModal) return false;
    quitAfterModal = false;
    UiEvent quit;
    quit.kind = Kind::Quit;
    putBack.push_back(quit);
    return true;
}

} // namespace classicui
