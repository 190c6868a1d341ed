// The 480 x 480 canvas every picture is composed in, and its conversion to client pixels.
#pragma once

constexpr int CanvasSize = 480;

// The client area's size in pixels; the shell refreshes them at every paint.
extern int ClientWidth;
extern int ClientHeight;

// v canvas units in client pixels: the product first, then the division truncating toward
// zero. A product beyond 32 bits saturates instead of wrapping.
int ScaleX(int v);
int ScaleY(int v);

// Whether the client point (mx, my) lies strictly inside the canvas rectangle from (x0, y0)
// to (x1, y1).
bool InCanvasRect(int mx, int my, int x0, int y0, int x1, int y1);

// The board column (or row) under a client x (or y): the offset from the first square,
// back to canvas units, divided by the 54-unit pitch; both divisions truncate. Only
// meaningful for a point inside the board area.
int BoardColumnAt(int mx);
int BoardRowAt(int my);
