// Lettering through FreeType: measuring, wrapping and rendering DejaVu text as coverage.
#include "lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "font_paths.h"

namespace {

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) {
            std::fprintf(stderr, "assetgen: FreeType does not start\n");
            std::exit(1);
        }
        return l;
    }();
    return lib;
}

FT_Face faceOf(Face face) {
    static std::map<Face, FT_Face> faces;
    auto it = faces.find(face);
    if (it != faces.end()) return it->second;
    const char* file = face == Face::Sans       ? SansFontPath
                       : face == Face::SansBold ? SansBoldFontPath
                                                : SerifBoldFontPath;
    FT_Face f = nullptr;
    if (FT_New_Face(library(), file, 0, &f) != 0) {
        std::fprintf(stderr, "assetgen: cannot open %s\n", file);
        std::exit(1);
    }
    faces[face] = f;
    return f;
}

// Sizes are set in 1/64 pixel so fractional sizes are honoured.
void setSize(FT_Face f, float size, float stretchX) {
    FT_Set_Char_Size(f, static_cast<FT_F26Dot6>(std::lround(size * stretchX * 64)),
                     static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
}

} // namespace

std::vector<unsigned> decodeUtf8(const std::string& s) {
    std::vector<unsigned> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned cp = c;
        size_t n = 1;
        if (c >= 0xF0) {
            cp = c & 0x07;
            n = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            n = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            n = 2;
        }
        for (size_t k = 1; k < n && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += n;
    }
    return out;
}

float textWidth(Face face, float size, const std::string& utf8) {
    FT_Face f = faceOf(face);
    setSize(f, size, 1.0f);
    float w = 0;
    FT_UInt prev = 0;
    for (unsigned cp : decodeUtf8(utf8)) {
        FT_UInt gi = FT_Get_Char_Index(f, cp);
        if (prev != 0 && gi != 0) {
            FT_Vector k;
            if (FT_Get_Kerning(f, prev, gi, FT_KERNING_UNFITTED, &k) == 0) w += k.x / 64.0f;
        }
        if (FT_Load_Glyph(f, gi, FT_LOAD_NO_HINTING) == 0) w += f->glyph->advance.x / 64.0f;
        prev = gi;
    }
    return w;
}

float capHeight(Face face, float size) {
    FT_Face f = faceOf(face);
    setSize(f, size, 1.0f);
    if (FT_Load_Char(f, 'H', FT_LOAD_NO_HINTING) != 0) return size * 0.73f;
    return f->glyph->metrics.horiBearingY / 64.0f;
}

void drawText(Coverage& mask, Face face, float size, float x, float baseline,
              const std::string& utf8, float stretchX) {
    FT_Face f = faceOf(face);
    setSize(f, size, stretchX);
    float pen = x;
    FT_UInt prev = 0;
    for (unsigned cp : decodeUtf8(utf8)) {
        FT_UInt gi = FT_Get_Char_Index(f, cp);
        if (prev != 0 && gi != 0) {
            FT_Vector k;
            if (FT_Get_Kerning(f, prev, gi, FT_KERNING_UNFITTED, &k) == 0) pen += k.x / 64.0f;
        }
        prev = gi;
        // Sub-pixel placement: shift the outline by the pen's fraction before rendering.
        float whole = std::floor(pen);
        FT_Vector delta{static_cast<FT_Pos>(std::lround((pen - whole) * 64)), 0};
        FT_Set_Transform(f, nullptr, &delta);
        if (FT_Load_Glyph(f, gi, FT_LOAD_NO_HINTING | FT_LOAD_RENDER) != 0) continue;
        FT_GlyphSlot g = f->glyph;
        const FT_Bitmap& bm = g->bitmap;
        int ox = static_cast<int>(whole) + g->bitmap_left;
        int oy = static_cast<int>(std::lround(baseline)) - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                int px = ox + static_cast<int>(col), py = oy + static_cast<int>(row);
                if (px < 0 || py < 0 || px >= mask.w || py >= mask.h) continue;
                float c = bm.buffer[static_cast<long>(row) * bm.pitch + col] / 255.0f;
                float& d = mask.v[static_cast<size_t>(py) * static_cast<size_t>(mask.w) +
                                  static_cast<size_t>(px)];
                d = std::min(1.0f, d + c - d * c);
            }
        pen += g->advance.x / 64.0f;
    }
    FT_Set_Transform(f, nullptr, nullptr);
}

std::vector<std::string> wrapText(Face face, float size, const std::string& utf8, float maxWidth) {
    std::vector<std::string> lines;
    std::string line, word;
    auto flushWord = [&] {
        if (word.empty()) return;
        std::string trial = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(face, size, trial) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = trial;
        }
        word.clear();
    };
    for (char c : utf8) {
        if (c == ' ')
            flushWord();
        else
            word += c;
    }
    flushWord();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

Coverage Coverage::dilated(float radius) const {
    Coverage out(w, h);
    int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    float c = at(x + dx, y + dy);
                    if (c <= best) continue;
                    float dist = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
                    float fall = clamp01(radius + 0.5f - dist);
                    best = std::max(best, c * fall);
                }
            out.v[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = best;
        }
    return out;
}

void Coverage::bounds(int& x0, int& y0, int& x1, int& y1) const {
    x0 = w;
    y0 = h;
    x1 = 0;
    y1 = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (at(x, y) > 0.02f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x + 1);
                y1 = std::max(y1, y + 1);
            }
    if (x1 == 0) x0 = y0 = 0;
}

void paintMask(Image& img, const Coverage& mask, const Shader& paint, float opacity) {
    for (int y = 0; y < img.height() && y < mask.h; ++y)
        for (int x = 0; x < img.width() && x < mask.w; ++x) {
            float c = mask.at(x, y);
            if (c > 0) img.blend(x, y, paint(x + 0.5f, y + 0.5f), c * opacity);
        }
}
