// The page hidden or closed: the game saves and ends as when its window's close box is
// pressed, and the page starts it again once shown, so that it resumes the game paused.
//
// A hidden page may be closed, reloaded or discarded by the browser without another word,
// and a closing page gives scripts no later turn: the close is handled within the page's own
// event, while the program sleeps in its main loop, and the files it writes are handed to
// IndexedDB before the event returns (web_storage.js). Inside a menu or a dialog the program
// is not at a point where it can end: the files stay as the last exit point wrote them.
#include <emscripten.h>

#include "platform/web/web_state.h"

// Called by the page's handlers while the program sleeps; true when the game has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int glimora_page_hidden() {
    webbackend::Backend& b = webbackend::backend();
    if (!b.windowOpen || !b.mainLoopWaiting) return 0;
    // Nothing may wait for the player now: a message the save shows goes to the console.
    b.pageClosing = true;
    webbackend::backend().deliver({platform::EventType::Close, 0, 0, 0});
    b.pageClosing = false;
    return b.windowOpen ? 0 : 1;
}

namespace {

// clang-format off
EM_JS(void, glimora_listen_for_page_hide, (), {
    var ended = false;
    function hidden() {
        if (ended || !_glimora_page_hidden()) return;
        ended = true;
        // The sleeping main loop wakes to find its window gone, and ends.
        if (Module.glimoraWake) Module.glimoraWake();
    }
    function shown() {
        if (ended) location.reload();
    }
    document.addEventListener('visibilitychange', function () {
        if (document.visibilityState === 'hidden') hidden(); else shown();
    });
    window.addEventListener('pagehide', hidden);
    // A page kept in the back-forward cache comes back without loading again.
    window.addEventListener('pageshow', function (event) { if (event.persisted) shown(); });
});
// clang-format on

} // namespace

namespace webbackend {

void installPageHideHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    glimora_listen_for_page_hide();
}

} // namespace webbackend
