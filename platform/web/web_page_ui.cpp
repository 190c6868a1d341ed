// The web page's own menu bar, dialogs and message boxes (web_page_ui.js), made from the
// game's menu and dialog data; the platform's menu and dialog calls answered from them. While
// one is open the program waits in place (Asyncify) as a Windows program waits in its menu
// or modal loop: the page's handlers queue what the player did and wake it, and resizes and
// repaints are still served meanwhile.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_ui/windows1252.h"
#include "platform/web/web_state.h"
#include "resources/ui/ui_data.h"

namespace platform {

// One open dialog: its template and what its procedure set; the page shows the controls.
struct DialogHandle {
    const DialogTemplate* dialog = nullptr;
    std::vector<bool> checked; // by control, for the check box and the radio buttons
    bool ended = false;
    int result = 0;

    // The first control of that id, as the template orders them (-1 for none).
    int find(int id) const {
        for (size_t i = 0; i < dialog->controls.size(); ++i)
            if (dialog->controls[i].id == id) return static_cast<int>(i);
        return -1;
    }
};

} // namespace platform

namespace {

using classicui::UiEvent;

// clang-format off
EM_JS(void, glimora_ui_set_menu, (const char* json), {
    Module.glimoraUi.setMenu(JSON.parse(UTF8ToString(json)));
});
// The page's menu opened by the program (a gamepad's Back), unless it is open already.
EM_JS(void, glimora_ui_open_menu, (int title, int open), {
    if (!Module.glimoraUi.menuOpen) Module.glimoraUi.enterMenu(title, open !== 0, true);
});
EM_JS(void, glimora_ui_drop_menu, (), {
    Module.glimoraUi.dropMenu();
});
EM_JS(void, glimora_ui_make_dialog, (const char* json), {
    Module.glimoraUi.makeDialog(JSON.parse(UTF8ToString(json)));
});
EM_JS(void, glimora_ui_show_dialog, (), {
    Module.glimoraUi.showDialog();
});
EM_JS(void, glimora_ui_close_dialog, (), {
    Module.glimoraUi.closeDialog();
});
EM_JS(void, glimora_ui_set_check, (int id, int checked), {
    Module.glimoraUi.setCheck(id, checked !== 0);
});
EM_JS(void, glimora_ui_limit_text, (int id, int limit), {
    Module.glimoraUi.limitText(id, limit);
});
EM_JS(char*, glimora_ui_text, (int id), {
    return allocateUTF8(Module.glimoraUi.text(id));
});
EM_JS(void, glimora_say, (const char* text), {
    if (Module.glimoraSay) Module.glimoraSay(UTF8ToString(text));
});
// clang-format on

// What the page's handlers say the player did (glimora_page_input's kinds).
constexpr int PageMenuOpened = 1;
constexpr int PageCommand = 2;

constexpr int IdCancel = 2;

// A Windows-1252 text as a JSON string.
std::string quoted(std::string_view cp1252) {
    std::string out = "\"";
    for (char c : classicui::Windows1252ToUtf8(cp1252)) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
        return "button";
    case ControlKind::DefPushButton:
        return "default";
    case ControlKind::CheckBox:
        return "check";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Label:
        break;
    }
    return "label";
}

void addControl(std::string& json, const char* kind, int id, std::string_view text, int x, int y,
                int w, int h) {
    if (json.back() != '[') json += ',';
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "\"id\":%d,\"x\":%d,\"y\":%d,\"w\":%d,\"h\":%d", id, x,
                  y, w, h);
    json +=
        std::string("{\"kind\":\"") + kind + "\"," + numbers + ",\"text\":" + quoted(text) + "}";
}

std::string dialogJson(const DialogTemplate& t) {
    std::string json = "{\"caption\":" + quoted(t.caption) + ",\"controls\":[";
    for (const DialogControl& c : t.controls)
        addControl(json, kindName(c.kind), c.id, c.text, c.x, c.y, c.cx, c.cy);
    return json + "]}";
}

// A message box as a dialog: its lines, then OK.
std::string messageJson(std::string_view text, std::string_view caption) {
    std::string json = "{\"message\":true,\"caption\":" + quoted(caption) + ",\"controls\":[";
    int line = 0;
    for (size_t start = 0; start <= text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        addControl(json, "label", NoControlId, text.substr(start, end - start), 0, line, 1, 1);
        start = end + 1;
    }
    addControl(json, "default", 1, "OK", 0, line, 1, 1);
    return json + "]}";
}

// The modal wait of a dialog or message box: `command` gets each command the page sends for
// it, until `done`. A menu opened meanwhile (the page closes it as the dialog shows) is
// answered by the page; that answer is not the dialog's. True when a request to end the
// program closed it.
template <typename Command, typename Done>
bool waitForPage(const Command& command, const Done& done, int closeBoxCommand) {
    bool menuAnswerDue = false;
    return webbackend::backend().modalLoop(
        {}, done,
        [&](const UiEvent& e) {
            if (e.kind == UiEvent::Kind::MenuOpened) {
                menuAnswerDue = true;
            } else if (e.kind == UiEvent::Kind::Command) {
                if (menuAnswerDue)
                    menuAnswerDue = false;
                else
                    command(e.id);
            }
        },
        [&] { command(closeBoxCommand); });
}

} // namespace

// What the player did in the page's menu, dialog or message box, from its handlers.
extern "C" EMSCRIPTEN_KEEPALIVE void glimora_page_input(int kind, int id) {
    UiEvent input;
    input.kind = kind == PageMenuOpened ? UiEvent::Kind::MenuOpened : UiEvent::Kind::Command;
    input.id = id;
    if (kind == PageMenuOpened || kind == PageCommand) webbackend::push(input);
}

namespace webbackend {

void Backend::menuAttached() {
    if (menu == nullptr) return;
    std::string json =
        std::string("{\"french\":") + (menu == &MenuFrench() ? "true" : "false") + ",\"popups\":[";
    for (const MenuPopup& popup : menu->popups) {
        if (json.back() != '[') json += ',';
        json += "{\"title\":" + quoted(popup.title) + ",\"items\":[";
        for (const MenuItem& item : popup.items) {
            if (json.back() != '[') json += ',';
            json += "{\"id\":" + std::to_string(item.id) + ",\"text\":" + quoted(item.text) + "}";
        }
        json += "]}";
    }
    glimora_ui_set_menu((json + "]}").c_str());
}

int Backend::runMenu(int title, bool openPopup, bool /*viaKeyboard*/, bool shownAlready) {
    // A menu the page opened may be closed again before the program gets here: opening it
    // now would show a menu nobody asked for.
    if (!shownAlready) glimora_ui_open_menu(title, openPopup ? 1 : 0);
    int chosen = 0;
    bool answered = false;
    modalLoop(
        {}, [&answered] { return answered; },
        [&](const UiEvent& e) {
            if (e.kind != UiEvent::Kind::Command) return;
            chosen = e.id;
            answered = true;
        },
        [&answered] { answered = true; });
    // Closed by the program (the window gone, a request to end): the page's menu goes too.
    if (!answered) glimora_ui_drop_menu();
    return chosen;
}

} // namespace webbackend

using webbackend::backend;

namespace platform {

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    DialogHandle d;
    d.dialog = &dialog;
    d.checked.assign(dialog.controls.size(), false);
    glimora_ui_make_dialog(dialogJson(dialog).c_str());
    procedure(d, DialogMessage::Init, 0);
    if (!d.ended && backend().windowOpen) {
        glimora_ui_show_dialog();
        waitForPage(
            [&](int id) {
                if (!d.ended) procedure(d, DialogMessage::Command, id);
            },
            [&d] { return d.ended; }, IdCancel);
        if (!d.ended) d.result = -1; // the window went away under the dialog
    }
    glimora_ui_close_dialog();
    return d.result;
}

void EndDialog(DialogHandle& dialog, int result) {
    if (dialog.ended) return;
    dialog.ended = true;
    dialog.result = result;
}

void SetCheck(DialogHandle& dialog, int controlId, bool checked) {
    const int i = dialog.find(controlId);
    if (i < 0) return;
    const ControlKind kind = dialog.dialog->controls[static_cast<size_t>(i)].kind;
    if (kind != ControlKind::CheckBox && kind != ControlKind::RadioButton) return;
    dialog.checked[static_cast<size_t>(i)] = checked;
    glimora_ui_set_check(controlId, checked ? 1 : 0);
}

bool GetCheck(DialogHandle& dialog, int controlId) {
    const int i = dialog.find(controlId);
    return i >= 0 && dialog.checked[static_cast<size_t>(i)];
}

void LimitText(DialogHandle& dialog, int controlId, int maxChars) {
    const int i = dialog.find(controlId);
    if (i >= 0 && dialog.dialog->controls[static_cast<size_t>(i)].kind == ControlKind::Edit)
        glimora_ui_limit_text(controlId, maxChars);
}

std::string GetControlText(DialogHandle& dialog, int controlId, int maxCount) {
    const int i = dialog.find(controlId);
    if (i < 0 || maxCount <= 0) return {};
    const DialogControl& control = dialog.dialog->controls[static_cast<size_t>(i)];
    std::string text(control.text);
    if (control.kind == ControlKind::Edit) {
        // Typed on the page in UTF-8; the game keeps Windows-1252, '?' for what it lacks.
        char* typed = glimora_ui_text(controlId);
        text = classicui::Utf8ToWindows1252(typed != nullptr ? typed : "");
        std::free(typed);
    }
    return text.substr(0, static_cast<size_t>(maxCount) - 1);
}

void ShowMessage(std::string_view text, std::string_view caption) {
    webbackend::Backend& w = backend();
    if (w.messagesUnseen()) {
        w.reportUnseen(text, caption);
        return;
    }
    glimora_ui_make_dialog(messageJson(text, caption).c_str());
    glimora_ui_show_dialog();
    bool done = false;
    // OK, Enter, Escape and the close box all close it.
    const bool endedByQuit =
        waitForPage([&done](int) { done = true; }, [&done] { return done; }, IdCancel);
    glimora_ui_close_dialog();
    // A message closed by a request to end the program, or left by a window gone: said where
    // it is not lost.
    if (endedByQuit || !done) w.reportUnseen(text, caption);
}

void Announce(std::string_view text) {
    glimora_say(classicui::Windows1252ToUtf8(text).c_str());
}

} // namespace platform
