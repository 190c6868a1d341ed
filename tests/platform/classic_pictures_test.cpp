// The drawn menus, dialogs and message boxes held to pictures that were looked at: each whole
// picture's fingerprint against a table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

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

namespace {

using classicui::Rect;

// The game's 480 x 480 client below the menu bar, at interface scale 1.
constexpr int ClientSide = 480;
const Rect area{0, classicui::MenuBarHeight, ClientSide, ClientSide};
const Rect bounds{0, 0, ClientSide, ClientSide + classicui::MenuBarHeight};
// What lies under the interface: no colour the classic look uses.
constexpr uint32_t Desk = 0x008080;

// 64-bit FNV-1a over the size and every pixel, four bytes each, low byte first.
uint64_t Fingerprint(const Surface& s) {
    uint64_t h = 0xCBF29CE484222325u;
    const auto add = [&h](uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            h ^= (word >> (8 * i)) & 0xFFu;
            h *= 0x100000001B3u;
        }
    };
    add(static_cast<uint32_t>(s.width));
    add(static_cast<uint32_t>(s.height));
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            add(s.at(x, y));
    return h;
}

// Writes the picture as a 24-bit bottom-up BMP, to be looked at.
void WriteBmp(const Surface& s, const std::string& path) {
    const uint32_t rowBytes = (static_cast<uint32_t>(s.width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(s.height);
    std::vector<uint8_t> out;
    const auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put('B' | ('M' << 8), 2);
    put(54 + dataBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<uint32_t>(s.width), 4);
    put(static_cast<uint32_t>(s.height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(dataBytes, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = s.height - 1; y >= 0; --y) {
        for (int x = 0; x < s.width; ++x)
            put(s.at(x, y), 3); // 0x00RRGGBB low byte first: blue, green, red
        for (uint32_t pad = static_cast<uint32_t>(s.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }
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

// Each picture's fingerprint, taken after the picture was looked at. A picture that changes on
// purpose is looked at again (GLIMORA_DUMP_UI) and its new value put here.
const std::map<std::string, uint64_t> expected = {
    {"dialog-1100", 0xde17816862e2c143u},
    {"dialog-1101", 0x8745d1312e6e770eu},
    {"dialog-1150", 0xa306ce9309ee7133u},
    {"dialog-1151", 0x2c9e7c14a9c811f3u},
    {"dialog-1600", 0x9d19a17dc5f1e96eu},
    {"dialog-1601", 0x638cdb747d1d8123u},
    {"dialog-1460", 0x7848a3435ae39523u},
    {"dialog-1461", 0xfdf9c248f31674b3u},
    {"dialog-1462", 0xbd67262951c31483u},
    {"dialog-1463", 0xd3029dcc9ef6f95eu},
    {"menu-fr-0", 0x4edbdf5bb13900eeu},
    {"menu-fr-1", 0x9cbbe208340d463u},
    {"menu-en-0", 0x379675936b3a835eu},
    {"menu-en-1", 0x4ae7b264f773176eu},
    {"menu-en-bar-raised", 0x9007554e500ba573u},
    {"message", 0x36066c59f1a6b35eu},
    {"message-ok-held", 0x67ab077a929f7ed3u},
    {"message-two-lines", 0x9512631fc404914eu},
    {"dialog-1101-typed-ok-held", 0xb8780121072a0143u},
    {"dialog-1151-checked-cancel-focused-close-held", 0xa6162afc5002c7c3u},
    {"dialog-1151-check-box-focused", 0x46cfcef181486fb3u},
    {"window-scale-1", 0x8878aac40c8d4eefu},
    {"window-scale-2", 0x17a180bcb23b60d2u},
    {"window-after-menu-choice", 0x70e2c1842e73ca12u},
};

TEST(ClassicPictures, EveryMenuDialogAndMessageBoxMatchesItsLookedAtPicture) {
    const char* dump = std::getenv("GLIMORA_DUMP_UI");
    const std::vector<std::pair<std::string, Surface>> pictures = DrawAll();
    for (const auto& [name, picture] : pictures) {
        if (dump != nullptr) WriteBmp(picture, std::string(dump) + "/" + name + ".bmp");
        const uint64_t got = Fingerprint(picture);
        const auto it = expected.find(name);
        if (it == expected.end()) {
            ADD_FAILURE() << "picture " << name << " has no fingerprint: {\"" << name << "\", 0x"
                          << std::hex << got << "u},";
            continue;
        }
        EXPECT_EQ(got, it->second)
            << "picture " << name << " differs from the one looked at (now {\"" << name << "\", 0x"
            << std::hex << got << "u}); run with GLIMORA_DUMP_UI=/some/folder to write every "
            << "picture there as a BMP and look at " << name << ".bmp";
    }
    EXPECT_EQ(pictures.size(), expected.size()) << "every fingerprint is of a picture drawn";
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
