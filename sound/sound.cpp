#include "sound/sound.h"

#include <cmath>

SoundLevels soundLevels;

namespace {

// Where the cues go: the output installed (null: silence), each channel's
// designed volume as last set (a channel never set plays at full), and the
// effects' share last sent. One for the process, as the sound device is.
struct CueSink {
    SoundOutput* output = nullptr;
    int designed[CHANNEL_COUNT];
    int appliedShare = static_cast<int>(EFFECTS_VOLUME_START);
    CueSink()
    {
        for (int& volume : designed) {
            volume = SOUND_VOLUME_MAX;
        }
    }
};
CueSink sink;

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
            sink.output->setVolume(channel, heard(channel, sink.designed[channel]));
        }
    }
}

}  // namespace

void soundSetOutput(SoundOutput* output)
{
    sink.output = output;
    sink.appliedShare = effectsShare();
    if (sink.output && sink.appliedShare != static_cast<int>(EFFECTS_VOLUME_START)) {
        sendEffectVolumes();
    }
}

void soundApplyLevels()
{
    if (effectsShare() == sink.appliedShare) {
        return;
    }
    sink.appliedShare = effectsShare();
    if (sink.output) {
        sendEffectVolumes();
    }
}

void soundPlaySample(int channel, int slot)
{
    if (sink.output) {
        sink.output->playSample(channel, slot);
    }
}

void soundSetVolume(int channel, int volume)
{
    if (channel >= 0 && channel < CHANNEL_COUNT) {
        sink.designed[channel] = volume;
    }
    if (sink.output) {
        sink.output->setVolume(channel, heard(channel, volume));
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
