#include "sound/sound.h"

namespace {
SoundOutput* soundOutput = nullptr;
}

void soundSetOutput(SoundOutput* output)
{
    soundOutput = output;
}

void soundPlaySample(int channel, int slot)
{
    if (soundOutput) {
        soundOutput->playSample(channel, slot);
    }
}

void soundSetVolume(int channel, int volume)
{
    if (soundOutput) {
        soundOutput->setVolume(channel, volume);
    }
}

int soundMixerVolume(int volume)
{
    if (volume <= 0) {
        return 0;
    }
    if (volume >= SOUND_VOLUME_MAX) {
        return 128;
    }
    return (volume * 128 + SOUND_VOLUME_MAX / 2) / SOUND_VOLUME_MAX;
}
