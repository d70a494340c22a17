// Proving a lap: its replay flown again from the start world with the frame
// step, which must end the lap in the last frame, at the recorded time, with
// the recorded world.
#pragma once

struct LapReplay;

enum class LapCheck {
    MATCHES,
    NOT_A_LAP_START,  // the start world is not one a gate-0 pass leaves on the course
    RESTARTED,        // a frame restarts the lap
    ENDED_EARLY,      // the lap ends before the last frame
    NOT_ENDED,        // the last frame does not end the lap
    OTHER_TIME,       // the lap ends at another time than recorded
    OTHER_WORLD,      // same time, but the world ends otherwise than recorded
};

struct LapRerun {
    LapCheck check = LapCheck::NOT_ENDED;
    float lapTime = 0.0f;  // as flown again, when the lap ended
};

// Steps a copy of the start world through every frame; the replay is untouched.
LapRerun rerunLap(const LapReplay& replay);

// `vorel --verify FILE`: reads the replay, flies it again and prints one
// line: the lap time when it matches (status 0), else the file's name and
// why it was refused (status 1). Needs no display, sound or data file.
int verifyReplayFile(const char* path);
