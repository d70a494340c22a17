// A clock under the test's control for a game's play clock: a game's
// clockSource is a plain function, so the reading lives here, and every
// fixture that installs it starts it at 0.
#pragma once

inline float& scriptedTime()
{
    static float now = 0.0f;
    return now;
}
inline float scriptedClock()
{
    return scriptedTime();
}
