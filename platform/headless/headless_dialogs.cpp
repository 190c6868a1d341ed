// Headless menus and dialogs: where their parts are drawn, and the records of what opened.
#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/headless/headless_state.h"
#include "resources/resources.h"

using headless::detail::state;

namespace headless::detail {

void Backend::noteDialog(const DialogTemplate& dialog) {
    openDialogs.push_back(dialogs.size());
    dialogs.push_back({dialog.resourceId, {}, 0, false});
}

void Backend::noteCommand(int id) {
    if (!openDialogs.empty()) dialogs[openDialogs.back()].commands.push_back(id);
}

void Backend::noteDialogEnd(int result, bool forced) {
    if (openDialogs.empty()) return;
    DialogRecord& record = dialogs[openDialogs.back()];
    openDialogs.pop_back();
    record.result = result;
    record.forcedEnd = forced;
}

void Backend::noteMessage(std::string_view text, std::string_view caption) {
    messages.push_back({std::string(text), std::string(caption)});
}

void Backend::reportUnseen(std::string_view text, std::string_view caption) {
    unseen.push_back({std::string(text), std::string(caption)});
}

} // namespace headless::detail

namespace headless {

namespace {

void clickMiddle(const classicui::Rect& r) {
    QueueWindowClick(r.x + r.w / 2, r.y + r.h / 2);
}

classicui::Rect scaled(const classicui::Rect& r) {
    const int k = state().uiScale;
    return {r.x * k, r.y * k, r.w * k, r.h * k};
}

} // namespace

void QueueMenuCommand(int id) {
    const detail::Backend& s = state();
    if (s.menu == nullptr) return;
    const BitmapFont& font = EmbeddedFont(DialogFontId);
    const classicui::BarLayout bar = classicui::LayoutBar(*s.menu, font);
    for (size_t t = 0; t < s.menu->popups.size(); ++t) {
        const MenuPopup& popup = s.menu->popups[t];
        for (size_t i = 0; i < popup.items.size(); ++i) {
            if (popup.items[i].id != id) continue;
            const classicui::PopupLayout items =
                classicui::LayoutPopup(popup, bar.titles[t], font, s.uiWindowArea().w);
            clickMiddle(scaled(bar.titles[t]));
            clickMiddle(scaled(items.items[i]));
            return;
        }
    }
}

classicui::Rect ControlRect(const DialogTemplate& dialog, int controlId) {
    const detail::Backend& s = state();
    const classicui::DialogGeometry g =
        classicui::LayoutDialog(dialog, s.uiClientArea(), s.uiWindowArea());
    for (size_t i = 0; i < dialog.controls.size(); ++i)
        if (dialog.controls[i].id == controlId) return scaled(g.controls[i]);
    return {};
}

void QueueControlClick(const DialogTemplate& dialog, int controlId) {
    AwaitDialog();
    clickMiddle(ControlRect(dialog, controlId));
}

platform::DialogHandle* OpenDialog() {
    return state().openDialog;
}

const std::vector<DialogRecord>& Dialogs() {
    return state().dialogs;
}
const std::vector<MessageRecord>& Messages() {
    return state().messages;
}
const std::vector<MessageRecord>& UnseenMessages() {
    return state().unseen;
}
const std::vector<std::string>& Announcements() {
    return state().announcements;
}

} // namespace headless

namespace platform {

void Announce(std::string_view text) {
    state().announcements.emplace_back(text);
}

} // namespace platform
