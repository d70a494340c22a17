#include "tools/generated_data.h"

#include "render/tga.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

const SharedTree& data()
{
    return generatedTexturesTree();
}

// The picture as the game reads it.
std::unique_ptr<TgaImage> read(const std::string& name)
{
    return loadTga(data().file(name).c_str());
}

const unsigned char* texel(const TgaImage& image, int x, int y)
{
    return &image.pixels[(static_cast<size_t>(y) * image.width + x) * image.bytesPerPixel];
}

// The texel nearest a texture coordinate; row 0 of the file is t = 0.
const unsigned char* texelAt(const TgaImage& image, double s, double t)
{
    const int x = std::min(image.width - 1, static_cast<int>(s * image.width));
    const int y = std::min(image.height - 1, static_cast<int>(t * image.height));
    return texel(image, x, y);
}

std::string explosionFrame(int k)
{
    char name[32];
    std::snprintf(name, sizeof name, "explosion/spr%03d.tga", k);
    return name;
}

}  // namespace

TEST(GeneratedTextures, AllLoadAndTogetherUseEveryKindTheReaderDecodes)
{
    std::vector<std::string> names = {"logo.tga", "stars.tga", "cp.tga", "gate.tga", "ast.tga", "smoke.tga"};
    for (int k = 0; k < 25; ++k) {
        names.push_back(explosionFrame(k));
    }
    std::set<std::pair<int, int>> kinds;  // image type, bits per pixel
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string bytes = readBytes(data().file(name));
        ASSERT_GE(bytes.size(), 18u);
        kinds.insert({static_cast<unsigned char>(bytes[2]), static_cast<unsigned char>(bytes[16])});
        // Rows stored bottom-up: the origin bit of the descriptor is clear.
        EXPECT_EQ(bytes[17] & 0x20, 0);
        const auto image = read(name);
        ASSERT_TRUE(image);
        EXPECT_GT(image->width, 0);
        EXPECT_GT(image->height, 0);
    }
    const std::set<std::pair<int, int>> expected = {{2, 16}, {2, 24}, {2, 32}, {10, 24}, {10, 32}};
    EXPECT_EQ(kinds, expected);
    // The sprites and the cockpit need their alpha channel.
    for (const std::string& name : {std::string("cp.tga"), std::string("smoke.tga"), explosionFrame(0)}) {
        EXPECT_EQ(read(name)->bytesPerPixel, 4) << name;
    }
}

TEST(GeneratedTextures, CornersThatTintGatesAndRadarDotsAreWhite)
{
    // Gates and radar dots are drawn with the coordinate (0, 1), which samples
    // all four corner texels.
    const auto gate = read("gate.tga");
    const auto cockpit = read("cp.tga");
    ASSERT_TRUE(gate && cockpit);
    for (const TgaImage* image : {gate.get(), cockpit.get()}) {
        for (int y : {0, image->height - 1}) {
            for (int x : {0, image->width - 1}) {
                const unsigned char* p = texel(*image, x, y);
                for (int c = 0; c < 3; ++c) {
                    EXPECT_GE(p[c], 240) << "corner " << x << "," << y;
                }
                if (image->bytesPerPixel == 4) {
                    EXPECT_EQ(p[3], 255) << "corner " << x << "," << y;
                }
            }
        }
    }
}

TEST(GeneratedTextures, CockpitIsClearInTheMiddleWithScopesWhereTheRadarDotsLand)
{
    const auto cockpit = read("cp.tga");
    ASSERT_TRUE(cockpit);
    const TgaImage& image = *cockpit;
    // The view through the canopy stays clear.
    for (double s = 0.2; s <= 0.8; s += 0.01) {
        for (double t = 0.4; t <= 0.85; t += 0.01) {
            EXPECT_EQ(texelAt(image, s, t)[3], 0) << s << "," << t;
        }
    }
    // Each scope screen covers every place its blip can reach (the dot adds
    // a little): opaque, dark and green.
    const double scopes[2][2] = {{0.2415, 0.1375}, {0.782, 0.1375}};
    for (const auto& scope : scopes) {
        for (double a = 0.0; a < 2.0 * M_PI; a += M_PI / 12.0) {
            for (double r = 0.0; r <= 1.0; r += 0.25) {
                const double s = scope[0] + std::cos(a) * r * (0.0675 + 0.0025);
                const double t = scope[1] + std::sin(a) * r * (0.0875 + 0.0025);
                const unsigned char* p = texelAt(image, s, t);
                EXPECT_EQ(p[3], 255) << s << "," << t;
                EXPECT_GT(p[1], p[0]) << s << "," << t;
                EXPECT_GT(p[1], p[2]) << s << "," << t;
                EXPECT_LT(p[0] + p[1] + p[2], 3 * 140) << s << "," << t;
            }
        }
    }
}

TEST(GeneratedTextures, FullScreenLayersStayMagnifiedAt1024x768)
{
    // The 45-degree view at 4:3 shows 2 * tan(22.5) * 3.6 = 2.98 of the
    // cockpit panel's 3 units of height and 3.98 of its 4 of width; the star
    // box face, 512 away, shows 565 of its 1024 units across. More texels than
    // pixels would put these layers on the costly minifying path.
    const double viewHeight = 2.0 * std::tan(22.5 * M_PI / 180.0);
    const auto cockpit = read("cp.tga");
    const auto stars = read("stars.tga");
    ASSERT_TRUE(cockpit && stars);
    EXPECT_LE(cockpit->width * (viewHeight * 3.6 * 4.0 / 3.0) / 4.0, 1024.0);
    EXPECT_LE(cockpit->height * (viewHeight * 3.6) / 3.0, 768.0);
    EXPECT_LE(stars->width * (viewHeight * 4.0 / 3.0 * 512.0) / 1024.0, 1024.0);
    EXPECT_LE(stars->height * (viewHeight * 512.0) / 1024.0, 768.0);
}

TEST(GeneratedTextures, StarFaceEdgesMatchWhereTheBoxFacesMeet)
{
    // One picture covers all six faces in different turns, so any edge meets
    // any other: every border texel is the same.
    const auto stars = read("stars.tga");
    ASSERT_TRUE(stars);
    const TgaImage& image = *stars;
    const unsigned char* reference = texel(image, 0, 0);
    for (int i = 0; i < image.width; ++i) {
        for (const auto& xy : {std::pair<int, int>{i, 0}, {i, image.height - 1}, {0, i}, {image.width - 1, i}}) {
            const unsigned char* p = texel(image, xy.first, xy.second);
            ASSERT_TRUE(p[0] == reference[0] && p[1] == reference[1] && p[2] == reference[2]) << xy.first << "," << xy.second;
        }
    }
    // And there are stars: some texels far brighter than the sky.
    int bright = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            bright += texel(image, x, y)[0] > 160 ? 1 : 0;
        }
    }
    EXPECT_GT(bright, 200);
}

TEST(GeneratedTextures, SpritesStayInsideTheirSquareAndTheExplosionBurnsOut)
{
    auto borderAlpha = [](const TgaImage& image) {
        int high = 0;
        for (int i = 0; i < image.width; ++i) {
            high = std::max({high, int(texel(image, i, 0)[3]), int(texel(image, i, image.height - 1)[3]),
                             int(texel(image, 0, i)[3]), int(texel(image, image.width - 1, i)[3])});
        }
        return high;
    };
    auto opacity = [](const TgaImage& image) {
        double sum = 0.0;
        for (size_t i = 3; i < image.pixels.size(); i += 4) {
            sum += image.pixels[i];
        }
        return sum / (image.width * image.height * 255.0);
    };
    const auto smoke = read("smoke.tga");
    ASSERT_TRUE(smoke);
    EXPECT_EQ(borderAlpha(*smoke), 0);
    EXPECT_GT(texel(*smoke, smoke->width / 2, smoke->height / 2)[3], 128);

    double previous = 2.0;
    double peak = 0.0;
    int peakFrame = 0;
    for (int k = 0; k < 25; ++k) {
        const auto frame = read(explosionFrame(k));
        ASSERT_TRUE(frame) << k;
        EXPECT_EQ(frame->width, read(explosionFrame(0))->width);
        EXPECT_EQ(borderAlpha(*frame), 0) << "frame " << k;
        const double o = opacity(*frame);
        if (o > peak) {
            peak = o;
            peakFrame = k;
        }
        // Past the middle it only fades.
        if (k > 12) {
            EXPECT_LT(o, previous) << "frame " << k;
        }
        previous = o;
    }
    // It flashes small, grows, then is nearly gone by the last frames.
    EXPECT_GT(peakFrame, 3);
    EXPECT_LT(opacity(*read(explosionFrame(0))), peak);
    EXPECT_LT(opacity(*read(explosionFrame(23))), peak * 0.1);
    // The first frame is the white-hot flash.
    const auto flash = read(explosionFrame(0));
    const unsigned char* centre = texel(*flash, flash->width / 2, flash->height / 2);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 3 * 220);
}

// On screens wider than 4:3 the canopy goes on beside the panel. A window
// fraction at an aspect shows panel units 1.49 × aspect to each side and 1.49
// up and down: the panel's 2 to each side in "cp.tga", the 4 beyond each edge
// in a half of "cp_sides.tga".
TEST(GeneratedTextures, CockpitSidesHoldTheCornersAndTheLapLinesAtEveryWideAspect)
{
    const auto panel = read("cp.tga");
    const auto sides = read("cp_sides.tga");
    ASSERT_TRUE(panel && sides && sides->width == 2 * panel->width && sides->height == panel->height);
    const double halfView = 3.6 * std::tan(22.5 * M_PI / 180.0);
    auto alphaShown = [&](double aspect, double fx, double fy) {
        const double x = (fx - 0.5) * 2.0 * halfView * aspect;
        const double t = (fy - 0.5) * 2.0 * halfView / 3.0 + 0.5;
        return std::fabs(x) <= 2.0 ? texelAt(*panel, x / 4.0 + 0.5, t)[3]
                                   : texelAt(*sides, 0.5 + (x - std::copysign(2.0, x)) / 8.0, t)[3];
    };
    for (double aspect : {16.0 / 10.0, 16.0 / 9.0, 64.0 / 27.0, 32.0 / 9.0}) {
        // Metal in every corner, and under the lap lines of the top corners
        // from their baseline to above their capitals along their first tenth.
        for (double fx : {0.0, 0.999}) {
            EXPECT_EQ(alphaShown(aspect, fx, 0.0) & alphaShown(aspect, fx, 0.999), 255) << aspect << " " << fx;
        }
        for (double line : {0.05, 0.78}) {
            for (double fx = line; fx <= line + 0.1; fx += 0.01) {
                for (double fy = 0.95; fy <= 0.975; fy += 0.005) {
                    EXPECT_EQ(alphaShown(aspect, fx, fy), 255) << aspect << " " << fx << "," << fy;
                }
            }
        }
    }
}
