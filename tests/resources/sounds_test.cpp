// Each sound has its format, rate, channel count and length, stays below full scale, is not
// silent and starts and ends quietly; the ADPCM sound's header and blocks are consistent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resources/resources.h"
#include "tests/resources/resource_files.h"

namespace {
struct Expected {
    int id, formatTag, channels;
    double seconds;
};
const Expected Sounds[] = {{5000, 2, 2, 0.05}, {5001, 1, 1, 0.84}, {5002, 1, 1, 0.89},
                           {5003, 1, 1, 1.11}, {5004, 1, 1, 1.22}, {5005, 1, 1, 0.14},
                           {5006, 1, 2, 1.94}};

std::vector<int> pcmSamples(const Wave& w) {
    std::vector<int> s;
    for (size_t i = 0; i + 1 < w.data.size(); i += 2)
        s.push_back(static_cast<int16_t>(le16(w.data, i)));
    return s;
}
} // namespace

TEST(Sounds, EachHasItsFormatRateChannelsAndLength) {
    for (const auto& e : Sounds) {
        auto bytes = ResourceBytes(ResourceKind::Wave, e.id);
        ASSERT_FALSE(bytes.empty()) << e.id;
        auto w = parseWave(bytes);
        ASSERT_TRUE(w.has_value()) << e.id << " is not a well-formed RIFF WAVE";
        EXPECT_EQ(w->formatTag, e.formatTag) << e.id;
        EXPECT_EQ(w->channels, e.channels) << e.id;
        EXPECT_EQ(w->rate, 22050) << e.id;
        double frames = 0;
        if (e.formatTag == 1) {
            EXPECT_EQ(w->bitsPerSample, 16) << e.id;
            EXPECT_EQ(w->blockAlign, 2 * e.channels) << e.id;
            frames = static_cast<double>(w->data.size()) / w->blockAlign;
        } else {
            frames = w->factFrames;
        }
        EXPECT_NEAR(frames / 22050.0, e.seconds, e.seconds * 0.05) << e.id;
    }
}

TEST(Sounds, PcmSoundsAreAudibleBelowFullScaleAndFadeAtBothEnds) {
    for (const auto& e : Sounds) {
        if (e.formatTag != 1) continue;
        auto w = parseWave(ResourceBytes(ResourceKind::Wave, e.id));
        ASSERT_TRUE(w.has_value());
        auto s = pcmSamples(*w);
        int peak = 0;
        for (int v : s)
            peak = std::max(peak, std::abs(v));
        EXPECT_LT(peak, 32767 / 2 + 400) << e.id << " louder than -6 dBFS";
        EXPECT_GT(peak, 32767 / 8) << e.id << " nearly silent";
        // Both ends start from silence and rise or fall over a few milliseconds: no click.
        size_t ch = static_cast<size_t>(e.channels);
        for (size_t c = 0; c < ch; ++c) {
            EXPECT_LT(std::abs(s[c]), 300) << e.id << " starts abruptly";
            EXPECT_LT(std::abs(s[s.size() - ch + c]), 300) << e.id << " ends abruptly";
        }
        // Within the first and last half millisecond the level is still low.
        for (size_t i = 0; i < 11 * ch; ++i) {
            EXPECT_LT(std::abs(s[i]), 4000) << e.id << " rises too fast";
            EXPECT_LT(std::abs(s[s.size() - 1 - i]), 4000) << e.id << " stops too fast";
        }
    }
}

namespace {
// Microsoft ADPCM decoding of one block, written from the format's definition, with the
// coefficient pairs the header gives.
std::vector<int> decodeAdpcmBlock(std::span<const uint8_t> block, int channels, int samplesPerBlock,
                                  const int16_t (&coef)[7][2]) {
    static const int adapt[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                  768, 614, 512, 409, 307, 230, 230, 230};
    size_t ch = static_cast<size_t>(channels);
    std::vector<int> pred(ch), delta(ch), s1(ch), s2(ch), out;
    for (size_t c = 0; c < ch; ++c) {
        pred[c] = std::min<int>(block[c], 6);
        delta[c] = static_cast<int16_t>(le16(block, ch + 2 * c));
        s1[c] = static_cast<int16_t>(le16(block, 3 * ch + 2 * c));
        s2[c] = static_cast<int16_t>(le16(block, 5 * ch + 2 * c));
    }
    out.insert(out.end(), s2.begin(), s2.end());
    out.insert(out.end(), s1.begin(), s1.end());
    size_t nibbles = static_cast<size_t>(samplesPerBlock - 2) * ch;
    for (size_t i = 0; i < nibbles; ++i) {
        size_t c = i % ch;
        uint8_t byte = block[7 * ch + i / 2];
        int n = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        int predicted = (s1[c] * coef[pred[c]][0] + s2[c] * coef[pred[c]][1]) >> 8;
        int s = std::clamp(predicted + (n >= 8 ? n - 16 : n) * delta[c], -32768, 32767);
        s2[c] = s1[c];
        s1[c] = s;
        delta[c] = std::max(16, (adapt[n] * delta[c]) >> 8);
        out.push_back(s);
    }
    return out;
}
} // namespace

// The header has the standard coefficients and describes whole blocks, and the blocks decode
// to the quiet, clean blip it was made as.
TEST(Sounds, AdpcmSoundHasAStandardHeaderAndDecodesToAQuietCleanBlip) {
    auto w = parseWave(ResourceBytes(ResourceKind::Wave, 5000));
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->bitsPerSample, 4);
    ASSERT_GE(w->fmtExtra.size(), 4u + 7 * 4);
    std::span<const uint8_t> extra(w->fmtExtra);
    EXPECT_EQ(le16(extra, 0), 32) << "cbSize";
    int samplesPerBlock = le16(extra, 2);
    EXPECT_EQ(le16(extra, 4), 7) << "coefficient count";
    const int16_t coef[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                {240, 0}, {460, -208}, {392, -232}};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(static_cast<int16_t>(le16(extra, 6 + 4 * i)), coef[i][0]);
        EXPECT_EQ(static_cast<int16_t>(le16(extra, 8 + 4 * i)), coef[i][1]);
    }
    // Each block: a 7-byte header per channel, then two nibbles per byte for the rest.
    ASSERT_EQ(w->channels, 2);
    int ch = w->channels;
    size_t align = static_cast<size_t>(w->blockAlign);
    ASSERT_GT(align, 0u);
    ASSERT_EQ(samplesPerBlock, (w->blockAlign - 7 * ch) * 2 / ch + 2);
    EXPECT_EQ(w->data.size() % align, 0u);
    size_t blocks = w->data.size() / align;
    EXPECT_LE(w->factFrames, blocks * static_cast<size_t>(samplesPerBlock));
    EXPECT_GT(w->factFrames, (blocks - 1) * static_cast<size_t>(samplesPerBlock));
    std::vector<int> all;
    for (size_t b = 0; b < blocks; ++b) {
        auto block = w->data.subspan(b * align, align);
        for (int c = 0; c < ch; ++c) {
            EXPECT_LE(block[static_cast<size_t>(c)], 6) << "predictor index of block " << b;
            EXPECT_GE(static_cast<int16_t>(le16(block, static_cast<size_t>(ch + 2 * c))), 16)
                << "delta of block " << b;
        }
        auto part = decodeAdpcmBlock(block, ch, samplesPerBlock, coef);
        all.insert(all.end(), part.begin(), part.end());
    }
    ASSERT_GE(all.size(), static_cast<size_t>(w->factFrames) * 2);
    all.resize(static_cast<size_t>(w->factFrames) * 2);
    int peak = 0;
    for (int v : all)
        peak = std::max(peak, std::abs(v));
    // Encoding errors show as clipping or noise far above the -6 dBFS the blip is made at.
    EXPECT_GT(peak, 32767 / 4);
    EXPECT_LT(peak, 32767 * 3 / 4);
    EXPECT_LT(std::abs(all[0]), 1000);
    EXPECT_LT(std::abs(all[1]), 1000);
    // Neighbouring samples of a tone below 1.5 kHz never jump by half the scale.
    for (size_t i = 2; i < all.size(); ++i)
        EXPECT_LT(std::abs(all[i] - all[i - 2]), 16384) << i;
}
