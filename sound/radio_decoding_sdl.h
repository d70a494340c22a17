// The radio's track, decoded on a helper thread while the game starts and
// runs. The mixer's own loader would decode the 64 s track on the main thread
// before the first frame, and it holds the mixer's lock all the while, which
// would stall the engine hum and every cue for as long. This decodes with the
// same decoder (libmpg123) and the same converter (SDL's audio stream) outside
// that lock; the main thread starts the result on its channel
// (sound/sound_sdl.cpp).
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

struct MixerFormat {
    int rate = 0;
    SDL_AudioFormat format = 0;
    int channels = 0;
};

struct DecodedTrack {
    std::vector<Uint8> samples;  // in the mixer's format; empty when decoding failed
    std::string error;           // why, then
    std::string file;            // the helper's bytes back, when they were no MP3 it could read
};

// Decodes an MP3 held in memory into the mixer's format, on the calling thread.
DecodedTrack decodeMp3(const std::string& mp3, const MixerFormat& mixer);

// Starts decoding on a helper thread; the bytes move to it. Any earlier
// decoding is waited for and dropped first.
void startRadioDecoding(std::string mp3, const MixerFormat& mixer);

// Hands over the helper's result once it is finished, and only once; false
// while it is still decoding or when none was started. Never waits.
bool takeDecodedRadio(DecodedTrack& track);

// Waits for a helper still decoding and drops its result.
void cancelRadioDecoding();
