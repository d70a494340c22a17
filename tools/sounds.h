// The game's sounds, synthesised at SAMPLE_RATE, samples in [-1, 1].
#pragma once

#include "tools/synth.h"

Samples makeExplosionSound();  // "sound/explosion.wav"
Samples makeRocketSound();     // "sound/rocket.wav"
Samples makeGateSound();       // "sound/gate.wav"
Samples makeBestLapSound();    // "sound/bestlap.wav"
Samples makeNormalLapSound();  // "sound/normlap.wav"
// "sound/engine.wav": a whole number of periods of every component, so the
// last sample runs straight on into the first.
Samples makeEngineSound();

// "sound/bk01.mp3": 32 bars at 120 beats a minute, 64 seconds. Note tails,
// echoes and reverb of the end ring on into the beginning, so the loop has no
// seam.
void makeMusic(Samples& left, Samples& right);
constexpr int MUSIC_BARS = 32;
constexpr int SAMPLES_PER_BEAT = SAMPLE_RATE / 2;  // 120 beats a minute
