// Runs the SDL backend with dummy drivers: window, paint, menu, dialog, message box, close.
#include <SDL.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace {

int creates = 0, paints = 0, destroys = 0, sizes = 0;
int lastCommand = 0;

void procedure(const platform::Event& e) {
    switch (e.type) {
    case platform::EventType::Create:
        ++creates;
        break;
    case platform::EventType::Paint: {
        ++paints;
        Surface& s = platform::WindowSurface();
        for (auto& p : s.pixels)
            p = 0x336699;
        platform::WindowUpdated(0, 0, s.width, s.height);
        break;
    }
    case platform::EventType::Size:
        ++sizes;
        break;
    case platform::EventType::Command:
        lastCommand = e.id;
        break;
    case platform::EventType::Close:
        platform::DestroyMainWindow();
        break;
    case platform::EventType::Destroy:
        ++destroys;
        platform::PostQuit(0);
        break;
    default:
        break;
    }
}

const std::array<MenuItem, 3> items{{{9072, "&New Game"}, {0, ""}, {9074, "E&xit"}}};
const std::array<MenuPopup, 1> popups{{{"G&limora", items}}};
const MenuBar menu{"MAINMENUENG", popups};

const std::array<DialogControl, 3> nameControls{{
    {ControlKind::Edit, 1002, "", 36, 7, 103, 12},
    {ControlKind::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {ControlKind::Label, 1003, "Name", 7, 8, 22, 8},
}};
const DialogTemplate nameDialog{1101, "Player Name", 40, 40, 150, 60, nameControls};

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

} // namespace

int main() {
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

    // A dialog typed into from the keyboard, limited to 9 characters.
    pushText("Zo\xC3\xA9 \xE2\x82\xAC\xE4\xB8\x80 long name");
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_RETURN);
    std::string typed;
    int result = platform::RunDialog(
        nameDialog, [&typed](platform::DialogHandle& d, platform::DialogMessage m, int id) {
            if (m == platform::DialogMessage::Init) platform::LimitText(d, 1002, 9);
            if (m == platform::DialogMessage::Command && id == 1) {
                typed = platform::GetControlText(d, 1002, 20);
                platform::EndDialog(d, 0);
            }
        });
    check(result == 0, "the dialog ends with the result EndDialog gave");
    check(typed == "Zo\xE9 \x80? l", "typed text is Windows-1252, limited, backspace works");

    // Escape sends IDCANCEL even without such a button; the close box too.
    pushKey(SDLK_ESCAPE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    pushKey(SDLK_RETURN);
    int cancels = 0;
    platform::RunDialog(nameDialog,
                        [&cancels](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m != platform::DialogMessage::Command) return;
                            if (id == 2) ++cancels;
                            if (id == 1) platform::EndDialog(d, 0);
                        });
    check(cancels == 2, "Escape and the close box send IDCANCEL to the dialog");

    pushKey(SDLK_SPACE);
    platform::ShowMessage("Cannot write the save file.", "Error!");

    platform::PlayWave(5005); // with the dummy audio driver: nothing heard, no failure
    platform::PlayWave(4242); // no such sound

    uint32_t start = platform::GetTicks();
    platform::WaitForEvent(30);
    check(platform::GetTicks() - start < 5000, "a wait ends");

    SDL_PushEvent(&quit);
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
    SDL_Quit();
    return failures == 0 ? 0 : 1;
}
