// The collision pass, run once per frame update after everything has moved:
// asteroid pairs, then flying rockets against asteroids, then the craft
// against asteroids. Bodies are spheres: asteroids of radius 8, rockets and
// the craft reaching 11.5 from an asteroid's centre. A contact moves the
// asteroid just out of reach and swaps the velocity parts along the line of
// centres, as for equal masses; asteroids are never destroyed.
#pragma once

// Squared centre distances below which bodies touch.
constexpr double ASTEROID_PAIR_REACH2 = 256.0;
constexpr double CRAFT_OR_ROCKET_REACH2 = 132.25;
// Where a pair contact leaves the pair: 16 plus single-precision 0.001.
constexpr double ASTEROID_PAIR_SEPARATION = 16.0 + 0.0010000000474974513;
// Where a craft contact leaves the asteroid: 8 plus single-precision 3.501.
constexpr double CRAFT_SEPARATION = 8.0 + 3.500999927520752;
constexpr double ASTEROID_RADIUS = 8.0;
constexpr double ROCKET_PUSH_SHARE = 0.5;
constexpr float ASTEROID_SPEED_CAP = 2.0f;
constexpr float ASTEROID_SPEED_CAP_AFTER_HIT = 1.0f;
// A craft leaving a contact faster than this leaves at CRAFT_BOUNCE_SPEED.
constexpr float CRAFT_BOUNCE_LIMIT = 0.5f;
constexpr float CRAFT_BOUNCE_SPEED = 0.55f;

struct FrameEvents;
struct World;

// Finds and resolves every contact of this frame: asteroid pairs, rockets
// against asteroids, the craft against asteroids. Each rocket hit and craft
// contact is reported in events.
void resolveCollisions(World& world, FrameEvents& events);
