// Geometry of the drawn menu bar and its pop-ups, hit tests and keyboard moves.
#pragma once

#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/mnemonic.h"
#include "platform/ui_types.h"
#include "resources/bitmap_font.h"

namespace classicui {

// The bar above the client area, as tall as the classic menu bar.
constexpr int MenuBarHeight = 19;
constexpr int ItemHeight = 17;     // a text item of a pop-up
constexpr int SeparatorHeight = 9; // a separator of a pop-up
constexpr int PopupBorder = 3;

struct BarLayout {
    std::vector<Rect> titles; // one per pop-up, window pixels
    std::vector<MnemonicText> texts;
};

struct PopupLayout {
    Rect outer;
    std::vector<Rect> items; // one per item, separators included
    std::vector<MnemonicText> texts;
};

BarLayout LayoutBar(const MenuBar& menu, const BitmapFont& font);
// The pop-up hanging below title `index`, kept inside a window `windowW` pixels wide.
PopupLayout LayoutPopup(const MenuPopup& popup, Rect title, const BitmapFont& font, int windowW);

// The title or item under a point, -1 for none (separators are never hit).
int HitTitle(const BarLayout& bar, int x, int y);
int HitItem(const MenuPopup& popup, const PopupLayout& layout, int x, int y);

// The next item that can be chosen going down (+1) or up (-1) from `from`, wrapping
// round; -1 when the pop-up has none. from = -1 starts before the first.
int NextItem(const MenuPopup& popup, int from, int direction);
// The title and item whose mnemonic is `key` (lower case); -1 for none.
int TitleForKey(const BarLayout& bar, char key);
int ItemForKey(const PopupLayout& layout, const MenuPopup& popup, char key);

} // namespace classicui
