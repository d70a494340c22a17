#include "geometry/file_read.h"
#include "support/as_nobody.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>

TEST(FileRead, ReadsEveryByteAndNamesEachWayAFileCannotBeUsed)
{
    TempWorkDir dir;
    const std::string binary("a\0b\r\n\xff", 6);
    writeWholeFile("data.bin", binary);
    writeWholeFile("empty.txt", "");
    std::filesystem::create_directory("folder.tga");
    ASSERT_EQ(mkfifo("pipe.txt", 0600), 0);

    std::string bytes = "stale";
    EXPECT_EQ(readWholeFile("data.bin", bytes), FileReadStatus::OK);
    EXPECT_EQ(bytes, binary);
    EXPECT_EQ(readWholeFile("empty.txt", bytes), FileReadStatus::OK);
    EXPECT_EQ(bytes, "");
    bytes = "stale";
    EXPECT_EQ(readWholeFile("nothing.txt", bytes), FileReadStatus::MISSING);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(readWholeFile("data.bin/inside.txt", bytes), FileReadStatus::MISSING);
    EXPECT_EQ(readWholeFile("folder.tga", bytes), FileReadStatus::NOT_REGULAR);
    // A FIFO with no writer would block a plain open for ever.
    EXPECT_EQ(readWholeFile("pipe.txt", bytes), FileReadStatus::NOT_REGULAR);
    EXPECT_EQ(readWholeFile("/dev/zero", bytes), FileReadStatus::NOT_REGULAR);

    const FileReadStatus all[] = {FileReadStatus::MISSING, FileReadStatus::NOT_REGULAR, FileReadStatus::UNREADABLE,
                                  FileReadStatus::READ_FAILED, FileReadStatus::TOO_LARGE};
    std::set<std::string> reasons;
    for (FileReadStatus status : all) {
        reasons.insert(fileReadReason(status));
    }
    EXPECT_EQ(reasons.size(), 5u);  // each failure reads differently in a message
    EXPECT_TRUE(fileReadNotOpened(FileReadStatus::UNREADABLE));
    EXPECT_FALSE(fileReadNotOpened(FileReadStatus::READ_FAILED));
}

TEST(FileRead, AFileThePlayerMayNotReadIsUnreadable)
{
    TempWorkDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    writeWholeFile("secret.txt", "x");
    ASSERT_EQ(chmod("secret.txt", 0200), 0);
    const int status = exitStatusAsNobody([] {
        std::string bytes;
        return static_cast<int>(readWholeFile("secret.txt", bytes));
    });
    EXPECT_EQ(status, static_cast<int>(FileReadStatus::UNREADABLE));
}
