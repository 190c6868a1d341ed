// Real modal dialogs from in-memory templates of the shared dialog data, and message boxes.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/backend.h"
#include "platform/win32/dialog_template_layout.h"

namespace platform {

struct DialogHandle {
    HWND window = nullptr;
    const DialogProcedure* procedure = nullptr;
};

namespace {

static_assert(win32_layout::WsPopup == WS_POPUP && win32_layout::WsChild == WS_CHILD &&
              win32_layout::WsVisible == WS_VISIBLE && win32_layout::WsCaption == WS_CAPTION &&
              win32_layout::WsBorder == WS_BORDER && win32_layout::WsSysMenu == WS_SYSMENU &&
              win32_layout::WsGroup == WS_GROUP && win32_layout::WsTabStop == WS_TABSTOP);
static_assert(win32_layout::DsSetFont == DS_SETFONT && win32_layout::DsModalFrame == DS_MODALFRAME);
static_assert(win32_layout::BsPushButton == BS_PUSHBUTTON &&
              win32_layout::BsDefPushButton == BS_DEFPUSHBUTTON &&
              win32_layout::BsCheckBox == BS_CHECKBOX &&
              win32_layout::BsRadioButton == BS_RADIOBUTTON &&
              win32_layout::BsGroupBox == BS_GROUPBOX);
static_assert(win32_layout::EsAutoHScroll == ES_AUTOHSCROLL && win32_layout::SsLeft == SS_LEFT);

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* handle = reinterpret_cast<DialogHandle*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        handle->window = dialog;
        (*handle->procedure)(*handle, DialogMessage::Init, 0);
        return TRUE; // the system puts the focus on the first control
    }
    auto* handle = reinterpret_cast<DialogHandle*>(GetWindowLongPtrA(dialog, DWLP_USER));
    // Only a click, Enter or Escape: the whole wParam is the id, its notification code is 0.
    if (message == WM_COMMAND && handle != nullptr && HIWORD(wParam) == 0 && wParam <= 0xFFFF) {
        (*handle->procedure)(*handle, DialogMessage::Command, static_cast<int>(LOWORD(wParam)));
    }
    return FALSE;
}

// Keys held down as a dialog or message box opens (the one whose press opened it, say) are
// no presses for it: until each is released, its key-downs (the repeats of a held key) are
// dropped before the dialog sees them, and so is a repeat of Enter, Escape or Space that
// finds the key down already, whatever opened the dialog. One set per dialog open, innermost
// last; a message filter sees every message of the dialogs' loops.
std::vector<std::array<bool, 256>> keysHeldAtOpen;
HHOOK keyFilter = nullptr;

LRESULT CALLBACK filterDialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if ((code == MSGF_DIALOGBOX || code == MSGF_MESSAGEBOX) && message != nullptr &&
        !keysHeldAtOpen.empty()) {
        std::array<bool, 256>& held = keysHeldAtOpen.back();
        const auto key = static_cast<size_t>(message->wParam & 0xFF);
        if (message->message == WM_KEYUP || message->message == WM_SYSKEYUP) held[key] = false;
        if (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) {
            const bool repeat = (message->lParam & (LPARAM{1} << 30)) != 0;
            const bool answers = key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE;
            if (held[key] || (repeat && answers)) return 1;
        }
    }
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

// Keeps the keys held while it lives: around one dialog or message box.
class KeysHeldAtOpen {
  public:
    KeysHeldAtOpen() {
        BYTE state[256] = {};
        std::array<bool, 256> held{};
        if (GetKeyboardState(state)) {
            for (size_t key = 0; key < held.size(); ++key)
                held[key] = (state[key] & 0x80) != 0;
        }
        // The mouse's buttons are no keys.
        held[VK_LBUTTON] = held[VK_RBUTTON] = held[VK_MBUTTON] = false;
        keysHeldAtOpen.push_back(held);
        if (keyFilter == nullptr)
            keyFilter =
                SetWindowsHookExA(WH_MSGFILTER, filterDialogKeys, nullptr, GetCurrentThreadId());
    }
    ~KeysHeldAtOpen() {
        keysHeldAtOpen.pop_back();
        if (keysHeldAtOpen.empty() && keyFilter != nullptr) {
            UnhookWindowsHookEx(keyFilter);
            keyFilter = nullptr;
        }
    }
    KeysHeldAtOpen(const KeysHeldAtOpen&) = delete;
    KeysHeldAtOpen& operator=(const KeysHeldAtOpen&) = delete;
};

} // namespace

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    const std::vector<uint8_t> bytes = win32_layout::buildDialogTemplate(dialog);
    // The template must start on a DWORD boundary.
    std::vector<DWORD> aligned((bytes.size() + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    DialogHandle handle{nullptr, &procedure};
    const KeysHeldAtOpen heldKeys;
    const INT_PTR result = DialogBoxIndirectParamA(
        win32::Instance(), reinterpret_cast<LPCDLGTEMPLATEA>(aligned.data()), win32::MainWindow(),
        dialogProcedure, reinterpret_cast<LPARAM>(&handle));
    return static_cast<int>(result);
}

void EndDialog(DialogHandle& dialog, int result) {
    if (dialog.window != nullptr) ::EndDialog(dialog.window, result);
}

void SetCheck(DialogHandle& dialog, int controlId, bool checked) {
    SendDlgItemMessageA(dialog.window, controlId, BM_SETCHECK,
                        checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool GetCheck(DialogHandle& dialog, int controlId) {
    return SendDlgItemMessageA(dialog.window, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void LimitText(DialogHandle& dialog, int controlId, int maxChars) {
    SendDlgItemMessageA(dialog.window, controlId, EM_LIMITTEXT,
                        static_cast<WPARAM>(maxChars > 0 ? maxChars : 0), 0);
}

std::string GetControlText(DialogHandle& dialog, int controlId, int maxCount) {
    if (maxCount <= 0) return {};
    std::string text(static_cast<size_t>(maxCount), '\0');
    const UINT length = GetDlgItemTextA(dialog.window, controlId, text.data(), maxCount);
    text.resize(std::min<size_t>(length, static_cast<size_t>(maxCount - 1)));
    return text;
}

void ShowMessage(std::string_view text, std::string_view caption) {
    const KeysHeldAtOpen heldKeys;
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), MB_OK);
}

// The game's window is a picture to a screen reader: the score is not said.
void Announce(std::string_view /*text*/) {}

} // namespace platform
