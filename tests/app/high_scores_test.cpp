#include "app/high_scores.h"
#include "sim/course.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const char* const THREE_LAPS = "Ann 60.500000\nBen 75.250000\nCid 90.000000\n";

std::string afterInsert(const std::string& file, const char* name, float ms)
{
    HighScoreList list;
    parseHighScores(file, list);
    list.insert(name, ms);
    return formatHighScores(list);
}

// The game's globals for one exit: the player, the best lap, the list read at start.
struct ExitState {
    ExitState(const char* name, float lap)
    {
        std::snprintf(playerName, sizeof playerName, "%s", name);
        bestLapTime = lap;
    }
    ~ExitState()
    {
        playerName[0] = '\0';
        bestLapTime = NO_LAP_TIME;
        highScoreList.reset();
    }
};

}  // namespace

TEST(HighScoreParse, ReadsLinesInFileOrderUntilAMalformedOne)
{
    HighScoreList list;
    parseHighScores("Ann 60.5\n  Ben\t75.25 Cid 90\nDan x\nEve 10\n", list);
    ASSERT_EQ(list.size(), 3);
    EXPECT_STREQ(list.first->name, "Ann");
    EXPECT_FLOAT_EQ(list.first->time, 60500.0f);
    EXPECT_STREQ(list.first->next->next->name, "Cid");
    EXPECT_FLOAT_EQ(list.first->next->next->time, 90000.0f);
}

TEST(HighScoreParse, AFirstLineOfTimeZeroCountsAsEmpty)
{
    HighScoreList list;
    parseHighScores("Nobody 0.000000\nAnn 60.5\nBen 75.25\n", list);
    ASSERT_EQ(list.size(), 2);
    EXPECT_STREQ(list.first->name, "Ann");
    EXPECT_FLOAT_EQ(list.first->next->time, 75250.0f);
}

TEST(HighScoreParse, LongNamesAreCutWithoutLosingTheTime)
{
    HighScoreList list;
    parseHighScores(std::string(60, 'N') + " 61.5\nBen 70\n", list);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(std::string(list.first->name), std::string(20, 'N'));
    EXPECT_FLOAT_EQ(list.first->time, 61500.0f);
}

TEST(HighScoreInsert, LapsGoInTimeOrderAheadOfEqualTimes)
{
    EXPECT_EQ(afterInsert(THREE_LAPS, "Ace", 80000.0f),
              "Ann 60.500000\nBen 75.250000\nAce 80.000000\nCid 90.000000\n");
    EXPECT_EQ(afterInsert(THREE_LAPS, "Ace", 95000.0f), THREE_LAPS);
    EXPECT_EQ(afterInsert(THREE_LAPS, "Ace", 60500.0f),
              "Ace 60.500000\nAnn 60.500000\nBen 75.250000\nCid 90.000000\n");
    EXPECT_EQ(afterInsert(THREE_LAPS, "Ace", 70000.0f),
              "Ann 60.500000\nAce 70.000000\nBen 75.250000\nCid 90.000000\n");
    EXPECT_EQ(afterInsert(THREE_LAPS, "Ace", 90000.0f),
              "Ann 60.500000\nBen 75.250000\nAce 90.000000\nCid 90.000000\n");
    EXPECT_EQ(afterInsert("Ann 61.234\n", "Ace", 61234.0f), "Ace 61.234000\nAnn 61.234000\n");
}

TEST(HighScoreInsert, TheFirstLapOfAFreshInstallReplacesThePlaceholder)
{
    EXPECT_EQ(afterInsert("", "Ace", 80000.0f), "Ace 80.000000\n");
    EXPECT_EQ(afterInsert("Nobody 0\n", "Ace", 80000.0f), "Ace 80.000000\n");
    HighScoreList list;
    EXPECT_TRUE(list.onlyPlaceholder());
    EXPECT_TRUE(list.insert("Ace", 5000.0f));
    EXPECT_FALSE(list.onlyPlaceholder());
    EXPECT_TRUE(list.insert("Bo", 4000.0f));
    EXPECT_EQ(formatHighScores(list), "Bo 4.000000\nAce 5.000000\n");
}

TEST(HighScoreFile, ReadEchoesTheFirstTwoTimes)
{
    TempWorkDir dir;
    EXPECT_EQ(captureStdout(readHighScores), "Error opening file: bestenliste.txt\n");
    EXPECT_TRUE(highScoreList.onlyPlaceholder());
    writeWholeFile("bestenliste.txt", "Ann 61.5\n");
    EXPECT_EQ(captureStdout(readHighScores), "61500\n");
    writeWholeFile("bestenliste.txt", THREE_LAPS);
    EXPECT_EQ(captureStdout(readHighScores), "60500\n75250\n");
    EXPECT_EQ(highScoreList.size(), 3);
    writeWholeFile("bestenliste.txt", "");
    EXPECT_EQ(captureStdout(readHighScores), "0\n");
    highScoreList.reset();
}

TEST(HighScoreFile, WriteReplacesTheFileAndKeepsItsMode)
{
    TempWorkDir dir;
    writeWholeFile("bestenliste.txt", THREE_LAPS);
    chmod("bestenliste.txt", 0640);
    ExitState exit("Ace", 70000.0f);
    captureStdout(readHighScores);
    EXPECT_EQ(captureStdout(writeHighScores), "");
    EXPECT_EQ(readWholeFile("bestenliste.txt"),
              "Ann 60.500000\nAce 70.000000\nBen 75.250000\nCid 90.000000\n");
    EXPECT_EQ(dir.listing(), "bestenliste.txt ");  // no temporary left behind
    struct stat st = {};
    ASSERT_EQ(stat("bestenliste.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(highScoreList.size(), 4);  // the overlay sees the lap too
}

TEST(HighScoreFile, FirstLapWithoutAFileOrANameStaysReadable)
{
    TempWorkDir dir;
    ExitState exit("", 83250.0f);
    captureStdout(readHighScores);
    captureStdout(writeHighScores);
    EXPECT_EQ(readWholeFile("bestenliste.txt"), "Pilot 83.250000\n");
    HighScoreList again;
    parseHighScores(readWholeFile("bestenliste.txt"), again);
    EXPECT_EQ(again.size(), 1);
    EXPECT_FLOAT_EQ(again.first->time, 83250.0f);
}

TEST(HighScoreFile, AFailedWriteKeepsTheOldFileAndTheList)
{
    TempWorkDir dir;
    writeWholeFile("bestenliste.txt", THREE_LAPS);
    ExitState exit("Ace", 70000.0f);
    captureStdout(readHighScores);
    int printed[2] = {-1, -1};
    ASSERT_EQ(pipe(printed), 0);
    // A file-size limit below the new file's size fails the write as a full
    // disk would; the message goes through a pipe, which the limit spares.
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit;
            limit.rlim_cur = limit.rlim_max = 20;
            setrlimit(RLIMIT_FSIZE, &limit);
            dup2(printed[1], 1);
            writeHighScores();
            std::exit(highScoreList.size());
        },
        ::testing::ExitedWithCode(3), "");
    close(printed[1]);
    char buffer[200] = {};
    const ssize_t length = read(printed[0], buffer, sizeof buffer - 1);
    close(printed[0]);
    EXPECT_EQ(std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0),
              "Error opening file: bestenliste.txt\n");
    EXPECT_EQ(readWholeFile("bestenliste.txt"), THREE_LAPS);
    EXPECT_EQ(dir.listing(), "bestenliste.txt ");
}

TEST(HighScoreFile, AtomicReplaceFailsCleanlyWhereNoFileCanBeCreated)
{
    TempWorkDir dir;
    EXPECT_FALSE(replaceFileAtomically(dir.path() + "/missing/bestenliste.txt", "x 1.000000\n"));
    EXPECT_EQ(dir.listing(), "");
    EXPECT_TRUE(replaceFileAtomically(dir.path() + "/bestenliste.txt", "x 1.000000\n"));
    EXPECT_EQ(readWholeFile("bestenliste.txt"), "x 1.000000\n");
}
