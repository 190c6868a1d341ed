// Tells the page which saved game file the program reads, for the page's download and load
// controls (web_saved_game.js): the file of the page's player, found through the slot file.
#include <emscripten.h>

#include "platform/web/web_state.h"

namespace {

// clang-format off
EM_JS(void, glimora_note_saved_game, (const char* path), {
    Module.glimoraSavedGame.path = UTF8ToString(path);
});
// clang-format on

} // namespace

namespace webbackend {

void noteSavedGamePath(const std::string& path) {
    glimora_note_saved_game(path.c_str());
}

} // namespace webbackend
