#include "app/frame_cues.h"

#include "app/ghost_race.h"
#include "sim/frame_events.h"
#include "sim/update_frame.h"
#include "sound/sound.h"

void (*frameEventListener)(const FrameEvents& events) = nullptr;

void playEventCues(const FrameEvents& events)
{
    for (const FrameEvent& event : events) {
        switch (event.kind) {
        case EVENT_ROCKET_LAUNCHED:
            soundPlaySample(CHANNEL_ROCKET, SAMPLE_ROCKET);
            break;
        case EVENT_ROCKET_HIT:
        case EVENT_CRAFT_CONTACT:
            soundPlaySample(CHANNEL_EXPLOSION, SAMPLE_EXPLOSION);
            break;
        case EVENT_GATE_PASSED:
            soundPlaySample(CHANNEL_GATE, SAMPLE_GATE);
            soundSetVolume(CHANNEL_GATE, GATE_CUE_VOLUME);
            break;
        case EVENT_LAP_ENDED:
            soundPlaySample(CHANNEL_LAP, event.bestLap ? SAMPLE_BEST_LAP : SAMPLE_NORMAL_LAP);
            break;
        case EVENT_LAP_RESTARTED:
            break;
        }
    }
}

void handleFrameEvents()
{
    playEventCues(frameEvents);
    raceGhostEvents(frameEvents, frameClock());
    if (frameEventListener) {
        frameEventListener(frameEvents);
    }
    frameEvents.clear();
}

void advanceFrame()
{
    updateFrame();
    handleFrameEvents();
    ghostRace.onFrame(frameClock());
}
