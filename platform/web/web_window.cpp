// The web main window: an HTML canvas showing the menu bar above the client surface.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>

#include "platform/classic_ui/menu_layout.h"
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
// clang-format on

void putOnCanvas(const Surface& frame, const classicui::Rect& r) {
    glimora_put_pixels(frame.pixels.data(), frame.width, r.x, r.y, r.w, r.h);
}

// Copies the client pixels of `r` (client coordinates) into the frame, below the menu bar.
void copyClient(const classicui::Rect& r) {
    webbackend::Backend& b = webbackend::backend();
    for (int y = r.y; y < r.y + r.h; ++y)
        std::copy_n(&b.client.at(r.x, y), r.w, &b.frame.at(r.x, y + webbackend::barHeight()));
}

// Makes the client picture width x height, keeping the pixels that still fit, and the canvas
// as large as the client and the menu bar.
void resizeClient(int width, int height) {
    webbackend::Backend& b = webbackend::backend();
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width != b.client.width || height != b.client.height) {
        Surface resized(width, height);
        const int w = std::min(width, b.client.width), h = std::min(height, b.client.height);
        for (int y = 0; y < h; ++y)
            std::copy_n(&b.client.at(0, y), w, &resized.at(0, y));
        b.client = std::move(resized);
    }
    b.frame = Surface(width, height + webbackend::barHeight());
    emscripten_set_canvas_element_size("#canvas", b.frame.width, b.frame.height);
    b.frameDirty = true;
}

} // namespace

namespace webbackend {

Backend& backend() {
    static Backend b;
    return b;
}

} // namespace webbackend

classicui::WindowCore& classicui::MainWindow() {
    return webbackend::backend();
}

namespace webbackend {

void Backend::show() {
    present();
}

void present() {
    Backend& b = backend();
    if (!b.windowOpen || (!b.frameDirty && !b.clientDirty)) return;
    const bool composed = !b.overlays.empty() || b.menuView.active;
    if (composed || b.frameDirty) {
        classicui::DrawMenuBar(b.frame, b.menu, b.menuView);
        copyClient({0, 0, b.client.width, b.client.height});
        if (b.menuView.active) classicui::DrawMenuPopup(b.frame, b.menu, b.menuView);
        for (const classicui::Overlay& overlay : b.overlays)
            overlay.draw(b.frame);
        putOnCanvas(b.frame, {0, 0, b.frame.width, b.frame.height});
    } else {
        for (const classicui::Rect& d : b.dirty) {
            const int x0 = std::max(d.x, 0), y0 = std::max(d.y, 0);
            const int x1 = std::min(d.x + d.w, b.client.width), y1 = std::min(d.y + d.h, b.client.height);
            if (x1 <= x0 || y1 <= y0) continue;
            copyClient({x0, y0, x1 - x0, y1 - y0});
            putOnCanvas(b.frame, {x0, y0 + barHeight(), x1 - x0, y1 - y0});
        }
    }
    b.frameDirty = false;
    b.clientDirty = false;
    b.dirty.clear();
}

} // namespace webbackend

using webbackend::backend;

namespace platform {

bool OpenMainWindow(const char* title, WindowProcedure procedure, const MenuBar& initialMenu) {
    auto& b = backend();
    if (b.windowOpen) return false;
    emscripten_set_window_title(title);
    b.client = Surface(480, 480);
    resizeClient(480, 480);
    webbackend::installInputHandlers();
    webbackend::installPageHideHandlers();
    b.procedure = procedure;
    b.menu = &initialMenu;
    b.windowOpen = true;
    b.frameDirty = true;
    webbackend::deliver({EventType::Create, 0, 0, 0});
    b.paintPending = true;
    return true;
}

void DestroyMainWindow() {
    auto& b = backend();
    if (!b.windowOpen) return;
    webbackend::deliver({EventType::Destroy, 0, 0, 0});
    b.windowOpen = false;
    b.paintPending = false;
    b.overlays.clear();
    b.queue.clear();
    glimora_window_closed();
}

void MakeClientSquare(int side) {
    auto& b = backend();
    if (!b.windowOpen || side <= 0) return;
    const bool changed = side != b.client.width || side != b.client.height;
    resizeClient(side, side);
    // SetWindowPos sends WM_SIZE before it returns.
    if (changed) {
        webbackend::deliver({EventType::Size, 0, 0, 0});
        b.paintPending = true;
    }
}

} // namespace platform
