// PCM and Microsoft ADPCM WAVE encoders; the ADPCM encoder picks the best predictor per block.
#include "wave_files.h"

#include "resources/wave_decode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
int16_t toInt16(float v) {
    long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    return static_cast<int16_t>(s);
}

void putRiffHeader(Bytes& b) {
    putTag(b, "RIFF");
    put32(b, 0); // patched at the end
    putTag(b, "WAVE");
}

// One channel while encoding: the index of the block's predictor, and the state the game's
// decoder will be in, so that each code is chosen against what will really be heard.
struct ChannelState {
    int predictor = 0;
    AdpcmChannel decoder;

    // The nibble that brings the prediction closest to `target`.
    int choose(int target) const {
        int diff = target - decoder.predicted();
        int n = static_cast<int>(std::lround(static_cast<double>(diff) / decoder.delta));
        n = std::clamp(n, -8, 7);
        return n & 0x0F;
    }
};

// Encodes one channel of a block with the given start state; returns the squared error.
double trialError(const std::vector<int>& pcm, ChannelState st, std::vector<int>* nibbles) {
    double err = 0;
    for (size_t i = 2; i < pcm.size(); ++i) {
        int n = st.choose(pcm[i]);
        int s = st.decoder.step(n);
        err += static_cast<double>(s - pcm[i]) * (s - pcm[i]);
        if (nibbles) nibbles->push_back(n);
    }
    return err;
}
} // namespace

int msAdpcmBlockAlign(int channels, int samplesPerBlock) {
    return 7 * channels + ((samplesPerBlock - 2) * channels + 1) / 2;
}

Bytes encodePcm16(const std::vector<float>& samples, int channels, int rate) {
    Bytes b;
    putRiffHeader(b);
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, static_cast<unsigned>(channels));
    put32(b, static_cast<uint32_t>(rate));
    put32(b, static_cast<uint32_t>(rate * channels * 2));
    put16(b, static_cast<unsigned>(channels * 2));
    put16(b, 16);
    putTag(b, "data");
    put32(b, static_cast<uint32_t>(samples.size() * 2));
    for (float s : samples)
        put16(b, static_cast<uint16_t>(toInt16(s)));
    if (b.size() % 2) put8(b, 0);
    patch32(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}

Bytes encodeMsAdpcm(const std::vector<float>& samples, int channels, int rate,
                    int samplesPerBlock) {
    size_t frames = samples.size() / static_cast<size_t>(channels);
    size_t spb = static_cast<size_t>(samplesPerBlock);
    size_t blocks = (frames + spb - 1) / spb;
    int blockAlign = msAdpcmBlockAlign(channels, samplesPerBlock);

    Bytes b;
    putRiffHeader(b);
    putTag(b, "fmt ");
    put32(b, 50);
    put16(b, 2);
    put16(b, static_cast<unsigned>(channels));
    put32(b, static_cast<uint32_t>(rate));
    put32(b, static_cast<uint32_t>((static_cast<long>(rate) * blockAlign) / samplesPerBlock));
    put16(b, static_cast<unsigned>(blockAlign));
    put16(b, 4);
    put16(b, 32);
    put16(b, static_cast<unsigned>(samplesPerBlock));
    put16(b, 7);
    for (const AdpcmCoefficients& c : StandardAdpcmCoefficients) {
        put16(b, static_cast<uint16_t>(c.newer));
        put16(b, static_cast<uint16_t>(c.older));
    }
    putTag(b, "fact");
    put32(b, 4);
    put32(b, static_cast<uint32_t>(frames));
    putTag(b, "data");
    put32(b, static_cast<uint32_t>(blocks * static_cast<size_t>(blockAlign)));

    for (size_t blk = 0; blk < blocks; ++blk) {
        std::vector<ChannelState> start(static_cast<size_t>(channels));
        std::vector<std::vector<int>> nibbles(static_cast<size_t>(channels));
        for (int c = 0; c < channels; ++c) {
            std::vector<int> pcm(spb, 0);
            for (size_t i = 0; i < spb; ++i) {
                size_t f = blk * spb + i;
                if (f < frames)
                    pcm[i] = toInt16(
                        samples[f * static_cast<size_t>(channels) + static_cast<size_t>(c)]);
            }
            double best = -1;
            ChannelState bestState;
            for (int p = 0; p < 7; ++p)
                for (int d = 16; d <= 4096; d *= 2) {
                    ChannelState st;
                    st.predictor = p;
                    st.decoder.predictor = StandardAdpcmCoefficients[static_cast<size_t>(p)];
                    st.decoder.delta = d;
                    st.decoder.sample2 = pcm[0];
                    st.decoder.sample1 = pcm[1];
                    double e = trialError(pcm, st, nullptr);
                    if (best < 0 || e < best) {
                        best = e;
                        bestState = st;
                    }
                }
            start[static_cast<size_t>(c)] = bestState;
            trialError(pcm, bestState, &nibbles[static_cast<size_t>(c)]);
        }
        size_t blockStart = b.size();
        for (auto& st : start)
            put8(b, static_cast<unsigned>(st.predictor));
        for (auto& st : start)
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.decoder.delta)));
        for (auto& st : start)
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.decoder.sample1)));
        for (auto& st : start)
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.decoder.sample2)));
        // Nibbles interleave by channel, the first one in the high half of each byte.
        std::vector<int> stream;
        for (size_t i = 0; i + 2 < spb; ++i)
            for (int c = 0; c < channels; ++c)
                stream.push_back(nibbles[static_cast<size_t>(c)][i]);
        for (size_t i = 0; i < stream.size(); i += 2) {
            int hi = stream[i], lo = i + 1 < stream.size() ? stream[i + 1] : 0;
            put8(b, static_cast<unsigned>((hi << 4) | lo));
        }
        while (b.size() - blockStart < static_cast<size_t>(blockAlign))
            put8(b, 0);
    }
    if (b.size() % 2) put8(b, 0);
    patch32(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}
