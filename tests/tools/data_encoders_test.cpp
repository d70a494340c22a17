#include "tools/audio_files.h"
#include "tools/model_writer.h"
#include "tools/noise.h"
#include "tools/tga_writer.h"

#include "geometry/model_loader.h"
#include "render/tga.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

// Rows of 300 pixels with runs of 1, 2, 127, 128, 129 and more, raw stretches
// of single pixels between them, and runs that reach over the end of a row.
// Channel values are whole steps of `step`, so the kind stores them exactly.
Image runsAndStretches(double step)
{
    Image image(300, 3, Color{});
    int x = 0;
    int y = 0;
    int colour = 0;
    auto put = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const double v = (colour % 31) * step;
            image.at(x, y) = {v, 1.0 - v, (colour * 7 % 31) * step, (colour % 2) ? 1.0 : 136.0 / 255.0};
            if (++x == image.width) {
                x = 0;
                if (++y == image.height) {
                    return;
                }
            }
        }
        ++colour;
    };
    for (int count : {1, 2, 1, 1, 1, 127, 128, 129, 1, 3, 1, 1, 250, 1, 60, 1, 1, 1}) {
        put(count);
    }
    while (y < image.height) {
        put(1);
    }
    return image;
}

}  // namespace

TEST(TgaWriter, EveryKindDecodesToThePictureWithPacketsEndingAtRowEnds)
{
    for (TgaKind kind : {TgaKind::RGB16, TgaKind::RGB24, TgaKind::RGBA32, TgaKind::RLE24, TgaKind::RLE32}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const Image image = runsAndStretches(kind == TgaKind::RGB16 ? 1.0 / 31.0 : 8.0 / 255.0);
        const std::string bytes = encodeTga(image, kind);
        const auto decoded = decodeTga(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded->width, image.width);
        ASSERT_EQ(decoded->height, image.height);
        const bool alpha = kind == TgaKind::RGBA32 || kind == TgaKind::RLE32;
        ASSERT_EQ(decoded->bytesPerPixel, alpha ? 4 : 3);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const Color& c = image.at(x, y);
                const unsigned char* p = &decoded->pixels[(static_cast<size_t>(y) * image.width + x) * decoded->bytesPerPixel];
                // 5 bits widen to at most 248: full white reads back as 248.
                const double scale = kind == TgaKind::RGB16 ? 248.0 : 255.0;
                ASSERT_NEAR(p[0], c.r * scale, 0.01) << x << "," << y;
                ASSERT_NEAR(p[1], c.g * scale, 0.01) << x << "," << y;
                ASSERT_NEAR(p[2], c.b * scale, 0.01) << x << "," << y;
                if (alpha) {
                    ASSERT_NEAR(p[3], c.a * 255.0, 0.01) << x << "," << y;
                }
            }
        }
        if (kind == TgaKind::RLE24 || kind == TgaKind::RLE32) {
            // Walk the packets: none may run past the end of a row.
            const int bpp = alpha ? 4 : 3;
            size_t at = 18;
            for (int y = 0; y < image.height; ++y) {
                int x = 0;
                while (x < image.width) {
                    const int header = static_cast<unsigned char>(bytes.at(at++));
                    const int count = (header & 0x7F) + 1;
                    at += header >= 128 ? bpp : static_cast<size_t>(count) * bpp;
                    x += count;
                }
                ASSERT_EQ(x, image.width) << "a packet crosses the end of row " << y;
            }
            EXPECT_EQ(at, bytes.size());
            EXPECT_LT(bytes.size(), 18u + static_cast<size_t>(image.width) * image.height * bpp);
        }
    }
}

TEST(ModelWriter, TheGamesLoaderReadsBackWhatWasWritten)
{
    ModelData data;
    MeshData mesh;
    mesh.addPrism({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 2.5}, {1, 0, 2.5}, {1, 1, 2.5}});
    mesh.vertices[0].u = 0.25;
    mesh.vertices[0].v = -1e-9;  // tiny values must not come out as "-0.000000"
    data.meshes = {mesh, mesh};
    data.ambient[0] = 0.125f;
    data.specular[2] = 0.5f;
    const std::string text = formatModel(data);
    EXPECT_EQ(text.find("-0.000000"), std::string::npos);

    Model model;
    ASSERT_EQ(parseModel(text, model).status, ModelParseStatus::OK);
    ASSERT_EQ(model.meshCount, 2);
    for (int m = 0; m < 2; ++m) {
        const Mesh& loaded = model.meshes[m];
        ASSERT_EQ(loaded.vertexCount, static_cast<int>(mesh.vertices.size()));
        ASSERT_EQ(loaded.triangleCount, static_cast<int>(mesh.triangles.size()));
        for (int k = 0; k < loaded.vertexCount; ++k) {
            EXPECT_NEAR(loaded.vertices[k].x, mesh.vertices[k].position.x, 1e-6);
            EXPECT_NEAR(loaded.vertices[k].z, mesh.vertices[k].position.z, 1e-6);
            EXPECT_NEAR(loaded.vertices[k].u, mesh.vertices[k].u, 1e-6);
            EXPECT_NEAR(loaded.normals[k].y, mesh.vertices[k].normal.y, 1e-6);
        }
        for (int t = 0; t < loaded.triangleCount; ++t) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(loaded.triangles[t].indices[c], mesh.triangles[t][c]);
            }
        }
    }
    EXPECT_FLOAT_EQ(model.ambient[0], 0.125f);
    EXPECT_FLOAT_EQ(model.specular[2], 0.5f);
    releaseModelGeometry(model);
}

TEST(WavWriter, WritesMono16BitAt22050AndClampsOverload)
{
    const std::string bytes = encodeWav({0.0, 0.5, 1.5, -1.5, -1.0});
    ASSERT_EQ(bytes.size(), 44u + 10u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    auto u16 = [&](size_t at) { return static_cast<int>(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8); };
    auto s16 = [&](size_t at) { return static_cast<int16_t>(u16(at)); };
    EXPECT_EQ(u16(22), 1);                      // channels
    EXPECT_EQ(u16(24) | u16(26) << 16, 22050);  // sample rate
    EXPECT_EQ(u16(34), 16);                     // bits
    EXPECT_EQ(u16(40), 10);                     // data bytes
    EXPECT_EQ(s16(44), 0);
    EXPECT_EQ(s16(46), 16384);
    EXPECT_EQ(s16(48), 32767);
    EXPECT_EQ(s16(50), -32768);
    EXPECT_EQ(s16(52), -32767);
}

TEST(TiledNoise, RepeatsWithItsPeriodAlsoAtNegativeCoordinates)
{
    for (double x : {-7.3, -0.2, 0.0, 0.45, 2.9}) {
        for (double y : {-3.1, 0.7, 3.99}) {
            EXPECT_NEAR(tiledFbm(x, y, 3, 5, 11), tiledFbm(x + 3.0, y, 3, 5, 11), 1e-9);
            EXPECT_NEAR(tiledFbm(x, y, 3, 5, 11), tiledFbm(x, y - 6.0, 3, 5, 11), 1e-9);
            EXPECT_NEAR(tiledCells(x, y, 4, 5), tiledCells(x - 4.0, y + 4.0, 4, 5), 1e-9);
        }
    }
    // And it is not flat.
    EXPECT_GT(std::fabs(tiledFbm(0.3, 0.3, 3, 5, 11) - tiledFbm(1.6, 2.2, 3, 5, 11)), 1e-3);
}
