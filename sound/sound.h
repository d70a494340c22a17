// The fixed sound assignment: two looping streams on reserved channels and
// five one-shot samples, each cue on its own channel. The core plays cues
// through the output installed here, so it links no sound library; the game
// installs the SDL2_mixer output (sound/sound_sdl.h), tests a recorder.
#pragma once

enum SampleSlot : int {
    SAMPLE_EXPLOSION = 0,  // "sound/explosion.wav"
    SAMPLE_ROCKET = 1,     // "sound/rocket.wav"
    SAMPLE_GATE = 2,       // "sound/gate.wav"
    SAMPLE_BEST_LAP = 3,   // "sound/bestlap.wav"
    SAMPLE_NORMAL_LAP = 4, // "sound/normlap.wav"
    SAMPLE_COUNT = 5
};

constexpr int CHANNEL_COUNT = 32;
constexpr int CHANNEL_RADIO = 31;      // music stream "sound/bk01.mp3", looping
constexpr int CHANNEL_ENGINE = 30;     // engine stream "sound/engine.wav", looping
constexpr int CHANNEL_EXPLOSION = 1;
constexpr int CHANNEL_ROCKET = 2;
constexpr int CHANNEL_GATE = 3;
constexpr int CHANNEL_LAP = 4;

constexpr int SOUND_MIX_RATE = 22050;
constexpr int SOUND_VOLUME_MAX = 255;  // volumes are on a 0 to 255 scale
constexpr int GATE_CUE_VOLUME = 120;

// The radio (music) volume (0 to 255, moved by the radio keys in steps of 5)
// is the app's: it sets the radio's channel through soundSetVolume.
constexpr int RADIO_VOLUME_START = 20;

// The player's share of the designed volumes for the engine and every cue, in
// percent (sound.effects_volume in options.ini): at 100 every effect plays at
// its designed level. The radio keeps its own volume. A setting, not part of
// the world.
constexpr float EFFECTS_VOLUME_START = 100.0f;
struct SoundLevels {
    float effectsVolume = EFFECTS_VOLUME_START;
};
// options.ini's effects volume, which the options table sets and every cue
// reads.
extern SoundLevels soundLevels;

struct SoundOutput {
    virtual ~SoundOutput() = default;
    virtual void playSample(int channel, int slot) = 0;
    virtual void setVolume(int channel, int volume) = 0;
};

// Installs where cues go; nullptr makes every cue silent. Not owned. An
// output installed while the effects are not at 100 gets their volumes.
void soundSetOutput(SoundOutput* output);

// After soundLevels changed: the engine's and the cues' channels get their
// designed volumes at the new share at once. Nothing when the share is as
// it was.
void soundApplyLevels();

// A cue: the sample of the slot starts on the channel, replacing whatever
// played there. Results are never tested by callers.
void soundPlaySample(int channel, int slot);
// The volume is the designed one; an effect's channel plays it at the
// effects' share.
void soundSetVolume(int channel, int volume);

// The 0 to 255 volume scale mapped onto SDL2_mixer's 0 to 128, rounded to the
// nearest step; values outside the scale are clamped.
int soundMixerVolume(int volume);
