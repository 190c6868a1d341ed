// A PNG reader and writer for the held pictures: 8-bit RGB or palette, one IDAT, no interlace.
#include "tests/platform/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
const Bytes Signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t Big32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
void PutBig32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

// What a row's filter adds to each byte: from the byte to its left (a), above (b), above left (c).
uint8_t Predict(int filter, int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    const int predicted[] = {0, a, b, (a + b) / 2, paeth};
    return static_cast<uint8_t>(predicted[filter]);
}

// Filters rows of `stride` bytes (their first byte the filter) in place: undoing what each
// row's first byte names, or else applying `filter` to every row of `raw`.
void Filter(Bytes& rows, size_t stride, size_t pixel, bool undo, const Bytes& raw = {},
            int filter = 0) {
    const Bytes& source = undo ? rows : raw;
    for (size_t y = 0; y * stride < rows.size(); ++y) {
        uint8_t* row = &rows[y * stride];
        if (!undo) row[0] = static_cast<uint8_t>(filter);
        const int f = row[0] <= 4 ? row[0] : 0;
        for (size_t i = 1; i < stride; ++i) {
            const auto at = [&](size_t yy, size_t ii) { return source[yy * stride + ii]; };
            const int a = i > pixel ? at(y, i - pixel) : 0, b = y > 0 ? at(y - 1, i) : 0;
            const int c = i > pixel && y > 0 ? at(y - 1, i - pixel) : 0;
            row[i] = undo ? static_cast<uint8_t>(row[i] + Predict(f, a, b, c))
                          : static_cast<uint8_t>(at(y, i) - Predict(f, a, b, c));
        }
    }
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out,
             static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

} // namespace

Surface ReadPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < 8 || !std::equal(Signature.begin(), Signature.end(), file.begin())) return {};
    uint32_t width = 0, height = 0;
    int type = -1;
    Bytes palette, packed;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t size = Big32(&file[at]);
        if (size > file.size() - at - 12) return {};
        const std::string name(file.begin() + at + 4, file.begin() + at + 8);
        const uint8_t* data = &file[at + 8];
        if (name == "IHDR" && size >= 13 && data[8] == 8 && data[12] == 0) {
            width = Big32(data);
            height = Big32(data + 4);
            type = data[9];
        } else if (name == "PLTE") {
            palette.assign(data, data + size);
        } else if (name == "IDAT") {
            packed.insert(packed.end(), data, data + size);
        }
        at += 12 + size;
    }
    const size_t pixel = type == 2 ? 3 : 1, stride = 1 + width * pixel;
    if ((type != 2 && type != 3) || width == 0 || height == 0 || width > 8192 || height > 8192)
        return {};
    Bytes rows(stride * height);
    uLongf size = rows.size();
    if (uncompress(rows.data(), &size, packed.data(), packed.size()) != Z_OK || size != rows.size())
        return {};
    Filter(rows, stride, pixel, true);
    Surface s(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const uint8_t* p = &rows[y * stride + 1 + x * pixel];
            if (type == 3 && (p[0] + 1u) * 3 > palette.size()) return {};
            if (type == 3) p = &palette[p[0] * 3u];
            s.at(x, y) = rgb(p[0], p[1], p[2]);
        }
    }
    return s;
}

bool WritePng(const Surface& s, const std::string& path) {
    std::map<uint32_t, uint8_t> colours;
    for (int y = 0; y < s.height && colours.size() <= 256; ++y)
        for (int x = 0; x < s.width && colours.size() <= 256; ++x)
            colours.emplace(s.at(x, y), static_cast<uint8_t>(colours.size()));
    const bool paletted = colours.size() <= 256;
    const size_t pixel = paletted ? 1 : 3, stride = 1 + static_cast<size_t>(s.width) * pixel;
    Bytes raw(stride * static_cast<size_t>(s.height)), palette;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            uint8_t* p = &raw[static_cast<size_t>(y) * stride + 1 + static_cast<size_t>(x) * pixel];
            const uint32_t c = s.at(x, y);
            if (paletted)
                *p = colours[c];
            else
                for (int i = 0; i < 3; ++i)
                    p[i] = static_cast<uint8_t>(c >> (16 - 8 * i));
        }
    }
    if (paletted) palette.resize(colours.size() * 3);
    for (const auto& [c, index] : colours)
        for (int i = 0; i < 3 && paletted; ++i)
            palette[index * 3u + i] = static_cast<uint8_t>(c >> (16 - 8 * i));
    // Each filter is tried on all the rows: the smallest result is kept.
    Bytes best;
    for (int filter = 0; filter <= 4; ++filter) {
        Bytes rows(raw.size());
        Filter(rows, stride, pixel, false, raw, filter);
        uLongf size = compressBound(rows.size());
        Bytes packed(size);
        compress2(packed.data(), &size, rows.data(), rows.size(), Z_BEST_COMPRESSION);
        packed.resize(size);
        if (best.empty() || packed.size() < best.size()) best = packed;
    }
    Bytes out = Signature, header;
    PutBig32(header, static_cast<uint32_t>(s.width));
    PutBig32(header, static_cast<uint32_t>(s.height));
    header.insert(header.end(), {8, static_cast<uint8_t>(paletted ? 3 : 2), 0, 0, 0});
    PutChunk(out, "IHDR", header);
    if (paletted) PutChunk(out, "PLTE", palette);
    PutChunk(out, "IDAT", best);
    PutChunk(out, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
