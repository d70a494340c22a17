// Sound file encoders: 16-bit PCM WAV and MP3 through libmp3lame.
#pragma once

#include "tools/synth.h"

#include <string>

// A mono 16-bit PCM WAV file at SAMPLE_RATE; samples in [-1, 1].
std::string encodeWav(const Samples& samples);

// A stereo MP3 at SAMPLE_RATE. The encoder's Info frame records its start
// delay and end padding, so a decoder that honours it returns exactly the
// input's length and the music loops without a gap. Empty on failure.
std::string encodeMp3(const Samples& left, const Samples& right);

// One sample in 16 bits, rounded and clamped.
short toPcm16(double sample);
