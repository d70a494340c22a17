#include "app/files/ghost_file.h"
#include "geometry/file_read.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A short lap: gate times 100, 200, ... 1100 ms and three samples.
std::string validGhost(const std::string& samples = "samples 3\n"
                                                    "0 -220 0 0 1 0 0 0 0 1\n"
                                                    "500 -200 100 5 0 1 0 0 0 1\n"
                                                    "1100 -220 0.5 0 1 0 0 0 0 1\n")
{
    return "vorel-ghost 1\nlap 1100\ngates 11\n100 200 300 400 500 600 700 800 900 1000 1100\n" + samples;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace

TEST(GhostFile, WritesWhatItReadsByteForByte)
{
    GhostLap lap;
    ASSERT_EQ(parseGhost(validGhost(), lap), GHOST_FILE_OK);
    EXPECT_EQ(formatGhost(lap), validGhost());

    // Awkward floats survive a round trip exactly.
    lap.lapTime = lap.gateTimes.back() = 61234.567f;
    lap.samples[1].position.x = -0.1f;
    lap.samples[1].view = GhostVec{0.6f, 0.8f, 1e-7f};
    GhostLap again;
    ASSERT_EQ(parseGhost(formatGhost(lap), again), GHOST_FILE_OK);
    EXPECT_EQ(formatGhost(again), formatGhost(lap));
    EXPECT_EQ(again.samples[1].view.z, 1e-7f);
}

TEST(GhostFile, RefusesEveryMalformedFileWhole)
{
    const std::string good = validGhost();
    const std::string hostile[] = {
        "",
        "garbage\n",
        "vorel-ghost\n",
        "vorel-ghost 0\n",
        replaced(good, "lap 1100", "lap -5"),
        replaced(good, "lap 1100", "lap nan"),
        replaced(good, "lap 1100", "lap 1e30"),
        replaced(good, "gates 11", "gates 2147483647"),
        replaced(good, "gates 11", "gates 10"),
        replaced(good, "300 400", "400 300"),                // gate times out of order
        replaced(good, "1000 1100\n", "1000 1099\n"),       // last gate is not the lap
        replaced(good, "samples 3", "samples 2000000000"),   // a count no file can hold
        replaced(good, "samples 3", "samples 75000"),        // within the bound, beyond the bytes
        replaced(good, "samples 3", "samples 1"),
        replaced(good, "samples 3", "samples 4"),            // truncated
        replaced(good, "0 -220 0 0", "5 -220 0 0"),          // does not start at 0
        replaced(good, "500 -200", "0 -200"),                // time standing still
        replaced(good, "1100 -220", "1200 -220"),            // after the lap
        replaced(good, "-200 100 5", "-200 300 5"),          // outside the arena
        replaced(good, "-200 100 5 0 1 0", "-200 100 5 0 0 0"),  // no view
        replaced(good, "-200 100 5", "-200 inf 5"),
        good + "extra\n",
        good + std::string(1, '\0') + "hidden",
    };
    for (const std::string& text : hostile) {
        SCOPED_TRACE(text.substr(0, 60));
        GhostLap lap;
        lap.lapTime = 7.0f;
        EXPECT_EQ(parseGhost(text, lap), GHOST_FILE_MALFORMED);
        EXPECT_EQ(lap.lapTime, 7.0f) << "a refused file changed the lap";
    }
    GhostLap lap;
    EXPECT_EQ(parseGhost(replaced(good, "vorel-ghost 1", "vorel-ghost 2"), lap), GHOST_FILE_NEWER);
}

TEST(GhostFile, ReadsTheFileAndNamesItInOneLineWhenItCannot)
{
    TempWorkDir dir;
    GhostLap lap;
    EXPECT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_MISSING);
    EXPECT_EQ(captureStdout([] { reportGhostFile(GHOST_FILE_MISSING); }), "Error opening file: ghost.txt\n");

    writeWholeFile(GHOST_FILE, validGhost());
    ASSERT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_OK);
    EXPECT_EQ(lap.samples.size(), 3u);
    EXPECT_EQ(captureStdout([] { reportGhostFile(GHOST_FILE_OK); }), "");

    writeWholeFile(GHOST_FILE, "vorel-ghost 1\nlap 1\n");
    EXPECT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_MALFORMED);
    EXPECT_EQ(captureStdout([] { reportGhostFile(GHOST_FILE_MALFORMED); }), "Error reading file: ghost.txt\n");

    std::remove(GHOST_FILE);
    ASSERT_EQ(mkdir(GHOST_FILE, 0755), 0);
    EXPECT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_UNREADABLE);
    rmdir(GHOST_FILE);

    // A file too large to be a ghost is refused before it is read.
    {
        std::ofstream big(GHOST_FILE, std::ios::binary);
        big.seekp(static_cast<std::streamoff>(FILE_READ_MAX_BYTES) + 1);
        big.put('\n');
    }
    EXPECT_EQ(readGhostFile(GHOST_FILE, lap), GHOST_FILE_MALFORMED);
}
