// Text written into surfaces in the system font: extent, colours and background mode.
#include "presentation/text.h"

#include <algorithm>
#include <cstdint>

#include "resources/bitmap_font.h"
#include "resources/resources.h"

namespace {
const BitmapFont* chosenFont = nullptr;
constexpr int SystemCellHeight = 16;
} // namespace

const BitmapFont& TextFont() {
    return chosenFont != nullptr ? *chosenFont : EmbeddedFont(SystemFontId);
}

void UseTextFont(const BitmapFont* font) {
    chosenFont = font;
}

TextExtent MeasureText(std::string_view text) {
    const BitmapFont& font = TextFont();
    return {TextWidth(font, text), font.valid() ? font.cellHeight : SystemCellHeight};
}

void WriteText(Surface& target, const TextState& state, int x, int y, std::string_view text) {
    if (target.empty() || !target.intact()) return;
    if (state.bkMode == BkMode::Opaque) {
        TextExtent extent = MeasureText(text);
        int64_t x0 = std::max<int64_t>(x, 0);
        int64_t y0 = std::max<int64_t>(y, 0);
        int64_t x1 = std::min<int64_t>(static_cast<int64_t>(x) + extent.cx, target.width);
        int64_t y1 = std::min<int64_t>(static_cast<int64_t>(y) + extent.cy, target.height);
        for (int64_t row = y0; row < y1; ++row)
            for (int64_t col = x0; col < x1; ++col)
                target.at(static_cast<int>(col), static_cast<int>(row)) = state.bkColor & 0xFFFFFF;
    }
    DrawGlyphs(target, TextFont(), x, y, text, state.textColor & 0xFFFFFF);
}
