// The pictures kept while the program runs (tile set, back buffer, text strips) and the
// drawing primitives on the window and the back buffer.
#pragma once

#include <array>
#include <cstddef> // surface.h uses size_t without including it

#include "platform/surface.h"
#include "presentation/raster.h"
#include "presentation/text.h"
#include "rules/game_state.h"

constexpr int TileCount = 25;
constexpr int FirstTileId = 100;
constexpr int GradientTile = 15; // grey gradient square: shadows and darkening
constexpr int RingTile = 16;     // 16..19: the ring of balls, four frames
constexpr int RingMaskTile = 20; // 20..23: their masks
constexpr int GameOverTile = 24; // the GAME OVER panel
constexpr int SquareSize = 48;   // a square's tile, in canvas units and in pixels
constexpr int StripWidth = 210;
constexpr int LabelStripHeight = 48;
constexpr int ScoreStripHeight = 24;
constexpr int PileClipLine = 404; // nothing of the pile column is drawn from this line down

// A small off-screen picture text is written into, with its own text settings.
struct TextStrip {
    Surface surface;
    TextState state;
};

// Entry i holds bitmap resource 100 + i; empty until LoadTileSet.
extern std::array<Surface, TileCount> TileSet;
// The clean game screen, 480 x 480 once created.
extern Surface BackBuffer;
// Popup label texts, indexed by PopupStyle: yellow on white, and black on white.
extern std::array<TextStrip, 3> LabelImages;
extern std::array<TextStrip, 3> LabelMasks;
extern TextStrip ScoreStrip;   // the score, white on black
extern TextStrip ScratchStrip; // one name or score of the high-score table
extern int GraphicsReady;

// Bitmap resource `id` decoded; an empty Surface when it is missing or malformed.
Surface LoadBitmapResource(int id);
// Where LoadBitmapResource takes its pictures from: the embedded resources, unless another
// source is chosen (tools and tests draw with pictures of their own); nullptr goes back.
using PictureSource = Surface (*)(int id);
void UsePictureSource(PictureSource source);

void LoadTileSet();
void CreateBackBuffer(int width, int height);
void ReleaseBackBuffer();
void ReleaseGraphics();
// The first screen or game that needs them creates the tile set, the strips and the back
// buffer, once.
void CreateGraphicsIfNeeded();

// Stretches (sx, sy, sw, sh) of `source` onto the client rectangle (x, y, w, h) of the
// window and reports what changed.
void DrawToWindow(int x, int y, int w, int h, const Surface& source, int sx, int sy, int sw, int sh,
                  Rop rop);

// The whole back buffer over the whole client area.
void PresentBackBuffer();
// A size x size square of `source` at (srcX, srcY) into the back buffer at canvas (x, y).
void BlitToBackBuffer(int x, int y, int srcX, int srcY, const Surface& source, Rop rop, int size);
// A size x size square of `source` onto the window at canvas (x, y), scaled.
void StretchSquare(int x, int y, int srcX, int srcY, const Surface& source, Rop rop, int size);
// As StretchSquare, cut at canvas line 404: the pile column's drawings.
void StretchSquareClipped(int x, int y, int srcX, int srcY, const Surface& source, Rop rop,
                          int size);
// Bitmap resource `id` stretched from (0, 0, 480, 480) over the whole client area.
void ShowPicture(int id);

// The tile-set entry of a square or element; -1 for a colour or kind that does not exist.
int CheckedTileIndex(Color color, ElementKind kind);
// During play: one square on the window and in the back buffer.
void DrawCell(int column, int row, Color color, ElementKind kind);
// Copies the back buffer to the window over the canvas square (x, y, size x size): takes a
// placed element and its ring out of the pile column on screen.
void RestoreFromBackBuffer(int x, int y, int size);
