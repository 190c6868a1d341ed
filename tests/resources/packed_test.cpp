// The program's copy of every picture, sound, font and the icon is the committed file byte for
// byte once decompressed, and the decompressor reads every kind of deflate block and refuses
// cut or damaged streams within their bytes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "resources/embedded_entry.h"
#include "resources/inflate.h"
#include "resources/resources.h"

namespace {
std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> deflateRaw(const std::vector<uint8_t>& data, int level, int strategy) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Text-like runs, a long repeat, noise and a picture's worth of bytes: every kind of match.
std::vector<uint8_t> mixedData() {
    std::vector<uint8_t> data;
    uint32_t seed = 12345;
    for (int i = 0; i < 3000; ++i)
        data.push_back(static_cast<uint8_t>("glimora elements rise "[i % 22]));
    data.insert(data.end(), 40000, 0x5A);
    for (int i = 0; i < 70000; ++i) {
        seed = seed * 1103515245u + 12345u;
        data.push_back(static_cast<uint8_t>(seed >> 24));
    }
    for (int i = 0; i < 90000; ++i)
        data.push_back(static_cast<uint8_t>((i % 480) / 3 + (i / 1440) % 7));
    return data;
}
} // namespace

TEST(Packed, EveryEmbeddedFileComesBackByteForByte) {
    const std::filesystem::path root = GLIMORA_RESOURCE_DIR;
    const struct {
        const char* folder;
        ResourceKind kind;
    } kinds[] = {{"bitmaps", ResourceKind::Bitmap}, {"sounds", ResourceKind::Wave}};
    int files = 0;
    for (const auto& [folder, kind] : kinds) {
        for (const auto& entry : std::filesystem::directory_iterator(root / folder)) {
            const int id = std::stoi(entry.path().stem().string());
            const std::vector<uint8_t> file = readFile(entry.path());
            EXPECT_TRUE(UnpackResource(kind, id) == file) << "unpacked alone: " << entry.path();
            auto bytes = ResourceBytes(kind, id);
            EXPECT_TRUE(std::vector<uint8_t>(bytes.begin(), bytes.end()) == file) << entry.path();
            EXPECT_EQ(ResourceBytes(kind, id).data(), bytes.data())
                << "decoded once: " << entry.path();
            ++files;
        }
    }
    EXPECT_EQ(files, 38 + 7);
    // The English version of each large picture is stored as its XOR with the French one, so
    // the comparison above went through that way of unpacking as well.
    for (int id : {1501, 1651, 2501, 2601}) {
        const EmbeddedResource* r = EmbeddedResources;
        while (r->id != -1 && !(r->kind == ResourceKind::Bitmap && r->id == id))
            ++r;
        EXPECT_EQ(r->base, id - 1) << id;
    }
    const struct {
        const char* file;
        ResourceKind kind;
        int id;
    } singles[] = {{"fonts/system.gfnt", ResourceKind::Font, SystemFontId},
                   {"fonts/dialog.gfnt", ResourceKind::Font, DialogFontId},
                   {"icon/glimora.ico", ResourceKind::Icon, WindowIconId}};
    for (const auto& s : singles) {
        auto bytes = ResourceBytes(s.kind, s.id);
        EXPECT_TRUE(std::vector<uint8_t>(bytes.begin(), bytes.end()) == readFile(root / s.file))
            << s.file;
    }
}

TEST(Packed, InflateReadsStoredFixedAndDynamicBlocksAndRefusesDamage) {
    const std::vector<uint8_t> data = mixedData();
    const struct {
        int level, strategy;
    } ways[] = {{0, Z_DEFAULT_STRATEGY}, {1, Z_FIXED},        {9, Z_FIXED},
                {6, Z_DEFAULT_STRATEGY}, {9, Z_HUFFMAN_ONLY}, {9, Z_RLE}};
    for (const auto& w : ways) {
        const std::vector<uint8_t> packed = deflateRaw(data, w.level, w.strategy);
        std::vector<uint8_t> out(data.size());
        EXPECT_TRUE(Inflate(packed, out)) << w.level << " " << w.strategy;
        EXPECT_TRUE(out == data) << w.level << " " << w.strategy;
        std::vector<uint8_t> longer(data.size() + 1), shorter(data.size() - 1);
        EXPECT_FALSE(Inflate(packed, longer)) << "a stream that ends early";
        EXPECT_FALSE(Inflate(packed, shorter)) << "a stream that runs over";
    }

    // Cut anywhere, a stream is refused; with any byte damaged it stays within its buffers
    // (AddressSanitizer watches) and, when taken, still fills exactly the output.
    const std::vector<uint8_t> small(data.begin() + 2000, data.begin() + 5000);
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
        const std::vector<uint8_t> packed = deflateRaw(small, 9, strategy);
        std::vector<uint8_t> out(small.size());
        for (size_t cut = 0; cut < packed.size(); ++cut)
            EXPECT_FALSE(Inflate({packed.data(), cut}, out)) << "cut at " << cut;
        for (size_t at = 0; at < packed.size(); ++at) {
            for (uint8_t flip : {0x01, 0x10, 0xFF}) {
                std::vector<uint8_t> damaged = packed;
                damaged[at] ^= flip;
                Inflate(damaged, out);
            }
        }
    }
    std::vector<uint8_t> out(4);
    EXPECT_FALSE(Inflate(std::vector<uint8_t>{0x07}, out)) << "block type 3";
    EXPECT_FALSE(Inflate(std::vector<uint8_t>{0x01, 0x04, 0x00, 0xFA, 0xFF, 1, 2, 3, 4}, out))
        << "stored length and its complement disagree";
    EXPECT_TRUE(Inflate(std::vector<uint8_t>{0x01, 0x04, 0x00, 0xFB, 0xFF, 1, 2, 3, 4}, out));
}
