// The effects volume of options.ini: the engine and the cues at a share of
// their designed volumes, the radio at its own.
#include "app/loop/frame_cues.h"
#include "app/files/options.h"
#include "support/sim_world.h"

namespace {

class EffectsVolume : public SimWorld {
protected:
    void TearDown() override
    {
        resetOptions();
        soundApplyLevels();
        SimWorld::TearDown();
    }
};

}  // namespace

TEST_F(EffectsVolume, EffectsFollowTheirShareAtOnceAndTheRadioKeepsItsOwn)
{
    soundSetVolume(CHANNEL_GATE, GATE_CUE_VOLUME);
    sound.calls.clear();
    ASSERT_TRUE(applyOptions("sound.effects_volume = 50\n").empty());
    // Every channel but the radio's, each at half its designed volume.
    ASSERT_EQ(sound.calls.size(), static_cast<size_t>(CHANNEL_COUNT - 1));
    EXPECT_EQ(sound.calls[CHANNEL_ENGINE], volumeSet(CHANNEL_ENGINE, 128));
    EXPECT_EQ(sound.calls[CHANNEL_GATE], volumeSet(CHANNEL_GATE, 60));

    sound.calls.clear();
    game.events.push(FrameEvent{EVENT_GATE_PASSED, -1, -1, 1});
    handleFrameEvents(game, 0.0f);
    soundSetVolume(CHANNEL_RADIO, 40);
    applyOptions("sound.effects_volume = 50\n");  // as it was: nothing is sent
    EXPECT_EQ(sound.calls, (std::vector<SoundCall>{played(CHANNEL_GATE, SAMPLE_GATE), volumeSet(CHANNEL_GATE, 60),
                                                   volumeSet(CHANNEL_RADIO, 40)}));

    // Back at 100 every effect plays at its designed volume; the gate's own 120 stays.
    sound.calls.clear();
    applyOptions("");
    ASSERT_EQ(sound.calls.size(), static_cast<size_t>(CHANNEL_COUNT - 1));
    EXPECT_EQ(sound.calls[CHANNEL_ENGINE], volumeSet(CHANNEL_ENGINE, SOUND_VOLUME_MAX));
    EXPECT_EQ(sound.calls[CHANNEL_GATE], volumeSet(CHANNEL_GATE, GATE_CUE_VOLUME));
}
