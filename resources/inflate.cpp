// A deflate decoder with one flat lookup table per Huffman code.
#include "resources/inflate.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr int MaxCodeBits = 15;

// Reads the stream's bits from the least significant bit of each byte on.
struct BitReader {
    std::span<const uint8_t> in;
    size_t pos = 0;
    uint64_t buffer = 0;
    int count = 0;

    void refill() {
        while (count <= 56 && pos < in.size()) {
            buffer |= static_cast<uint64_t>(in[pos++]) << count;
            count += 8;
        }
    }
    // n is at most 16.
    bool take(int n, uint32_t& value) {
        if (count < n) {
            refill();
            if (count < n) return false;
        }
        value = static_cast<uint32_t>(buffer & ((uint64_t{1} << n) - 1));
        buffer >>= n;
        count -= n;
        return true;
    }
};

// A canonical Huffman code as one table indexed by the next `bits` bits of the stream. An
// entry is symbol << 4 | code length; 0 is a bit pattern no code begins with.
struct HuffmanTable {
    std::vector<uint16_t> entries;
    int bits = 0;

    // False for an over-subscribed set of lengths. An incomplete set is taken: its missing
    // codes are left as 0, which decoding refuses.
    bool build(const uint8_t* lengths, int symbols) {
        std::array<int, MaxCodeBits + 1> count{};
        for (int s = 0; s < symbols; ++s)
            ++count[lengths[s]];
        count[0] = 0;
        int left = 1;
        bits = 1;
        for (int len = 1; len <= MaxCodeBits; ++len) {
            left = left * 2 - count[static_cast<size_t>(len)];
            if (left < 0) return false;
            if (count[static_cast<size_t>(len)] > 0) bits = len;
        }
        std::array<uint32_t, MaxCodeBits + 1> next{};
        uint32_t code = 0;
        for (int len = 1; len <= MaxCodeBits; ++len) {
            code = (code + static_cast<uint32_t>(count[static_cast<size_t>(len - 1)])) << 1;
            next[static_cast<size_t>(len)] = code;
        }
        const size_t size = size_t{1} << bits;
        entries.assign(size, 0);
        for (int s = 0; s < symbols; ++s) {
            const int len = lengths[s];
            if (len == 0) continue;
            // Codes are sent from their most significant bit: the table sees them reversed.
            uint32_t c = next[static_cast<size_t>(len)]++;
            size_t reversed = 0;
            for (int b = 0; b < len; ++b, c >>= 1)
                reversed = (reversed << 1) | (c & 1);
            const auto entry = static_cast<uint16_t>((s << 4) | len);
            for (size_t i = reversed; i < size; i += size_t{1} << len)
                entries[i] = entry;
        }
        return true;
    }

    bool decode(BitReader& r, int& symbol) const {
        if (r.count < bits) r.refill();
        const uint16_t entry = entries[static_cast<size_t>(r.buffer & ((uint64_t{1} << bits) - 1))];
        const int len = entry & 15;
        if (entry == 0 || len > r.count) return false;
        r.buffer >>= len;
        r.count -= len;
        symbol = entry >> 4;
        return true;
    }
};

constexpr std::array<uint16_t, 29> LengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                 15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> LengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> DistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> DistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                   4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                   9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Decoder {
    BitReader in;
    std::span<uint8_t> out;
    size_t written = 0;

    bool stored() {
        in.buffer >>= in.count % 8;
        in.count -= in.count % 8;
        uint32_t len = 0, complement = 0;
        if (!in.take(16, len) || !in.take(16, complement) || (len ^ 0xFFFF) != complement)
            return false;
        if (len > out.size() - written) return false;
        // Whole bytes still in the bit buffer come first, then the rest straight from the input.
        while (len > 0 && in.count >= 8) {
            out[written++] = static_cast<uint8_t>(in.buffer & 0xFF);
            in.buffer >>= 8;
            in.count -= 8;
            --len;
        }
        if (len > in.in.size() - in.pos) return false;
        if (len > 0) std::memcpy(out.data() + written, in.in.data() + in.pos, len);
        written += len;
        in.pos += len;
        return true;
    }

    bool codes(const HuffmanTable& literals, const HuffmanTable& distances) {
        for (;;) {
            int symbol = 0;
            if (!literals.decode(in, symbol)) return false;
            if (symbol < 256) {
                if (written == out.size()) return false;
                out[written++] = static_cast<uint8_t>(symbol);
                continue;
            }
            if (symbol == 256) return true;
            const auto l = static_cast<size_t>(symbol - 257);
            if (l >= LengthBase.size()) return false;
            uint32_t extra = 0;
            if (!in.take(LengthExtra[l], extra)) return false;
            const size_t length = LengthBase[l] + extra;
            int d = 0;
            if (!distances.decode(in, d) || static_cast<size_t>(d) >= DistanceBase.size())
                return false;
            if (!in.take(DistanceExtra[static_cast<size_t>(d)], extra)) return false;
            const size_t distance = DistanceBase[static_cast<size_t>(d)] + extra;
            if (distance > written || length > out.size() - written) return false;
            uint8_t* to = out.data() + written;
            const uint8_t* from = to - distance;
            if (distance >= length) {
                std::memcpy(to, from, length);
            } else {
                for (size_t i = 0; i < length; ++i) // overlapping: a run repeats itself
                    to[i] = from[i];
            }
            written += length;
        }
    }

    bool fixed() {
        static const auto tables = [] {
            std::array<uint8_t, 288> lengths{};
            for (size_t s = 0; s < 288; ++s)
                lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
            std::array<uint8_t, 30> distanceLengths{};
            distanceLengths.fill(5);
            std::array<HuffmanTable, 2> t;
            t[0].build(lengths.data(), 288);
            t[1].build(distanceLengths.data(), 30);
            return t;
        }();
        return codes(tables[0], tables[1]);
    }

    bool dynamic() {
        uint32_t hlit = 0, hdist = 0, hclen = 0;
        if (!in.take(5, hlit) || !in.take(5, hdist) || !in.take(4, hclen)) return false;
        const int literalCount = static_cast<int>(hlit) + 257,
                  distanceCount = static_cast<int>(hdist) + 1;
        if (literalCount > 286 || distanceCount > 30) return false;
        static constexpr std::array<uint8_t, 19> order = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};
        std::array<uint8_t, 19> lengthLengths{};
        for (uint32_t i = 0; i < hclen + 4; ++i) {
            uint32_t v = 0;
            if (!in.take(3, v)) return false;
            lengthLengths[order[i]] = static_cast<uint8_t>(v);
        }
        HuffmanTable lengthCode;
        if (!lengthCode.build(lengthLengths.data(), 19)) return false;
        std::array<uint8_t, 286 + 30> lengths{};
        const int total = literalCount + distanceCount;
        for (int i = 0; i < total;) {
            int symbol = 0;
            if (!lengthCode.decode(in, symbol)) return false;
            if (symbol < 16) {
                lengths[static_cast<size_t>(i++)] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t repeated = 0;
            uint32_t times = 0;
            if (symbol == 16) {
                if (i == 0 || !in.take(2, times)) return false;
                repeated = lengths[static_cast<size_t>(i - 1)];
                times += 3;
            } else if (symbol == 17) {
                if (!in.take(3, times)) return false;
                times += 3;
            } else {
                if (!in.take(7, times)) return false;
                times += 11;
            }
            if (times > static_cast<uint32_t>(total - i)) return false;
            for (; times > 0; --times)
                lengths[static_cast<size_t>(i++)] = repeated;
        }
        if (lengths[256] == 0) return false; // a block that could never end
        HuffmanTable literals, distances;
        if (!literals.build(lengths.data(), literalCount) ||
            !distances.build(lengths.data() + literalCount, distanceCount))
            return false;
        return codes(literals, distances);
    }
};

} // namespace

bool Inflate(std::span<const uint8_t> in, std::span<uint8_t> out) {
    Decoder d{BitReader{in}, out};
    for (;;) {
        uint32_t last = 0, type = 0;
        if (!d.in.take(1, last) || !d.in.take(2, type)) return false;
        bool ok = false;
        switch (type) {
        case 0:
            ok = d.stored();
            break;
        case 1:
            ok = d.fixed();
            break;
        case 2:
            ok = d.dynamic();
            break;
        default:
            break;
        }
        if (!ok) return false;
        if (last != 0) return d.written == out.size();
    }
}
