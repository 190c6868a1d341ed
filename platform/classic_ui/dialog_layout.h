// Where a dialog and its controls sit in pixels, which control a point hits, tab order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/ui_types.h"
#include "resources/bitmap_font.h"

namespace classicui {

// MulDiv: a * b / c rounded half away from zero, computed in 64 bits.
int MulDiv(int a, int b, int c);
// Dialog units to pixels with the dialog font's base units 6 x 13.
inline int DialogX(int units) {
    return MulDiv(units, 6, 4);
}
inline int DialogY(int units) {
    return MulDiv(units, 13, 8);
}

// The frame of a modal dialog: a 3-pixel border and an 18-pixel caption above the client.
constexpr int DialogBorder = 3;
constexpr int CaptionHeight = 18;

struct DialogGeometry {
    Rect outer;                 // the whole dialog, in window pixels
    Rect caption;               // the caption bar
    Rect closeBox;              // the close button in the caption
    Rect client;                // the client area
    std::vector<Rect> controls; // one per template control, in window pixels
};

// A frame whose client area is clientW x clientH, its outer top-left at (x, y), kept inside
// `bounds` (the whole window) where it fits; LayoutFrame centres it over `area` (the main
// window's client area).
DialogGeometry LayoutFrameAt(int clientW, int clientH, int x, int y, Rect bounds);
DialogGeometry LayoutFrame(int clientW, int clientH, Rect area, Rect bounds);
// A dialog at its template's position from the origin of `area`, as Windows places a dialog
// owned by the main window.
DialogGeometry LayoutDialog(const DialogTemplate& dialog, Rect area, Rect bounds);

// Controls the Tab key visits: push buttons, check boxes, radio buttons, edit fields.
bool IsTabStop(ControlKind kind);
std::vector<int> TabOrder(const DialogTemplate& dialog);
// The next tab stop after `current` (index in the template), forwards or backwards; -1 if none.
int NextTabStop(const DialogTemplate& dialog, int current, bool backwards);

// The control a click at (x, y) goes to: labels and group boxes let it through. -1: none.
int HitControl(const DialogTemplate& dialog, const DialogGeometry& geometry, int x, int y);

// The id Enter sends: the focused push button's, else the default push button's, else
// IDOK (1).
int EnterCommand(const DialogTemplate& dialog, int focused);
// The push button drawn with the bold default frame: the focused push button, else the
// template's default push button; -1 when there is none.
int DefaultButton(const DialogTemplate& dialog, int focused);
// The control whose mnemonic is `key` (lower case), -1 for none.
int MnemonicControl(const DialogTemplate& dialog, char key);

// Breaks text into lines at most maxWidth pixels wide: at '\n' and between words; a word
// wider than a line is cut between characters.
std::vector<std::string> WrapText(const BitmapFont& font, std::string_view text, int maxWidth);

// A message box: the text's lines and one OK button under them, centred.
struct MessageBoxLayout {
    std::vector<std::string> lines;
    DialogGeometry frame;
    Rect textOrigin; // where the first line starts (w, h: the text block)
    Rect okButton;
};
MessageBoxLayout LayoutMessageBox(const BitmapFont& font, std::string_view text,
                                  std::string_view caption, Rect area, Rect bounds);

} // namespace classicui
