// A plain 24-bit picture in memory: the window surface and every bitmap the game draws.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels are stored one per 32-bit word as 0x00RRGGBB, row by row from the top;
// the top byte is always zero. Raster operations work on the low 24 bits.
//
// A surface either owns its pixels (`pixels`, `width` words a row) or is a view over rows
// that someone else keeps alive, `stride()` words apart (a window's own picture, drawn into
// where it is shown). Drawing code reaches the pixels through row() and at(), which serve
// both. Copying a surface always gives an owner with the same pixels; moving keeps a view.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // an owner's pixels; empty in a view

    Surface() = default;
    Surface(int w, int h, uint32_t fill = 0xFFFFFF)
        : width(w > 0 ? w : 0), height(h > 0 ? h : 0),
          pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    // A view of w x h pixels over `words` words from `first`, rows `stride` words apart.
    // Memory too small for the size and stride makes a view that nothing draws into
    // (intact() is false).
    static Surface View(uint32_t* first, int w, int h, int stride, size_t words) {
        Surface s;
        s.width = w > 0 ? w : 0;
        s.height = h > 0 ? h : 0;
        s.view_ = first;
        s.viewStride_ = stride;
        s.viewWords_ = first != nullptr ? words : 0;
        return s;
    }

    Surface(const Surface& other) : width(other.width), height(other.height), pixels(other.pixels) {
        if (other.isView()) copyRowsOf(other);
    }
    Surface& operator=(const Surface& other) {
        if (this != &other) *this = Surface(other);
        return *this;
    }
    Surface(Surface&& other) noexcept { *this = static_cast<Surface&&>(other); }
    Surface& operator=(Surface&& other) noexcept {
        width = other.width;
        height = other.height;
        pixels = static_cast<std::vector<uint32_t>&&>(other.pixels);
        view_ = other.view_;
        viewStride_ = other.viewStride_;
        viewWords_ = other.viewWords_;
        other.width = other.height = 0;
        other.pixels.clear();
        other.view_ = nullptr;
        other.viewStride_ = 0;
        other.viewWords_ = 0;
        return *this;
    }

    bool empty() const { return width == 0 || height == 0; }
    bool isView() const { return view_ != nullptr; }
    // Words from one row to the next.
    int stride() const { return isView() ? viewStride_ : width; }
    // Whether the memory holds every pixel of width x height: what drawing checks first.
    bool intact() const {
        if (!isView())
            return pixels.size() >= static_cast<size_t>(width) * static_cast<size_t>(height);
        if (empty()) return true;
        return viewStride_ >= width &&
               viewWords_ >= static_cast<size_t>(viewStride_) * static_cast<size_t>(height - 1) +
                                 static_cast<size_t>(width);
    }

    // Row y's first pixel (0 <= y < height).
    uint32_t* row(int y) { return base() + static_cast<size_t>(y) * static_cast<size_t>(stride()); }
    const uint32_t* row(int y) const {
        return base() + static_cast<size_t>(y) * static_cast<size_t>(stride());
    }
    uint32_t at(int x, int y) const { return row(y)[x]; }
    uint32_t& at(int x, int y) { return row(y)[x]; }

  private:
    uint32_t* base() { return isView() ? view_ : pixels.data(); }
    const uint32_t* base() const { return isView() ? view_ : pixels.data(); }
    void copyRowsOf(const Surface& view) {
        if (!view.intact()) {
            width = height = 0;
            return;
        }
        pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            const uint32_t* from = view.row(y);
            std::copy(from, from + width, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
        }
    }

    uint32_t* view_ = nullptr;
    int viewStride_ = 0;
    size_t viewWords_ = 0;
};

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
