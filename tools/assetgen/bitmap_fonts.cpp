// Rasterises DejaVu glyphs for Windows-1252 into 16-pixel-wide 1-bit cells (.gfnt), using
// FreeType's monochrome hinting so the strokes stay crisp at these small sizes.
#include "bitmap_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

unsigned windows1252ToUnicode(uint8_t code) {
    static const unsigned high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (code < 0x20 || code == 0x7F) return 0;
    if (code >= 0x80 && code < 0xA0) return high[code - 0x80];
    return code;
}

int systemAdvanceOf(uint8_t c) {
    if (c >= '0' && c <= '9') return 8;
    static const struct {
        const char* chars;
        int width;
    } table[] = {
        {"abdeghnopqsuvxyzAFLTV", 8}, {"ckJ", 7}, {"r", 5}, {"fijltI -.:", 4}, {"CEKPSXZ", 9},
        {"BDGHNOQRUYw", 10},          {"mM", 12}, {"W", 14}};
    for (const auto& row : table)
        for (const char* p = row.chars; *p; ++p)
            if (static_cast<uint8_t>(*p) == c) return row.width;
    return 0;
}

Bytes buildBitmapFont(const FontRecipe& r, std::string* report) {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&lib) != 0 || FT_New_Face(lib, r.file, 0, &face) != 0) {
        std::fprintf(stderr, "assetgen: cannot open %s\n", r.file);
        std::exit(1);
    }
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(r.pixelWidth),
                       static_cast<FT_UInt>(r.pixelHeight));

    std::array<uint8_t, 256> advance{};
    std::vector<uint16_t> rows(256u * static_cast<size_t>(r.cellHeight), 0);
    int widest = 0;
    for (int code = 0; code < 256; ++code) {
        unsigned cp = windows1252ToUnicode(static_cast<uint8_t>(code));
        if (cp == 0) continue;
        unsigned drawn = cp;
        if (cp == 0xA0) drawn = ' '; // no-break space looks like a space
        if (cp == 0xAD) drawn = '-'; // soft hyphen shows as a hyphen
        FT_UInt gi = FT_Get_Char_Index(face, drawn);
        if (gi == 0 ||
            FT_Load_Glyph(face, gi, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER | FT_LOAD_MONOCHROME) !=
                0) {
            if (report) *report += "no glyph for code " + std::to_string(code) + "\n";
            continue;
        }
        FT_GlyphSlot g = face->glyph;
        int natural = static_cast<int>((g->advance.x + 32) >> 6);
        int adv = natural;
        bool fixedWidth = false; // the advance comes from the device font's table
        if (r.systemAdvances) {
            int forced = systemAdvanceOf(static_cast<uint8_t>(code));
            if (forced == 0 && code == 0xA0) forced = systemAdvanceOf(' ');
            if (forced == 0 && code == 0xAD) forced = systemAdvanceOf('-');
            if (forced > 0) {
                adv = forced;
                fixedWidth = true;
            }
        }
        const FT_Bitmap& bm = g->bitmap;
        int inkW = static_cast<int>(bm.width);
        // A rasterised width never lets the ink run into the next letter (accented i's).
        if (!fixedWidth && inkW > 0) adv = std::max(adv, g->bitmap_left + inkW);
        // The device font is at most 14 pixels wide.
        adv = std::clamp(adv, 1, r.systemAdvances ? 14 : 16);
        // Centre the ink in the advance when the advance was changed; keep it inside the cell.
        int left = g->bitmap_left + (adv - natural) / 2;
        if (left + inkW > adv + 1) left = adv + 1 - inkW;
        if (left < 0) left = 0;
        if (left + inkW > 16) {
            if (report) *report += "code " + std::to_string(code) + " cut to 16 columns\n";
        }
        // A glyph that reaches below the cell (the underscore) is lifted to fit.
        int top = r.ascent - g->bitmap_top;
        int overflow = top + static_cast<int>(bm.rows) - r.cellHeight;
        if (overflow > 0 && top - overflow >= 0) top -= overflow;
        for (unsigned row = 0; row < bm.rows; ++row) {
            int y = top + static_cast<int>(row);
            if (y < 0 || y >= r.cellHeight) {
                bool any = false;
                for (unsigned col = 0; col < bm.width; ++col)
                    any =
                        any ||
                        ((bm.buffer[static_cast<long>(row) * bm.pitch + col / 8] >> (7 - col % 8)) &
                         1);
                if (any && report) *report += "code " + std::to_string(code) + " row cut\n";
                continue;
            }
            uint16_t bits = 0;
            for (unsigned col = 0; col < bm.width; ++col) {
                int x = left + static_cast<int>(col);
                if (x < 0 || x > 15) continue;
                if ((bm.buffer[static_cast<long>(row) * bm.pitch + col / 8] >> (7 - col % 8)) & 1)
                    bits = static_cast<uint16_t>(bits | (0x8000u >> x));
            }
            rows[static_cast<size_t>(code) * static_cast<size_t>(r.cellHeight) +
                 static_cast<size_t>(y)] = bits;
        }
        advance[static_cast<size_t>(code)] = static_cast<uint8_t>(adv);
        widest = std::max(widest, std::max(adv, std::min(16, left + inkW)));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);

    Bytes out;
    putTag(out, "GFNT");
    put8(out, 1);
    put8(out, static_cast<unsigned>(r.cellHeight));
    put8(out, static_cast<unsigned>(r.ascent));
    put8(out, static_cast<unsigned>(std::min(widest, 16)));
    for (uint8_t a : advance)
        put8(out, a);
    for (uint16_t row : rows)
        put16(out, row);
    return out;
}
