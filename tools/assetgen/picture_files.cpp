// BMP, PNG and ICO encoders; PNG data is deflated by zlib at a fixed level for stable bytes.
#include "picture_files.h"

#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

void writeFile(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

namespace {
uint8_t channel(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

void putInfoHeader(Bytes& b, int w, int h, int bits, uint32_t imageSize) {
    put32(b, 40);
    put32(b, static_cast<uint32_t>(w));
    put32(b, static_cast<uint32_t>(h));
    put16(b, 1);
    put16(b, static_cast<unsigned>(bits));
    put32(b, 0); // BI_RGB
    put32(b, imageSize);
    put32(b, 2835); // 72 dpi
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
}

void pngChunk(Bytes& out, const char* type, const Bytes& data) {
    put32be(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    putTag(out, type);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
    put32be(out, static_cast<uint32_t>(crc));
}
} // namespace

Bytes encodeBmp24(const Image& img) {
    int w = img.width(), h = img.height();
    uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    uint32_t imageSize = stride * static_cast<uint32_t>(h);
    Bytes b;
    put8(b, 'B');
    put8(b, 'M');
    put32(b, 14 + 40 + imageSize);
    put32(b, 0);
    put32(b, 14 + 40);
    putInfoHeader(b, w, h, 24, imageSize);
    for (int y = h - 1; y >= 0; --y) {
        size_t rowStart = b.size();
        for (int x = 0; x < w; ++x) {
            uint32_t c = img.rgb24(x, y);
            put8(b, c & 0xFF);
            put8(b, (c >> 8) & 0xFF);
            put8(b, (c >> 16) & 0xFF);
        }
        while (b.size() - rowStart < stride)
            put8(b, 0);
    }
    return b;
}

Bytes encodePng(const Image& img, bool withAlpha) {
    int w = img.width(), h = img.height();
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        put8(raw, 0); // filter: none
        for (int x = 0; x < w; ++x) {
            const Rgba& p = img.at(x, y);
            put8(raw, channel(p.r));
            put8(raw, channel(p.g));
            put8(raw, channel(p.b));
            if (withAlpha) put8(raw, channel(p.a));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK) {
        std::fprintf(stderr, "assetgen: deflate failed\n");
        std::exit(1);
    }
    packed.resize(packedSize);

    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    put32be(ihdr, static_cast<uint32_t>(w));
    put32be(ihdr, static_cast<uint32_t>(h));
    put8(ihdr, 8);
    put8(ihdr, withAlpha ? 6 : 2);
    put8(ihdr, 0);
    put8(ihdr, 0);
    put8(ihdr, 0);
    pngChunk(out, "IHDR", ihdr);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", {});
    return out;
}

Bytes encodeIco(const std::vector<Image>& sizes) {
    std::vector<Bytes> entries;
    for (const Image& img : sizes) {
        int s = img.width();
        if (s > 48) {
            entries.push_back(encodePng(img, true));
            continue;
        }
        Bytes e;
        uint32_t maskStride = ((static_cast<uint32_t>(s) + 31) / 32) * 4;
        putInfoHeader(e, s, s * 2, 32,
                      static_cast<uint32_t>(s * s * 4) + maskStride * static_cast<uint32_t>(s));
        for (int y = s - 1; y >= 0; --y)
            for (int x = 0; x < s; ++x) {
                const Rgba& p = img.at(x, y);
                put8(e, channel(p.b));
                put8(e, channel(p.g));
                put8(e, channel(p.r));
                put8(e, channel(p.a));
            }
        for (int y = s - 1; y >= 0; --y) {
            Bytes row(maskStride, 0);
            for (int x = 0; x < s; ++x)
                if (channel(img.at(x, y).a) < 128)
                    row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            e.insert(e.end(), row.begin(), row.end());
        }
        entries.push_back(e);
    }
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(sizes.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        int s = sizes[i].width();
        put8(out, s >= 256 ? 0 : static_cast<unsigned>(s));
        put8(out, s >= 256 ? 0 : static_cast<unsigned>(s));
        put8(out, 0);
        put8(out, 0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<uint32_t>(entries[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const Bytes& e : entries)
        out.insert(out.end(), e.begin(), e.end());
    return out;
}
