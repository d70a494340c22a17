#include "app/loop/frame_cues.h"

#include "app/loop/game.h"
#include "sim/update_frame.h"
#include "sound/sound.h"

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

void handleFrameEvents(Game& game, float nowMs)
{
    playEventCues(game.events);
    for (const FrameEvent& event : game.events) {
        if (event.kind == EVENT_CRAFT_CONTACT) {
            game.hands.thrustInput = 0;
        }
    }
    raceGhostEvents(game, nowMs);
    if (game.eventListener) {
        game.eventListener(game.events);
    }
    game.events.clear();
}

void advanceFrame(Game& game, float nowMs)
{
    game.input.clockMs = nowMs;
    game.input.thrust = game.hands.thrustInput;
    game.input.roll = game.hands.rollInput;
    updateFrame(game.world, game.input, game.events);
    game.laps.onStep(game.world, game.input, game.events);
    game.input.commands.clear();
    if (game.view.optionsOverlayTimer > 0.0f) {
        game.view.optionsOverlayTimer -= game.world.frameElapsedMs;
    }
    handleFrameEvents(game, nowMs);
    const Camera& shown = game.world.shown.camera;
    game.ghost.onFrame(nowMs, ghostPoseOf(shown.position, shown.view, shown.up));
}
