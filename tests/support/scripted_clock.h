// The frame clock under the test's control, and a fixture that installs it
// at 0 for each test and puts back the clock it found.
#pragma once

#include "sim/update_frame.h"

#include <gtest/gtest.h>

inline float& scriptedTime()
{
    static float now = 0.0f;
    return now;
}
inline float scriptedClock()
{
    return scriptedTime();
}

class ScriptedClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedClock = frameClock;
        frameClock = scriptedClock;
        scriptedTime() = 0.0f;
    }
    void TearDown() override { frameClock = savedClock; }

    FrameClock savedClock = nullptr;
};
