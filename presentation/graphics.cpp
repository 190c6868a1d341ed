// The tile set, the back buffer and the text strips, and the drawing primitives over them.
#include "presentation/graphics.h"

#include "platform/platform.h"
#include "presentation/bmp_decoder.h"
#include "presentation/canvas.h"
#include "presentation/key_marks.h"
#include "resources/resources.h"

std::array<Surface, TileCount> TileSet;
Surface BackBuffer;
std::array<TextStrip, 3> LabelImages;
std::array<TextStrip, 3> LabelMasks;
TextStrip ScoreStrip;
TextStrip ScratchStrip;
int GraphicsReady = 0;

namespace {
PictureSource pictureSource = nullptr;

// A fresh strip: black pixels, as a new compatible bitmap is, and default text settings.
TextStrip newStrip(int height) {
    return TextStrip{Surface(StripWidth, height, 0), TextState{}};
}
} // namespace

Surface LoadBitmapResource(int id) {
    if (pictureSource != nullptr) return pictureSource(id);
    // Decoded at once: the file's bytes are not kept beside the picture.
    return DecodeBmp(UnpackResource(ResourceKind::Bitmap, id));
}

void UsePictureSource(PictureSource source) {
    pictureSource = source;
}

void LoadTileSet() {
    for (int i = 0; i < TileCount; ++i)
        TileSet[static_cast<size_t>(i)] = LoadBitmapResource(FirstTileId + i);
    for (TextStrip& strip : LabelImages)
        strip = newStrip(LabelStripHeight);
    for (TextStrip& strip : LabelMasks)
        strip = newStrip(LabelStripHeight);
    ScoreStrip = newStrip(ScoreStripHeight);
    ScratchStrip = newStrip(LabelStripHeight);
}

void CreateBackBuffer(int width, int height) {
    BackBuffer = Surface(width, height, 0);
}

void ReleaseBackBuffer() {
    BackBuffer = Surface();
}

void ReleaseGraphics() {
    ReleaseBackBuffer();
    for (Surface& tile : TileSet)
        tile = Surface();
    for (TextStrip& strip : LabelImages)
        strip = TextStrip();
    for (TextStrip& strip : LabelMasks)
        strip = TextStrip();
    ScoreStrip = TextStrip();
    ScratchStrip = TextStrip();
    // Whatever asks for the graphics afterwards gets them made again.
    GraphicsReady = 0;
}

void CreateGraphicsIfNeeded() {
    if (GraphicsReady != 0) return;
    LoadTileSet();
    GraphicsReady = 1;
    CreateBackBuffer(CanvasSize, CanvasSize);
}

void DrawToWindow(int x, int y, int w, int h, const Surface& source, int sx, int sy, int sw, int sh,
                  Rop rop) {
    Surface& window = platform::WindowSurface();
    // The keyboard's frame stays over what is drawn; a whole new picture lets it go.
    const bool lifted = LiftKeyMarkUnder(x, y, w, h);
    PixelRect changed = StretchBlt(window, x, y, w, h, source, sx, sy, sw, sh, rop);
    if (lifted)
        PutBackKeyMark(rop == Rop::SrcCopy && x <= 0 && y <= 0 && int64_t{x} + w >= window.width &&
                       int64_t{y} + h >= window.height);
    if (!changed.empty())
        platform::WindowUpdated(changed.x, changed.y, changed.width, changed.height);
}

void PresentBackBuffer() {
    DrawToWindow(0, 0, ClientWidth, ClientHeight, BackBuffer, 0, 0, CanvasSize, CanvasSize,
                 Rop::SrcCopy);
}

void BlitToBackBuffer(int x, int y, int srcX, int srcY, const Surface& source, Rop rop, int size) {
    BitBlt(BackBuffer, x, y, size, size, source, srcX, srcY, rop);
}

void StretchSquare(int x, int y, int srcX, int srcY, const Surface& source, Rop rop, int size) {
    DrawToWindow(ScaleX(x), ScaleY(y), ScaleX(size), ScaleY(size), source, srcX, srcY, size, size,
                 rop);
}

void StretchSquareClipped(int x, int y, int srcX, int srcY, const Surface& source, Rop rop,
                          int size) {
    int64_t height = size;
    if (static_cast<int64_t>(y) + size > PileClipLine - 1) height = int64_t{PileClipLine} - y;
    if (height <= 0) return;
    int h = static_cast<int>(height);
    DrawToWindow(ScaleX(x), ScaleY(y), ScaleX(size), ScaleY(h), source, srcX, srcY, size, h, rop);
}

void ShowPicture(int id) {
    Surface picture = LoadBitmapResource(id);
    DrawToWindow(0, 0, ClientWidth, ClientHeight, picture, 0, 0, CanvasSize, CanvasSize,
                 Rop::SrcCopy);
}

int CheckedTileIndex(Color color, ElementKind kind) {
    int k = static_cast<int>(kind);
    switch (color) {
    case Color::Plain:
        return TileIndex(color, kind);
    case Color::Green:
    case Color::Red:
        if (k < 0 || k > static_cast<int>(ElementKind::Star)) return -1;
        return TileIndex(color, kind);
    }
    return -1;
}

void DrawCell(int column, int row, Color color, ElementKind kind) {
    if (column < 0 || column >= BoardSide || row < 0 || row >= BoardSide) return;
    int t = CheckedTileIndex(color, kind);
    if (t < 0) return;
    const Surface& tile = TileSet[static_cast<size_t>(t)];
    DrawToWindow(ScaleX(CellOriginX(column)), ScaleY(CellOriginY(row)), ClientWidth / 10,
                 ClientHeight / 10, tile, 0, 0, SquareSize, SquareSize, Rop::SrcCopy);
    BlitToBackBuffer(CellOriginX(column), CellOriginY(row), 0, 0, tile, Rop::SrcCopy, SquareSize);
}

void RestoreFromBackBuffer(int x, int y, int size) {
    StretchSquare(x, y, x, y, BackBuffer, Rop::SrcCopy, size);
}
