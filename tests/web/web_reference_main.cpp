// What the web page must show, from the real program on the headless backend, for the browser
// test: glimora_web_reference LANGUAGE FOLDER PICTURE.ppm [SIDE [COMMAND]]
//   LANGUAGE  1 English, 0 French
//   FOLDER    the game's files, laid out as the page keeps them under /glimora (empty: a new
//             player)
//   SIDE      the client's side (480 unless given), as the page sizes it for its window
//   COMMAND   a menu command chosen once the program has settled (the high scores, say)
// Starts the program on those files as this account's player, lets it settle, leaves a new
// player's first Help screen with its OK button, chooses the command, writes the client area
// as a binary PPM and prints one JSON line: the screen and whether the game is paused.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless.h"
#include "platform/posix/posix_platform.h"
#include "shell/program_state.h"
#include "shell/shell.h"

namespace {

constexpr int HelpOkX = 237, HelpOkY = 418; // the Help screen's OK button, client pixels

void settle() {
    for (int i = 0; i < 1000 && (headless::PendingInputs() > 0 || headless::RepaintPending()); ++i)
        if (!MainLoopPass()) return;
    MainLoopPass();
}

bool writePicture(const std::string& path) {
    int width = 0, height = 0;
    platform::GetClientSize(width, height);
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t v = headless::Pixel(x, y);
            const char rgb[3] = {static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                                 static_cast<char>(v)};
            out.write(rgb, 3);
        }
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 6) {
        std::fprintf(stderr,
                     "usage: glimora_web_reference LANGUAGE FOLDER PICTURE.ppm [SIDE [COMMAND]]\n");
        return 2;
    }
    const int side = argc >= 5 ? std::atoi(argv[4]) : 480;
    const int command = argc == 6 ? std::atoi(argv[5]) : 0;
    if (side < 480 || side > 8192) return 2;
    const int language = argv[1][0] == '0' ? 0 : 1;
    // The desktop keeps the saved games in a folder of their own below the configured one.
    std::filesystem::create_directories(std::filesystem::path(argv[2]) / "Glimora");
    {
        std::ofstream config(platform::posix::ExecutableFolder() + "/" +
                             platform::posix::ConfigFileName);
        config << "Language=" << language << "\nPath=" << argv[2] << "\n";
    }
    headless::SetTicks(5000);
    if (!StartUp()) return 1;
    settle();
    if (side != 480) {
        headless::QueueResize(side, side);
        settle();
    }
    if (Program().Screen == HelpScreen) {
        headless::QueueClick(HelpOkX * side / 480, HelpOkY * side / 480);
        settle();
    }
    if (command != 0) {
        headless::QueueMenuCommand(command);
        settle();
    }
    if (!writePicture(argv[3])) return 1;
    std::printf("{\"screen\": %d, \"paused\": %d}\n", static_cast<int>(Program().Screen),
                static_cast<int>(Program().game.Paused));
    return 0;
}
