// PCM and Microsoft ADPCM WAVE encoders; the ADPCM encoder picks the best predictor per block.
#include "wave_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {
constexpr std::array<int, 7> Coef1 = {256, 512, 0, 192, 240, 460, 392};
constexpr std::array<int, 7> Coef2 = {0, -256, 0, 64, 0, -208, -232};
constexpr std::array<int, 16> Adaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                            768, 614, 512, 409, 307, 230, 230, 230};

int16_t toInt16(float v) {
    long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    return static_cast<int16_t>(s);
}

void putRiffHeader(Bytes& b) {
    putTag(b, "RIFF");
    put32(b, 0); // patched at the end
    putTag(b, "WAVE");
}

// The state of one channel while encoding or decoding.
struct ChannelState {
    int predictor = 0;
    int delta = 16;
    int sample1 = 0; // the newer of the two previous samples
    int sample2 = 0;

    // Applies one nibble and returns the decoded sample.
    int step(int nibble) {
        int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
        int predicted = (sample1 * Coef1[static_cast<size_t>(predictor)] +
                         sample2 * Coef2[static_cast<size_t>(predictor)]) >>
                        8;
        int s = std::clamp(predicted + signedNibble * delta, -32768, 32767);
        sample2 = sample1;
        sample1 = s;
        delta = std::max(16, (Adaptation[static_cast<size_t>(nibble)] * delta) >> 8);
        return s;
    }
    // The nibble that brings the prediction closest to `target`.
    int choose(int target) const {
        int predicted = (sample1 * Coef1[static_cast<size_t>(predictor)] +
                         sample2 * Coef2[static_cast<size_t>(predictor)]) >>
                        8;
        int diff = target - predicted;
        int n = static_cast<int>(std::lround(static_cast<double>(diff) / delta));
        n = std::clamp(n, -8, 7);
        return n & 0x0F;
    }
};

// Encodes one channel of a block with the given start state; returns the squared error.
double trialError(const std::vector<int>& pcm, ChannelState st, std::vector<int>* nibbles) {
    double err = 0;
    for (size_t i = 2; i < pcm.size(); ++i) {
        int n = st.choose(pcm[i]);
        int s = st.step(n);
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
    for (size_t i = 0; i < 7; ++i) {
        put16(b, static_cast<uint16_t>(static_cast<int16_t>(Coef1[i])));
        put16(b, static_cast<uint16_t>(static_cast<int16_t>(Coef2[i])));
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
                    st.delta = d;
                    st.sample2 = pcm[0];
                    st.sample1 = pcm[1];
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
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.delta)));
        for (auto& st : start)
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.sample1)));
        for (auto& st : start)
            put16(b, static_cast<uint16_t>(static_cast<int16_t>(st.sample2)));
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

std::vector<int> decodeMsAdpcmBlock(const uint8_t* block, int channels, int samplesPerBlock) {
    auto rd16 = [](const uint8_t* p) {
        return static_cast<int>(static_cast<int16_t>(p[0] | (p[1] << 8)));
    };
    std::vector<ChannelState> st(static_cast<size_t>(channels));
    size_t ch = static_cast<size_t>(channels);
    for (size_t c = 0; c < ch; ++c) {
        st[c].predictor = std::min<int>(block[c], 6);
        st[c].delta = rd16(block + ch + 2 * c);
        st[c].sample1 = rd16(block + 3 * ch + 2 * c);
        st[c].sample2 = rd16(block + 5 * ch + 2 * c);
    }
    std::vector<int> out;
    for (size_t c = 0; c < ch; ++c)
        out.push_back(st[c].sample2);
    for (size_t c = 0; c < ch; ++c)
        out.push_back(st[c].sample1);
    const uint8_t* p = block + 7 * ch;
    size_t count = static_cast<size_t>(samplesPerBlock - 2) * ch;
    for (size_t i = 0; i < count; ++i) {
        int nib = (i % 2 == 0) ? (p[i / 2] >> 4) : (p[i / 2] & 0x0F);
        out.push_back(st[i % ch].step(nib));
    }
    return out;
}
