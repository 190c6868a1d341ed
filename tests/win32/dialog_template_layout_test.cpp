// The in-memory dialog templates: read back field by field and compared with the dialog data.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/dialog_template_layout.h"
#include "resources/ui/ui_data.h"

namespace {

using namespace win32_layout;

// Walks a template the way the dialog manager reads it.
class TemplateReader {
  public:
    explicit TemplateReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    uint16_t word() {
        if (at_ + 2 > bytes_.size()) {
            overrun_ = true;
            return 0;
        }
        const auto value = static_cast<uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }
    uint32_t dword() {
        const uint32_t low = word();
        return low | (static_cast<uint32_t>(word()) << 16);
    }
    uint8_t byte() {
        if (at_ >= bytes_.size()) {
            overrun_ = true;
            return 0;
        }
        return bytes_[at_++];
    }
    int coordinate() { return static_cast<int16_t>(word()); }
    std::u16string text() {
        std::u16string units;
        for (uint16_t unit = word(); unit != 0 && !overrun_; unit = word())
            units.push_back(unit);
        return units;
    }
    void alignToDword() {
        while (at_ % 4 != 0) {
            if (byte() != 0) padNonZero_ = true;
        }
    }
    size_t position() const { return at_; }
    bool overrun() const { return overrun_; }
    bool padNonZero() const { return padNonZero_; }

  private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
    bool overrun_ = false;
    bool padNonZero_ = false;
};

struct ReadControl {
    uint32_t style;
    int x, y, cx, cy;
    uint32_t id;
    uint16_t classAtom;
    std::u16string text;
};

struct ReadDialog {
    uint32_t style;
    int x, y, cx, cy;
    std::u16string caption;
    uint16_t points, weight;
    uint8_t italic, charset;
    std::u16string face;
    std::vector<ReadControl> controls;
};

ReadDialog readTemplate(const std::vector<uint8_t>& bytes) {
    TemplateReader in(bytes);
    ReadDialog dialog{};
    EXPECT_EQ(in.word(), 1);      // dlgVer
    EXPECT_EQ(in.word(), 0xFFFF); // signature
    EXPECT_EQ(in.dword(), 0u);    // helpID
    EXPECT_EQ(in.dword(), 0u);    // exStyle
    dialog.style = in.dword();
    const uint16_t count = in.word();
    dialog.x = in.coordinate();
    dialog.y = in.coordinate();
    dialog.cx = in.coordinate();
    dialog.cy = in.coordinate();
    EXPECT_EQ(in.word(), 0); // menu
    EXPECT_EQ(in.word(), 0); // class
    dialog.caption = in.text();
    dialog.points = in.word();
    dialog.weight = in.word();
    dialog.italic = in.byte();
    dialog.charset = in.byte();
    dialog.face = in.text();
    for (uint16_t i = 0; i < count && !in.overrun(); ++i) {
        in.alignToDword();
        EXPECT_EQ(in.position() % 4, 0u);
        ReadControl control{};
        EXPECT_EQ(in.dword(), 0u); // helpID
        EXPECT_EQ(in.dword(), 0u); // exStyle
        control.style = in.dword();
        control.x = in.coordinate();
        control.y = in.coordinate();
        control.cx = in.coordinate();
        control.cy = in.coordinate();
        control.id = in.dword();
        EXPECT_EQ(in.word(), 0xFFFF);
        control.classAtom = in.word();
        control.text = in.text();
        EXPECT_EQ(in.word(), 0); // creation data
        dialog.controls.push_back(control);
    }
    EXPECT_FALSE(in.overrun());
    EXPECT_FALSE(in.padNonZero());
    EXPECT_EQ(in.position(), bytes.size()) << "bytes after the last control";
    return dialog;
}

TEST(DialogTemplate, EveryGameDialogReadsBackAsItsData) {
    const int ids[] = {1100, 1101, 1150, 1151, 1600, 1601, 1460, 1461, 1462, 1463};
    for (const int id : ids) {
        SCOPED_TRACE(id);
        const DialogTemplate* data = FindDialog(id);
        ASSERT_NE(data, nullptr);
        const ReadDialog read = readTemplate(buildDialogTemplate(*data));
        EXPECT_EQ(read.style, 0x80C800C0u); // popup, caption, system menu, modal frame, font
        EXPECT_EQ(std::tuple(read.x, read.y, read.cx, read.cy),
                  std::tuple(data->x, data->y, data->cx, data->cy));
        EXPECT_EQ(read.caption, windows1252ToUtf16(data->caption));
        EXPECT_EQ(read.points, 8);
        EXPECT_EQ(read.italic, 0);
        EXPECT_EQ(read.face, u"Helv");
        ASSERT_EQ(read.controls.size(), data->controls.size());
        for (size_t i = 0; i < read.controls.size(); ++i) {
            const DialogControl& expected = data->controls[i];
            const ReadControl& control = read.controls[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(control.id, static_cast<uint32_t>(expected.id));
            EXPECT_EQ(std::tuple(control.x, control.y, control.cx, control.cy),
                      std::tuple(expected.x, expected.y, expected.cx, expected.cy));
            EXPECT_EQ(control.style, controlStyle(expected.kind));
            EXPECT_EQ(control.classAtom, controlClassAtom(expected.kind));
            EXPECT_EQ(control.text, windows1252ToUtf16(expected.text));
        }
    }
}

TEST(DialogTemplate, ControlsStartOnDwordBoundariesWhateverTheTextLengths) {
    // Captions and texts of every length from 0 to 4 characters shift what follows by two
    // bytes at a time; each control must still start on a four-byte boundary.
    const std::string texts[] = {"", "a", "ab", "abc", "abcd"};
    for (const std::string& caption : texts) {
        std::vector<DialogControl> controls;
        for (const std::string& text : texts)
            controls.push_back({ControlKind::Label, 7, text, 1, 2, 3, 4});
        const DialogTemplate dialog{1, caption, 0, 0, 10, 10, controls};
        const ReadDialog read = readTemplate(buildDialogTemplate(dialog));
        ASSERT_EQ(read.controls.size(), 5u);
        EXPECT_EQ(read.controls[4].text, u"abcd");
    }
}

TEST(DialogTemplate, HeaderOfThePlayerNameDialogByteForByte) {
    const std::vector<uint8_t> bytes = buildDialogTemplate(*FindDialog(1101));
    const std::vector<uint8_t> start{
        0x01, 0x00, 0xFF, 0xFF,                         // version 1, extended
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // help id, extended style
        0xC0, 0x00, 0xC8, 0x80,                         // style
        0x03, 0x00,                                     // three controls
        0x28, 0x00, 0x28, 0x00, 0x96, 0x00, 0x3C, 0x00, // (40, 40), 150 x 60
        0x00, 0x00, 0x00, 0x00,                         // no menu, default class
        'P',  0};
    ASSERT_GE(bytes.size(), start.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + start.size()), start);
}

TEST(DialogControls, StylesOfEachKind) {
    const uint32_t child = WsChild | WsVisible;
    EXPECT_EQ(controlStyle(ControlKind::DefPushButton), child | WsTabStop | 0x1u);
    EXPECT_EQ(controlStyle(ControlKind::PushButton), child | WsTabStop);
    // Check box and radio buttons are the plain kinds: a click only notifies the procedure.
    EXPECT_EQ(controlStyle(ControlKind::CheckBox) & 0xF, 0x2u);
    EXPECT_EQ(controlStyle(ControlKind::RadioButton) & 0xF, 0x4u);
    EXPECT_EQ(controlStyle(ControlKind::GroupBox) & 0xF, 0x7u);
    EXPECT_EQ(controlStyle(ControlKind::GroupBox) & WsTabStop, 0u);
    EXPECT_EQ(controlStyle(ControlKind::Edit), child | WsBorder | WsTabStop | EsAutoHScroll);
    EXPECT_EQ(controlStyle(ControlKind::Label) & 0xFF, SsLeft);
    EXPECT_EQ(controlClassAtom(ControlKind::Edit), 0x81);
    EXPECT_EQ(controlClassAtom(ControlKind::Label), 0x82);
    EXPECT_EQ(controlClassAtom(ControlKind::RadioButton), 0x80);
}

TEST(DialogText, Windows1252BecomesUtf16) {
    EXPECT_EQ(windows1252ToUtf16("Fran\xE7"
                                 "ais"),
              u"Fran\u00E7ais");
    EXPECT_EQ(windows1252ToUtf16("\x80\x8A\x9F\xFF"), u"\u20AC\u0160\u0178\u00FF");
    // Unassigned bytes keep their value; a zero byte ends the text.
    EXPECT_EQ(windows1252ToUtf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(windows1252ToUtf16(std::string_view("ab\0cd", 5)), u"ab");
}

} // namespace
