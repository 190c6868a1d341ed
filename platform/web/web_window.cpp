// The web main window: an HTML canvas showing the client surface, the game's picture alone.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>

#include "platform/classic_ui/window_frame.h"
#include "platform/web/web_state.h"

namespace {

// clang-format off
// Puts the rectangle (x, y, w, h) of a picture `pitch` pixels wide (0x00RRGGBB words) on the
// page's canvas at the same place: only the changed rows and columns cross to the browser.
EM_JS(void, glimora_put_pixels, (const uint32_t* pixels, int pitch, int x, int y, int w, int h), {
    // An opaque, desynchronized context: the browser hands each changed picture to the screen
    // without compositing it with the page first, which costs it about a third less than an
    // ordinary canvas frame. Some graphics drivers are known to show such a canvas blank:
    // ?lowlatency=0 in the page's address asks for an ordinary one. One picture buffer as
    // large as the canvas serves every rectangle.
    var canvas = document.getElementById('canvas');
    var context = Module.glimoraCanvasContext;
    if (!context) {
        var lowLatency = new URLSearchParams(location.search).get('lowlatency') !== '0';
        context = canvas.getContext('2d', {alpha: false, desynchronized: lowLatency});
        Module.glimoraCanvasContext = context;
    }
    var image = Module.glimoraImage;
    if (!image || image.width !== canvas.width || image.height !== canvas.height) {
        image = context.createImageData(canvas.width, canvas.height);
        Module.glimoraImage = image;
    }
    var data = image.data;
    var words = HEAPU32;
    for (var row = y; row < y + h; row++) {
        var p = (pixels >> 2) + row * pitch + x;
        var i = (row * image.width + x) * 4;
        for (var column = 0; column < w; column++, i += 4) {
            var v = words[p + column];
            data[i] = (v >> 16) & 255;
            data[i + 1] = (v >> 8) & 255;
            data[i + 2] = v & 255;
            data[i + 3] = 255;
        }
    }
    context.putImageData(image, 0, 0, x, y, w, h);
});
// The window is gone: the page says so in its own way (shell.html), as a closed window would.
EM_JS(void, glimora_window_closed, (), {
    if (Module.onWindowClosed) Module.onWindowClosed();
});
// The room the page gives the game, in device pixels: the window's inner size below the
// page's menu bar, times the display's density. The page lays the canvas out (shell.html)
// once its size is known.
EM_JS(int, glimora_room_width, (), {
    return Math.floor(document.documentElement.clientWidth * (window.devicePixelRatio || 1));
});
EM_JS(int, glimora_room_height, (), {
    var bar = document.getElementById('menubar');
    var room = document.documentElement.clientHeight - (bar ? bar.offsetHeight : 0);
    return Math.floor(room * (window.devicePixelRatio || 1));
});
EM_JS(void, glimora_place_canvas, (), {
    if (Module.glimoraPlaceCanvas) Module.glimoraPlaceCanvas();
});
EM_JS(void, glimora_wake_for_resize, (), {
    if (Module.glimoraWake) Module.glimoraWake();
});

// clang-format on

// The game's client is never smaller than this a side.
constexpr int SmallestSide = 480;

// The largest square client the page's room holds (below the page's menu bar). A room too
// small for the smallest client gets that client, shown smaller by the page.
int chooseSide() {
    return std::max(std::min(glimora_room_width(), glimora_room_height()), SmallestSide);
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
    webbackend::Backend& b = webbackend::backend();
    if (!b.windowOpen) return EM_FALSE;
    classicui::UiEvent input;
    input.kind = classicui::UiEvent::Kind::Resize;
    b.queue.push_back(input);
    glimora_wake_for_resize();
    return EM_FALSE;
}

void putOnCanvas(const Surface& frame, const classicui::Rect& r) {
    glimora_put_pixels(frame.pixels.data(), frame.width, r.x, r.y, r.w, r.h);
}

// Makes the client picture width x height, keeping the pixels that still fit, and the canvas
// as large.
void placeClient(int width, int height) {
    webbackend::Backend& b = webbackend::backend();
    b.resizeClient(width, height);
    b.frame = Surface(width, height + b.barHeight());
    emscripten_set_canvas_element_size("#canvas", b.frame.width, b.frame.height);
    glimora_place_canvas();
    b.frameDirty = true;
}

} // namespace

webbackend::Backend webbackend::mainWindow;

namespace webbackend {

void Backend::resized(const classicui::UiEvent&) {
    if (!windowOpen) return;
    const int side = chooseSide();
    if (side == client.width && side == client.height) {
        // Same client: the page places it again.
        glimora_place_canvas();
        return;
    }
    platform::MakeClientSquare(side);
}

void Backend::show() {
    for (const classicui::Rect& r : classicui::UpdateFrame(*this, frame))
        putOnCanvas(frame, r);
}

bool Backend::createWindow(const char* title) {
    emscripten_set_window_title(title);
    // The largest client the page's room holds, as a desktop window opens as large as its
    // interface needs; the game then keeps it square.
    const int side = chooseSide();
    client = Surface(side, side);
    placeClient(side, side);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onResize);
    installInputHandlers();
    installPageHideHandlers();
    return true;
}

void Backend::showWindow() {
    paintPending = true;
}

void Backend::destroyWindow() {
    queue.clear();
    glimora_window_closed();
}

} // namespace webbackend

using webbackend::backend;

namespace platform {

void MakeClientSquare(int side) {
    auto& b = backend();
    if (!b.windowOpen || side <= 0) return;
    const bool changed = side != b.client.width || side != b.client.height;
    placeClient(side, side);
    // SetWindowPos sends WM_SIZE before it returns.
    if (changed) {
        b.deliver({EventType::Size, 0, 0, 0});
        b.paintPending = true;
    }
}

} // namespace platform
