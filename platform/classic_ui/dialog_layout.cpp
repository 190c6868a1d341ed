// Dialog geometry from templates in dialog units, hit tests, tab order and message boxes.
#include "platform/classic_ui/dialog_layout.h"

#include <algorithm>
#include <cstdint>

#include "platform/classic_ui/mnemonic.h"

namespace classicui {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1; // as Windows answers a division by zero
    int64_t product = static_cast<int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    int64_t num = product < 0 ? -product : product;
    int64_t den = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t q = (num + den / 2) / den;
    return static_cast<int>(negative ? -q : q);
}

DialogGeometry LayoutFrameAt(int clientW, int clientH, int x, int y, Rect bounds) {
    DialogGeometry g;
    int w = clientW + 2 * DialogBorder;
    int h = clientH + 2 * DialogBorder + CaptionHeight;
    // Keep the caption reachable: inside the window where the dialog fits.
    x = std::max(std::min(x, bounds.x + bounds.w - w), bounds.x);
    y = std::max(std::min(y, bounds.y + bounds.h - h), bounds.y);
    g.outer = {x, y, w, h};
    g.caption = {x + DialogBorder, y + DialogBorder, clientW, CaptionHeight - 1};
    g.closeBox = {g.caption.x + g.caption.w - 18, g.caption.y + 2, 16, 14};
    g.client = {x + DialogBorder, y + DialogBorder + CaptionHeight, clientW, clientH};
    return g;
}

DialogGeometry LayoutFrame(int clientW, int clientH, Rect area, Rect bounds) {
    const int w = clientW + 2 * DialogBorder;
    const int h = clientH + 2 * DialogBorder + CaptionHeight;
    return LayoutFrameAt(clientW, clientH, area.x + (area.w - w) / 2, area.y + (area.h - h) / 2,
                         bounds);
}

DialogGeometry LayoutDialog(const DialogTemplate& dialog, Rect area, Rect bounds) {
    // A dialog owned by the main window sits at its template's position from the origin of
    // the window's client area, as Windows places it.
    DialogGeometry g =
        LayoutFrameAt(DialogX(dialog.cx), DialogY(dialog.cy), area.x + DialogX(dialog.x),
                      area.y + DialogY(dialog.y), bounds);
    for (const auto& c : dialog.controls)
        g.controls.push_back(
            {g.client.x + DialogX(c.x), g.client.y + DialogY(c.y), DialogX(c.cx), DialogY(c.cy)});
    return g;
}

bool IsTabStop(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::GroupBox;
}

std::vector<int> TabOrder(const DialogTemplate& dialog) {
    std::vector<int> order;
    for (size_t i = 0; i < dialog.controls.size(); ++i)
        if (IsTabStop(dialog.controls[i].kind)) order.push_back(static_cast<int>(i));
    return order;
}

int NextTabStop(const DialogTemplate& dialog, int current, bool backwards) {
    std::vector<int> order = TabOrder(dialog);
    if (order.empty()) return -1;
    auto it = std::find(order.begin(), order.end(), current);
    if (it == order.end()) return backwards ? order.back() : order.front();
    auto at = static_cast<size_t>(it - order.begin());
    size_t n = order.size();
    return order[backwards ? (at + n - 1) % n : (at + 1) % n];
}

int HitControl(const DialogTemplate& dialog, const DialogGeometry& geometry, int x, int y) {
    for (size_t i = 0; i < dialog.controls.size() && i < geometry.controls.size(); ++i) {
        if (!IsTabStop(dialog.controls[i].kind)) continue;
        if (geometry.controls[i].contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

namespace {

bool isPushButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton;
}

bool validIndex(const DialogTemplate& dialog, int i) {
    return i >= 0 && static_cast<size_t>(i) < dialog.controls.size();
}

} // namespace

int DefaultButton(const DialogTemplate& dialog, int focused) {
    if (validIndex(dialog, focused) &&
        isPushButton(dialog.controls[static_cast<size_t>(focused)].kind))
        return focused;
    for (size_t i = 0; i < dialog.controls.size(); ++i)
        if (dialog.controls[i].kind == ControlKind::DefPushButton) return static_cast<int>(i);
    return -1;
}

int EnterCommand(const DialogTemplate& dialog, int focused) {
    int button = DefaultButton(dialog, focused);
    return button >= 0 ? dialog.controls[static_cast<size_t>(button)].id : 1;
}

int MnemonicControl(const DialogTemplate& dialog, char key) {
    if (key == 0) return -1;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const auto& c = dialog.controls[i];
        if (!IsTabStop(c.kind) || c.kind == ControlKind::Edit) continue;
        if (ParseMnemonic(c.text).key == key) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> WrapText(const BitmapFont& font, std::string_view text, int maxWidth) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        std::string_view para =
            text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        std::string line;
        size_t i = 0;
        while (i < para.size()) {
            size_t wordEnd = para.find(' ', i);
            if (wordEnd == std::string_view::npos) wordEnd = para.size();
            std::string_view word = para.substr(i, wordEnd - i);
            std::string candidate =
                line.empty() ? std::string(word) : line + " " + std::string(word);
            if (TextWidth(font, candidate) <= maxWidth || line.empty()) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = std::string(word);
            }
            // A single word wider than the line is cut between characters.
            while (TextWidth(font, line) > maxWidth && line.size() > 1) {
                size_t fit = 1;
                while (fit < line.size() && TextWidth(font, line.substr(0, fit + 1)) <= maxWidth)
                    ++fit;
                lines.push_back(line.substr(0, fit));
                line.erase(0, fit);
            }
            i = wordEnd + 1;
        }
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

MessageBoxLayout LayoutMessageBox(const BitmapFont& font, std::string_view text,
                                  std::string_view caption, Rect area, Rect bounds) {
    MessageBoxLayout m;
    constexpr int Margin = 12, ButtonW = 75, ButtonH = 23, Gap = 14;
    int lineH = font.valid() ? font.cellHeight : 13;
    int maxText = std::max(bounds.w - 2 * DialogBorder - 2 * Margin, 60);
    m.lines = WrapText(font, text, maxText);
    int textW = 0;
    for (const auto& line : m.lines)
        textW = std::max(textW, TextWidth(font, line));
    int textH = lineH * static_cast<int>(m.lines.size());
    int clientW =
        std::max({textW + 2 * Margin, ButtonW + 2 * Margin, TextWidth(font, caption) + 2 * 16 + 8});
    int clientH = Margin + textH + Gap + ButtonH + Margin;
    m.frame = LayoutFrame(clientW, clientH, area, bounds);
    const Rect& c = m.frame.client;
    m.textOrigin = {c.x + Margin, c.y + Margin, textW, textH};
    m.okButton = {c.x + (c.w - ButtonW) / 2, c.y + Margin + textH + Gap, ButtonW, ButtonH};
    return m;
}

} // namespace classicui
