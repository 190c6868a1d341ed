// The web page's lock on the game's files, which the page takes before the program starts.
#include <emscripten.h>

#include "platform/platform.h"

namespace {

// clang-format off
EM_JS(int, glimora_tab_lock_held, (), {
    return Module.glimoraTabLock && Module.glimoraTabLock.state === 'held' ? 1 : 0;
});
// clang-format on

} // namespace

namespace platform {

// A tab that gives way never starts the program, so the program finds the lock either held by
// its own page or not offered by the browser.
PlayerLock LockPlayerFiles(const std::string& /*folder*/, const std::string& /*userName*/) {
    return glimora_tab_lock_held() != 0 ? PlayerLock::Taken : PlayerLock::Unavailable;
}

// A page cannot bring another tab to the front.
void ShowRunningGame() {}

// One page holds the whole folder while it plays.
bool WithSlotFileHeld(const std::string& /*path*/, const std::function<void()>& update) {
    update();
    return true;
}

} // namespace platform
