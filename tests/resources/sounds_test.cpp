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

TEST(Sounds, AdpcmHeaderDescribesWholeBlocks) {
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
    int ch = w->channels;
    EXPECT_EQ(samplesPerBlock, (w->blockAlign - 7 * ch) * 2 / ch + 2);
    ASSERT_GT(w->blockAlign, 0);
    EXPECT_EQ(w->data.size() % static_cast<size_t>(w->blockAlign), 0u);
    size_t blocks = w->data.size() / static_cast<size_t>(w->blockAlign);
    EXPECT_LE(w->factFrames, blocks * static_cast<size_t>(samplesPerBlock));
    EXPECT_GT(w->factFrames, (blocks - 1) * static_cast<size_t>(samplesPerBlock));
    for (size_t b = 0; b < blocks; ++b)
        for (int c = 0; c < ch; ++c) {
            auto block = w->data.subspan(b * static_cast<size_t>(w->blockAlign));
            EXPECT_LE(block[static_cast<size_t>(c)], 6) << "predictor index of block " << b;
            EXPECT_GE(static_cast<int16_t>(le16(block, static_cast<size_t>(ch + 2 * c))), 16)
                << "delta of block " << b;
        }
}
