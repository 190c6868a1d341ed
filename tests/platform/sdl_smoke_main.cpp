// Runs the SDL backend with dummy drivers: window, paint, menu, dialog, message box, close.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/modal_dialog.h"
#include "platform/classic_ui/window_frame.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "resources/bitmap_font.h"
#include "resources/resources.h"
#include "tests/platform/test_dialogs.h"

namespace {

int creates = 0, paints = 0, destroys = 0, sizes = 0;
int lastCommand = 0;
std::vector<platform::Event> mouse;
std::vector<platform::Key> keys;

void procedure(const platform::Event& e) {
    using T = platform::EventType;
    creates += e.type == T::Create;
    sizes += e.type == T::Size;
    if (e.type == T::Paint) {
        ++paints;
        Surface& s = platform::WindowSurface();
        // A pattern: a pixel put back in the wrong place shows.
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                s.at(x, y) = 0x336699u ^ static_cast<uint32_t>((x * 7 + y * 13) & 0xFF);
        platform::WindowUpdated(0, 0, s.width, s.height);
    }
    if (e.type == T::Command) lastCommand = e.id;
    if (e.type == T::LeftDown || e.type == T::LeftUp || e.type == T::LeftDoubleClick)
        mouse.push_back(e);
    if (e.type == T::KeyDown) keys.push_back(e.key);
    if (e.type == T::Close) platform::DestroyMainWindow();
    if (e.type == T::Destroy) {
        ++destroys;
        platform::PostQuit(0);
    }
}

const std::array<MenuItem, 3> items{{{9072, "&New Game"}, {0, ""}, {9074, "E&xit"}}};
const std::array<MenuPopup, 1> popups{{{"G&limora", items}}};
const MenuBar menu{"MAINMENUENG", popups};

void pushKey(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    SDL_PushEvent(&e);
}

void pushText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    SDL_PushEvent(&e);
}

// A left button press or release, or (type SDL_MOUSEMOTION) a move.
void pushMouse(Uint32 type, int x, int y, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button = {type, 0, 0, 0, SDL_BUTTON_LEFT, 0, clicks, 0, x, y};
    }
    SDL_PushEvent(&e);
}

// A press and release at a window pixel, or at the middle of a rectangle.
void click(int x, int y, Uint8 clicks = 1) {
    pushMouse(SDL_MOUSEBUTTONDOWN, x, y, clicks);
    pushMouse(SDL_MOUSEBUTTONUP, x, y, clicks);
}
void clickAt(const classicui::Rect& r) {
    click(r.x + r.w / 2, r.y + r.h / 2);
}

int failures = 0;
void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

// Pumps until nothing waits.
int pumpAll() {
    int code = -1;
    while (platform::PumpOne(code) == platform::PumpResult::Dispatched) {
    }
    return code;
}

// A gamepad plugged in inside the process: its buttons and left stick set, step by step, by
// a thread of its own while the game's loops read it (also from inside the menu loop, which
// returns only when done).
struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    int index = -1;

    bool plugIn() {
        joystick = sdlbackend::attachVirtualGamepad(index);
        return joystick != nullptr;
    }
    void pullOut() {
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(index);
        joystick = nullptr;
    }
    // One step: the left stick's x axis leant to `value`, or (for a button) the button
    // pressed, then let go a step later.
    struct Step {
        int button;
        int value = 0;
    };
    static constexpr int Stick = -1;
    // Plays the steps 120 ms apart on a thread, while `run` runs here.
    template <typename F> void play(std::vector<Step> steps, F run) {
        std::thread player([this, steps] {
            for (const Step& step : steps) {
                SDL_Delay(120);
                if (step.button == Stick) {
                    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX,
                                               static_cast<Sint16>(step.value));
                    continue;
                }
                SDL_JoystickSetVirtualButton(joystick, step.button, 1);
                SDL_Delay(120);
                SDL_JoystickSetVirtualButton(joystick, step.button, 0);
            }
        });
        run();
        player.join();
    }
};

// Pumps and waits as the game's loop does, for `ms`.
void loopFor(uint32_t ms) {
    const uint32_t start = platform::GetTicks();
    int code = -1;
    while (platform::GetTicks() - start < ms) {
        if (platform::PumpOne(code) == platform::PumpResult::Idle) platform::WaitForEvent(50);
    }
}

} // namespace

// Whether some rectangle of `all` holds `r` whole.
bool covered(const std::vector<classicui::Rect>& all, const classicui::Rect& r) {
    for (const classicui::Rect& a : all)
        if (a.x <= r.x && a.y <= r.y && a.x + a.w >= r.x + r.w && a.y + a.h >= r.y + r.h)
            return true;
    return false;
}

int main() {
    // The dummy video driver gives the window no keyboard focus, without which SDL would let
    // the gamepad's presses pass by.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // The changed rectangles shown at a present: apart ones stay apart, touching ones become
    // one, and past the most kept apart every change is still shown.
    {
        std::vector<classicui::Rect> changed;
        classicui::AddChanged(changed, {0, 0, 10, 10});
        classicui::AddChanged(changed, {300, 300, 10, 10});
        classicui::AddChanged(changed, {10, 5, 10, 10});
        check(changed.size() == 2 && changed[1].x == 0 && changed[1].w == 20 && changed[1].h == 15,
              "touching changes join, apart ones stay apart");
        std::vector<classicui::Rect> added;
        for (int i = 0; i < 20; ++i) {
            added.push_back({(i * 37) % 400, (i * 53) % 400, 5 + i, 7});
            classicui::AddChanged(changed, added.back());
        }
        bool all = covered(changed, {0, 0, 20, 15});
        for (const classicui::Rect& r : added)
            all = all && covered(changed, r);
        check(changed.size() <= classicui::MaxChanged && all,
              "at most MaxChanged rectangles, covering every change");
    }

    if (!platform::OpenMainWindow("Glimora", procedure, menu)) {
        std::fprintf(stderr, "FAILED: no window: %s\n", SDL_GetError());
        return 1;
    }
    check(creates == 1, "Create is delivered inside OpenMainWindow");
    pumpAll();
    check(paints >= 1, "the first Paint arrives");
    int w = 0, h = 0;
    platform::GetClientSize(w, h);
    check(w == 480 && h == 480, "the client area starts 480 x 480");

    platform::MakeClientSquare(520);
    platform::GetClientSize(w, h);
    check(w == 520 && h == 520, "MakeClientSquare makes the client 520 x 520");
    check(sizes >= 1, "Size follows MakeClientSquare");
    int before = paints;
    pumpAll();
    check(paints == before + 1, "one Paint follows the resize");

    // The client is drawn in SDL's window surface itself, so the menu pop-up, a dialog and a
    // message box are drawn over the game's pixels: as each closes, every pixel of the window
    // is back as it was, without a paint.
    {
        sdlbackend::Backend& b = sdlbackend::backend();
        check(b.client.isView(), "the client is a view over the window surface");
        auto shown = [&b] {
            const SDL_Surface* s = SDL_GetWindowSurface(b.window);
            std::vector<uint32_t> all;
            for (int y = 0; y < s->h; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(
                    static_cast<const uint8_t*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch);
                all.insert(all.end(), row, row + s->w);
            }
            return all;
        };
        const std::vector<uint32_t> clean = shown();
        before = paints;
        click(20, 10); // the title: its pop-up opens
        pushKey(SDLK_ESCAPE);
        pushKey(SDLK_ESCAPE);
        pumpAll();
        check(shown() == clean, "the window is as it was after the menu pop-up");
        pushKey(SDLK_ESCAPE);
        platform::RunDialog(testdlg::nameDialog,
                            [](platform::DialogHandle& d, platform::DialogMessage m, int) {
                                if (m == platform::DialogMessage::Command)
                                    platform::EndDialog(d, 0);
                            });
        pushKey(SDLK_SPACE);
        platform::ShowMessage("Cannot write the save file.", "Error!");
        pumpAll();
        check(shown() == clean, "the window is as it was after a dialog and a message box");
        check(paints == before, "the covered pixels come back without a paint");

        // What the game draws as a cover goes stays drawn: the pixels kept aside are put back
        // first. The game's loop after a menu closed, a dialog's procedure and the game after a
        // message box each fill the client.
        static uint32_t fill = 0;
        static const auto paintClient = [](uint32_t colour) {
            fill = colour;
            Surface& s = platform::WindowSurface();
            for (int y = 0; y < s.height; ++y)
                std::fill(s.row(y), s.row(y) + s.width, colour);
            platform::WindowUpdated(0, 0, s.width, s.height);
        };
        const auto clientFilled = [&b, &shown] {
            const std::vector<uint32_t> all = shown();
            const auto first = all.begin() + static_cast<ptrdiff_t>(b.barHeight()) * b.client.width;
            return std::all_of(first, all.end(), [](uint32_t p) { return (p & 0xFFFFFF) == fill; });
        };
        pushKey(SDLK_F10);
        pushKey(SDLK_DOWN);
        click(300, 300); // closes the menu with its pop-up open
        int code = -1;
        platform::PumpOne(code); // the menu loop, until the press closes it
        paintClient(0x00AA00);
        pumpAll();
        check(clientFilled(), "the game's drawing after a menu shows where the pop-up was");
        pushKey(SDLK_ESCAPE);
        platform::RunDialog(testdlg::nameDialog,
                            [](platform::DialogHandle& d, platform::DialogMessage m, int) {
                                if (m != platform::DialogMessage::Command) return;
                                paintClient(0x0000AA);
                                platform::EndDialog(d, 0);
                            });
        pumpAll();
        check(clientFilled(), "a dialog procedure's drawing shows where the dialog was");
        pushKey(SDLK_SPACE);
        platform::ShowMessage("Cannot write the save file.", "Error!");
        paintClient(0xAA0000);
        pumpAll();
        check(clientFilled(), "drawing after a message box shows where the box was");
        platform::RequestRepaint();
        pumpAll();
        mouse.clear();
    }

    // A window manager that keeps an 800 x 600 client after MakeClientSquare(600): the game
    // draws 600 x 600, shown centred, and every other client pixel is the dark margin.
    {
        sdlbackend::Backend& b = sdlbackend::backend();
        Surface kept = std::move(b.client);
        b.client = Surface(800, 600, 0xFFFFFF);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x)
                b.client.at(x, y) = 0x123456;
        b.pictureSide = 600;
        const int top = classicui::MenuBarHeight;
        std::vector<uint32_t> window(static_cast<size_t>(800) * (600 + top), 0xFFFFFF);
        Surface frame = classicui::FrameView(window.data(), 800, 600 + top, 800);
        classicui::ComposeFrame(b, frame);
        int picture = 0, unpainted = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const uint32_t p = window[static_cast<size_t>(y + top) * 800 + x];
                if (x >= 100 && x < 700)
                    picture += p == 0x123456;
                else
                    unpainted += p != 0x1C1C1C;
            }
        check(picture == 600 * 600, "the square picture is shown whole, centred");
        check(unpainted == 0, "the margin on both sides of the square picture is painted");
        // A click on the picture's top-left pixel is the game's (0, 0); one in the margin
        // lies outside the picture.
        static std::vector<platform::Event> seen;
        const platform::WindowProcedure keptProcedure = b.procedure;
        b.procedure = [](const platform::Event& e) { seen.push_back(e); };
        pushMouse(SDL_MOUSEBUTTONUP, 100, top);
        pushMouse(SDL_MOUSEBUTTONDOWN, 50, top + 10);
        for (bool forWindow = false; b.handleNextInput(forWindow);) {
        }
        b.procedure = keptProcedure;
        check(seen.size() == 2 && seen[0].x == 0 && seen[0].y == 0 && seen[1].x == -50,
              "clicks are mapped to the centred picture");
        b.client = std::move(kept);
        b.pictureSide = 0;
        b.frameDirty = true;
    }

    // The menu from the keyboard: F10, Down opens the first pop-up, Down skips to the
    // next item over the separator, Enter chooses.
    pushKey(SDLK_F10);
    pushKey(SDLK_DOWN);
    pushKey(SDLK_DOWN);
    pushKey(SDLK_RETURN);
    pumpAll();
    check(lastCommand == 9074, "F10, Down, Down, Enter chooses Exit");
    lastCommand = 0;
    pushKey(SDLK_l, KMOD_LALT);
    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_ESCAPE);
    pumpAll();
    check(lastCommand == 0, "Escape closes the menu without a command");

    // A gamepad plugged in while the game runs is taken: the folder of input devices (a
    // folder of the test's here) wakes the waiting loop, which looks for it. Its D-pad and
    // stick push arrows (the stick once as it leans past half way, again only after it came
    // back under a quarter), A is Enter, Start pauses, and Back opens the menu, where the pad
    // moves and A chooses. Pulled out, it is let go, and plugged in again, taken again.
    // Without one, nothing is read while waiting.
    char folder[] = "/tmp/glimora-input-XXXXXX";
    if (mkdtemp(folder) != nullptr) {
        using B = SDL_GameControllerButton;
        const std::string device = std::string(folder) + "/event7";
        sdlbackend::watchInputDevices(folder);
        loopFor(100);
        check(sdlbackend::gamepadReadDue(platform::GetTicks()) == UINT32_MAX,
              "without a gamepad nothing is read");
        VirtualPad pad;
        check(pad.plugIn(), "a virtual gamepad plugs in");
        std::thread plug([&device] {
            SDL_Delay(200);
            std::fclose(std::fopen(device.c_str(), "w"));
        });
        uint32_t start = platform::GetTicks();
        platform::WaitForEvent(10000);
        plug.join();
        check(platform::GetTicks() - start < 5000, "a device coming wakes the waiting loop");
        loopFor(300);
        check(sdlbackend::gamepadsOpen() == 1, "a gamepad plugged in is taken");
        check(sdlbackend::gamepadReadDue(platform::GetTicks()) <= 25, "an open gamepad is read");
        keys.clear();
        lastCommand = 0;
        // Right on the D-pad, the stick leant right twice and left once, then the buttons.
        std::vector<VirtualPad::Step> steps{{B::SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
        for (const int lean : {30000, 12000, 30000, 4000, -30000, 0})
            steps.push_back({VirtualPad::Stick, lean});
        for (const B button : {B::SDL_CONTROLLER_BUTTON_A, B::SDL_CONTROLLER_BUTTON_START,
                               B::SDL_CONTROLLER_BUTTON_B, B::SDL_CONTROLLER_BUTTON_BACK,
                               B::SDL_CONTROLLER_BUTTON_DPAD_DOWN, B::SDL_CONTROLLER_BUTTON_A})
            steps.push_back({button});
        pad.play(steps, [] { loopFor(3000); });
        using K = platform::Key;
        check(keys == std::vector<K>{K::Right, K::Right, K::Left, K::Enter, K::Pause},
              "the pad's D-pad, stick, A and Start reach the window as keys");
        check(lastCommand == 9074, "Back, Down, A choose Exit in the menu");
        pad.pullOut();
        std::remove(device.c_str());
        loopFor(100);
        check(sdlbackend::gamepadsOpen() == 0, "a gamepad pulled out is let go");
        check(pad.plugIn(), "the gamepad plugs in again");
        std::fclose(std::fopen(device.c_str(), "w"));
        loopFor(300);
        check(sdlbackend::gamepadsOpen() == 1, "and is taken again");
        pad.pullOut();
        loopFor(3100);
        check(sdlbackend::gamepadReadDue(platform::GetTicks()) == UINT32_MAX,
              "once it is gone and looked for no more, nothing is read");
        sdlbackend::watchInputDevices(nullptr);
        std::remove(device.c_str());
        rmdir(folder);
        // A wait that a wake-up ended leaves SDL's mark of the end of a pump in its queue:
        // the events pushed behind it come at the next pump.
        pumpAll();
    }

    // The same from the mouse: press the title, release, then click the item.
    const BitmapFont& font = EmbeddedFont(DialogFontId);
    classicui::BarLayout bar = classicui::LayoutBar(menu, font);
    classicui::PopupLayout popup = classicui::LayoutPopup(popups[0], bar.titles[0], font, 520);
    clickAt(bar.titles[0]);
    pushMouse(SDL_MOUSEMOTION, popup.items[0].x + 4, popup.items[0].y + 4);
    clickAt(popup.items[0]);
    pumpAll();
    check(lastCommand == 9072, "a click on the title, then on New Game, chooses it");
    lastCommand = 0;
    clickAt(bar.titles[0]);
    clickAt(popup.items[1]); // the separator: nothing, the menu stays open
    click(300, 300);         // outside: closes it, and is used up
    pumpAll();
    check(lastCommand == 0, "a separator chooses nothing; a click outside closes the menu");
    check(mouse.size() == 1 && mouse[0].type == platform::EventType::LeftUp,
          "the press that closed the menu does not reach the window");

    // Clicks in the client area: coordinates below the menu bar; a double click's second
    // press arrives as LeftDoubleClick.
    mouse.clear();
    click(40, 60, 1);
    click(40, 60, 2);
    pumpAll();
    check(mouse.size() == 4 && mouse[0].type == platform::EventType::LeftDown &&
              mouse[1].type == platform::EventType::LeftUp &&
              mouse[2].type == platform::EventType::LeftDoubleClick &&
              mouse[3].type == platform::EventType::LeftUp,
          "a double click arrives as down, up, double click, up");
    check(!mouse.empty() && mouse[0].x == 40 && mouse[0].y == 60 - classicui::MenuBarHeight,
          "mouse positions are client coordinates below the menu bar");

    // At twice the size, as on a high-density display: the menu bar and a dialog are their
    // 1x pictures with every pixel doubled, and clicks at doubled places hit the same things.
    {
        sdlbackend::Backend& b = sdlbackend::backend();
        b.uiScale = 2;
        platform::MakeClientSquare(520);
        const int top = 2 * classicui::MenuBarHeight;
        std::vector<uint32_t> window(static_cast<size_t>(520) * (520 + top));
        auto doubled = [&](const Surface& one, const classicui::Rect& r) {
            Surface frame = classicui::FrameView(window.data(), 520, 520 + top, 520);
            classicui::ComposeFrame(b, frame);
            int wrong = 0;
            for (int y = 2 * r.y; y < 2 * (r.y + r.h); ++y)
                for (int x = 2 * r.x; x < 2 * (r.x + r.w); ++x)
                    wrong += window[static_cast<size_t>(y) * 520 + x] != one.at(x / 2, y / 2);
            return wrong == 0;
        };
        auto twice = [](const classicui::Rect& r) {
            return classicui::Rect{2 * r.x, 2 * r.y, 2 * r.w, 2 * r.h};
        };
        Surface bar1(260, classicui::MenuBarHeight);
        classicui::DrawMenuBar(bar1, &menu, classicui::MenuView{});
        check(doubled(bar1, {0, 0, 260, classicui::MenuBarHeight}),
              "the menu bar at 2x is its 1x picture doubled");
        check(window[static_cast<size_t>(top) * 520] == 0x336699,
              "the client starts below the doubled bar");
        clickAt(twice(bar.titles[0]));
        clickAt(twice(classicui::LayoutPopup(popups[0], bar.titles[0], font, 260).items[0]));
        pumpAll();
        check(lastCommand == 9072, "at 2x a click on the doubled title, then item, chooses it");
        lastCommand = 0;

        const classicui::DialogGeometry g =
            classicui::LayoutDialog(testdlg::nameDialog, {0, classicui::MenuBarHeight, 260, 260},
                                    {0, 0, 260, 260 + classicui::MenuBarHeight});
        clickAt(twice(g.controls[1]));
        pushKey(SDLK_ESCAPE); // ends the dialog should the click miss
        bool same = false;
        platform::RunDialog(testdlg::nameDialog,
                            [&](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                                if (m != platform::DialogMessage::Command) return;
                                Surface one(260, 260 + classicui::MenuBarHeight);
                                classicui::DrawDialog(one, d, g);
                                same = id == 1 && doubled(one, g.outer);
                                platform::EndDialog(d, 0);
                            });
        check(same, "at 2x a click on the doubled OK button reaches it; the dialog is doubled");
        b.uiScale = 1;
        platform::MakeClientSquare(520);
        pumpAll();
    }

    // A check box that only notifies: the procedure toggles it; OK clicked with the mouse.
    {
        using testdlg::optionsDialog;
        classicui::DialogGeometry g =
            classicui::LayoutDialog(optionsDialog, {0, classicui::MenuBarHeight, 520, 520},
                                    {0, 0, 520, 520 + classicui::MenuBarHeight});
        for (int i = 0; i < 3; ++i)
            clickAt(g.controls[2]);
        clickAt(g.controls[0]);
        bool checkedAtOk = false;
        platform::RunDialog(optionsDialog,
                            [&](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                                if (m != platform::DialogMessage::Command) return;
                                if (id == 2001)
                                    platform::SetCheck(d, 2001, !platform::GetCheck(d, 2001));
                                if (id == 1) {
                                    checkedAtOk = platform::GetCheck(d, 2001);
                                    platform::EndDialog(d, 0);
                                }
                            });
        check(checkedAtOk, "three clicks on a notifying check box leave it checked");
    }

    // A dialog typed into from the keyboard, limited to 9 characters.
    pushText("Zo\xC3\xA9 \xE2\x82\xAC\xE4\xB8\x80 long name");
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_RETURN);
    std::string typed;
    int result =
        platform::RunDialog(testdlg::nameDialog,
                            [&typed](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                                if (m == platform::DialogMessage::Init)
                                    platform::LimitText(d, 1001, 9);
                                if (m == platform::DialogMessage::Command && id == 1) {
                                    typed = platform::GetControlText(d, 1001, 20);
                                    platform::EndDialog(d, 0);
                                }
                            });
    check(result == 0, "the dialog ends with the result EndDialog gave");
    check(typed == "Zo\xE9 \x80? l", "typed text is Windows-1252, limited, backspace works");

    // Escape sends IDCANCEL even without such a button; the close box too.
    pushKey(SDLK_ESCAPE);
    // The window's close box: SDL reports the close, then the quit.
    SDL_Event closeBox{};
    closeBox.type = SDL_WINDOWEVENT;
    closeBox.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&closeBox);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    pushKey(SDLK_RETURN);
    int cancels = 0;
    platform::RunDialog(testdlg::nameDialog,
                        [&cancels](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m != platform::DialogMessage::Command) return;
                            if (id == 2) ++cancels;
                            if (id == 1) platform::EndDialog(d, 0);
                        });
    check(cancels == 2, "Escape and the close box send IDCANCEL to the dialog");
    pumpAll();
    check(destroys == 0, "the close box of a dialog does not close the window");

    pushKey(SDLK_SPACE);
    platform::ShowMessage("Cannot write the save file.", "Error!");

    // Sounds go to the (dummy) device, opened by the first one; a new one replaces what is
    // still queued.
    const bool hasSounds = !ResourceBytes(ResourceKind::Wave, 5006).empty();
    check(!sdlbackend::audioOpen(), "no audio device before the first sound");
    platform::PlayWave(5005);
    const char* audioDriver = std::getenv("SDL_AUDIODRIVER");
    if (hasSounds && audioDriver != nullptr && std::string(audioDriver) == "dummy")
        check(sdlbackend::audioOpen(), "the dummy audio device opens for a sound");
    if (sdlbackend::audioOpen() && !ResourceBytes(ResourceKind::Wave, 5006).empty()) {
        for (int id = 5000; id <= 5006; ++id) {
            platform::PlayWave(id);
            check(sdlbackend::queuedAudioBytes() > 0, "every sound decodes and is queued");
        }
        uint32_t longOne = sdlbackend::queuedAudioBytes();
        platform::PlayWave(5005);
        check(sdlbackend::queuedAudioBytes() < longOne, "a short sound replaces a long one");
    }
    platform::PlayWave(4242); // no such sound: silence
    if (sdlbackend::audioOpen())
        check(sdlbackend::queuedAudioBytes() == 0, "a missing sound still stops the one playing");

    uint32_t start = platform::GetTicks();
    platform::WaitForEvent(30);
    check(platform::GetTicks() - start < 5000, "a wait ends");
    // Once the sounds have ended, waiting closes the device: an idle game has no audio thread.
    platform::PlayWave(5005);
    start = platform::GetTicks();
    while (sdlbackend::audioOpen() && platform::GetTicks() - start < 10000)
        platform::WaitForEvent(100);
    check(!sdlbackend::audioOpen(), "the audio device closes after the last sound");
    check(platform::GetTicks() - start < 8000, "the device closes soon after the sound ends");

    // A request to end (a signal: a quit without the close box) closes the message box and
    // then reaches the window as Close.
    SDL_PushEvent(&quit);
    platform::ShowMessage("Too much users", "Glimora 1.00");
    check(destroys == 0, "the message box closes first");
    int code = -1;
    uint32_t deadline = platform::GetTicks() + 5000;
    for (;;) {
        platform::PumpResult r = platform::PumpOne(code);
        if (r == platform::PumpResult::Quit) break;
        if (r == platform::PumpResult::Idle) platform::WaitForEvent(50);
        if (static_cast<int32_t>(platform::GetTicks() - deadline) > 0) {
            std::fprintf(stderr, "FAILED: the window close never ended the loop\n");
            return 1;
        }
    }
    check(code == 0, "the loop ends with exit code 0");
    check(destroys == 1, "Destroy is delivered once");
    check(SDL_WasInit(SDL_INIT_VIDEO) == 0, "the window is let go, and SDL's video with it");
    SDL_Quit();
    return failures == 0 ? 0 : 1;
}
