// WAVE chunk reading, and the 16-bit PCM and Microsoft ADPCM sample decoders.
#include "resources/wave_decode.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

int16_t les16(std::span<const uint8_t> b, size_t at) {
    return static_cast<int16_t>(le16(b, at));
}

bool hasTag(std::span<const uint8_t> b, size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

constexpr int MaxDelta = std::numeric_limits<int>::max() / 768;
constexpr std::array<int, 16> Adaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                            768, 614, 512, 409, 307, 230, 230, 230};

std::optional<DecodedWave> decodePcm16(const WaveFile& w) {
    if (w.bitsPerSample != 16 || w.blockAlign != 2 * w.channels) return std::nullopt;
    DecodedWave out{w.channels, w.rate, {}};
    const size_t frames = w.data.size() / static_cast<size_t>(w.blockAlign);
    out.samples.reserve(frames * static_cast<size_t>(w.channels));
    for (size_t i = 0; i < frames * static_cast<size_t>(w.channels); ++i)
        out.samples.push_back(les16(w.data, 2 * i));
    return out;
}

std::optional<DecodedWave> decodeMsAdpcm(const WaveFile& w) {
    // fmt extension: its size, the frames per block, the predictor count, then the predictors.
    std::span<const uint8_t> extra(w.fmtExtra);
    if (w.bitsPerSample != 4 || extra.size() < 6) return std::nullopt;
    const int samplesPerBlock = le16(extra, 2);
    const size_t count = le16(extra, 4);
    if (count == 0 || extra.size() < 6 + 4 * count || samplesPerBlock < 2) return std::nullopt;
    std::vector<AdpcmCoefficients> predictors;
    for (size_t i = 0; i < count; ++i)
        predictors.push_back({les16(extra, 6 + 4 * i), les16(extra, 8 + 4 * i)});
    const size_t align = static_cast<size_t>(w.blockAlign);
    if (align == 0) return std::nullopt;
    DecodedWave out{w.channels, w.rate, {}};
    // A short last block holds fewer frames: as many as its nibbles give.
    for (size_t at = 0; at < w.data.size(); at += align) {
        const auto block = w.data.subspan(at, std::min(align, w.data.size() - at));
        const size_t header = 7 * static_cast<size_t>(w.channels);
        if (block.size() < header) break;
        const size_t frames =
            std::min<size_t>(static_cast<size_t>(samplesPerBlock),
                             2 + (block.size() - header) * 2 / static_cast<size_t>(w.channels));
        auto samples = DecodeAdpcmBlock(block, w.channels, static_cast<int>(frames), predictors);
        if (!samples) return std::nullopt;
        out.samples.insert(out.samples.end(), samples->begin(), samples->end());
    }
    // The fact chunk gives the true length: the last block is padded to a whole block.
    const size_t total = static_cast<size_t>(w.factFrames) * static_cast<size_t>(w.channels);
    if (w.factFrames != 0 && total < out.samples.size()) out.samples.resize(total);
    return out;
}

} // namespace

std::optional<WaveFile> ParseWave(std::span<const uint8_t> f) {
    if (f.size() < 12 || !hasTag(f, 0, "RIFF") || !hasTag(f, 8, "WAVE")) return std::nullopt;
    if (static_cast<uint64_t>(le32(f, 4)) + 8 != f.size()) return std::nullopt;
    WaveFile w;
    bool haveFmt = false, haveData = false;
    size_t at = 12;
    while (f.size() - at >= 8) {
        const size_t size = le32(f, at + 4);
        if (size > f.size() - at - 8) return std::nullopt;
        const auto body = f.subspan(at + 8, size);
        if (hasTag(f, at, "fmt ") && size >= 16) {
            w.formatTag = le16(body, 0);
            w.channels = le16(body, 2);
            w.rate = static_cast<int>(le32(body, 4) & 0x7FFFFFFF);
            w.blockAlign = le16(body, 12);
            w.bitsPerSample = le16(body, 14);
            w.fmtExtra.assign(body.begin() + 16, body.end());
            haveFmt = true;
        } else if (hasTag(f, at, "fact") && size >= 4) {
            w.factFrames = le32(body, 0);
        } else if (hasTag(f, at, "data")) {
            w.data = body;
            haveData = true;
        }
        // Chunks start on even offsets; a pad byte missing at the very end is forgiven.
        at += 8 + size;
        if (size % 2 != 0 && at < f.size()) ++at;
    }
    if (!haveFmt || !haveData) return std::nullopt;
    return w;
}

int AdpcmChannel::step(int nibble) {
    const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
    const int s = std::clamp(predicted() + signedNibble * delta, -32768, 32767);
    sample2 = sample1;
    sample1 = s;
    // A damaged file could grow the step without end: it stops where it still fits an int.
    delta = std::clamp((Adaptation[static_cast<size_t>(nibble & 0x0F)] * delta) >> 8, 16, MaxDelta);
    return s;
}

std::optional<std::vector<int16_t>>
DecodeAdpcmBlock(std::span<const uint8_t> block, int channels, int samplesPerBlock,
                 std::span<const AdpcmCoefficients> predictors) {
    if (channels <= 0 || samplesPerBlock < 2 || predictors.empty()) return std::nullopt;
    const size_t ch = static_cast<size_t>(channels);
    const size_t nibbles = static_cast<size_t>(samplesPerBlock - 2) * ch;
    if (block.size() < 7 * ch + (nibbles + 1) / 2) return std::nullopt;
    // The header: each channel's predictor index, step, newer sample, then older sample.
    std::vector<AdpcmChannel> state(ch);
    std::vector<int16_t> out;
    out.reserve(static_cast<size_t>(samplesPerBlock) * ch);
    for (size_t c = 0; c < ch; ++c) {
        state[c].predictor = predictors[std::min<size_t>(block[c], predictors.size() - 1)];
        state[c].delta = les16(block, ch + 2 * c);
        state[c].sample1 = les16(block, 3 * ch + 2 * c);
        state[c].sample2 = les16(block, 5 * ch + 2 * c);
    }
    for (size_t c = 0; c < ch; ++c)
        out.push_back(static_cast<int16_t>(state[c].sample2));
    for (size_t c = 0; c < ch; ++c)
        out.push_back(static_cast<int16_t>(state[c].sample1));
    // Then the codes interleaved by channel, the first of each byte in its high half.
    for (size_t i = 0; i < nibbles; ++i) {
        const uint8_t byte = block[7 * ch + i / 2];
        const int nibble = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        out.push_back(static_cast<int16_t>(state[i % ch].step(nibble)));
    }
    return out;
}

std::optional<DecodedWave> DecodeWave(std::span<const uint8_t> file) {
    const auto w = ParseWave(file);
    if (!w || w->channels <= 0 || w->rate <= 0) return std::nullopt;
    if (w->formatTag == WaveFormatPcm) return decodePcm16(*w);
    if (w->formatTag == WaveFormatMsAdpcm) return decodeMsAdpcm(*w);
    return std::nullopt;
}
