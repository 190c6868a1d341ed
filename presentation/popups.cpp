// The score popups: their label images and masks, their rise over the board, their removal.
#include "presentation/popups.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "presentation/canvas.h"
#include "presentation/graphics.h"

namespace {

constexpr uint32_t Yellow = rgb(255, 255, 0);
constexpr int PopupRise = 2;
constexpr int LastPopupStep = 3;
constexpr int LabelScale = 3; // a label is shown at three times its text's size

// The number of popup entries in use, whatever the count says.
int popupsInUse(const GameState& game) {
    return std::clamp(game.popupCount, 0, PopupCapacity);
}

bool validStyle(PopupStyle style) {
    int s = static_cast<int>(style);
    return s >= 0 && s < 3;
}

LabelSize& sizeOf(GameState& game, PopupStyle style) {
    switch (style) {
    case PopupStyle::Paint:
        return game.PaintLabelSize;
    case PopupStyle::Clear:
        return game.ClearLabelSize;
    case PopupStyle::Multiplier:
        break;
    }
    return game.MultiplierLabelSize;
}

void renderImage(PopupStyle style, std::string_view text) {
    TextStrip& image = LabelImages[static_cast<size_t>(style)];
    FillWhite(image.surface, 0, 0, StripWidth, LabelStripHeight);
    TextState saved = image.state;
    image.state.textColor = Yellow;
    image.state.bkMode = BkMode::Transparent;
    WriteText(image.surface, image.state, 0, 0, text);
    image.state = saved;
}

void renderMask(PopupStyle style, std::string_view text) {
    TextStrip& mask = LabelMasks[static_cast<size_t>(style)];
    FillWhite(mask.surface, 0, 0, StripWidth, LabelStripHeight);
    TextState saved = mask.state;
    mask.state = TextState{rgb(0, 0, 0), rgb(255, 255, 255), BkMode::Transparent};
    WriteText(mask.surface, mask.state, 0, 0, text);
    mask.state = saved;
}

void measure(GameState& game, PopupStyle style, std::string_view text) {
    TextExtent extent = MeasureText(text);
    sizeOf(game, style) = LabelSize{extent.cx, extent.cy};
}

} // namespace

void RenderPopupLabels(GameState& game) {
    char paint[16];
    char clear[16];
    std::snprintf(paint, sizeof paint, "%d", static_cast<int>(game.paintPoints));
    std::snprintf(clear, sizeof clear, "%d", static_cast<int>(game.clearPoints));
    renderImage(PopupStyle::Paint, paint);
    measure(game, PopupStyle::Paint, paint);
    renderImage(PopupStyle::Clear, clear);
    measure(game, PopupStyle::Clear, clear);
    renderMask(PopupStyle::Paint, paint);
    renderMask(PopupStyle::Clear, clear);
}

void RenderMultiplierLabel(GameState& game) {
    char text[16];
    std::snprintf(text, sizeof text, "x%d", static_cast<int>(game.multiplier));
    renderImage(PopupStyle::Multiplier, text);
    measure(game, PopupStyle::Multiplier, text);
    renderMask(PopupStyle::Multiplier, text);
}

void AnimatePopups(GameState& game, uint32_t now) {
    for (int i = 0; i < popupsInUse(game); ++i) {
        ScorePopup& popup = game.popups[static_cast<size_t>(i)];
        if (now - static_cast<uint32_t>(popup.tick) <= PopupStepInterval) continue;

        // A popup of an unknown style still runs its course, but shows nothing.
        const bool shown = validStyle(popup.style);
        const int w = shown ? std::clamp(sizeOf(game, popup.style).width, 0, StripWidth) : 0;
        if (shown) {
            // Erase: the clean background over the text's place, three times its width.
            DrawToWindow(ScaleX(popup.x), ScaleY(popup.y), ScaleX(w) * LabelScale,
                         ScaleY(LabelStripHeight), BackBuffer, popup.x, popup.y, LabelScale * w,
                         LabelStripHeight, Rop::SrcCopy);
        }
        if (popup.step > LastPopupStep) {
            RemovePopup(game, i);
            continue;
        }
        popup.y = popup.y > INT32_MIN + PopupRise ? popup.y - PopupRise : INT32_MIN;
        if (shown) {
            const size_t s = static_cast<size_t>(popup.style);
            const int x = ScaleX(popup.x);
            const int y = ScaleY(popup.y);
            const int dw = ScaleX(w) * LabelScale;
            const int dh = ScaleY(LabelStripHeight) * LabelScale;
            DrawToWindow(x, y, dw, dh, LabelMasks[s].surface, 0, 0, w, LabelStripHeight,
                         Rop::MergePaint);
            DrawToWindow(x, y, dw, dh, LabelImages[s].surface, 0, 0, w, LabelStripHeight,
                         Rop::SrcAnd);
        }
        popup.tick = static_cast<int32_t>(now);
        popup.step = popup.step < INT32_MAX ? popup.step + 1 : INT32_MAX;
    }
}

void RemovePopup(GameState& game, int index) {
    const int count = popupsInUse(game);
    if (index < 0 || index >= count) return;
    for (int j = index; j + 1 < count; ++j)
        game.popups[static_cast<size_t>(j)] = game.popups[static_cast<size_t>(j + 1)];
    game.popupCount = count - 1;
}

void ClearPopups(GameState& game) {
    game.popupCount = 0;
}
