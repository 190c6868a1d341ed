// The SDL backend's display-free parts: units, text, mnemonics, edit fields, layout, icons.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/edit_field.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/mnemonic.h"
#include "platform/classic_ui/windows1252.h"
#include "platform/sdl/icon_decode.h"
#include "resources/resources.h"
#include "tests/platform/test_dialogs.h"

namespace {

using namespace classicui;
using testdlg::optionsDialog;

// A font whose every glyph is 6 pixels wide, 13 high.
BitmapFont fixedFont() {
    BitmapFont f;
    f.cellHeight = 13;
    f.ascent = 10;
    f.maxWidth = 6;
    f.advance.fill(6);
    f.rows.assign(256u * 13u, 0);
    return f;
}

TEST(DialogUnits, ConvertWithTheDialogFontsBaseUnits) {
    EXPECT_EQ(DialogX(150), 225);
    EXPECT_EQ(DialogY(60), 98);   // 97.5 rounds up, as MulDiv does
    EXPECT_EQ(DialogX(103), 155); // 154.5
    EXPECT_EQ(DialogY(15), 24);   // 24.375
    EXPECT_EQ(DialogY(8), 13);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2); // halves round away from zero
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(7, 1, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000); // no overflow in the product
}

TEST(Windows1252, TypedTextBecomesCodePageBytes) {
    EXPECT_EQ(Utf8ToWindows1252("Zo\xC3\xA9\xC3\xBF\xC2\xA0"), "Zo\xE9\xFF\xA0");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC\xC5\x93\xE2\x80\x94"), "\x80\x9C\x97");
    // Outside the code page: one '?' per character, whatever its length.
    EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\x80"
                                "b\xF0\x9F\x98\x80"
                                "c"),
              "a?b?c");
    // The C1 controls that 1252 uses for other characters are not typed as themselves.
    EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), "?");
    // Malformed input: stray continuation bytes, a cut sequence, overlong forms, surrogates.
    EXPECT_EQ(Utf8ToWindows1252("\x80x"), "?x");
    EXPECT_EQ(Utf8ToWindows1252("x\xC3"), "x?");
    EXPECT_EQ(Utf8ToWindows1252("\xC3x\xF0\x90\x80\x80"), "?x?");
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "??");
    EXPECT_EQ(Utf8ToWindows1252("\xE0\x81\x81"), "???");
    EXPECT_EQ(Utf8ToWindows1252("\xE0\xA0\x80"), "?");     // U+0800, the first of three bytes
    EXPECT_EQ(Utf8ToWindows1252("\xF4\x8F\xBF\xBF"), "?"); // U+10FFFF, the last character
    EXPECT_EQ(Utf8ToWindows1252("\xF4\x90\x80\x80"), "????");
    EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "???");
    EXPECT_EQ(Utf8ToWindows1252("\xED\xBF\xBF"), "???"); // the last surrogate
    EXPECT_EQ(Utf8ToWindows1252("a\tb\n"), "ab");
    // Every byte the code page defines comes back from its UTF-8 form; the five it leaves
    // undefined are shown as U+FFFD, which it cannot hold.
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b == 0x7F) continue;
        const std::string byte(1, static_cast<char>(b));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(byte)), undefined ? "?" : byte) << b;
    }
    EXPECT_EQ(Windows1252ToUtf8("\x81\x80"), "\xEF\xBF\xBD\xE2\x82\xAC");
}

TEST(Mnemonics, MarksUnderlinesAndLiteralAmpersands) {
    const struct {
        const char *label, *shown;
        int underline;
        char key;
    } cases[] = {{"E&xit", "Exit", 1, 'x'},
                 {"HighScore", "HighScore", -1, 0},
                 {"Salt && &Pepper", "Salt & Pepper", 7, 'p'},
                 {"&A &B", "A B", 0, 'a'},
                 {"end&", "end", -1, 0},
                 {"&\xC9"
                  "cran",
                  "\xC9"
                  "cran",
                  0, '\xE9'}};
    for (const auto& c : cases) {
        MnemonicText m = ParseMnemonic(c.label);
        EXPECT_EQ(m.shown, c.shown) << c.label;
        EXPECT_EQ(m.underline, c.underline) << c.label;
        EXPECT_EQ(m.key, c.key) << c.label;
    }
}

TEST(EditFields, TypingRespectsTheLimitAndTheCaret) {
    EditField e;
    e.setLimit(9);
    EXPECT_FALSE(e.type("ABCDEFGHIJKL"));
    EXPECT_EQ(e.text, "ABCDEFGHI");
    EXPECT_EQ(e.caret, 9u);
    e.home();
    e.right();
    e.deleteForward(); // removes B
    EXPECT_TRUE(e.type("x"));
    EXPECT_EQ(e.text, "AxCDEFGHI");
    EXPECT_FALSE(e.type("y")); // full again
    e.backspace();
    e.backspace();
    EXPECT_EQ(e.text, "CDEFGHI");
    EXPECT_EQ(e.caret, 0u);
    e.backspace(); // nothing before the caret
    EXPECT_EQ(e.text, "CDEFGHI");
    e.end();
    e.deleteForward(); // nothing after it
    EXPECT_EQ(e.text, "CDEFGHI");
    // A limit below the present length keeps the text but takes nothing more.
    e.setLimit(3);
    EXPECT_FALSE(e.type("z"));
    EXPECT_EQ(e.text, "CDEFGHI");
    e.setLimit(0); // no limit
    EXPECT_TRUE(e.type("zz"));
}

TEST(EditFields, TheViewFollowsTheCaret) {
    BitmapFont font = fixedFont();
    EditField e;
    e.type("abcdefghijklmnop"); // 96 pixels
    e.scrollToCaret(font, 60);
    EXPECT_GT(e.scroll, 0u);
    EXPECT_LT(e.caretX(font), 60);
    e.home();
    e.scrollToCaret(font, 60);
    EXPECT_EQ(e.scroll, 0u);
    e.caretToX(font, 14); // between the 2nd and 3rd character, nearer the 3rd
    EXPECT_EQ(e.caret, 2u);
    e.caretToX(font, 1000);
    EXPECT_EQ(e.caret, e.text.size());
}

TEST(DialogLayout, AtTheTemplatesPlaceFromTheClientWithControlsInPixels) {
    Rect client{0, 19, 480, 480}, window{0, 0, 480, 499};
    DialogGeometry g = LayoutDialog(optionsDialog, client, window);
    EXPECT_EQ(g.client.w, 375);
    EXPECT_EQ(g.client.h, 276);
    EXPECT_EQ(g.outer.w, 375 + 2 * DialogBorder);
    EXPECT_EQ(g.outer.h, 276 + 2 * DialogBorder + CaptionHeight);
    EXPECT_EQ(g.outer.x, 0) << "Options sits at (0, 0) of the client area";
    EXPECT_EQ(g.outer.y, 19);
    // The name dialog at (40, 40) dialog units: 60 and 65 pixels.
    DialogGeometry name = LayoutDialog(testdlg::nameDialog, client, window);
    EXPECT_EQ(name.outer.x, 60);
    EXPECT_EQ(name.outer.y, 19 + 65);
    // OK at (70, 140) 40 x 15 dialog units.
    EXPECT_EQ(g.controls[0].x, g.client.x + 105);
    EXPECT_EQ(g.controls[0].y, g.client.y + 228); // 227.5
    EXPECT_EQ(g.controls[0].w, 60);
    EXPECT_EQ(g.controls[0].h, 24);

    // A dialog larger than the window stays inside it from the top-left.
    DialogGeometry big = LayoutDialog(optionsDialog, {0, 19, 200, 200}, {0, 0, 200, 219});
    EXPECT_EQ(big.outer.x, 0);
    EXPECT_EQ(big.outer.y, 0);
}

TEST(DialogLayout, ClicksGoToButtonsNotToLabelsOrGroups) {
    DialogGeometry g = LayoutDialog(optionsDialog, {0, 19, 480, 480}, {0, 0, 480, 499});
    const Rect& ok = g.controls[0];
    EXPECT_EQ(HitControl(optionsDialog, g, ok.x, ok.y), 0);
    EXPECT_EQ(HitControl(optionsDialog, g, ok.x + ok.w, ok.y), -1); // right edge is outside
    const Rect& english = g.controls[4];
    EXPECT_EQ(HitControl(optionsDialog, g, english.x + 2, english.y + 2), 4);
    const Rect& group = g.controls[3]; // inside the group box, beside the radio buttons
    EXPECT_EQ(HitControl(optionsDialog, g, group.x + group.w - 3, group.y + group.h - 3), -1);
}

TEST(DialogLayout, TabEnterAndMnemonics) {
    EXPECT_EQ(TabOrder(optionsDialog), (std::vector<int>{0, 1, 2, 4, 5}));
    EXPECT_EQ(NextTabStop(optionsDialog, 2, false), 4); // skips the group box
    EXPECT_EQ(NextTabStop(optionsDialog, 5, false), 0); // wraps round
    EXPECT_EQ(NextTabStop(optionsDialog, 0, true), 5);
    EXPECT_EQ(NextTabStop(optionsDialog, -1, false), 0);
    // Enter: the focused push button, else the default one.
    EXPECT_EQ(EnterCommand(optionsDialog, 1), 2);
    EXPECT_EQ(EnterCommand(optionsDialog, 4), 1);
    EXPECT_EQ(DefaultButton(optionsDialog, 1), 1);
    EXPECT_EQ(DefaultButton(optionsDialog, 2), 0);
    const std::array<DialogControl, 1> labelOnly{{{ControlKind::Label, 5, "x", 0, 0, 9, 9}}};
    DialogTemplate bare{1, "", 0, 0, 50, 50, labelOnly};
    EXPECT_EQ(EnterCommand(bare, -1), 1); // IDOK without any button
    EXPECT_EQ(NextTabStop(bare, -1, false), -1);
    EXPECT_EQ(MnemonicControl(optionsDialog, 'h'), 2);
    EXPECT_EQ(MnemonicControl(optionsDialog, 'q'), -1);
}

TEST(DialogLayout, WrapsAtWordsAndCutsLongWords) {
    BitmapFont font = fixedFont();
    auto lines = WrapText(font, "one two three", 48); // 8 characters a line
    EXPECT_EQ(lines, (std::vector<std::string>{"one two", "three"}));
    lines = WrapText(font, "abcdefghijklmnop", 30);
    EXPECT_EQ(lines, (std::vector<std::string>{"abcde", "fghij", "klmno", "p"}));
    lines = WrapText(font, "a\n\nb", 100);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
    MessageBoxLayout m = LayoutMessageBox(font, "Too much users", "Glimora 1.00", {0, 19, 480, 480},
                                          {0, 0, 480, 499});
    ASSERT_EQ(m.lines.size(), 1u);
    // The caption is wider than the text: the box is as wide as the caption and its close box.
    EXPECT_EQ(m.frame.client.w, 12 * 6 + 2 * 16 + 8);
    EXPECT_TRUE(m.frame.client.contains(m.okButton.x, m.okButton.y));
    EXPECT_GE(m.okButton.y, m.textOrigin.y + m.textOrigin.h);
    EXPECT_LE(m.okButton.y + m.okButton.h, m.frame.client.y + m.frame.client.h);

    // A message box's lines are as wide as the window allows, to the pixel, at any width the
    // player gives it (borders and margins take 30 pixels), and 60 pixels where it allows less.
    font.advance['!'] = 1;
    const struct {
        const char* text;
        int window;
        std::vector<std::string> lines;
    } boxes[] = {
        {"one two three", 108, {"one two three"}},
        {"one two three", 107, {"one two", "three"}},
        {"one two ", 72, {"one two"}},
        {"abcdefghij!", 40, {"abcdefghij", "!"}},
    };
    for (const auto& b : boxes) {
        const Rect area{0, 19, b.window, 480}, bounds{0, 0, b.window, 499};
        EXPECT_EQ(LayoutMessageBox(font, b.text, "", area, bounds).lines, b.lines)
            << b.text << " in " << b.window;
    }
}

const std::array<MenuItem, 4> gameItems{
    {{9072, "&New Game"}, {9076, "HighScore"}, {0, ""}, {9074, "E&xit"}}};
const std::array<MenuItem, 1> aboutItems{{{9069, "&About"}}};
const std::array<MenuPopup, 2> popups{{{"G&limora", gameItems}, {"A&bout", aboutItems}}};
const MenuBar menu{"MAINMENUENG", popups};

TEST(MenuLayout, TitlesItemsAndSeparators) {
    BitmapFont font = fixedFont();
    BarLayout bar = LayoutBar(menu, font);
    ASSERT_EQ(bar.titles.size(), 2u);
    EXPECT_EQ(bar.titles[0].x, 0);
    EXPECT_EQ(bar.titles[1].x, bar.titles[0].w);
    EXPECT_EQ(bar.texts[0].shown, "Glimora");
    EXPECT_EQ(HitTitle(bar, bar.titles[1].x + 1, 5), 1);
    EXPECT_EQ(HitTitle(bar, bar.titles[1].x + bar.titles[1].w + 5, 5), -1);
    EXPECT_EQ(TitleForKey(bar, 'b'), 1);

    PopupLayout p = LayoutPopup(popups[0], bar.titles[0], font, 480);
    EXPECT_EQ(p.outer.y, MenuBarHeight);
    EXPECT_EQ(p.items[2].h, SeparatorHeight);
    EXPECT_EQ(HitItem(popups[0], p, p.items[3].x + 5, p.items[3].y + 5), 3);
    EXPECT_EQ(HitItem(popups[0], p, p.items[2].x + 5, p.items[2].y + 4), -1); // separator
    EXPECT_EQ(ItemForKey(p, popups[0], 'x'), 3);
    EXPECT_EQ(ItemForKey(p, popups[0], 'h'), -1); // HighScore has no mnemonic

    // A pop-up that would leave a narrow window is moved left into it.
    PopupLayout narrow = LayoutPopup(popups[1], {400, 1, 40, 17}, font, 420);
    EXPECT_LE(narrow.outer.x + narrow.outer.w, 420);
}

TEST(MenuLayout, ArrowKeysSkipSeparatorsAndWrap) {
    EXPECT_EQ(NextItem(popups[0], -1, 1), 0);
    EXPECT_EQ(NextItem(popups[0], 1, 1), 3);
    EXPECT_EQ(NextItem(popups[0], 3, 1), 0);
    EXPECT_EQ(NextItem(popups[0], 0, -1), 3);
    EXPECT_EQ(NextItem(popups[0], -1, -1), 3);
    const std::array<MenuItem, 1> onlySeparator{{{0, ""}}};
    EXPECT_EQ(NextItem(MenuPopup{"x", onlySeparator}, -1, 1), -1);
    EXPECT_EQ(NextItem(MenuPopup{"x", {}}, -1, 1), -1);
}

// An icon file with the given entries; each entry is (width, height, image bytes).
struct IconEntry {
    int w, h;
    std::vector<uint8_t> bytes;
};

void put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v.push_back(i < 4 ? static_cast<uint8_t>(x >> (8 * i)) : 0);
}

std::vector<uint8_t> iconFile(const std::vector<IconEntry>& entries) {
    std::vector<uint8_t> f;
    put(f, 1u << 16, 4); // reserved, type icon
    put(f, static_cast<uint32_t>(entries.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const auto& e : entries) {
        put(f, static_cast<uint32_t>(e.w) | static_cast<uint32_t>(e.h) << 8, 4);
        put(f, 1 | 24u << 16, 4); // planes, bits
        put(f, static_cast<uint32_t>(e.bytes.size()), 4);
        put(f, offset, 4);
        offset += static_cast<uint32_t>(e.bytes.size());
    }
    for (const auto& e : entries)
        f.insert(f.end(), e.bytes.begin(), e.bytes.end());
    return f;
}

// A 24-bit BMP icon image, w a multiple of 4 up to 32: the top-left pixel red, the rest blue;
// the bottom-right pixel transparent in the AND mask.
std::vector<uint8_t> bmpImage(int w, int h) {
    std::vector<uint8_t> v;
    put(v, 40, 4);
    put(v, static_cast<uint32_t>(w), 4);
    put(v, static_cast<uint32_t>(2 * h), 4);
    put(v, 1 | 24u << 16, 4); // planes, bits
    put(v, 0, 24);
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    for (size_t i = 0; i < n; ++i) // rows bottom-up, so the top row's first pixel is n - w
        put(v, i == n - static_cast<size_t>(w) ? 0xFF0000 : 0x0000FF, 3);
    const size_t mask = v.size();
    v.resize(mask + 4 * static_cast<size_t>(h), 0); // four bytes a row, the bottom row first
    v[mask + static_cast<size_t>(w - 1) / 8] = static_cast<uint8_t>(0x80 >> ((w - 1) % 8));
    return v;
}

TEST(IconDecoding, TakesTheLargestImageThatDecodes) {
    // A PNG image cut short after its signature is passed over.
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
    auto file = iconFile({{16, 16, bmpImage(16, 16)}, {0, 0, png}, {32, 32, bmpImage(32, 32)}});
    IconImage icon = DecodeLargestIcon(file);
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    EXPECT_EQ(icon.argb[0], 0xFFFF0000u);           // top-left red, opaque
    EXPECT_EQ(icon.argb[1], 0xFF0000FFu);           // blue
    EXPECT_EQ(icon.argb[32 * 32 - 1], 0x000000FFu); // masked out: transparent
}

TEST(IconDecoding, RefusesBrokenFiles) {
    auto good = iconFile({{16, 16, bmpImage(16, 16)}});
    EXPECT_FALSE(DecodeLargestIcon(good).empty());
    // Every truncation of the file is refused or decoded from what is whole, never read past.
    for (size_t cut = 0; cut < good.size(); cut += 7) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_TRUE(DecodeLargestIcon(part).empty()) << cut;
    }
    auto badOffset = good;
    badOffset[18] = 0xFF; // entry offset far beyond the file
    badOffset[19] = 0xFF;
    EXPECT_TRUE(DecodeLargestIcon(badOffset).empty());
    auto hugeWidth = good;
    hugeWidth[22 + 4 + 3] = 0x7F; // BITMAPINFOHEADER width
    EXPECT_TRUE(DecodeLargestIcon(hugeWidth).empty());
    auto notIcon = good;
    notIcon[2] = 2; // a cursor file
    EXPECT_TRUE(DecodeLargestIcon(notIcon).empty());
}

TEST(IconDecoding, TheWindowIconHasAnImageToShow) {
    auto bytes = ResourceBytes(ResourceKind::Icon, WindowIconId);
    if (bytes.empty()) GTEST_SKIP() << "no icon resource in this build";
    classicui::IconImage icon = classicui::DecodeLargestIcon(bytes);
    ASSERT_FALSE(icon.empty());
    // The 256-pixel PNG image, so that docks and task switchers show it sharp.
    EXPECT_EQ(icon.width, 256);
    EXPECT_EQ(icon.height, 256);
    EXPECT_EQ(icon.argb.size(), static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height));
    size_t opaque = 0;
    for (uint32_t p : icon.argb)
        opaque += (p >> 24) != 0 ? 1 : 0;
    EXPECT_GT(opaque, icon.argb.size() / 4);
}

} // namespace
