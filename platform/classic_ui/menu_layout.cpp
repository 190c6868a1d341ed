// Lays out the menu bar and its pop-ups in the classic metrics and answers hit tests.
#include "platform/classic_ui/menu_layout.h"

#include <algorithm>

namespace classicui {
namespace {

constexpr int TitlePadding = 7; // each side of a bar title's text
constexpr int ItemLeft = 17;    // room for a check mark before the text
constexpr int ItemRight = 17;

bool selectable(const MenuItem& item) {
    return item.id != 0;
}

} // namespace

BarLayout LayoutBar(const MenuBar& menu, const BitmapFont& font) {
    BarLayout bar;
    int x = 0;
    for (const auto& popup : menu.popups) {
        MnemonicText text = ParseMnemonic(popup.title);
        int w = TextWidth(font, text.shown) + 2 * TitlePadding;
        bar.titles.push_back({x, 1, w, MenuBarHeight - 2});
        bar.texts.push_back(std::move(text));
        x += w;
    }
    return bar;
}

PopupLayout LayoutPopup(const MenuPopup& popup, Rect title, const BitmapFont& font, int windowW) {
    PopupLayout p;
    int textW = 0;
    for (const auto& item : popup.items) {
        p.texts.push_back(ParseMnemonic(item.text));
        textW = std::max(textW, TextWidth(font, p.texts.back().shown));
    }
    int innerW = ItemLeft + textW + ItemRight;
    int y = PopupBorder;
    for (const auto& item : popup.items) {
        int h = selectable(item) ? ItemHeight : SeparatorHeight;
        p.items.push_back({PopupBorder, y, innerW, h});
        y += h;
    }
    int w = innerW + 2 * PopupBorder;
    int h = y + PopupBorder;
    int x = std::max(std::min(title.x, windowW - w), 0);
    int top = title.y + title.h + 1;
    p.outer = {x, top, w, h};
    for (auto& r : p.items)
        r = r.moved(x, top);
    return p;
}

int HitTitle(const BarLayout& bar, int x, int y) {
    for (size_t i = 0; i < bar.titles.size(); ++i)
        if (bar.titles[i].contains(x, y)) return static_cast<int>(i);
    return -1;
}

int HitItem(const MenuPopup& popup, const PopupLayout& layout, int x, int y) {
    for (size_t i = 0; i < layout.items.size() && i < popup.items.size(); ++i)
        if (selectable(popup.items[i]) && layout.items[i].contains(x, y))
            return static_cast<int>(i);
    return -1;
}

int NextItem(const MenuPopup& popup, int from, int direction) {
    int n = static_cast<int>(popup.items.size());
    if (n == 0) return -1;
    int at = from;
    if (at < 0 || at >= n) at = direction > 0 ? -1 : n;
    for (int step = 0; step < n; ++step) {
        at = ((at + direction) % n + n) % n;
        if (selectable(popup.items[static_cast<size_t>(at)])) return at;
    }
    return -1;
}

int TitleForKey(const BarLayout& bar, char key) {
    if (key == 0) return -1;
    for (size_t i = 0; i < bar.texts.size(); ++i)
        if (bar.texts[i].key == key) return static_cast<int>(i);
    return -1;
}

int ItemForKey(const PopupLayout& layout, const MenuPopup& popup, char key) {
    if (key == 0) return -1;
    for (size_t i = 0; i < layout.texts.size() && i < popup.items.size(); ++i)
        if (selectable(popup.items[i]) && layout.texts[i].key == key) return static_cast<int>(i);
    return -1;
}

} // namespace classicui
