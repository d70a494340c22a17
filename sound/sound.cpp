#include "sound/sound.h"

#include <cmath>

SoundLevels soundLevels;

namespace {

SoundOutput* soundOutput = nullptr;

// Each channel's designed volume, as last set; a channel never set plays at full.
struct ChannelVolumes {
    int designed[CHANNEL_COUNT];
    ChannelVolumes()
    {
        for (int& volume : designed) {
            volume = SOUND_VOLUME_MAX;
        }
    }
};
ChannelVolumes channels;
int appliedShare = static_cast<int>(EFFECTS_VOLUME_START);

int effectsShare()
{
    return static_cast<int>(std::lround(soundLevels.effectsVolume));
}

// At a share of 100 exactly the designed volume.
int heard(int channel, int volume)
{
    if (channel == CHANNEL_RADIO) {
        return volume;
    }
    return (volume * effectsShare() + 50) / 100;
}

void sendEffectVolumes()
{
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        if (channel != CHANNEL_RADIO) {
            soundOutput->setVolume(channel, heard(channel, channels.designed[channel]));
        }
    }
}

}  // namespace

void soundSetOutput(SoundOutput* output)
{
    soundOutput = output;
    appliedShare = effectsShare();
    if (soundOutput && appliedShare != static_cast<int>(EFFECTS_VOLUME_START)) {
        sendEffectVolumes();
    }
}

void soundApplyLevels()
{
    if (effectsShare() == appliedShare) {
        return;
    }
    appliedShare = effectsShare();
    if (soundOutput) {
        sendEffectVolumes();
    }
}

void soundPlaySample(int channel, int slot)
{
    if (soundOutput) {
        soundOutput->playSample(channel, slot);
    }
}

void soundSetVolume(int channel, int volume)
{
    if (channel >= 0 && channel < CHANNEL_COUNT) {
        channels.designed[channel] = volume;
    }
    if (soundOutput) {
        soundOutput->setVolume(channel, heard(channel, volume));
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
