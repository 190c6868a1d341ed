// Writes the dialog data of the game as an extended dialog template, byte by byte.
#include "platform/win32/dialog_template_layout.h"

#include <algorithm>
#include <array>
#include <limits>

namespace win32_layout {

namespace {

// Code points of the bytes 0x80 to 0x9F; the five unassigned ones stay as they are.
constexpr std::array<char16_t, 32> HighControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class TemplateWriter {
  public:
    void word(uint16_t value) {
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
    }
    void dword(uint32_t value) {
        word(static_cast<uint16_t>(value & 0xFFFF));
        word(static_cast<uint16_t>(value >> 16));
    }
    void byte(uint8_t value) { bytes_.push_back(value); }
    // Dialog units are 16-bit signed in the template; the data never comes near the limits.
    void coordinate(int value) {
        const int clamped = std::clamp(value, static_cast<int>(std::numeric_limits<int16_t>::min()),
                                       static_cast<int>(std::numeric_limits<int16_t>::max()));
        word(static_cast<uint16_t>(static_cast<int16_t>(clamped)));
    }
    void text(std::string_view windows1252) {
        for (const char16_t unit : windows1252ToUtf16(windows1252))
            word(unit);
        word(0);
    }
    void alignToDword() {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

} // namespace

uint32_t controlStyle(ControlKind kind) {
    const uint32_t child = WsChild | WsVisible;
    switch (kind) {
    case ControlKind::PushButton:
        return child | WsTabStop | BsPushButton;
    case ControlKind::DefPushButton:
        return child | WsTabStop | BsDefPushButton;
    case ControlKind::CheckBox:
        return child | WsTabStop | BsCheckBox;
    case ControlKind::RadioButton:
        return child | WsTabStop | BsRadioButton;
    case ControlKind::GroupBox:
        return child | BsGroupBox;
    case ControlKind::Edit:
        return child | WsBorder | WsTabStop | EsAutoHScroll;
    case ControlKind::Label:
        return child | WsGroup | SsLeft;
    }
    return child;
}

uint16_t controlClassAtom(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return EditClassAtom;
    case ControlKind::Label:
        return StaticClassAtom;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
        break;
    }
    return ButtonClassAtom;
}

std::u16string windows1252ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte == 0) break;
        units.push_back(byte >= 0x80 && byte <= 0x9F ? HighControlRange[byte - 0x80]
                                                     : static_cast<char16_t>(byte));
    }
    return units;
}

std::vector<uint8_t> buildDialogTemplate(const DialogTemplate& dialog) {
    TemplateWriter out;
    out.word(1);      // dlgVer
    out.word(0xFFFF); // signature of the extended template
    out.dword(0);     // helpID
    out.dword(0);     // exStyle
    out.dword(DialogStyle);
    const size_t count = std::min<size_t>(dialog.controls.size(), 0xFFFF);
    out.word(static_cast<uint16_t>(count));
    out.coordinate(dialog.x);
    out.coordinate(dialog.y);
    out.coordinate(dialog.cx);
    out.coordinate(dialog.cy);
    out.word(0); // no menu
    out.word(0); // the default dialog class
    out.text(dialog.caption);
    out.word(DialogFontPoints);
    out.word(DialogFontWeight);
    out.byte(0); // not italic
    out.byte(DialogFontCharset);
    out.text(DialogFontFace);

    for (size_t i = 0; i < count; ++i) {
        const DialogControl& control = dialog.controls[i];
        out.alignToDword();
        out.dword(0); // helpID
        out.dword(0); // exStyle
        out.dword(controlStyle(control.kind));
        out.coordinate(control.x);
        out.coordinate(control.y);
        out.coordinate(control.cx);
        out.coordinate(control.cy);
        out.dword(static_cast<uint32_t>(control.id));
        out.word(0xFFFF);
        out.word(controlClassAtom(control.kind));
        out.text(control.text);
        out.word(0); // no creation data
    }
    return out.take();
}

} // namespace win32_layout
