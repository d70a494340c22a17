#include "app/loop/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(Timer, CountsMillisecondsFromInit)
{
    timerInit();
    const float start = timerGetTime();
    EXPECT_GE(start, 0.0f);
    EXPECT_LT(start, 50.0f);

    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const float later = timerGetTime();
    // Sleeping 30 ms must read as about 30, not 0.03 or 30000.
    EXPECT_GE(later - start, 29.0f);
    EXPECT_LT(later - start, 1000.0f);
}

TEST(Timer, NeverRunsBackwardAndResolvesBelowAMillisecond)
{
    timerInit();
    float previous = timerGetTime();
    bool sawFraction = false;
    for (int i = 0; i < 100000; ++i) {
        const float now = timerGetTime();
        ASSERT_GE(now, previous);
        if (now != previous && now - previous < 1.0f) {
            sawFraction = true;
        }
        previous = now;
    }
    EXPECT_TRUE(sawFraction);
}

TEST(Timer, InitRestartsTheCount)
{
    timerInit();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    timerInit();
    EXPECT_LT(timerGetTime(), 15.0f);
}
