// The game's seven sound effects, synthesised.
#pragma once

#include <vector>

struct Sound {
    int id;
    int channels;
    std::vector<float> samples; // interleaved, -1..1
};

constexpr int SoundRate = 22050;

// Every sound, 5000 to 5006, in its channel count and length.
std::vector<Sound> synthesiseSounds();
