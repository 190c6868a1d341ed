// The tile set: squares, elements, the gradient square, the ring of balls and GAME OVER.
#pragma once

#include "image.h"

enum class TileColour { Plain, Green, Red };
enum class TileKind { None, ArrowUp, ArrowRight, ArrowDown, ArrowLeft, Diamond, Star };

// 48 by 48 board square (kind None) or element tile.
Image paintSquare(TileColour colour, TileKind kind);
// 48 by 48, white at the top-left corner to black at the bottom-right.
Image paintGradientSquare();
// 96 by 96 ring of six balls on white, rotation step 0..3.
Image paintBallRing(int step);
// 450 by 180 GAME OVER panel.
Image paintGameOverPanel();
