// Each sound has its format, rate, channel count and length, decodes to as many samples, stays
// below full scale, is not silent and starts and ends quietly; the ADPCM sound's header and
// blocks are consistent, and damaged copies of it decode within their bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resources/resources.h"
#include "resources/wave_decode.h"
#include "tests/resources/resource_files.h"

namespace {
struct Expected {
    int id, formatTag, channels;
    double seconds;
};
const Expected Sounds[] = {{5000, 2, 2, 0.05}, {5001, 1, 1, 0.84}, {5002, 1, 1, 0.89},
                           {5003, 1, 1, 1.11}, {5004, 1, 1, 1.22}, {5005, 1, 1, 0.14},
                           {5006, 1, 2, 1.94}};
} // namespace

TEST(Sounds, EachHasItsFormatRateChannelsAndLengthAndDecodesToIt) {
    for (const auto& e : Sounds) {
        auto bytes = ResourceBytes(ResourceKind::Wave, e.id);
        ASSERT_FALSE(bytes.empty()) << e.id;
        auto w = ParseWave(bytes);
        ASSERT_TRUE(w.has_value()) << e.id << " is not a well-formed RIFF WAVE";
        EXPECT_EQ(w->formatTag, e.formatTag) << e.id;
        EXPECT_EQ(w->channels, e.channels) << e.id;
        EXPECT_EQ(w->rate, 22050) << e.id;
        size_t frames = 0;
        if (e.formatTag == 1) {
            EXPECT_EQ(w->bitsPerSample, 16) << e.id;
            EXPECT_EQ(w->blockAlign, 2 * e.channels) << e.id;
            frames = w->data.size() / static_cast<size_t>(w->blockAlign);
        } else {
            frames = w->factFrames;
        }
        EXPECT_NEAR(static_cast<double>(frames) / 22050.0, e.seconds, e.seconds * 0.05) << e.id;
        auto d = DecodeWave(bytes);
        ASSERT_TRUE(d.has_value()) << e.id << " cannot be decoded";
        EXPECT_EQ(d->channels, e.channels) << e.id;
        EXPECT_EQ(d->rate, 22050) << e.id;
        EXPECT_EQ(d->samples.size(), frames * static_cast<size_t>(e.channels)) << e.id;
    }
}

TEST(Sounds, PcmSoundsAreAudibleBelowFullScaleAndFadeAtBothEnds) {
    for (const auto& e : Sounds) {
        if (e.formatTag != 1) continue;
        auto d = DecodeWave(ResourceBytes(ResourceKind::Wave, e.id));
        ASSERT_TRUE(d.has_value());
        const auto& s = d->samples;
        ASSERT_GT(s.size(), 22u * e.channels);
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

// The header has the standard coefficients and describes whole blocks, and the blocks decode
// to the quiet, clean blip it was made as.
TEST(Sounds, AdpcmSoundHasAStandardHeaderAndDecodesToAQuietCleanBlip) {
    auto bytes = ResourceBytes(ResourceKind::Wave, 5000);
    auto w = ParseWave(bytes);
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->bitsPerSample, 4);
    ASSERT_GE(w->fmtExtra.size(), 4u + 7 * 4);
    std::span<const uint8_t> extra(w->fmtExtra);
    EXPECT_EQ(le16(extra, 0), 32) << "cbSize";
    int samplesPerBlock = le16(extra, 2);
    EXPECT_EQ(le16(extra, 4), 7) << "coefficient count";
    // Written out here, not taken from the decoder's table: a wrong table shows.
    const int16_t coef[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                {240, 0}, {460, -208}, {392, -232}};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(static_cast<int16_t>(le16(extra, 6 + 4 * i)), coef[i][0]);
        EXPECT_EQ(static_cast<int16_t>(le16(extra, 8 + 4 * i)), coef[i][1]);
        EXPECT_EQ(StandardAdpcmCoefficients[i].newer, coef[i][0]);
        EXPECT_EQ(StandardAdpcmCoefficients[i].older, coef[i][1]);
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
    for (size_t b = 0; b < blocks; ++b) {
        auto block = w->data.subspan(b * align, align);
        for (int c = 0; c < ch; ++c) {
            EXPECT_LE(block[static_cast<size_t>(c)], 6) << "predictor index of block " << b;
            EXPECT_GE(static_cast<int16_t>(le16(block, static_cast<size_t>(ch + 2 * c))), 16)
                << "delta of block " << b;
        }
    }
    auto d = DecodeWave(bytes);
    ASSERT_TRUE(d.has_value());
    const auto& all = d->samples;
    ASSERT_EQ(all.size(), static_cast<size_t>(w->factFrames) * 2);
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

// Every byte of the headers and the first block set to 0xFF in turn, and the data cut short:
// the decoder refuses or decodes, reading only the file's bytes (the sanitizer build sees).
TEST(Sounds, DamagedAdpcmFilesDecodeWithinTheirBytes) {
    auto original = ResourceBytes(ResourceKind::Wave, 5000);
    auto w = ParseWave(original);
    ASSERT_TRUE(w.has_value());
    const size_t firstBlockEnd = static_cast<size_t>(w->data.data() - original.data()) + 7 * 2 + 8;
    for (size_t at = 12; at < firstBlockEnd; ++at) {
        std::vector<uint8_t> bytes(original.begin(), original.end());
        bytes[at] = 0xFF;
        auto d = DecodeWave(bytes);
        if (d) {
            EXPECT_LE(d->samples.size(), bytes.size() * 4) << at;
        }
    }
    // A data chunk ending inside a block's header, then inside its codes.
    for (size_t cut : {5u, 40u}) {
        std::vector<uint8_t> bytes(original.begin(),
                                   original.begin() + (w->data.data() - original.data()));
        bytes.insert(bytes.end(), w->data.begin(), w->data.begin() + static_cast<long>(cut));
        const size_t sizeAt = bytes.size() - cut - 4;
        for (int i = 0; i < 4; ++i) {
            bytes[sizeAt + static_cast<size_t>(i)] = static_cast<uint8_t>(cut >> (8 * i));
            bytes[4 + static_cast<size_t>(i)] = static_cast<uint8_t>((bytes.size() - 8) >> (8 * i));
        }
        auto d = DecodeWave(bytes);
        ASSERT_TRUE(d.has_value()) << cut;
        // The short block gives the frames its bytes hold: two in its header, one per code.
        EXPECT_EQ(d->samples.size(), cut == 5 ? 0u : 2 * (2 + (40u - 14u))) << cut;
    }
}
