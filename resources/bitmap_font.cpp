// Reads the game's 1-bit bitmap fonts (.gfnt) and draws their glyphs into a Surface.
#include "resources/bitmap_font.h"

#include <cstring>
#include <map>

#include "resources/resources.h"

namespace {
constexpr size_t HeaderSize = 8;
constexpr size_t AdvanceTableSize = 256;
} // namespace

bool BitmapFont::pixel(uint8_t code, int x, int y) const {
    if (x < 0 || x >= 16 || y < 0 || y >= cellHeight) return false;
    uint16_t row =
        rows[static_cast<size_t>(code) * static_cast<size_t>(cellHeight) + static_cast<size_t>(y)];
    return ((row >> (15 - x)) & 1u) != 0;
}

BitmapFont ParseBitmapFont(std::span<const uint8_t> bytes) {
    BitmapFont font;
    if (bytes.size() < HeaderSize + AdvanceTableSize) return font;
    if (std::memcmp(bytes.data(), "GFNT", 4) != 0 || bytes[4] != 1) return font;
    int height = bytes[5];
    if (height == 0 || height > 64) return font;
    size_t glyphBytes = 256u * static_cast<size_t>(height) * 2u;
    if (bytes.size() < HeaderSize + AdvanceTableSize + glyphBytes) return font;

    font.ascent = bytes[6];
    font.maxWidth = bytes[7];
    for (size_t c = 0; c < 256; ++c)
        font.advance[c] = bytes[HeaderSize + c];
    font.rows.resize(256u * static_cast<size_t>(height));
    const uint8_t* p = bytes.data() + HeaderSize + AdvanceTableSize;
    for (size_t i = 0; i < font.rows.size(); ++i)
        font.rows[i] = static_cast<uint16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    font.cellHeight = height;
    return font;
}

const BitmapFont& EmbeddedFont(int id) {
    static std::map<int, BitmapFont> cache;
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.emplace(id, ParseBitmapFont(ResourceBytes(ResourceKind::Font, id))).first;
    return it->second;
}

int TextWidth(const BitmapFont& font, std::string_view text) {
    int width = 0;
    for (char ch : text)
        width += font.advanceOf(static_cast<uint8_t>(ch));
    return width;
}

void DrawGlyphs(Surface& target, const BitmapFont& font, int x, int y, std::string_view text,
                uint32_t color) {
    if (!font.valid()) return;
    int penX = x;
    for (char ch : text) {
        uint8_t code = font.glyphFor(static_cast<uint8_t>(ch));
        int advance = font.advance[code];
        for (int gy = 0; gy < font.cellHeight; ++gy) {
            int ty = y + gy;
            if (ty < 0 || ty >= target.height) continue;
            for (int gx = 0; gx < 16 && gx < advance + 2; ++gx) {
                int tx = penX + gx;
                if (tx < 0 || tx >= target.width) continue;
                if (font.pixel(code, gx, gy)) target.at(tx, ty) = color;
            }
        }
        penX += advance;
    }
}
