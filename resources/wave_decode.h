// Reading of WAVE files and decoding of their samples: 16-bit PCM and Microsoft ADPCM.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

constexpr int WaveFormatPcm = 1;
constexpr int WaveFormatMsAdpcm = 2;

// The chunks of a RIFF WAVE file that matter for playing it.
struct WaveFile {
    int formatTag = 0;
    int channels = 0;
    int rate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    std::vector<uint8_t> fmtExtra; // bytes after the 16-byte PCM part of the fmt chunk
    uint32_t factFrames = 0;       // 0 when there is no fact chunk
    std::span<const uint8_t> data; // inside the file given to ParseWave
};

// The file's fmt, fact and data chunks; nothing when it is not a well-formed RIFF WAVE (a
// RIFF size other than the file's, a chunk running past the end, no fmt or no data chunk).
std::optional<WaveFile> ParseWave(std::span<const uint8_t> file);

// One predictor of Microsoft ADPCM: the weights of the last two samples, in 1/256.
struct AdpcmCoefficients {
    int16_t newer;
    int16_t older;
};
// The seven predictors every Microsoft ADPCM file lists first.
inline constexpr std::array<AdpcmCoefficients, 7> StandardAdpcmCoefficients = {
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};

// One channel of a Microsoft ADPCM block: its predictor, step and last two samples. The
// encoder runs the same steps to know what a decoder will hear.
struct AdpcmChannel {
    AdpcmCoefficients predictor = StandardAdpcmCoefficients[0];
    int delta = 16;
    int sample1 = 0; // the newer of the two previous samples
    int sample2 = 0;

    // The sample the last two predict.
    int predicted() const { return (sample1 * predictor.newer + sample2 * predictor.older) >> 8; }
    // Applies one 4-bit code and returns the decoded sample.
    int step(int nibble);
};

// Decodes one block of `samplesPerBlock` frames, interleaved by channel, with the predictors
// the file's header lists. Nothing when the block is too short for that many frames.
std::optional<std::vector<int16_t>> DecodeAdpcmBlock(std::span<const uint8_t> block, int channels,
                                                     int samplesPerBlock,
                                                     std::span<const AdpcmCoefficients> predictors);

// A whole sound as 16-bit samples, interleaved by channel.
struct DecodedWave {
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples;
};
// Decodes a 16-bit PCM or a Microsoft ADPCM WAVE file; nothing for any other format or a file
// whose header and data disagree.
std::optional<DecodedWave> DecodeWave(std::span<const uint8_t> file);
