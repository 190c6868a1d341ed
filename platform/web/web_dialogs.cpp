// The drawn modal dialogs and message boxes over the canvas, run on the page's input.
#include <cstdio>
#include <string>

#include "platform/classic_ui/modal_dialog.h"
#include "platform/web/web_state.h"
#include "resources/resources.h"

using webbackend::backend;

namespace {

classicui::DialogGeometry geometryOf(const DialogTemplate& t) {
    return classicui::LayoutDialog(t, webbackend::uiClientArea(), webbackend::uiWindowArea());
}

// Runs a modal loop until `done` says so; `handle` gets every input but Alt's release.
template <typename Done, typename Handle>
void modalLoop(Done done, Handle handle) {
    auto& b = backend();
    webbackend::Input input;
    while (!done() && b.windowOpen) {
        if (!webbackend::nextModalInput(input)) break;
        if (!input.altUp) handle(input.ui);
        b.frameDirty = true;
    }
}

} // namespace

namespace platform {

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    auto& b = backend();
    DialogHandle d;
    classicui::OpenDialog(d, dialog, procedure);
    if (d.ended || !b.windowOpen) return d.result;

    const size_t overlay = b.overlays.size();
    b.overlays.emplace_back([&d](Surface& s) { classicui::DrawDialog(s, d, geometryOf(*d.dialog)); });
    b.frameDirty = true;
    modalLoop([&] { return d.ended; },
              [&](const classicui::UiEvent& e) { classicui::DialogInput(d, e, geometryOf(dialog)); });
    b.overlays.resize(overlay);
    b.frameDirty = true;
    if (!d.ended) d.result = -1; // the window went away under the dialog
    return d.result;
}

void ShowMessage(std::string_view text, std::string_view caption) {
    auto& b = backend();
    if (!b.windowOpen || b.pageClosing) {
        // Without the window, or with the page going, nobody sees it: the console keeps it.
        std::fprintf(stderr, "Glimora: %.*s %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        return;
    }
    classicui::MessageBoxState state;
    auto layout = [&] {
        return classicui::LayoutMessageBox(EmbeddedFont(DialogFontId), text, caption,
                                           webbackend::uiClientArea(), webbackend::uiWindowArea());
    };
    const size_t overlay = b.overlays.size();
    b.overlays.emplace_back([&](Surface& s) { classicui::DrawMessageBox(s, layout(), caption, state); });
    b.frameDirty = true;
    modalLoop([&] { return state.done; },
              [&](const classicui::UiEvent& e) { classicui::MessageBoxInput(state, e, layout()); });
    b.overlays.resize(overlay);
    b.frameDirty = true;
}

} // namespace platform
