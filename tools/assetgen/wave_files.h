// Encoders of the sound files: 16-bit PCM WAVE and Microsoft ADPCM WAVE (format tag 2).
#pragma once

#include <vector>

#include "byte_writer.h"

// Samples are interleaved by channel, in -1..1.
Bytes encodePcm16(const std::vector<float>& samples, int channels, int rate);
// Microsoft ADPCM with `samplesPerBlock` frames in each block; the last block is padded with
// silence to a whole block, and the fact chunk gives the true frame count.
Bytes encodeMsAdpcm(const std::vector<float>& samples, int channels, int rate, int samplesPerBlock);

// Bytes of one ADPCM block holding `samplesPerBlock` frames.
int msAdpcmBlockAlign(int channels, int samplesPerBlock);
