// The platform's dialog and message box calls over the drawn window: modal, owned by the main
// window, which keeps being repainted meanwhile.
#include "platform/classic_ui/modal_dialog.h"
#include "platform/classic_ui/window_core.h"
#include "resources/resources.h"

using classicui::MainWindow;

namespace platform {

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    classicui::WindowCore& w = MainWindow();
    w.noteDialog(dialog);
    DialogHandle d;
    d.clipboardText = w.clipboardText;
    // What the dialog's procedure does may draw in the window: on the game's own pixels.
    const DialogProcedure onClient = [&w, &procedure](DialogHandle& h, DialogMessage m, int id) {
        if (m == DialogMessage::Command) w.noteCommand(id);
        w.restoreUnder();
        procedure(h, m, id);
    };
    classicui::OpenDialog(d, dialog, onClient);
    if (d.ended || !w.windowOpen) {
        w.noteDialogEnd(d.result, false);
        return d.result;
    }
    const auto geometry = [&w, &dialog] {
        return classicui::LayoutDialog(dialog, w.uiClientArea(), w.uiWindowArea());
    };
    w.startTextInput();
    DialogHandle* const outer = w.openDialog;
    w.openDialog = &d;
    (void)w.modalLoop(
        {[&d, &geometry](Surface& s) { classicui::DrawDialog(s, d, geometry()); },
         [&geometry] { return geometry().outer; }},
        [&d] { return d.ended; },
        [&](const classicui::UiEvent& e) { classicui::DialogInput(d, e, geometry()); },
        [&d] { d.command(2); });
    w.openDialog = outer;
    const bool forced = !d.ended; // the window went away under the dialog
    if (forced) d.result = -1;
    w.noteDialogEnd(d.result, forced);
    return d.result;
}

void ShowMessage(std::string_view text, std::string_view caption) {
    classicui::WindowCore& w = MainWindow();
    w.noteMessage(text, caption);
    if (w.messagesUnseen()) {
        w.reportUnseen(text, caption);
        return;
    }
    classicui::MessageBoxState state;
    const auto layout = [&] {
        return classicui::LayoutMessageBox(EmbeddedFont(DialogFontId), text, caption,
                                           w.uiClientArea(), w.uiWindowArea());
    };
    const bool endedByQuit = w.modalLoop(
        {[&](Surface& s) { classicui::DrawMessageBox(s, layout(), caption, state); },
         [&] { return layout().frame.outer; }},
        [&state] { return state.done; },
        [&](const classicui::UiEvent& e) { classicui::MessageBoxInput(state, e, layout()); },
        [&state] { state.done = true; });
    // A message closed at once by a request to end the program (as a failed save at a logout
    // is), or left by a window gone: said where it is not lost.
    if (endedByQuit || !state.done) w.reportUnseen(text, caption);
}

} // namespace platform
