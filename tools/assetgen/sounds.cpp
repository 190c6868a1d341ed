// Synthesis of the sound effects: refusal buzz, landing thud, line chime, error tone, click,
// removal sparkle and the short unused blip, each faded in and out and peaking near -6 dBFS.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double Rate = SoundRate;

size_t framesFor(double seconds) {
    return static_cast<size_t>(std::lround(seconds * Rate));
}

// A small deterministic generator for noise and sparkle timing.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 8388608.0 - 1.0; // -1..1
    }
};

// Gentle attack and release so no sound starts or ends with a click.
void fadeEnds(std::vector<double>& s, double in, double out) {
    size_t n = s.size();
    size_t fi = framesFor(in), fo = framesFor(out);
    for (size_t i = 0; i < fi && i < n; ++i)
        s[i] *= 0.5 - 0.5 * std::cos(Pi * i / fi);
    for (size_t i = 0; i < fo && i < n; ++i)
        s[n - 1 - i] *= 0.5 - 0.5 * std::cos(Pi * i / fo);
}

void normalise(std::vector<double>& s, double peak) {
    double m = 0;
    for (double v : s)
        m = std::max(m, std::fabs(v));
    if (m > 0)
        for (double& v : s)
            v *= peak / m;
}

// One-pole low-pass filter.
void lowPass(std::vector<double>& s, double cutoff) {
    double a = 1 - std::exp(-2 * Pi * cutoff / Rate), y = 0;
    for (double& v : s) {
        y += a * (v - y);
        v = y;
    }
}

// A small room: four feedback combs in parallel, then two all-passes (Schroeder), mixed in
// lightly so bells and pings ring on a little instead of stopping dry.
void addRoom(std::vector<double>& s, double wet, unsigned spread) {
    const size_t combs[4] = {1116 + spread, 1188 + spread, 1277 + spread, 1356 + spread};
    const size_t passes[2] = {556 + spread / 2, 441 + spread / 2};
    std::vector<double> out(s.size(), 0.0);
    for (size_t len : combs) {
        size_t n = len / 2; // the classic delays are for 44.1 kHz
        std::vector<double> buf(n, 0.0);
        double low = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            double y = buf[i % n];
            low = y * 0.6 + low * 0.4;
            buf[i % n] = s[i] + low * 0.78;
            out[i] += y / 4;
        }
    }
    for (size_t len : passes) {
        size_t n = len / 2;
        std::vector<double> buf(n, 0.0);
        for (size_t i = 0; i < out.size(); ++i) {
            double b = buf[i % n];
            double y = -out[i] + b;
            buf[i % n] = out[i] + b * 0.5;
            out[i] = y;
        }
    }
    for (size_t i = 0; i < s.size(); ++i)
        s[i] += wet * out[i];
}

std::vector<float> toFloat(const std::vector<double>& s) {
    return {s.begin(), s.end()};
}

constexpr double Peak = 0.5; // -6 dBFS

// Two short, low, slightly rough pulses: "uh-uh".
std::vector<double> refusalBuzz() {
    std::vector<double> s(framesFor(0.84), 0.0);
    for (int pulse = 0; pulse < 2; ++pulse) {
        double start = pulse * 0.27, len = 0.2, f = pulse == 0 ? 150.0 : 125.0;
        double phase = 0;
        for (size_t i = framesFor(start); i < s.size(); ++i) {
            double t = i / Rate - start;
            if (t > len + 0.08) break;
            double env = std::min(1.0, t / 0.01) * (t < len ? 1.0 : std::exp(-(t - len) / 0.02));
            phase += 2 * Pi * f / Rate;
            // A band-limited square (odd harmonics) with a little vibrato of the level.
            double v = 0;
            for (int h = 1; h <= 7; h += 2)
                v += std::sin(h * phase) / h;
            v *= 1 + 0.15 * std::sin(2 * Pi * 30 * t);
            s[i] += env * v;
        }
    }
    lowPass(s, 1200);
    return s;
}

// A low thump with a short woody knock on top.
std::vector<double> landingThud() {
    std::vector<double> s(framesFor(0.89), 0.0);
    Noise noise(7);
    double phase = 0, knock = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / Rate;
        double f = 45 + 85 * std::exp(-t / 0.05);
        phase += 2 * Pi * f / Rate;
        knock += 2 * Pi * 310 / Rate;
        double body = std::sin(phase) * std::exp(-t / 0.16);
        double wood = std::sin(knock) * std::exp(-t / 0.03) * 0.35;
        double grit = noise.next() * std::exp(-t / 0.012) * 0.3;
        s[i] = body + wood + grit;
    }
    lowPass(s, 2500);
    return s;
}

// A bell tone: a fundamental with a few inharmonic partials that die away faster.
void addBell(std::vector<double>& s, double start, double f, double level, double decay) {
    static const double ratio[] = {1.0, 2.0, 2.76, 5.4};
    static const double amp[] = {1.0, 0.35, 0.25, 0.08};
    static const double fall[] = {1.0, 0.6, 0.35, 0.2};
    for (size_t i = framesFor(start); i < s.size(); ++i) {
        double t = i / Rate - start;
        double attack = std::min(1.0, t / 0.004);
        double v = 0;
        for (int k = 0; k < 4; ++k)
            v += amp[k] * std::sin(2 * Pi * f * ratio[k] * t) * std::exp(-t / (decay * fall[k]));
        s[i] += level * attack * v;
    }
}

// A rising major arpeggio of bells.
std::vector<double> lineChime() {
    std::vector<double> s(framesFor(1.11), 0.0);
    addBell(s, 0.00, 1046.5, 0.8, 0.35);
    addBell(s, 0.07, 1318.5, 0.75, 0.35);
    addBell(s, 0.14, 1568.0, 0.7, 0.4);
    addBell(s, 0.21, 2093.0, 0.6, 0.3);
    addRoom(s, 0.25, 0);
    return s;
}

// Two falling, hollow tones: "bo-bom", plainly a mistake but softer than the buzz.
std::vector<double> wrongColourTone() {
    std::vector<double> s(framesFor(1.22), 0.0);
    const double notes[2][3] = {{0.0, 392.0, 0.22}, {0.26, 261.6, 0.6}};
    for (const auto& n : notes) {
        double start = n[0], f = n[1], len = n[2];
        for (size_t i = framesFor(start); i < s.size(); ++i) {
            double t = i / Rate - start;
            double env = std::min(1.0, t / 0.008) * std::exp(-t / (len * 0.6));
            double bend = f * (1 - 0.04 * t);
            double v = std::sin(2 * Pi * bend * t) + 0.3 * std::sin(2 * Pi * bend * 3 * t) +
                       0.12 * std::sin(2 * Pi * bend * 5 * t);
            s[i] += env * v;
        }
    }
    lowPass(s, 3000);
    return s;
}

// A short, dry tick with a little body.
std::vector<double> placementClick() {
    std::vector<double> s(framesFor(0.14), 0.0);
    Noise noise(11);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / Rate;
        double tick = std::sin(2 * Pi * 1900 * t) * std::exp(-t / 0.008);
        double body = std::sin(2 * Pi * 520 * t) * std::exp(-t / 0.025) * 0.7;
        double snap = noise.next() * std::exp(-t / 0.003) * 0.4;
        s[i] = tick + body + snap;
    }
    return s;
}

// Many small glassy pings scattered over both channels, thinning out over time.
std::vector<double> removalSparkle(bool right) {
    std::vector<double> s(framesFor(1.94), 0.0);
    Noise rnd(2024);
    // A soft shimmer sweeping upwards underneath.
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / Rate;
        phase += 2 * Pi * (1400 + 900 * t) / Rate;
        s[i] += 0.12 * std::sin(phase) * std::exp(-t / 0.35) * std::min(1.0, t / 0.02);
    }
    const double scale[] = {2093.0, 2349.3, 2637.0, 3136.0, 3520.0, 4186.0, 4698.6};
    double t0 = 0;
    while (t0 < 1.4) {
        double f = scale[static_cast<int>((rnd.next() + 1) * 3.499)];
        double pan = (rnd.next() + 1) / 2;
        double gain = right ? pan : 1 - pan;
        addBell(s, t0, f, 0.35 * (0.4 + 0.6 * gain) * std::exp(-t0 / 0.7), 0.12);
        t0 += 0.03 + 0.05 * (rnd.next() + 1) / 2 + t0 * 0.04;
    }
    addRoom(s, 0.3, right ? 23 : 0);
    return s;
}

// The never-played blip: a soft 0.05 s tone.
std::vector<double> blip(double f) {
    std::vector<double> s(framesFor(0.05), 0.0);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = i / Rate;
        s[i] = std::sin(2 * Pi * f * t) * std::exp(-t / 0.02);
    }
    return s;
}

Sound mono(int id, std::vector<double> s, double fadeOut, double peak = Peak) {
    fadeEnds(s, 0.002, fadeOut);
    normalise(s, peak);
    return {id, 1, toFloat(s)};
}

Sound stereo(int id, std::vector<double> l, std::vector<double> r, double fadeOut) {
    fadeEnds(l, 0.002, fadeOut);
    fadeEnds(r, 0.002, fadeOut);
    double m = 0;
    for (size_t i = 0; i < l.size(); ++i)
        m = std::max({m, std::fabs(l[i]), std::fabs(r[i])});
    std::vector<float> out;
    for (size_t i = 0; i < l.size(); ++i) {
        out.push_back(static_cast<float>(l[i] * Peak / m));
        out.push_back(static_cast<float>(r[i] * Peak / m));
    }
    return {id, 2, out};
}
} // namespace

std::vector<Sound> synthesiseSounds() {
    std::vector<Sound> all;
    all.push_back(stereo(5000, blip(880), blip(1320), 0.01));
    all.push_back(mono(5001, refusalBuzz(), 0.1, 0.33)); // dense, so quieter at its peak
    all.push_back(mono(5002, landingThud(), 0.2));
    all.push_back(mono(5003, lineChime(), 0.3));
    all.push_back(mono(5004, wrongColourTone(), 0.3, 0.4));
    all.push_back(mono(5005, placementClick(), 0.05));
    all.push_back(stereo(5006, removalSparkle(false), removalSparkle(true), 0.4));
    return all;
}
