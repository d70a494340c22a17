#include "tools/generated_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

// Every regular file below the directory, by relative name.
std::map<std::string, std::string> contents(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), dir).string()] = readBytes(entry.path().string());
        }
    }
    return files;
}

}  // namespace

TEST(GeneratedData, ASecondRunWritesTheSameBytesAndLeavesThePlayersFilesAlone)
{
    // The first run: the tree the other data tests share (made by another
    // process of this binary, or made now).
    const SharedTree first("all", generateAll);
    TempDataDir second;
    // The player's own files in the run directory.
    const std::string settings = "res:1024x768\nbpp:32\nhz:60\nname:tester\n";
    const std::string scores = "tester 61.250\n";
    std::ofstream(second.file("vorel.ini")) << settings;
    std::ofstream(second.file("bestenliste.txt")) << scores;
    const std::string ghost = "vorel-ghost 1\n";
    std::ofstream(second.file("ghost.txt")) << ghost;
    ASSERT_TRUE(generateAll(second.path()));

    std::map<std::string, std::string> a = contents(first.path());
    std::map<std::string, std::string> b = contents(second.path());
    a.erase(SHARED_TREE_MARK);
    EXPECT_EQ(b["vorel.ini"], settings);
    EXPECT_EQ(b["bestenliste.txt"], scores);
    EXPECT_EQ(b["ghost.txt"], ghost);
    b.erase("vorel.ini");
    b.erase("bestenliste.txt");
    b.erase("ghost.txt");

    // 4 models, 31 textures, 7 sounds, and nothing half-written left behind.
    EXPECT_EQ(a.size(), 42u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
        EXPECT_FALSE(bytes.empty()) << name;
    }
}

TEST(GeneratedData, AnUnwritableDirectoryIsReportedAsAFailure)
{
    TempDataDir dir;
    // A plain file where the directory should be.
    const std::string blocked = dir.file("blocked");
    std::ofstream(blocked) << "x";
    EXPECT_FALSE(generateModels(blocked));
}
