// The board picture, the title, help and high-score screens, the Play again button and the
// pause overlay, all laid out on the 480 by 480 canvas round the places the game draws to.
#include "screens.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "painters.h"
#include "tiles.h"

namespace {

struct Words {
    const char* play;
    const char* options;
    const char* help;
    const char* exit;
    const char* playAgain;
    const char* highScores;
    const char* pause;
    const char* clickToGoOn;
    const char* rules[3];
    const char* rulesTitle;
    const char* tagline;
};

const Words French = {
    "Jouer",
    "Options",
    "Aide",
    "Sortir",
    "Jouer",
    "Meilleurs scores",
    "PAUSE",
    "Cliquez pour continuer",
    {"Formez des lignes ou des colonnes d'au moins trois éléments identiques de la même couleur : "
     "ils disparaissent et rapportent des points.",
     "Posez l'élément actif de la pile sur une case vide ou sur une case de sa couleur.",
     "Des flèches alignées dans leur propre direction donnent un bonus : par exemple trois flèches "
     "rouges vers la droite sur une ligne, ou trois flèches vertes vers le haut dans une colonne."},
    "Règles du jeu",
    "Alignez les gemmes, peignez le plateau !"};

const Words English = {
    "Play",
    "Options",
    "Help",
    "Exit",
    "Play again",
    "High Scores",
    "PAUSE",
    "Click to continue",
    {"Make rows or columns of three or more identical elements of the same colour: they vanish "
     "and score points.",
     "Put the active element of the pile on an empty square or on a square of its own colour.",
     "Arrows lined up in their own direction give a bonus: for example three red arrows pointing "
     "right in a row, or three green arrows pointing up in a column."},
    "How to play",
    "Line up the gems, paint the board!"};

const Words& wordsOf(int language) {
    return language == 0 ? French : English;
}

Face faceOfIndex(int f) {
    return f == 0 ? Face::Sans : f == 1 ? Face::SansBold : Face::SerifBold;
}

// The board's 6 by 6 grid: a bevelled frame with dark grooves between the squares.
void paintGrid(Image& img, float x0, float y0, float pitch, float square, float frame) {
    float x1 = x0 + pitch * 5 + square, y1 = y0 + pitch * 5 + square;
    paintFrame(img, x0 - 3, y0 - 3, x1 + 3, y1 + 3, frame, 6, rgb(0x8C93B8));
    img.fill(roundedBox(x0 - 3, y0 - 3, x1 + 3, y1 + 3, 6), [=](float x, float y) {
        return mix(rgb(0x1A1D30), rgb(0x262A44), clamp01((x + y - x0 - y0) / (x1 + y1 - x0 - y0)));
    });
}

void paintTileAt(Image& img, TileColour c, TileKind k, int x, int y, int size) {
    Image tile = paintSquare(c, k);
    if (size == 48)
        img.draw(tile, x, y);
    else
        img.drawScaled(tile, x, y, size, size);
}

TextStyle chalk(float size) {
    TextStyle st;
    st.face = Face::Sans;
    st.size = size;
    st.top = rgb(0xF4F4EC);
    st.bottom = rgb(0xE4E6DA);
    return st;
}

TextStyle heading(float size) {
    TextStyle st;
    st.face = Face::SansBold;
    st.size = size;
    st.top = rgb(0xFFF6C8);
    st.bottom = rgb(0xF0A020);
    st.outline = rgb(0x1E0C00);
    st.outlineWidth = 2;
    st.shadow = 3;
    return st;
}
} // namespace

float fittedSize(int face, const char* utf8, float width, float size) {
    while (size > 6 && textWidth(faceOfIndex(face), size, utf8) > width)
        size -= 0.5f;
    return size;
}

Image paintBoardPicture() {
    Image img(480, 480);
    paintBackdrop(img);
    // Logo at the top left, clear of the score box and the pile column.
    float size = std::min(56.0f, fittedSize(2, "Glimora", 210, 60));
    paintLogo(img, 16, 72, size);

    // Score box: black, round the score's place (right edge 426, top 48, two 16-pixel lines).
    paintFrame(img, 250, 36, 433, 94, 6, 7, rgb(0xB8BED8));
    img.fill(roundedBox(250, 36, 433, 94, 7), rgb(0x000000));

    TextStyle label = heading(15);
    label.outlineWidth = 1.5f;
    label.shadow = 1.5f;
    paintText(img, "SCORE", 341, 24, label, true);

    // Pile column: sand in a black frame.
    img.fill(roundedBox(22, 80, 112, 416, 8), rgb(0x000000, 0.35f));
    paintFrame(img, 30, 88, 104, 408, 5, 4, rgb(0x9A7A48));
    img.fill(roundedBox(30, 88, 104, 408, 3), rgb(0x000000));
    img.fill(roundedBox(34, 92, 100, 404, 1), [](float x, float y) {
        Rgba c = mix(rgb(0xF0D9A0), rgb(0xD8B978), clamp01((y - 92) / 312));
        float g = grain(static_cast<int>(x), static_cast<int>(y), 21);
        c = shade(c, 1 + 0.05f * g);
        // Soft inner shadow under the frame's top and left edges.
        float edge = std::min(x - 34, y - 92);
        return shade(c, 1 - 0.25f * (1 - smoothstep(0, 6, edge)));
    });

    // Grid: squares at 121 + 54 c, 48 wide, grooves between them.
    paintGrid(img, 121, 121, 54, 48, 7);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r)
            paintTileAt(img, TileColour::Plain, TileKind::None, 121 + 54 * c, 121 + 54 * r, 48);
    return img;
}

Image paintTitleScreen(int language) {
    const Words& w = wordsOf(language);
    Image img(480, 480);
    paintBackdrop(img);
    float size = fittedSize(2, "Glimora", 300, 84);
    paintLogo(img, 240 - logoWidth(size) / 2, 100, size);

    // A game in progress: a small board with a few pieces and coloured squares.
    const int pitch = 35, sq = 31, bx = 82, by = 146;
    paintGrid(img, bx, by, pitch, sq, 6);
    // Its pile column with two resting pieces and the active one in its ring.
    const int px0 = 20, px1 = 64, py0 = by - 3, py1 = by + pitch * 5 + sq + 3;
    paintFrame(img, static_cast<float>(px0), static_cast<float>(py0), static_cast<float>(px1),
               static_cast<float>(py1), 4, 3, rgb(0x9A7A48));
    img.fill(roundedBox(px0, py0, px1, py1, 2), rgb(0x000000));
    img.fill(roundedBox(px0 + 3, py0 + 3, px1 - 3, py1 - 3, 1), [=](float, float y) {
        return mix(rgb(0xF0D9A0), rgb(0xD8B978), clamp01((y - py0) / (py1 - py0)));
    });
    const int pile[2] = {4, 9};
    for (int k = 0; k < 2; ++k) {
        TileColour c = pile[k] < 7 ? TileColour::Green : TileColour::Red;
        TileKind kind = static_cast<TileKind>(pile[k] < 7 ? pile[k] : pile[k] - 7);
        Image tile(31, 31);
        tile.drawScaled(paintSquare(c, kind), 0, 0, 31, 31);
        Image shadeSq(31, 31);
        shadeSq.drawScaled(paintGradientSquare(), 0, 0, 31, 31);
        // Resting pieces are darkened towards their bottom-right corner, as in the game.
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 31; ++x) {
                Rgba t = tile.at(x, y), g = shadeSq.at(x, y);
                tile.at(x, y) = {t.r * (0.35f + 0.65f * g.r), t.g * (0.35f + 0.65f * g.g),
                                 t.b * (0.35f + 0.65f * g.b), 1};
            }
        img.draw(tile, px0 + 7, py0 + 6 + 32 * k);
    }
    const int activeY = py0 + 130;
    paintTileAt(img, TileColour::Green, TileKind::Star, px0 + 7, activeY, 31);
    Image ring = paintBallRing(1);
    Image ringLayer(62, 62, {1, 1, 1, 0});
    ringLayer.drawScaled(ring, 0, 0, 62, 62);
    for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 62; ++x)
            if (ringLayer.rgb24(x, y) != 0xFFFFFF)
                img.blend(px0 + 7 - 15 + x, activeY - 15 + y, ringLayer.at(x, y), 1);
    const char* layout[6] = {"p.gG.p", "r.gGgp", "RRr.pp", ".pp<pp", "gpp*Dp", "pgpprp"};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) {
            char ch = layout[r][c];
            TileColour col = TileColour::Plain;
            TileKind kind = TileKind::None;
            switch (ch) {
            case 'g':
                col = TileColour::Green;
                break;
            case 'r':
                col = TileColour::Red;
                break;
            case 'G':
                col = TileColour::Green;
                kind = TileKind::ArrowUp;
                break;
            case 'R':
                col = TileColour::Red;
                kind = TileKind::ArrowRight;
                break;
            case '<':
                col = TileColour::Green;
                kind = TileKind::ArrowLeft;
                break;
            case '*':
                col = TileColour::Red;
                kind = TileKind::Star;
                break;
            case 'D':
                col = TileColour::Green;
                kind = TileKind::Diamond;
                break;
            default:
                break;
            }
            paintTileAt(img, col, kind, bx + pitch * c, by + pitch * r, sq);
        }

    TextStyle tag;
    tag.size = fittedSize(1, w.tagline, 420, 19);
    tag.top = rgb(0xFFFFFF);
    tag.bottom = rgb(0xB8CCFF);
    tag.outline = rgb(0x0A0E26);
    tag.outlineWidth = 2;
    tag.shadow = 2;
    paintText(img, w.tagline, 240, 428, tag, true);

    float ts = 24;
    paintButton(img, 306, 136, 422, 184, w.play, ButtonShape::Pill, fittedSize(1, w.play, 96, ts));
    paintButton(img, 306, 235, 422, 283, w.options, ButtonShape::Pill,
                fittedSize(1, w.options, 96, ts));
    paintButton(img, 306, 328, 422, 376, w.help, ButtonShape::Pill, fittedSize(1, w.help, 96, ts));
    return img;
}

Image paintHelpScreen(int language) {
    const Words& w = wordsOf(language);
    Image img(480, 480);
    paintBackdrop(img);
    // Blackboard in a wooden frame.
    paintFrame(img, 16, 14, 464, 374, 9, 4, rgb(0xA8703A));
    img.fill(roundedBox(16, 14, 464, 374, 4), [](float x, float y) {
        Rgba c = mix(rgb(0x2C4A3A), rgb(0x1C3428), clamp01(std::hypot(x - 200, y - 120) / 380));
        float g = grain(static_cast<int>(x), static_cast<int>(y), 5);
        return shade(c, 1 + 0.06f * g);
    });
    paintText(img, w.rulesTitle, 240, 46, heading(24), true);

    const float textLeft = 30, textRight = 450, fontSize = 15.5f, lineGap = 19.5f;
    float y = 76;
    for (int i = 0; i < 3; ++i) {
        // Example icons on the right of each paragraph, drawn in 26-pixel tiles.
        const int t = 26;
        float iconRight = textRight;
        std::vector<std::tuple<TileColour, TileKind, int, int>> icons;
        if (i == 0) {
            for (int k = 0; k < 3; ++k)
                icons.emplace_back(TileColour::Green, TileKind::Star, k * (t + 2), 0);
        } else if (i == 1) {
            icons.emplace_back(TileColour::Green, TileKind::Diamond, 0, 0);
            icons.emplace_back(TileColour::Plain, TileKind::None, t + 12, 0);
            icons.emplace_back(TileColour::Green, TileKind::None, 2 * t + 14, 0);
        } else {
            for (int k = 0; k < 3; ++k)
                icons.emplace_back(TileColour::Red, TileKind::ArrowRight, k * (t + 2), 0);
            for (int k = 0; k < 3; ++k)
                icons.emplace_back(TileColour::Green, TileKind::ArrowUp, 3 * (t + 2) + 10,
                                   k * (t + 2));
        }
        int iw = 0;
        for (auto& [c, k, ox, oy] : icons)
            iw = std::max(iw, ox + t);
        iconRight = textRight - static_cast<float>(iw) - 12;
        auto lines = wrapText(Face::Sans, fontSize, w.rules[i], iconRight - textLeft);
        float top = y;
        for (const auto& line : lines) {
            paintText(img, line, textLeft, y + 11, chalk(fontSize), false);
            y += lineGap;
        }
        float blockH =
            std::max(y - top, i == 2 ? static_cast<float>(3 * (t + 2)) : static_cast<float>(t));
        float iy = top + (blockH - (i == 2 ? 3 * (t + 2) - 2 : t)) / 2 - 2;
        for (auto& [c, k, ox, oy] : icons)
            paintTileAt(img, c, k, static_cast<int>(iconRight + 12) + ox, static_cast<int>(iy) + oy,
                        t);
        if (i == 1) {
            // "->" between the piece and the squares it may go to.
            float ax = iconRight + 12 + t + 2, ay = iy + t / 2.0f;
            img.fill(polygon({{ax, ay - 1.2f},
                              {ax + 5, ay - 1.2f},
                              {ax + 5, ay - 4},
                              {ax + 9, ay},
                              {ax + 5, ay + 4},
                              {ax + 5, ay + 1.2f},
                              {ax, ay + 1.2f}}),
                     rgb(0xF4F4EC));
        }
        y = top + blockH + 24;
    }
    paintButton(img, 172, 392, 303, 445, "OK", ButtonShape::Oval, 26);
    return img;
}

namespace {
void paintHighScoreBackground(Image& img, int language) {
    const Words& w = wordsOf(language);
    paintBackdrop(img);
    float size = fittedSize(1, w.highScores, 340, 36);
    paintText(img, w.highScores, 240, 64, heading(size), true);
    // A gold star on either side of the heading.
    float half = textWidth(Face::SansBold, size, w.highScores) / 2;
    for (float cx : {240 - half - 28, 240 + half + 28}) {
        auto pts = starPoints(cx, 52, 14, 6);
        img.fill(grow(polygon(pts), 2.0f), rgb(0x1E0C00));
        img.fill(polygon(pts), linear(cx - 10, 40, rgb(0xFFF2B0), cx + 8, 64, rgb(0xE08A10)));
    }
    for (int i = 0; i < 6; ++i) {
        float top = 86 + 51.0f * i, bottom = top + 41;
        Sdf bar = roundedBox(40, top, 446, bottom, 9);
        img.fill(grow([=](float x, float y) { return bar(x - 2, y - 3); }, 0.5f),
                 rgb(0x000000, 0.4f));
        img.fill(bar, bevelled(bar, linear(0, top, rgb(0x6A80D8), 0, bottom, rgb(0x3A4CA0)), 3.5f,
                               0.9f));
        // Rank badge at the left end.
        float cx = 22, cy = (top + bottom) / 2;
        img.fill(circle(cx, cy, 13), rgb(0x2A1400));
        img.fill(circle(cx, cy, 11.5f), [=](float x, float y) {
            return mix(rgb(0xFFE890), rgb(0xD88A10), clamp01((y - cy + 11) / 23 + (x - cx) / 60));
        });
        TextStyle st;
        st.size = 15;
        st.top = rgb(0x4A2200);
        st.bottom = rgb(0x2A1000);
        std::string rank(1, static_cast<char>('1' + i));
        paintText(img, rank, cx, cy + capHeight(Face::SansBold, 15) / 2, st, true);
    }
}
} // namespace

Image paintHighScoreScreen(int language) {
    const Words& w = wordsOf(language);
    Image img(480, 480);
    paintHighScoreBackground(img, language);
    paintButton(img, 290, 393, 454, 471, w.exit, ButtonShape::Oval, fittedSize(1, w.exit, 110, 26));
    return img;
}

Image paintPlayAgainButton(int language) {
    const Words& w = wordsOf(language);
    Image full(480, 480);
    paintHighScoreBackground(full, language);
    paintButton(full, 29, 393, 241, 471, w.playAgain, ButtonShape::Oval,
                fittedSize(1, w.playAgain, 150, 26));
    return full.crop(21, 387, 228, 96);
}

Image paintPauseColour(int language) {
    const Words& w = wordsOf(language);
    Image layer(240, 108, {1, 1, 1, 0});
    TextStyle big = heading(fittedSize(1, w.pause, 224, 60));
    big.shadow = 0;
    big.outlineWidth = 3.5f;
    paintText(layer, w.pause, 120, 64, big, true);
    TextStyle small;
    small.size = fittedSize(1, w.clickToGoOn, 224, 19);
    small.top = rgb(0xFFFFF4);
    small.bottom = rgb(0xCFE4FF);
    small.outline = rgb(0x0A0A30);
    small.outlineWidth = 2.5f;
    paintText(layer, w.clickToGoOn, 120, 96, small, true);
    return cutOutOnWhite(layer);
}

Image maskOf(const Image& colour) {
    Image m(colour.width(), colour.height());
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            if (colour.rgb24(x, y) != 0xFFFFFF) m.at(x, y) = {0, 0, 0, 1};
    return m;
}
