// The simulation side of the effect passes. Besides the update, a displayed
// frame changes the world in three places while it draws: each running
// explosion advances through its images, each busy rocket lays or fades its
// smoke trail, and the cockpit normalises the camera's side, up and view.
// runFrameEffects holds that sequence once: the display runs it with its
// drawing passes, the headless frame (replays, soaks) with passes that draw
// nothing, so both change the world in exactly the same way. GL-free.
#pragma once

struct Camera;

struct FrameEffectPasses {
    // Rocket rocketIndex's explosion in this frame, called while its
    // explosionActive is 1. Must advance it with advanceExplosion by
    // frameElapsedMs, exactly once (drawExplosion does, and draws the image);
    // null advances it without drawing.
    void (*explosion)(int rocketIndex) = nullptr;
    // Rocket rocketIndex's smoke trail, right after the trail was laid or
    // faded. Draws only; null draws nothing.
    void (*smokeTrail)(int rocketIndex) = nullptr;
    // The cockpit. Must call normalizeCockpitAxes(camera) exactly once
    // (drawCockpit does, between the panel and the radar); null normalises
    // without drawing.
    void (*cockpit)() = nullptr;
};

// After the update: for each rocket 0 to 7, its explosion when explosionActive
// is 1, then, when its state is above 0, Rocket::updateTrail and its smoke
// trail; then the cockpit.
void runFrameEffects(const FrameEffectPasses& passes);

// The same passes over a world that stands still (the paused game's redraw):
// the same explosions, trails and cockpit, each drawn as it stands. Nothing
// is advanced, laid, faded or normalised, so the passes given must draw only
// (drawStillExplosion, drawSmokeTrail, drawStillCockpit); null draws nothing.
void drawStillFrameEffects(const FrameEffectPasses& passes);

// The cockpit's normalisation of the camera's side, up and view, in place and
// in that order.
void normalizeCockpitAxes(Camera& camera);

