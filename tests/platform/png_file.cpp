// A PNG reader and writer for the held pictures: 8-bit RGB, rows filtered by their left
// neighbour ("Sub"), one IDAT chunk, no interlace.
#include "tests/platform/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
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
    Bytes packed;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t size = Big32(&file[at]);
        if (size > file.size() - at - 12) return {};
        const std::string name(file.begin() + at + 4, file.begin() + at + 8);
        const uint8_t* data = &file[at + 8];
        // 8 bits a channel, RGB, not interlaced: what WritePng writes.
        if (name == "IHDR" && size == 13 && data[8] == 8 && data[9] == 2 && data[12] == 0) {
            width = std::min(Big32(data), 8192u);
            height = std::min(Big32(data + 4), 8192u);
        }
        if (name == "IDAT") packed.insert(packed.end(), data, data + size);
        at += 12 + size;
    }
    const size_t stride = 1 + 3 * size_t{width};
    Bytes rows(stride * height);
    uLongf size = rows.size();
    if (rows.empty() || uncompress(rows.data(), &size, packed.data(), packed.size()) != Z_OK ||
        size != rows.size())
        return {};
    Surface s(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < s.height; ++y) {
        uint8_t* row = &rows[static_cast<size_t>(y) * stride];
        if (row[0] > 1) return {}; // a filter other than None and Sub
        for (size_t i = 4; i < stride && row[0] == 1; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - 3]);
        for (int x = 0; x < s.width; ++x)
            s.at(x, y) = rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]);
    }
    return s;
}

bool WritePng(const Surface& s, const std::string& path) {
    const size_t stride = 1 + 3 * static_cast<size_t>(s.width);
    Bytes rows(stride * static_cast<size_t>(s.height));
    for (int y = 0; y < s.height; ++y) {
        uint8_t* row = &rows[static_cast<size_t>(y) * stride];
        row[0] = 1; // each byte less the one of the pixel to its left
        for (int x = 0; x < s.width; ++x) {
            for (int i = 0; i < 3; ++i) {
                const auto channel = [&](int at) { return s.at(at, y) >> (16 - 8 * i); };
                row[1 + 3 * x + i] =
                    static_cast<uint8_t>(channel(x) - (x > 0 ? channel(x - 1) : 0));
            }
        }
    }
    uLongf size = compressBound(rows.size());
    Bytes packed(size), header, out = Signature;
    compress2(packed.data(), &size, rows.data(), rows.size(), Z_BEST_COMPRESSION);
    packed.resize(size);
    PutBig32(header, static_cast<uint32_t>(s.width));
    PutBig32(header, static_cast<uint32_t>(s.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
