#include "tools/generated_data.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int RATE = 22050;

const SharedTree& data()
{
    return generatedSoundsTree();
}

// The mixer opened as the game opens it, on the silent driver the test
// environment selects; closed when the test ends.
class GeneratedSounds : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(RATE, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // The decoded sound, left channel, in [-1, 1].
    std::vector<double> decode(const std::string& name)
    {
        Mix_Chunk* chunk = Mix_LoadWAV(data().file(name).c_str());
        EXPECT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
        std::vector<double> out;
        if (chunk) {
            const auto* s = reinterpret_cast<const int16_t*>(chunk->abuf);
            for (Uint32 i = 0; i + 1 < chunk->alen / 2; i += 2) {
                out.push_back(s[i] / 32768.0);
            }
            Mix_FreeChunk(chunk);
        }
        return out;
    }
};

double rms(const std::vector<double>& s, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) {
        sum += s[i] * s[i];
    }
    return std::sqrt(sum / double(to - from));
}

// How sharply the loop bends where its end runs into its beginning, as a
// share of the sound's own bends: the fraction of its second differences that
// are smaller than the larger one at the joint. A click is a bend sharper
// than nearly all of the sound's own.
double seamRank(const std::vector<double>& s)
{
    const size_t n = s.size();
    std::vector<double> bends;
    for (size_t i = 1; i + 1 < n; ++i) {
        bends.push_back(std::fabs(s[i + 1] - 2.0 * s[i] + s[i - 1]));
    }
    std::sort(bends.begin(), bends.end());
    const double joint = std::max(std::fabs(s[0] - 2.0 * s[n - 1] + s[n - 2]), std::fabs(s[1] - 2.0 * s[0] + s[n - 1]));
    return double(std::lower_bound(bends.begin(), bends.end(), joint) - bends.begin()) / double(bends.size());
}

void expectSeamless(const std::vector<double>& s)
{
    ASSERT_GT(s.size(), size_t(RATE));
    EXPECT_LT(seamRank(s), 0.99);
    // No silent gap at either end (an encoder's start delay would leave one):
    // the loop sounds as full there as elsewhere.
    const size_t tenth = RATE / 10;
    const double whole = rms(s, 0, s.size());
    EXPECT_GT(rms(s, 0, tenth), whole * 0.3);
    EXPECT_GT(rms(s, s.size() - tenth, s.size()), whole * 0.3);
}

uint32_t little32(const std::string& b, size_t at)
{
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

}  // namespace

TEST_F(GeneratedSounds, EffectSamplesLoadAreShortAndAudible)
{
    for (const char* name : {"sound/explosion.wav", "sound/rocket.wav", "sound/gate.wav", "sound/bestlap.wav",
                             "sound/normlap.wav", "sound/engine.wav"}) {
        SCOPED_TRACE(name);
        const std::string bytes = readBytes(data().file(name));
        ASSERT_GT(bytes.size(), 44u);
        EXPECT_EQ(little32(bytes, 24), uint32_t(RATE));
        const std::vector<double> s = decode(name);
        EXPECT_GT(s.size(), size_t(RATE / 5));
        EXPECT_LT(s.size(), size_t(RATE * 3));
        double peak = 0.0;
        for (double v : s) {
            peak = std::max(peak, std::fabs(v));
        }
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 0.999);  // no clipping
    }
}

TEST_F(GeneratedSounds, EngineHumLoopsWithoutAClick)
{
    const std::vector<double> hum = decode("sound/engine.wav");
    expectSeamless(hum);
    // The same hum cut short at an arbitrary point does click.
    const std::vector<double> cut(hum.begin() + RATE / 3, hum.end());
    EXPECT_GT(seamRank(cut), 0.999);
}

TEST_F(GeneratedSounds, MusicLastsOverAMinuteAt22050AndLoopsWithoutAClick)
{
    // The first frame header: MPEG-2 (version bits 10) at sampling index 0 is 22050 Hz.
    const std::string bytes = readBytes(data().file("sound/bk01.mp3"));
    ASSERT_GT(bytes.size(), 4u);
    ASSERT_EQ(uint8_t(bytes[0]), 0xFF);
    EXPECT_EQ((uint8_t(bytes[1]) >> 3) & 3, 2);
    EXPECT_EQ((uint8_t(bytes[2]) >> 2) & 3, 0);

    const std::vector<double> s = decode("sound/bk01.mp3");
    EXPECT_GE(s.size(), size_t(60 * RATE));
    expectSeamless(s);
}
