#include "tools/generated_data.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

    // 4 models, 32 textures, 7 sounds, and nothing half-written left behind.
    EXPECT_EQ(a.size(), 43u);
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

// The icons go into the menu of every desktop that installs the game: they
// must decode to their own size with a transparent outside, and come out the
// same on every build so that a package rebuilt from the same source is the same.
TEST(GeneratedIcons, DecodeToTheirSizeAndRepeatByteForByte)
{
    TempDataDir first;
    TempDataDir second;
    ASSERT_TRUE(generateIcons(first.path()));
    ASSERT_TRUE(generateIcons(second.path()));
    for (int size : ICON_SIZES) {
        const std::string name = "hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/vorel.png";
        const std::string bytes = readBytes(first.file(name));
        EXPECT_TRUE(bytes == readBytes(second.file(name))) << name << " differs between runs";

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) << name;
        image.format = PNG_FORMAT_RGBA;
        std::vector<unsigned char> rgba(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) << name;
        ASSERT_EQ(image.width, static_cast<unsigned>(size));
        ASSERT_EQ(image.height, static_cast<unsigned>(size));
        auto alphaAt = [&](int x, int y) { return rgba[(static_cast<size_t>(y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alphaAt(0, 0), 0) << name << ": the rounded corner is not transparent";
        EXPECT_EQ(alphaAt(size - 1, size - 1), 0) << name;
        EXPECT_EQ(alphaAt(size / 2, size / 2), 255) << name << ": the tile is not opaque";
        // The top row of the file is the top of the picture: the tile's dark
        // space there, not the letter's bright foot.
        const size_t top = (static_cast<size_t>(size / 20) * size + size / 2) * 4;
        const size_t foot = (static_cast<size_t>(size * 3 / 4) * size + size / 2) * 4;
        EXPECT_LT(rgba[top] + rgba[top + 1], rgba[foot] + rgba[foot + 1]) << name << " is upside down";
    }
}
