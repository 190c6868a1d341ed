// Shows the game's menu, dialogs and a message box on the SDL backend and takes a
// screenshot of each with xwd (run under Xvfb): a tool for looking at the classic look.
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "resources/ui/ui_data.h"

namespace {

void procedure(const platform::Event& e) {
    if (e.type == platform::EventType::Paint) {
        Surface& s = platform::WindowSurface();
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                s.at(x, y) = ((x / 40 + y / 40) % 2) != 0 ? 0x2E8B57u : 0x3CB371u;
        platform::WindowUpdated(0, 0, s.width, s.height);
    }
    if (e.type == platform::EventType::Close) platform::DestroyMainWindow();
    if (e.type == platform::EventType::Destroy) platform::PostQuit(0);
}

std::atomic<int> stage{0};
std::string shotDir = ".";

void pushKey(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
}

void pushMouse(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
    }
    SDL_PushEvent(&e);
}

void shot(const char* name) {
    std::string cmd = "xwd -root -silent | /usr/bin/convert xwd:- " + shotDir + "/" + name + ".png";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "screenshot %s failed\n", name);
}

// Waits for the main thread to reach a stage, lets it draw, takes the picture.
void atStage(int n, const char* name) {
    while (stage.load() < n)
        SDL_Delay(20);
    SDL_Delay(400);
    shot(name);
}

void director() {
    atStage(1, "1_window");
    pushMouse(SDL_MOUSEBUTTONDOWN, 10, 9);
    pushMouse(SDL_MOUSEBUTTONUP, 10, 9);
    pushMouse(SDL_MOUSEMOTION, 30, 19 + 3 + 17 * 4 + 8);
    atStage(2, "2_menu");
    pushKey(SDLK_ESCAPE);
    atStage(3, "3_options");
    pushKey(SDLK_TAB);
    pushKey(SDLK_TAB);
    SDL_Delay(300);
    shot("3b_options_focus");
    pushKey(SDLK_ESCAPE);
    atStage(4, "4_name");
    pushKey(SDLK_RETURN);
    atStage(5, "5_abandon");
    pushKey(SDLK_ESCAPE);
    atStage(6, "6_notice");
    pushKey(SDLK_RETURN);
    atStage(7, "7_message");
    pushKey(SDLK_RETURN);
    atStage(8, "8_message_french");
    pushKey(SDLK_RETURN);
    atStage(9, "9_after");
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void pumpFor(uint32_t ms) {
    uint32_t end = platform::GetTicks() + ms;
    int code = 0;
    while (static_cast<int32_t>(platform::GetTicks() - end) < 0) {
        if (platform::PumpOne(code) == platform::PumpResult::Idle) platform::WaitForEvent(20);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) shotDir = argv[1];
    if (!platform::OpenMainWindow("Glimora", procedure, MenuEnglish())) return 1;
    std::thread thread(director);
    pumpFor(300);
    stage = 1;
    pumpFor(800);
    stage = 2; // the director opens the menu; the loop below runs it
    pumpFor(1200);
    stage = 3;
    platform::RunDialog(*FindDialog(1151),
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Init) {
                                platform::SetCheck(d, 2001, true);
                                platform::SetCheck(d, 2101, true);
                            } else if (id == 1 || id == 2) {
                                platform::EndDialog(d, id == 1 ? 0 : 1);
                            }
                        });
    stage = 4;
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "Zo\xC3\xA9", sizeof text.text.text);
    SDL_PushEvent(&text);
    platform::RunDialog(*FindDialog(1101),
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Init) platform::LimitText(d, 1002, 9);
                            if (m == platform::DialogMessage::Command && id == 1)
                                platform::EndDialog(d, 0);
                        });
    stage = 5;
    platform::RunDialog(*FindDialog(1601),
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Command)
                                platform::EndDialog(d, id == 1 ? 0 : 1);
                        });
    stage = 6;
    platform::RunDialog(*FindDialog(1461),
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Command && id == 1)
                                platform::EndDialog(d, 0);
                        });
    stage = 7;
    platform::ShowMessage("Uninstall Glimora, and reinstall it correctly in the default directory.",
                          "Error!");
    stage = 8;
    platform::ShowMessage("Trop d'utilisateurs", "Glimora 1.00");
    stage = 9;
    int code = 0;
    for (;;) {
        platform::PumpResult r = platform::PumpOne(code);
        if (r == platform::PumpResult::Quit) break;
        if (r == platform::PumpResult::Idle) platform::WaitForEvent(100);
    }
    thread.join();
    return code;
}
