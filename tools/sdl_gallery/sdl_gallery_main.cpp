// Shows the SDL backend's menu, dialogs and message box one after another and takes a
// screenshot of each with xwd (run under Xvfb): a tool for looking at the classic look.
#include <SDL.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/platform.h"

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

const std::array<MenuItem, 8> gameItems{{{9072, "&New Game"},
                                         {9071, "&Abandon Game"},
                                         {9076, "HighScore"},
                                         {9077, "&Pause"},
                                         {9075, "&Options"},
                                         {9073, "&Help"},
                                         {0, ""},
                                         {9074, "E&xit"}}};
const std::array<MenuItem, 1> aboutItems{{{9069, "&About"}}};
const std::array<MenuPopup, 2> popups{{{"G&limora", gameItems}, {"A&bout", aboutItems}}};
const MenuBar menu{"MAINMENUENG", popups};

const std::array<DialogControl, 6> optionControls{{
    {ControlKind::DefPushButton, 1, "OK", 70, 140, 40, 15},
    {ControlKind::PushButton, 2, "Cancel", 120, 140, 70, 15},
    {ControlKind::CheckBox, 2001, "Help screen during game.", 9, 7, 100, 10},
    {ControlKind::GroupBox, NoControlId, "Langue:", 7, 21, 86, 39},
    {ControlKind::RadioButton, 2101, "English", 13, 32, 37, 10},
    {ControlKind::RadioButton, 2103,
     "Fran\xE7"
     "ais",
     13, 45, 39, 10},
}};
const DialogTemplate optionsDialog{1151, "Options", 0, 0, 250, 170, optionControls};

const std::array<DialogControl, 3> nameControls{{
    {ControlKind::Edit, 1002, "", 36, 7, 103, 12},
    {ControlKind::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {ControlKind::Label, 1003, "Name", 7, 8, 22, 8},
}};
const DialogTemplate nameDialog{1101, "Player Name", 40, 40, 150, 60, nameControls};

const std::array<DialogControl, 3> abandonControls{{
    {ControlKind::Label, 1302, "Do you want to abandon the current game ?", 20, 10, 180, 8},
    {ControlKind::DefPushButton, 1, "Yes", 30, 70, 40, 15},
    {ControlKind::PushButton, 2, "No", 130, 70, 70, 15},
}};
const DialogTemplate abandonDialog{1601, "Abandon Game ?", 0, 0, 250, 100, abandonControls};

const std::array<DialogControl, 3> noticeControls{{
    {ControlKind::Label, 1461, "Color of the element is not the", 10, 15, 140, 8},
    {ControlKind::Label, 1463, "same as the color of the box.", 10, 25, 140, 8},
    {ControlKind::DefPushButton, 1, "OK", 32, 44, 40, 15},
}};
const DialogTemplate noticeDialog{1461, "Wrong Color", 40, 40, 150, 60, noticeControls};

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
    if (!platform::OpenMainWindow("Glimora", procedure, menu)) return 1;
    std::thread thread(director);
    pumpFor(300);
    stage = 1;
    pumpFor(800);
    stage = 2; // the director opens the menu; the loop below runs it
    pumpFor(1200);
    stage = 3;
    platform::RunDialog(optionsDialog,
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
    platform::RunDialog(nameDialog,
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Init) platform::LimitText(d, 1002, 9);
                            if (m == platform::DialogMessage::Command && id == 1)
                                platform::EndDialog(d, 0);
                        });
    stage = 5;
    platform::RunDialog(abandonDialog,
                        [](platform::DialogHandle& d, platform::DialogMessage m, int id) {
                            if (m == platform::DialogMessage::Command)
                                platform::EndDialog(d, id == 1 ? 0 : 1);
                        });
    stage = 6;
    platform::RunDialog(noticeDialog,
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
