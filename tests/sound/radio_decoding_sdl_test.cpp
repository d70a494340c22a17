// The radio's MP3 decoded on its helper thread: the same samples the mixer's
// own loader makes of it, and started on its channel by the frame after.
#include "sound/radio_decoding_sdl.h"
#include "sound/sound.h"
#include "sound/sound_sdl.h"
#include "support/file_capture.h"
#include "support/scratch_dir.h"
#include "tools/generated_data.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <sys/stat.h>

namespace {

// The mixer opened as the game opens it, with its MP3 decoder; closed at the end.
struct OpenMixer {
    OpenMixer()
    {
        SDL_InitSubSystem(SDL_INIT_AUDIO);
        opened = Mix_OpenAudio(SOUND_MIX_RATE, AUDIO_S16SYS, 2, 1024) == 0;
        Mix_Init(MIX_INIT_MP3);
    }
    ~OpenMixer()
    {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    bool opened = false;
};

// Armed in a child that ends through exit, as Xlib ends the game when the
// display goes: this static object is destroyed with the others, the
// radio's samples among them, and by then the mixer must have stopped.
bool mixerMustBeStopped = false;
struct MixerStoppedAtExit {
    ~MixerStoppedAtExit()
    {
        if (mixerMustBeStopped && Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
            std::_Exit(3);
        }
    }
} mixerStoppedAtExit;

void updateUntilTheRadioPlays()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Mix_Playing(CHANNEL_RADIO) && std::chrono::steady_clock::now() < deadline) {
        soundUpdate();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace

TEST(RadioDecoding, GivesTheMixersOwnSamplesOrSaysWhyNot)
{
    const OpenMixer open;
    ASSERT_TRUE(open.opened) << Mix_GetError();
    MixerFormat mixer;
    Uint16 format = 0;
    Mix_QuerySpec(&mixer.rate, &format, &mixer.channels);
    mixer.format = format;

    const std::string path = generatedSoundsTree().file("sound/bk01.mp3");
    Mix_Chunk* reference = Mix_LoadWAV(path.c_str());
    ASSERT_NE(reference, nullptr) << Mix_GetError();
    const DecodedTrack track = decodeMp3(readBytes(path), mixer);
    EXPECT_EQ(track.error, "");
    ASSERT_EQ(track.samples.size(), reference->alen);
    EXPECT_EQ(std::memcmp(track.samples.data(), reference->abuf, reference->alen), 0);
    Mix_FreeChunk(reference);

    const DecodedTrack noise = decodeMp3(std::string(5000, '\x55'), mixer);
    EXPECT_NE(noise.error, "");
    EXPECT_TRUE(noise.samples.empty());
}

TEST(RadioDecoding, StartsOnItsChannelAtTheVolumeSetMeanwhileAndStopsWithTheDevice)
{
    ScratchDir dir;
    dir.write("sound/bk01.mp3", readBytes(generatedSoundsTree().file("sound/bk01.mp3")));
    dir.write("sound/engine.wav", makeWav(SOUND_MIX_RATE, 0.05, 55.0));

    // Closed while the helper still decodes: nothing is left playing or running.
    soundInit();
    soundShutdown();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);

    soundInit();
    EXPECT_TRUE(Mix_Playing(CHANNEL_ENGINE));
    EXPECT_FALSE(Mix_Playing(CHANNEL_RADIO));  // no frame has taken the track yet
    // A radio key pressed before the track is ready.
    soundSetVolume(CHANNEL_RADIO, 40);
    updateUntilTheRadioPlays();
    EXPECT_TRUE(Mix_Playing(CHANNEL_RADIO));
    EXPECT_EQ(Mix_Volume(CHANNEL_RADIO, -1), soundMixerVolume(40));
    soundShutdown();

    // Neither an MP3 nor anything else the mixer reads: one line names it once
    // the helper gives up, and the radio stays silent.
    dir.write("sound/bk01.mp3", std::string(5000, '\x55'));
    soundInit();
    const std::string printed = captureStdout(
        [] {
            // Standard error goes to the capture's file: done once it holds the line.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            struct stat captured = {};
            while (std::chrono::steady_clock::now() < until && (fstat(2, &captured) != 0 || captured.st_size == 0)) {
                soundUpdate();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        },
        2);
    EXPECT_EQ(printed.rfind("Sound sound/bk01.mp3: ", 0), 0u) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_FALSE(Mix_Playing(CHANNEL_RADIO));
    soundShutdown();
}

TEST(RadioDecoding, AnExitOutsideTheExitSequenceStopsTheMixerFirst)
{
    // A forked child of a process with a GL window hangs in the toolkit's
    // exit handler; a child of its own starts with none.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScratchDir dir;
    dir.write("sound/bk01.mp3", readBytes(generatedSoundsTree().file("sound/bk01.mp3")));
    EXPECT_EXIT(
        {
            soundInit();
            updateUntilTheRadioPlays();
            mixerMustBeStopped = true;
            std::exit(Mix_Playing(CHANNEL_RADIO) ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
}
