// The high-score file survives a writer killed at any moment: a child process
// rewrites "bestenliste.txt" over and over, each write adding the run's lap to
// the list, and is killed with SIGKILL after a random delay. Whatever instant
// the kill hits, the file must read back as one complete list the writer
// produced (the old one or a newer one), never a cut or empty file.
#include "app/files/high_scores.h"
#include "sim/course.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int KILLS = 100;
constexpr float RUN_LAP_MS = 75000.0f;
const char* const RUN_PLAYER = "Ace";

constexpr int STARTING_LAPS = 400;

// The file the k-th completed write leaves: the starting list with the run's
// lap inserted k times.
std::string listAfterWrites(const std::string& start, int writes)
{
    HighScoreList list;
    parseHighScores(start, list);
    for (int i = 0; i < writes; ++i) {
        list.insert(RUN_PLAYER, RUN_LAP_MS);
    }
    return formatHighScores(list);
}

// A list long enough that a write takes a while, as the game itself writes
// it: 400 laps of 60 to 100 s.
std::string startingList()
{
    std::string text;
    char line[64];
    for (int i = 0; i < STARTING_LAPS; ++i) {
        std::snprintf(line, sizeof line, "Pilot%03d %f\n", i, 60.0 + i * 0.1);
        text += line;
    }
    return listAfterWrites(text, 0);
}

// The child: reads the list as start-up does, tells the parent it is about to
// write, then runs the exit sequence's write again and again until killed.
[[noreturn]] void rewriteForever(int ready)
{
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    std::snprintf(settingsRead.playerName, sizeof settingsRead.playerName, "%s", RUN_PLAYER);
    readHighScores();
    const char byte = 1;
    if (write(ready, &byte, 1) != 1) {
        _exit(2);
    }
    for (;;) {
        writeHighScores(RUN_LAP_MS);
    }
}

int countTemporaries(const TempWorkDir& dir)
{
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        n += entry.path().filename().string() != HIGH_SCORE_FILE;
    }
    return n;
}

}  // namespace

TEST(HighScoreCrash, AWriterKilledAtAnyMomentLeavesACompleteList)
{
    TempWorkDir dir;
    const std::string start = startingList();
    std::mt19937 random(20240611u);
    // Log-uniform delays from 1 µs to 8 ms after the writer starts: kills
    // before the first write, inside one, between two and after many.
    std::uniform_real_distribution<double> logDelay(0.0, std::log(8000.0));
    // On a machine so loaded that no kill met a write in progress or after
    // one, more kills follow with delays up to 64 ms.
    std::uniform_real_distribution<double> longDelay(std::log(1000.0), std::log(64000.0));

    int killedMidWrite = 0;
    int longestRun = 0;
    int trial = 0;
    for (; trial < KILLS || (trial < 3 * KILLS && (killedMidWrite == 0 || longestRun == 0)); ++trial) {
        writeWholeFile(HIGH_SCORE_FILE, start);
        const double logMicroseconds = trial < KILLS ? logDelay(random) : longDelay(random);
        const auto delay = std::chrono::microseconds(static_cast<long>(std::exp(logMicroseconds)));

        int ready[2] = {-1, -1};
        ASSERT_EQ(pipe(ready), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            rewriteForever(ready[1]);
        }
        close(ready[1]);
        char byte = 0;
        const bool started = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        if (started) {
            std::this_thread::sleep_for(delay);
        }
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(started && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "trial " << trial << ": the writer did not start, or ended by itself";

        // Which write the file comes from shows in how many of the run's laps
        // it holds; the text must then be exactly what that write produced.
        const std::string text = readWholeFile(HIGH_SCORE_FILE);
        HighScoreList read;
        parseHighScores(text, read);
        int writes = 0;
        for (const HighScoreEntry* e = read.first; e; e = e->next) {
            writes += std::string(e->name) == RUN_PLAYER;
        }
        ASSERT_TRUE(text == listAfterWrites(start, writes))
            << "trial " << trial << " after " << delay.count() << " us: not a complete list, "
            << text.size() << " bytes:\n"
            << text.substr(0, 200);
        ASSERT_EQ(read.size(), STARTING_LAPS + writes);

        longestRun = writes > longestRun ? writes : longestRun;
        killedMidWrite += countTemporaries(dir) > 0;
        // The next write clears what the killed one left, and keeps the list.
        ASSERT_TRUE(replaceFileAtomically(HIGH_SCORE_FILE, text));
        ASSERT_EQ(countTemporaries(dir), 0) << "trial " << trial << ": a killed writer's temporary stayed";
    }
    // The kills must have met the writer both inside a write (a temporary
    // left behind) and after completed writes, or the test proved nothing.
    EXPECT_GT(killedMidWrite, 0);
    EXPECT_GT(longestRun, 0);
    std::printf("high-score kills: %d, %d inside a write, up to %d writes completed\n", trial, killedMidWrite,
                longestRun);
}
