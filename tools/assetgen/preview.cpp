// Composes the game screen, the pause overlay, GAME OVER and a filled high-score table with the
// same raster operations the game uses, plus the tile set at four times its size, for review.
#include "preview.h"

#include <cstdint>
#include <string>

namespace {
uint32_t px(const Image& img, int x, int y) {
    return img.rgb24(x, y);
}
void put(Image& img, int x, int y, uint32_t c) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
    img.at(x, y) = {((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f,
                    1};
}

enum class Op { Copy, And, MergePaint };

void blit(Image& dst, const Image& src, int x, int y, Op op, int clipBottom = 100000) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx) {
            int dx = x + sx, dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height() || dy >= clipBottom)
                continue;
            uint32_t s = px(src, sx, sy), d = px(dst, dx, dy);
            uint32_t r = op == Op::Copy ? s : op == Op::And ? (s & d) : ((~s & 0xFFFFFF) | d);
            put(dst, dx, dy, r);
        }
}

// Text in the system font at `scale` times its size, with MERGEPAINT-like white or a colour.
void text(Image& dst, const Bytes& font, int x, int y, const std::string& s, int scale,
          uint32_t colour) {
    if (font.size() < 264) return;
    int h = font[5];
    int pen = x;
    for (unsigned char ch : s) {
        int adv = font[8 + ch];
        for (int gy = 0; gy < h; ++gy) {
            size_t at =
                264 +
                (static_cast<size_t>(ch) * static_cast<size_t>(h) + static_cast<size_t>(gy)) * 2;
            if (at + 1 >= font.size()) continue;
            uint16_t row = static_cast<uint16_t>(font[at] | (font[at + 1] << 8));
            for (int gx = 0; gx < 16; ++gx)
                if ((row >> (15 - gx)) & 1)
                    for (int k = 0; k < scale * scale; ++k)
                        put(dst, pen + gx * scale + k % scale, y + gy * scale + k / scale, colour);
        }
        pen += adv * scale;
    }
}

int textWidth(const Bytes& font, const std::string& s) {
    int w = 0;
    for (unsigned char ch : s)
        w += font.size() > 264 ? font[8 + ch] : 0;
    return w;
}

Image gameScreen(const std::map<int, Image>& b, const Bytes& font) {
    Image s = b.at(2000);
    const int board[6][6] = {{0, 0, 101, 102, 0, 0},   {108, 0, 101, 102, 101, 0},
                             {110, 110, 108, 0, 0, 0}, {0, 0, 0, 105, 0, 0},
                             {101, 0, 0, 114, 106, 0}, {0, 101, 0, 0, 108, 113}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            if (board[r][c] != 0) blit(s, b.at(board[r][c]), 121 + 54 * c, 121 + 54 * r, Op::Copy);
    // Two resting pile elements, darkened with their shadows, and one rising in its ring.
    int resting[2] = {107, 111};
    for (int k = 0; k < 2; ++k) {
        int y = 95 + 48 * k;
        blit(s, b.at(115), 48, y + 2, Op::Copy);
        blit(s, b.at(resting[k]), 42, y, Op::Copy);
        blit(s, b.at(115), 42, y, Op::And);
    }
    int y = 300;
    blit(s, b.at(115), 46, y + 6, Op::Copy, 404);
    blit(s, b.at(103), 42, y, Op::Copy, 404);
    blit(s, b.at(121), 18, y - 24, Op::MergePaint, 404);
    blit(s, b.at(117), 18, y - 24, Op::And, 404);
    std::string score = "1234567890";
    int cx = textWidth(font, score);
    text(s, font, 426 - 2 * cx, 48, score, 2, 0xFFFFFF);
    // A popup: "x16" in yellow at three times its size.
    text(s, font, 250, 280, "x16", 3, 0xFFFF00);
    return s;
}
} // namespace

Image makePreview(const std::map<int, Image>& b, const Bytes& font) {
    Image sheet(4 * 480 + 50, 480 * 2 + 30, rgb(0x808080));
    Image game = gameScreen(b, font);
    sheet.draw(game, 10, 10);

    Image paused = gameScreen(b, font);
    blit(paused, b.at(151), 120, 186, Op::MergePaint);
    blit(paused, b.at(153), 120, 186, Op::And);
    sheet.draw(paused, 500, 10);

    Image over = gameScreen(b, font);
    blit(over, b.at(124), 15, 150, Op::Copy);
    sheet.draw(over, 990, 10);

    Image scores = b.at(1501);
    blit(scores, b.at(1651), 21, 387, Op::Copy);
    const char* names[6] = {"Mathilde", "Jo", "WWWWWWWW", "Zo\xE9", "Bob", "Anna"};
    const char* values[6] = {"2147483647", "125840", "98000", "4520", "120", "0"};
    for (int i = 0; i < 6; ++i) {
        text(scores, font, 51, 91 + 51 * i, names[i], 2, 0xFFFFFF);
        text(scores, font, 246, 91 + 51 * i, values[i], 2, 0xFFFFFF);
    }
    sheet.draw(scores, 1480, 10);

    Image pausedFr = gameScreen(b, font);
    blit(pausedFr, b.at(150), 120, 186, Op::MergePaint);
    blit(pausedFr, b.at(152), 120, 186, Op::And);
    sheet.draw(pausedFr, 10, 500);
    Image scoresFr = b.at(1500);
    blit(scoresFr, b.at(1650), 21, 387, Op::Copy);
    sheet.draw(scoresFr, 500, 500);

    return sheet;
}

Image makeTileZoom(const std::map<int, Image>& b) {
    const int scale = 4, cell = 48 * scale + 8;
    const int dimmedTop = 2 * cell + 8 + 96 * scale / 2 + 8;
    Image sheet(8 * cell + 8, dimmedTop + 2 * cell, rgb(0x808080));
    for (int id = 100; id <= 123; ++id) {
        const Image& t = b.at(id);
        int s = id >= 116 ? scale / 2 : scale;
        int i = id - 100;
        int x = 8 + (i % 8) * cell, y = 8 + (i / 8) * cell;
        if (id >= 116) {
            x = 8 + (id - 116) * (96 * s + 8);
            y = 8 + 2 * cell;
        }
        for (int py = 0; py < t.height() * s; ++py)
            for (int q = 0; q < t.width() * s; ++q)
                sheet.at(x + q, y + py) = t.at(q / s, py / s);
    }
    // Every element as it rests in the pile: the gradient square ANDed over it.
    for (int id = 101; id <= 114; ++id) {
        Image dimmed = b.at(id);
        blit(dimmed, b.at(115), 0, 0, Op::And);
        int i = (id - 101) % 7, row = (id - 101) / 7;
        int x = 8 + i * cell, y = dimmedTop + row * cell;
        for (int py = 0; py < 48 * scale; ++py)
            for (int q = 0; q < 48 * scale; ++q)
                sheet.at(x + q, y + py) = dimmed.at(q / scale, py / scale);
    }
    return sheet;
}

Image makeFontSheet(const Bytes& systemFont, const Bytes& dialogFont) {
    Image sheet(1000, 760, rgb(0xFFFFFF));
    int y = 10;
    for (const Bytes* f : {&systemFont, &dialogFont}) {
        for (int row = 0; row < 7; ++row) {
            std::string line;
            for (int c = 32 + row * 32; c < 64 + row * 32 && c < 256; ++c)
                line += static_cast<char>(c);
            text(sheet, *f, 10, y, line, 2, 0x000000);
            y += 2 * (*f)[5] + 4;
        }
        text(sheet, *f, 10, y, "Voulez vous abandonner la partie actuelle ? 12345 x256", 2,
             0x000080);
        y += 2 * (*f)[5] + 4;
        text(sheet, *f, 10, y,
             "La couleur de l'\xE9l\xE9ment est diff\xE9rente  Fran\xE7"
             "ais",
             1, 0x000000);
        y += (*f)[5] + 12;
    }
    return sheet;
}
