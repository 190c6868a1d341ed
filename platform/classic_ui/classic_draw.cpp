// Classic Windows frames, glyphs and text drawn pixel by pixel, clipped to the surface.
#include "platform/classic_ui/classic_draw.h"

#include <algorithm>

namespace classicui {
namespace {

void put(Surface& s, int x, int y, uint32_t color) {
    if (x >= 0 && y >= 0 && x < s.width && y < s.height) s.at(x, y) = color;
}

} // namespace

void FillRect(Surface& s, Rect r, uint32_t color) {
    int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    int x1 = std::min(r.x + r.w, s.width), y1 = std::min(r.y + r.h, s.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            s.at(x, y) = color;
}

void HLine(Surface& s, int x, int y, int w, uint32_t color) {
    FillRect(s, {x, y, w, 1}, color);
}
void VLine(Surface& s, int x, int y, int h, uint32_t color) {
    FillRect(s, {x, y, 1, h}, color);
}

void Frame(Surface& s, Rect r, uint32_t topLeft, uint32_t bottomRight) {
    if (r.w <= 0 || r.h <= 0) return;
    HLine(s, r.x, r.y, r.w - 1, topLeft);
    VLine(s, r.x, r.y, r.h - 1, topLeft);
    HLine(s, r.x, r.y + r.h - 1, r.w, bottomRight);
    VLine(s, r.x + r.w - 1, r.y, r.h, bottomRight);
}

void RaisedFrame(Surface& s, Rect r) {
    Frame(s, r, Face, DarkShadow);
    Frame(s, r.inset(1), Highlight, Shadow);
}

void SunkenFrame(Surface& s, Rect r) {
    Frame(s, r, Shadow, Highlight);
    Frame(s, r.inset(1), DarkShadow, Face);
}

void PressedFrame(Surface& s, Rect r) {
    Frame(s, r, DarkShadow, DarkShadow);
    Frame(s, r.inset(1), Shadow, Shadow);
}

void EtchedFrame(Surface& s, Rect r) {
    Frame(s, {r.x + 1, r.y + 1, r.w - 1, r.h - 1}, Highlight, Highlight);
    Frame(s, {r.x, r.y, r.w - 1, r.h - 1}, Shadow, Shadow);
}

void FocusRect(Surface& s, Rect r) {
    for (int x = r.x; x < r.x + r.w; x += 2) {
        put(s, x, r.y, Text);
        put(s, x, r.y + r.h - 1, Text);
    }
    for (int y = r.y; y < r.y + r.h; y += 2) {
        put(s, r.x, y, Text);
        put(s, r.x + r.w - 1, y, Text);
    }
}

void DrawText(Surface& s, const BitmapFont& font, int x, int y, const MnemonicText& text,
              uint32_t color) {
    DrawGlyphs(s, font, x, y, text.shown, color);
    if (text.underline < 0 || !font.valid()) return;
    auto at = static_cast<size_t>(text.underline);
    int ux = x + TextWidth(font, std::string_view(text.shown).substr(0, at));
    int uw = font.advanceOf(static_cast<uint8_t>(text.shown[at]));
    HLine(s, ux, y + font.ascent + 1, std::max(uw - 1, 1), color);
}

void DrawBoldText(Surface& s, const BitmapFont& font, int x, int y, std::string_view text,
                  uint32_t color) {
    DrawGlyphs(s, font, x, y, text, color);
    DrawGlyphs(s, font, x + 1, y, text, color);
}

void CheckBoxGlyph(Surface& s, int x, int y, bool checked) {
    Rect box{x, y, 13, 13};
    FillRect(s, box.inset(2), Window);
    SunkenFrame(s, box);
    if (!checked) return;
    // The classic 7 x 7 tick, three pixels thick.
    static const int rise[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        for (int t = 0; t < 3; ++t)
            put(s, x + 3 + i, y + 3 + rise[i] + t, Text);
}

void RadioGlyph(Surface& s, int x, int y, bool checked) {
    // Rows of a 12 x 12 circle: 'S' shadow, 'D' dark shadow, 'H' highlight, 'L' face,
    // 'W' window interior.
    static const char* rows[12] = {
        "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.",
        "SDWWWWWWWWLH", "SDWWWWWWWWLH", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
        ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
    };
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 12; ++c) {
            uint32_t color = 0;
            switch (rows[r][c]) {
            case 'S':
                color = Shadow;
                break;
            case 'D':
                color = DarkShadow;
                break;
            case 'H':
                color = Highlight;
                break;
            case 'L':
                color = Face;
                break;
            case 'W':
                color = Window;
                break;
            default:
                continue;
            }
            put(s, x + c, y + r, color);
        }
    }
    if (checked) {
        FillRect(s, {x + 5, y + 4, 2, 4}, Text);
        FillRect(s, {x + 4, y + 5, 4, 2}, Text);
    }
}

void CloseButtonGlyph(Surface& s, int x, int y, bool pressed) {
    Rect r{x, y, 16, 14};
    FillRect(s, r, Face);
    if (pressed)
        PressedFrame(s, r);
    else
        RaisedFrame(s, r);
    int off = pressed ? 1 : 0;
    for (int i = 0; i < 6; ++i) {
        for (int t = 0; t < 2; ++t) {
            put(s, x + 4 + i + t + off, y + 3 + i + off, Text);
            put(s, x + 9 - i + t + off, y + 3 + i + off, Text);
        }
    }
}

} // namespace classicui
