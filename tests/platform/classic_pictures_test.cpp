// The drawn menus, dialogs and message boxes held to pictures that were looked at, each whole
// picture against its PNG file in tests/platform/pictures/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/classic_ui/modal_dialog.h"
#include "platform/classic_ui/scaled_layer.h"
#include "platform/classic_ui/window_core.h"
#include "platform/classic_ui/window_frame.h"
#include "resources/bitmap_font.h"
#include "resources/resources.h"
#include "resources/ui/ui_data.h"
#include "tests/platform/png_file.h"

namespace {

using classicui::Rect;

// The game's 480 x 480 client below the menu bar, at interface scale 1.
constexpr int ClientSide = 480;
const Rect area{0, classicui::MenuBarHeight, ClientSide, ClientSide};
const Rect bounds{0, 0, ClientSide, ClientSide + classicui::MenuBarHeight};
// What lies under the interface: no colour the classic look uses.
constexpr uint32_t Desk = 0x008080;

// Where the held pictures are, and where a run writes what it drew.
const std::string Held = GLIMORA_HELD_PICTURES;
const std::string Written = GLIMORA_WRITTEN_PICTURES;

// The held picture faded where the drawn one matches it, magenta where they differ (and
// wherever only one of them has pixels), framed in magenta: `count` pixels within `box`.
Surface Differences(const Surface& drawn, const Surface& held, int& count, Rect& box) {
    Surface out(std::max(drawn.width, held.width), std::max(drawn.height, held.height));
    count = 0;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const bool inBoth =
                x < drawn.width && y < drawn.height && x < held.width && y < held.height;
            if (inBoth && drawn.at(x, y) == held.at(x, y)) {
                out.at(x, y) = 0xC0C0C0u + ((held.at(x, y) >> 2) & 0x3F3F3Fu);
                continue;
            }
            out.at(x, y) = 0xFF00FFu;
            box = count++ == 0 ? Rect{x, y, 1, 1} : box.united({x, y, 1, 1});
        }
    }
    if (count > 0) classicui::Frame(out, box.inset(-4), 0xFF00FFu, 0xFF00FFu);
    return out;
}

// Every picture at once, in rows of six, each under its name.
Surface ContactSheet(const std::vector<std::pair<std::string, Surface>>& pictures) {
    const BitmapFont& font = EmbeddedFont(DialogFontId);
    const int gap = 8, label = font.cellHeight + 4;
    std::vector<Rect> places;
    int x = gap, y = gap, rowHeight = 0, width = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Surface& s = pictures[i].second;
        if (i % 6 == 0 && i > 0) x = gap, y += rowHeight + gap, rowHeight = 0;
        places.push_back({x, y, s.width, s.height});
        x += s.width + gap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, label + s.height);
    }
    Surface sheet(width, y + rowHeight + gap, 0x404040u);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Rect at = places[i];
        classicui::DrawText(sheet, font, at.x, at.y, {pictures[i].first}, 0xFFFFFFu);
        for (int row = 0; row < at.h; ++row)
            std::copy_n(pictures[i].second.row(row), at.w, sheet.row(at.y + label + row) + at.x);
    }
    return sheet;
}

// A dialog opened with a procedure that does nothing: the template's own initial state.
struct OpenedDialog {
    platform::DialogHandle handle;
    platform::DialogProcedure procedure = [](platform::DialogHandle&, platform::DialogMessage,
                                             int) {};
    explicit OpenedDialog(const DialogTemplate& t) { classicui::OpenDialog(handle, t, procedure); }
    int index(int id, ControlKind kind) const {
        for (size_t i = 0; i < handle.dialog->controls.size(); ++i)
            if (handle.dialog->controls[i].id == id && handle.dialog->controls[i].kind == kind)
                return static_cast<int>(i);
        return -1;
    }
    Surface draw() const {
        Surface s(bounds.w, bounds.h, Desk);
        classicui::DrawDialog(s, handle, classicui::LayoutDialog(*handle.dialog, area, bounds));
        return s;
    }
};

// A drawn window that is never shown: what ComposeFrame makes of its state. Its picture lies
// inside the client with a margin round it, as when the window manager keeps another shape.
struct StillWindow : classicui::WindowCore {
    bool createWindow(const char*) override { return true; }
    void show() override {}
    bool pollInput(classicui::UiEvent&) override { return false; }
    bool waitInput(uint32_t) override { return false; }
    void sleepWithoutWindow(uint32_t) override {}
    void resized(const classicui::UiEvent&) override {}
    Rect pictureArea() const override { return {20, 10, client.width - 40, client.height - 20}; }

    // The whole window with a message box over it, and the English menu's first pop-up open;
    // or closed, as the menu loop leaves it after a choice: the pop-up no longer drawn.
    Surface compose(int scale, bool menuOpen) {
        uiScale = scale;
        for (int y = 0; y < client.height; ++y)
            for (int x = 0; x < client.width; ++x)
                client.at(x, y) = rgb(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 0x40);
        menu = &MenuEnglish();
        menuView = {menuOpen, 0, true, 2};
        const Rect ui = uiClientArea(), whole = uiWindowArea();
        overlays.push_back({[ui, whole](Surface& s) {
                                const classicui::MessageBoxLayout m = classicui::LayoutMessageBox(
                                    EmbeddedFont(DialogFontId), "Saved.", "Glimora", ui, whole);
                                classicui::DrawMessageBox(s, m, "Glimora", {});
                            },
                            [] { return Rect{}; }});
        Surface frame(windowArea().w, windowArea().h, Desk);
        classicui::ComposeFrame(*this, frame);
        return frame;
    }
};

std::vector<std::pair<std::string, Surface>> DrawAll() {
    std::vector<std::pair<std::string, Surface>> pictures;
    for (int id : {dialog_id::PlayerName, dialog_id::Options, dialog_id::Abandon,
                   dialog_id::WrongColourNotice, dialog_id::OccupiedNotice}) {
        for (int language = 0; language < 2; ++language) {
            const DialogTemplate* t = FindDialog(id + language);
            EXPECT_NE(t, nullptr) << "dialog " << id + language;
            if (t == nullptr) continue;
            pictures.emplace_back("dialog-" + std::to_string(id + language),
                                  OpenedDialog(*t).draw());
        }
    }

    // Each pop-up open below its pushed-in title, opened from the keyboard: its first item lit.
    const std::pair<const char*, const MenuBar*> menus[] = {{"fr", &MenuFrench()},
                                                            {"en", &MenuEnglish()}};
    for (const auto& [language, menu] : menus) {
        for (size_t i = 0; i < menu->popups.size(); ++i) {
            classicui::MenuView view{true, static_cast<int>(i), true,
                                     classicui::NextItem(menu->popups[i], -1, 1)};
            Surface s(bounds.w, bounds.h, Desk);
            classicui::DrawMenuBar(s, menu, view);
            classicui::DrawMenuPopup(s, menu, view);
            pictures.emplace_back("menu-" + std::string(language) + "-" + std::to_string(i),
                                  std::move(s));
        }
    }
    {
        // The bar alone with a title raised, as the Alt key leaves it.
        Surface s(bounds.w, bounds.h, Desk);
        classicui::DrawMenuBar(s, &MenuEnglish(), {true, 1, false, -1});
        pictures.emplace_back("menu-en-bar-raised", std::move(s));
    }

    // A message box long enough to be wrapped, and then with its OK button held down.
    const std::string text = "Cannot write the save file.";
    const std::string caption = "Error!";
    const classicui::MessageBoxLayout box =
        classicui::LayoutMessageBox(EmbeddedFont(DialogFontId), text, caption, area, bounds);
    for (const bool held : {false, true}) {
        classicui::MessageBoxState state;
        state.held = held ? 0 : -1;
        state.heldInside = held;
        Surface s(bounds.w, bounds.h, Desk);
        classicui::DrawMessageBox(s, box, caption, state);
        pictures.emplace_back(held ? "message-ok-held" : "message", std::move(s));
    }

    {
        // A message of two lines.
        const std::string lines = "Glimora 1.00\nA puzzle of colours.";
        Surface s(bounds.w, bounds.h, Desk);
        classicui::DrawMessageBox(
            s,
            classicui::LayoutMessageBox(EmbeddedFont(DialogFontId), lines, caption, area, bounds),
            caption, classicui::MessageBoxState{});
        pictures.emplace_back("message-two-lines", std::move(s));
    }
    {
        // The name dialog with a name typed in its focused field and OK held down.
        OpenedDialog name(*FindDialog(dialog_id::PlayerName + 1));
        classicui::UiEvent typed;
        typed.kind = classicui::UiEvent::Kind::Text;
        typed.text = "Zo\u00E9 W";
        classicui::DialogInput(name.handle, typed,
                               classicui::LayoutDialog(*name.handle.dialog, area, bounds));
        name.handle.held = name.index(1, ControlKind::DefPushButton);
        if (name.handle.held < 0) name.handle.held = name.index(1, ControlKind::PushButton);
        name.handle.heldInside = true;
        pictures.emplace_back("dialog-1101-typed-ok-held", name.draw());
    }
    {
        // The options with the check box and a language chosen, the focus on Cancel, the close
        // box held down.
        OpenedDialog options(*FindDialog(dialog_id::Options + 1));
        size_t lastRadio = options.handle.controls.size();
        for (size_t i = 0; i < options.handle.controls.size(); ++i) {
            const ControlKind kind = options.handle.control(static_cast<int>(i)).kind;
            if (kind == ControlKind::CheckBox) options.handle.controls[i].checked = true;
            if (kind == ControlKind::RadioButton) lastRadio = i;
        }
        EXPECT_LT(lastRadio, options.handle.controls.size()) << "the options offer a language";
        if (lastRadio < options.handle.controls.size())
            options.handle.controls[lastRadio].checked = true;
        options.handle.focus = options.index(2, ControlKind::PushButton);
        options.handle.held = -2;
        options.handle.heldInside = true;
        pictures.emplace_back("dialog-1151-checked-cancel-focused-close-held", options.draw());
    }
    {
        // The focus on the check box: its text framed by the dotted focus rectangle.
        OpenedDialog options(*FindDialog(dialog_id::Options + 1));
        options.handle.focus = options.index(2001, ControlKind::CheckBox);
        pictures.emplace_back("dialog-1151-check-box-focused", options.draw());
    }
    for (const int scale : {1, 2})
        pictures.emplace_back("window-scale-" + std::to_string(scale),
                              StillWindow().compose(scale, true));
    pictures.emplace_back("window-after-menu-choice", StillWindow().compose(1, false));
    return pictures;
}

// Each picture drawn against its held file. GLIMORA_REFRESH_PICTURES (the refresh_pictures
// target) writes the drawn pictures as the held ones instead, and a contact sheet of them all.
TEST(ClassicPictures, EveryMenuDialogAndMessageBoxMatchesItsLookedAtPicture) {
    const bool refresh = std::getenv("GLIMORA_REFRESH_PICTURES") != nullptr;
    std::filesystem::remove_all(Written);
    std::filesystem::create_directories(Written);
    const std::vector<std::pair<std::string, Surface>> pictures = DrawAll();
    std::set<std::string> drawn;
    for (const auto& [name, picture] : pictures) {
        const std::string held = Held + "/" + name + ".png", out = Written + "/" + name;
        drawn.insert(name + ".png");
        if (refresh) {
            EXPECT_TRUE(WritePng(picture, held)) << held;
            continue;
        }
        int count = 0;
        Rect box;
        const Surface differences = Differences(picture, ReadPng(held), count, box);
        if (count == 0) continue;
        WritePng(picture, out + ".png");
        WritePng(differences, out + "-differences.png");
        ADD_FAILURE() << "picture " << name << " differs from " << held << ": " << count
                      << (count == 1 ? " pixel" : " pixels") << " within " << box.w << " x "
                      << box.h << " at (" << box.x << ", " << box.y << "): drawn in " << out
                      << ".png, differences (magenta) in " << out
                      << "-differences.png; once looked at, `cmake --build build --target "
                      << "refresh_pictures` holds the new pictures";
    }
    for (const auto& file : std::filesystem::directory_iterator(Held)) {
        if (drawn.contains(file.path().filename().string())) continue;
        if (refresh)
            std::filesystem::remove(file.path());
        else
            ADD_FAILURE() << "held picture " << file.path() << " is drawn no more";
    }
    if (refresh) {
        WritePng(ContactSheet(pictures), Written + "/contact-sheet.png");
        std::printf("pictures written to %s, all of them in %s/contact-sheet.png\n", Held.c_str(),
                    Written.c_str());
    }
}

// An odd window width at twice the size: the layer's last column reaches the window's last.
TEST(ClassicPictures, ALayerCoversAWindowOfOddWidth) {
    Surface frame(5, 3, Desk);
    classicui::DrawScaled(frame, 2, [](Surface& layer) {
        for (int y = 0; y < layer.height; ++y)
            for (int x = 0; x < layer.width; ++x)
                layer.at(x, y) = x + 1 == layer.width ? 0x0000FFu : 0x00FF00u;
    });
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            EXPECT_EQ(frame.at(x, y), x >= 4 ? 0x0000FFu : 0x00FF00u) << x << ", " << y;
}

} // namespace
