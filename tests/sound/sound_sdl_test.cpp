#include "app/loop/exit_sequence.h"
#include "app/loop/game.h"
#include "sim/platform_hooks.h"
#include "sound/sound.h"
#include "sound/sound_sdl.h"
#include "support/file_capture.h"
#include "support/scratch_dir.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

void writeAllSounds(const ScratchDir& dir)
{
    // Short files, so that looping shows within a fraction of a second.
    dir.write("sound/bk01.mp3", makeWav(SOUND_MIX_RATE, 0.05, 220.0));
    dir.write("sound/engine.wav", makeWav(SOUND_MIX_RATE, 0.05, 55.0));
    const char* samples[] = {"explosion", "rocket", "gate", "bestlap", "normlap"};
    for (const char* name : samples) {
        dir.write(std::string("sound/") + name + ".wav", makeWav(SOUND_MIX_RATE, 0.5, 440.0));
    }
}

class SoundDevice : public ::testing::Test {
protected:
    void TearDown() override { soundShutdown(); }
};

}  // namespace

TEST(SoundVolume, MapsTheByteScaleOntoTheMixerScale)
{
    EXPECT_EQ(soundMixerVolume(0), 0);
    EXPECT_EQ(soundMixerVolume(255), 128);
    EXPECT_EQ(soundMixerVolume(20), 10);
    EXPECT_EQ(soundMixerVolume(120), 60);
    EXPECT_EQ(soundMixerVolume(250), 125);
    EXPECT_EQ(soundMixerVolume(-5), 0);
    EXPECT_EQ(soundMixerVolume(400), 128);
    for (int v = 1; v <= 255; ++v) {
        ASSERT_GE(soundMixerVolume(v), soundMixerVolume(v - 1));
    }
}

TEST_F(SoundDevice, OpensThirtyTwoChannelsAndLoopsBothStreams)
{
    ScratchDir dir;
    writeAllSounds(dir);
    soundInit();

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, SOUND_MIX_RATE);
    EXPECT_EQ(Mix_AllocateChannels(-1), CHANNEL_COUNT);

    EXPECT_TRUE(Mix_Playing(CHANNEL_RADIO));
    EXPECT_TRUE(Mix_Playing(CHANNEL_ENGINE));
    EXPECT_EQ(Mix_Volume(CHANNEL_RADIO, -1), soundMixerVolume(RADIO_VOLUME_START));
    EXPECT_EQ(Mix_Volume(CHANNEL_ENGINE, -1), MIX_MAX_VOLUME);

    // Both streams last 50 ms; still playing well after that means they loop.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(Mix_Playing(CHANNEL_RADIO));
    EXPECT_TRUE(Mix_Playing(CHANNEL_ENGINE));
}

TEST_F(SoundDevice, CuesPlayOnTheirChannelsAndVolumesMap)
{
    ScratchDir dir;
    writeAllSounds(dir);
    soundInit();

    for (int channel = 0; channel < CHANNEL_COUNT - 2; ++channel) {
        ASSERT_FALSE(Mix_Playing(channel)) << channel;
    }
    soundPlaySample(CHANNEL_GATE, SAMPLE_GATE);
    soundSetVolume(CHANNEL_GATE, GATE_CUE_VOLUME);
    EXPECT_TRUE(Mix_Playing(CHANNEL_GATE));
    EXPECT_EQ(Mix_Volume(CHANNEL_GATE, -1), 60);

    soundPlaySample(CHANNEL_EXPLOSION, SAMPLE_EXPLOSION);
    soundPlaySample(CHANNEL_ROCKET, SAMPLE_ROCKET);
    soundPlaySample(CHANNEL_LAP, SAMPLE_BEST_LAP);
    EXPECT_TRUE(Mix_Playing(CHANNEL_EXPLOSION));
    EXPECT_TRUE(Mix_Playing(CHANNEL_ROCKET));
    EXPECT_TRUE(Mix_Playing(CHANNEL_LAP));
    EXPECT_FALSE(Mix_Playing(5));

    // The radio keys re-send the volume to channel 31.
    soundSetVolume(CHANNEL_RADIO, 255);
    EXPECT_EQ(Mix_Volume(CHANNEL_RADIO, -1), 128);
}

TEST_F(SoundDevice, MissingFilesLeaveTheGameSilentButRunning)
{
    ScratchDir dir;  // no sound directory at all
    EXPECT_EQ(captureStdout([] { soundInit(); }, 2),
              "Sound sound/bk01.mp3: missing\nSound sound/engine.wav: missing\n"
              "Sound sound/explosion.wav: missing\nSound sound/rocket.wav: missing\n"
              "Sound sound/gate.wav: missing\nSound sound/bestlap.wav: missing\n"
              "Sound sound/normlap.wav: missing\n");
    EXPECT_FALSE(Mix_Playing(CHANNEL_RADIO));
    EXPECT_FALSE(Mix_Playing(CHANNEL_ENGINE));
    soundPlaySample(CHANNEL_EXPLOSION, SAMPLE_EXPLOSION);
    soundSetVolume(CHANNEL_RADIO, 40);
    EXPECT_FALSE(Mix_Playing(CHANNEL_EXPLOSION));
    EXPECT_EQ(Mix_Volume(CHANNEL_RADIO, -1), soundMixerVolume(40));
}

TEST_F(SoundDevice, BrokenFilesSilenceOnlyTheirOwnCueWithOneNamedLineEach)
{
    ScratchDir dir;
    writeAllSounds(dir);
    dir.write("sound/engine.wav", "");
    dir.write("sound/gate.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    std::filesystem::remove(dir.path() + "/sound/rocket.wav");
    std::filesystem::create_directory(dir.path() + "/sound/rocket.wav");
    const std::string printed = captureStdout([] { soundInit(); }, 2);

    EXPECT_EQ(printed.substr(0, printed.find('\n') + 1), "Sound sound/engine.wav: empty\n");
    EXPECT_NE(printed.find("\nSound sound/rocket.wav: not a regular file\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("\nSound sound/gate.wav: "), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 3) << printed;
    EXPECT_TRUE(Mix_Playing(CHANNEL_RADIO));
    EXPECT_FALSE(Mix_Playing(CHANNEL_ENGINE));
    const struct {
        int channel;
        int slot;
        bool plays;
    } cues[] = {{CHANNEL_GATE, SAMPLE_GATE, false},
                {CHANNEL_ROCKET, SAMPLE_ROCKET, false},
                {CHANNEL_EXPLOSION, SAMPLE_EXPLOSION, true}};
    for (const auto& cue : cues) {
        soundPlaySample(cue.channel, cue.slot);
        EXPECT_EQ(Mix_Playing(cue.channel) != 0, cue.plays) << "channel " << cue.channel;
    }
}

TEST_F(SoundDevice, ExitSequenceClosesTheDevice)
{
    ScratchDir dir;
    writeAllSounds(dir);
    soundInit();
    ASSERT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 1);

    static int exitStatus = -1;
    const auto game = std::make_unique<Game>();
    const PlatformHooks saved = platformHooks;
    platformHooks = PlatformHooks{};
    platformHooks.closeSound = soundShutdown;
    platformHooks.exitProcess = [](int status) { exitStatus = status; };
    runExitSequence(*game);
    platformHooks = saved;

    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    // Cues after the close go nowhere instead of into a closed device.
    soundPlaySample(CHANNEL_EXPLOSION, SAMPLE_EXPLOSION);
}

TEST_F(SoundDevice, FallsBackToTheSilentDriverWhenNoDeviceOpens)
{
    ScratchDir dir;
    writeAllSounds(dir);
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string previous = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    soundInit();
    if (saved) {
        setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }

    EXPECT_TRUE(soundIsSilentDevice());
    EXPECT_EQ(Mix_AllocateChannels(-1), CHANNEL_COUNT);
    EXPECT_TRUE(Mix_Playing(CHANNEL_RADIO));
    soundPlaySample(CHANNEL_ROCKET, SAMPLE_ROCKET);
    EXPECT_TRUE(Mix_Playing(CHANNEL_ROCKET));
}
