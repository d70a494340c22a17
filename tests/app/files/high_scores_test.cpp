#include "app/files/high_scores.h"
#include "sim/course.h"
#include "support/as_nobody.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
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

// What one exit writes from: the player, the run's best lap, the list read at start.
struct ExitState {
    ExitState(const char* name, float lap) : bestLapMs(lap)
    {
        std::snprintf(settingsRead.playerName, sizeof settingsRead.playerName, "%s", name);
    }
    ~ExitState()
    {
        settingsRead.playerName[0] = '\0';
        highScoreList.reset();
    }
    void write() const { writeHighScores(bestLapMs); }

    float bestLapMs;
};

const char* const TWO_LAPS = "Ann 60.500000\nBen 75.250000\n";
const char* const TWO_LAPS_AND_ACE = "Ann 60.500000\nAce 70.000000\nBen 75.250000\n";

// Start-up's read and the exit's write of a 70 s lap by Ace, in the folder,
// in a child run as nobody (root would ignore every permission). Returns what
// the write printed.
std::string exitWriteAsNobody(const std::string& folder)
{
    int printed[2] = {-1, -1};
    if (pipe(printed) != 0) {
        return "no pipe";
    }
    const int status = exitStatusAsNobody([&] {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        if (chdir(folder.c_str()) != 0) {
            return 3;
        }
        std::snprintf(settingsRead.playerName, sizeof settingsRead.playerName, "Ace");
        readHighScores();
        std::fflush(stdout);
        dup2(printed[1], 1);
        writeHighScores(70000.0f);
        return 0;
    });
    close(printed[1]);
    char buffer[256] = {};
    const ssize_t length = read(printed[0], buffer, sizeof buffer - 1);
    close(printed[0]);
    return (status == 0 ? "" : "child status " + std::to_string(status) + ": ") +
           std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

ino_t inodeOf(const std::string& path)
{
    struct stat st = {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

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
    EXPECT_EQ(captureStdout([&] { exit.write(); }), "");
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
    captureStdout([&] { exit.write(); });
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
            exit.write();
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

TEST(HighScoreFile, PermissionsDecideAsForAPlainOpenForWriting)
{
    TempWorkDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string message = "Error opening file: bestenliste.txt\n";
    struct Case {
        const char* folder;
        mode_t folderMode;
        mode_t fileMode;
        const char* printed;
        const char* after;
    };
    const Case cases[] = {
        {"read-only-file", 0777, 0444, message.c_str(), TWO_LAPS},
        // No temporary can be made here, but the list itself is writable.
        {"read-only-folder", 0555, 0666, "", TWO_LAPS_AND_ACE},
        // Never read, so never written over with what little was known.
        {"unreadable-file", 0777, 0222, message.c_str(), TWO_LAPS},
    };
    for (const Case& c : cases) {
        const std::string file = std::string(c.folder) + "/bestenliste.txt";
        std::filesystem::create_directory(c.folder);
        writeWholeFile(file, TWO_LAPS);
        ASSERT_EQ(chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(chmod(c.folder, c.folderMode), 0);
        const ino_t before = inodeOf(file);
        EXPECT_EQ(exitWriteAsNobody(dir.path() + "/" + c.folder), c.printed) << c.folder;
        EXPECT_EQ(readWholeFile(file), c.after) << c.folder;
        EXPECT_EQ(inodeOf(file), before) << c.folder;
        const std::filesystem::path folder = c.folder;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << c.folder;
        chmod(c.folder, 0777);
    }
}

TEST(HighScoreFile, LinksAreFollowedAndStayLinksAndAFolderIsNeverReplaced)
{
    TempWorkDir dir;
    std::filesystem::create_directories("lists/rel");
    std::filesystem::create_directories("abs");
    std::filesystem::create_directories("play/rel");
    std::filesystem::create_directories("play/abs");
    std::filesystem::create_directories("play/dangling");
    std::filesystem::create_directories("play/folder/bestenliste.txt");
    writeWholeFile("lists/rel/real.txt", TWO_LAPS);
    writeWholeFile("abs/real.txt", TWO_LAPS);
    std::filesystem::create_symlink("../../lists/rel/real.txt", "play/rel/bestenliste.txt");
    std::filesystem::create_symlink(dir.path() + "/abs/real.txt", "play/abs/bestenliste.txt");
    std::filesystem::create_symlink("made.txt", "play/dangling/bestenliste.txt");

    const std::pair<const char*, const char*> linked[] = {
        {"play/rel", "lists/rel/real.txt"},
        {"play/abs", "abs/real.txt"},
        {"play/dangling", "play/dangling/made.txt"},
    };
    for (const auto& [folder, target] : linked) {
        ExitState exit("Ace", 70000.0f);
        std::filesystem::current_path(dir.path() + "/" + folder);
        captureStdout(readHighScores);
        EXPECT_EQ(captureStdout([&] { exit.write(); }), "") << folder;
        std::filesystem::current_path(dir.path());
        EXPECT_TRUE(std::filesystem::is_symlink(std::string(folder) + "/bestenliste.txt")) << folder;
        EXPECT_EQ(readWholeFile(target), std::string(folder) == "play/dangling" ? "Ace 70.000000\n" : TWO_LAPS_AND_ACE);
        // The temporary lived beside the target, and is gone.
        const std::filesystem::path targetFolder = std::filesystem::path(target).parent_path();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(targetFolder), {}),
                  std::string(folder) == "play/dangling" ? 2 : 1);
    }

    ExitState exit("Ace", 70000.0f);
    std::filesystem::current_path(dir.path() + "/play/folder");
    EXPECT_EQ(captureStdout(readHighScores), "Error opening file: bestenliste.txt\n");
    EXPECT_EQ(captureStdout([&] { exit.write(); }), "Error opening file: bestenliste.txt\n");
    EXPECT_TRUE(std::filesystem::is_directory("bestenliste.txt"));
    std::filesystem::current_path(dir.path());
}

TEST(HighScoreFile, TemporariesOfAKilledWriterGoAndALiveWritersStay)
{
    TempWorkDir dir;
    writeWholeFile("bestenliste.txt", TWO_LAPS);
    writeWholeFile("bestenliste.txt.Ab12Cd", "Ann 60.5\nBe");  // a writer killed mid-write
    writeWholeFile("bestenliste.txt.Zz99Yy", "Ann 60.5\n");
    writeWholeFile("bestenliste.txt.keep", "mine");
    writeWholeFile("notes.txt.Ab12Cd", "not ours");
    // Another game's writer, still at work on its temporary.
    int ready[2] = {-1, -1};
    ASSERT_EQ(pipe(ready), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        const int fd = open("bestenliste.txt.Zz99Yy", O_RDONLY);
        flock(fd, LOCK_EX);
        const char byte = 1;
        (void)!write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);

    ExitState exit("Ace", 70000.0f);
    captureStdout(readHighScores);
    EXPECT_EQ(captureStdout([&] { exit.write(); }), "");
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(readWholeFile("bestenliste.txt"), TWO_LAPS_AND_ACE);
    EXPECT_EQ(dir.listing(), "bestenliste.txt bestenliste.txt.Zz99Yy bestenliste.txt.keep notes.txt.Ab12Cd ");
}

TEST(HighScoreFile, ARewriteKeepsEveryLineAfterABadOneAndInsertsTheLapBeforeIt)
{
    TempWorkDir dir;
    const char nulInside[] = "Ann 60.5\nBen\0 75\nCid 90";
    const std::string withNul(nulInside, sizeof nulInside - 1);
    const char nulFirst[] = "\0Ann 60.5\n";
    const std::string startsWithNul(nulFirst, sizeof nulFirst - 1);
    struct Case {
        std::string before;
        float lap;
        std::string after;
    };
    const Case cases[] = {
        {"Ann 60.5\nBad\nBen 75\n\nCid 90\n", 70000.0f, "Ann 60.500000\nAce 70.000000\nBad\nBen 75\n\nCid 90\n"},
        {withNul, 70000.0f, "Ann 60.500000\nAce 70.000000\n" + withNul.substr(9)},
        {"Ann 60.5\nBad", 59000.0f, "Ace 59.000000\nAnn 60.500000\nBad"},
        {startsWithNul, 70000.0f, "Ace 70.000000\n" + startsWithNul},
    };
    for (const Case& c : cases) {
        writeWholeFile("bestenliste.txt", c.before);
        ExitState exit("Ace", c.lap);
        captureStdout(readHighScores);
        // The overlay shows what came before the bad line, as ever.
        EXPECT_EQ(highScoreList.first->time, c.before[0] == '\0' ? 0.0f : 60500.0f);
        EXPECT_EQ(captureStdout([&] { exit.write(); }), "");
        EXPECT_EQ(readWholeFile("bestenliste.txt"), c.after);
    }
}
