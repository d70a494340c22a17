#include "render/tga.h"
#include "render/tga_files.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

std::unique_ptr<TgaImage> decode(const std::string& bytes)
{
    return decodeTga(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::vector<unsigned char> bytesOf(std::initializer_list<int> values)
{
    std::vector<unsigned char> out;
    for (int v : values) {
        out.push_back(static_cast<unsigned char>(v));
    }
    return out;
}

}  // namespace

TEST(TgaTrueColour, SwapsBlueAndRedAndKeepsRowsInFileOrder)
{
    // Two rows of two pixels; the first row of the file stays row 0 whatever
    // the descriptor's origin bit says.
    const std::vector<uint8_t> data = {10, 20, 30, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int descriptor : {0x00, 0x20}) {
        TgaHeader h;
        h.width = 2;
        h.height = 2;
        h.descriptor = descriptor;
        h.imageId = "id!";
        auto image = decode(tgaBytes(h, data));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->bytesPerPixel, 3);
        EXPECT_EQ(image->width, 2);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(image->pixels, bytesOf({30, 20, 10, 3, 2, 1, 6, 5, 4, 9, 8, 7}));
    }
}

TEST(TgaTrueColour, ThirtyTwoBitsKeepAlphaLast)
{
    TgaHeader h;
    h.width = 2;
    h.depth = 32;
    auto image = decode(tgaBytes(h, {10, 20, 30, 40, 50, 60, 70, 80}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bytesPerPixel, 4);
    EXPECT_EQ(image->pixels, bytesOf({30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(TgaTrueColour, SixteenBitChannelsBecomeTheTopFiveBits)
{
    TgaHeader h;
    h.width = 4;
    h.depth = 16;
    // 0x7FFF and 0xFFFF (bit 15 ignored), then red only (0x7C00), then
    // red 1, green 2, blue 3.
    const uint16_t mixed = (1 << 10) | (2 << 5) | 3;
    auto image = decode(tgaBytes(h, {0xFF, 0x7F, 0xFF, 0xFF, 0x00, 0x7C, mixed & 0xFF, mixed >> 8}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bytesPerPixel, 3);
    EXPECT_EQ(image->pixels, bytesOf({248, 248, 248, 248, 248, 248, 248, 0, 0, 8, 16, 24}));
}

TEST(TgaRunLength, ThirtyTwoBitFileEqualsItsUncompressedTwin)
{
    // Three rows of three: a run crossing a row end, a raw packet, a run of one.
    const std::vector<uint8_t> rle = {
        0x83, 1, 2, 3, 4,                       // run of 4
        0x02, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,  // 3 raw pixels
        0x80, 17, 18, 19, 20,                   // run of 1
        0x00, 21, 22, 23, 24,                   // 1 raw pixel
    };
    std::vector<uint8_t> raw;
    for (int i = 0; i < 4; ++i) {
        raw.insert(raw.end(), {1, 2, 3, 4});
    }
    for (uint8_t v = 5; v <= 24; ++v) {
        raw.push_back(v);
    }
    TgaHeader h;
    h.width = 3;
    h.height = 3;
    h.depth = 32;
    auto plain = decode(tgaBytes(h, raw));
    h.imageType = 10;
    auto packed = decode(tgaBytes(h, rle));
    ASSERT_TRUE(plain);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->bytesPerPixel, 4);
    EXPECT_EQ(packed->pixels, plain->pixels);
}

TEST(TgaRunLength, PacketsStopAtTheLastPixel)
{
    TgaHeader h;
    h.imageType = 10;
    h.width = 2;
    h.height = 1;
    auto run = decode(tgaBytes(h, {0xFF, 1, 2, 3}));  // a run of 128 into two pixels
    ASSERT_TRUE(run);
    EXPECT_EQ(run->pixels, bytesOf({3, 2, 1, 3, 2, 1}));
    auto raw = decode(tgaBytes(h, {0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9}));  // 128 raw pixels announced
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->pixels, bytesOf({3, 2, 1, 6, 5, 4}));
}

TEST(TgaShortData, MissingPixelsAreZero)
{
    TgaHeader h;
    h.width = 3;
    auto uncompressed = decode(tgaBytes(h, {1, 2, 3, 4}));
    ASSERT_TRUE(uncompressed);
    EXPECT_EQ(uncompressed->pixels, bytesOf({3, 2, 1, 0, 0, 0, 0, 0, 0}));
    h.imageType = 10;
    auto packed = decode(tgaBytes(h, {0x01, 1, 2, 3}));
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->pixels, bytesOf({3, 2, 1, 0, 0, 0, 0, 0, 0}));
    h.imageType = 2;
    h.depth = 16;
    auto high = decode(tgaBytes(h, {0xFF, 0x7F, 0xFF}));
    ASSERT_TRUE(high);
    EXPECT_EQ(high->pixels, bytesOf({248, 248, 248, 0, 0, 0, 0, 0, 0}));
    h.imageId = std::string(40, 'x');  // the ID field runs past the end of the file
    auto idOnly = decode(tgaBytes(h, {}).substr(0, 30));
    ASSERT_TRUE(idOnly);
    EXPECT_EQ(idOnly->pixels, std::vector<unsigned char>(9, 0));
}

TEST(TgaRefused, UnreadDepthsAndImpossibleSizes)
{
    auto refused = [](TgaHeader h) { return decode(tgaBytes(h, std::vector<uint8_t>(64, 7))) == nullptr; };
    TgaHeader h;
    EXPECT_FALSE(refused(h));
    h.depth = 8;
    EXPECT_TRUE(refused(h));
    h.depth = 15;
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.imageType = 10;
    h.depth = 16;  // run-length pixels are at least three bytes
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.width = 0;
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.height = 0;
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.width = TGA_MAX_SIDE + 1;
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.width = 65535;
    h.height = 65535;
    h.depth = 32;
    EXPECT_TRUE(refused(h));
    h = TgaHeader{};
    h.width = TGA_MAX_SIDE;
    h.height = TGA_MAX_SIDE;
    h.depth = 32;  // 256 MiB
    EXPECT_TRUE(refused(h));
    EXPECT_EQ(decode(tgaBytes(TgaHeader{}, {}).substr(0, 17)), nullptr);
}

TEST(TgaFile, EveryUnusableFileIsNamedWithItsReasonAndAPresentOneLoads)
{
    TempWorkDir dir;
    writeWholeFile("ast.tga", solidTga(2, 3, 200, 100, 50));
    std::filesystem::create_directory("explosion");
    std::filesystem::create_directory("explosion/spr012.tga");
    writeWholeFile("short.tga", solidTga(2, 3, 200, 100, 50).substr(0, 17));
    TgaHeader zeroSide;
    zeroSide.width = 0;
    writeWholeFile("zero.tga", tgaBytes(zeroSide, {1, 2, 3}));
    TgaHeader huge;
    huge.width = TGA_MAX_SIDE + 1;
    writeWholeFile("huge.tga", tgaBytes(huge, {1, 2, 3}));
    TgaHeader eightBit;
    eightBit.depth = 8;
    writeWholeFile("depth.tga", tgaBytes(eightBit, {1, 2, 3}));

    const std::pair<const char*, const char*> refused[] = {
        {"nothing.tga", "missing"},
        {"explosion/spr012.tga", "not a regular file"},
        {"short.tga", "short header"},
        {"zero.tga", "sides out of range (0x1)"},
        {"huge.tga", "sides out of range (8193x1)"},
        {"depth.tga", "unsupported pixel depth 8"},
    };
    for (const auto& [name, reason] : refused) {
        std::unique_ptr<TgaImage> image;
        EXPECT_EQ(captureStdout([&] { image = loadTga(name); }),
                  std::string("\nUnable to load TGA File!\n") + name + ": " + reason + "\n");
        EXPECT_EQ(image, nullptr) << name;
    }

    std::unique_ptr<TgaImage> loaded;
    EXPECT_EQ(captureStdout([&] { loaded = loadTga("ast.tga"); }), "");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->width, 2);
    EXPECT_EQ(loaded->height, 3);
    EXPECT_EQ(loaded->pixels[0], 200);
    EXPECT_EQ(loaded->pixels[17], 50);
}
