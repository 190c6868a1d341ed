// Drawing of the classic Windows look (3D frames, check boxes, text) into a Surface.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/classic_ui/mnemonic.h"
#include "platform/surface.h"
#include "resources/bitmap_font.h"

namespace classicui {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    Rect inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
    Rect moved(int dx, int dy) const { return {x + dx, y + dy, w, h}; }
    // The smallest rectangle holding both (a changed area grown by another change).
    Rect united(const Rect& o) const {
        const int x0 = x < o.x ? x : o.x, y0 = y < o.y ? y : o.y;
        const int x1 = x + w > o.x + o.w ? x + w : o.x + o.w;
        const int y1 = y + h > o.y + o.h ? y + h : o.y + o.h;
        return {x0, y0, x1 - x0, y1 - y0};
    }
};

// The classic system colours.
constexpr uint32_t Face = 0xC0C0C0;
constexpr uint32_t Shadow = 0x808080;
constexpr uint32_t Highlight = 0xFFFFFF;
constexpr uint32_t DarkShadow = 0x000000;
constexpr uint32_t Light = 0xDFDFDF;
constexpr uint32_t Window = 0xFFFFFF;
constexpr uint32_t Text = 0x000000;
constexpr uint32_t Selection = 0x000080; // menu highlight and active caption
constexpr uint32_t SelectionText = 0xFFFFFF;

void FillRect(Surface& s, Rect r, uint32_t color);
void HLine(Surface& s, int x, int y, int w, uint32_t color);
void VLine(Surface& s, int x, int y, int h, uint32_t color);
// A one-pixel frame: top and left in one colour, bottom and right in another.
void Frame(Surface& s, Rect r, uint32_t topLeft, uint32_t bottomRight);
// Raised frame of buttons and windows (2 pixels), sunken frame of fields (2 pixels).
void RaisedFrame(Surface& s, Rect r);
void SunkenFrame(Surface& s, Rect r);
// A pressed push button: black outside, shadow inside.
void PressedFrame(Surface& s, Rect r);
// The etched line of group boxes and menu separators.
void EtchedFrame(Surface& s, Rect r);
// The dotted focus rectangle (every other pixel).
void FocusRect(Surface& s, Rect r);

// Text with its cell's top-left at (x, y); the mnemonic character is underlined.
void DrawText(Surface& s, const BitmapFont& font, int x, int y, const MnemonicText& text,
              uint32_t color);
// Bold: the text drawn twice, one pixel apart.
void DrawBoldText(Surface& s, const BitmapFont& font, int x, int y, std::string_view text,
                  uint32_t color);

// A 13 x 13 check box and a 12 x 12 radio button with their top-left at (x, y).
void CheckBoxGlyph(Surface& s, int x, int y, bool checked);
void RadioGlyph(Surface& s, int x, int y, bool checked);
// The caption close button (16 x 14) with its top-left at (x, y).
void CloseButtonGlyph(Surface& s, int x, int y, bool pressed);

} // namespace classicui
