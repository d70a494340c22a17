#include "render/texture_table.h"
#include "render/tga_files.h"
#include "support/gl_window.h"
#include "support/scratch_dir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Slot k's file is one 2 × 2 colour (red k × 8, green 255 − k, blue 7), in the
// storage kind picked by k: uncompressed 24, 32 and 16 bits, run-length 24 and 32.
struct SlotColour {
    uint8_t r, g, b, a;
};

SlotColour slotColour(int slot)
{
    return SlotColour{static_cast<uint8_t>(slot * 8), static_cast<uint8_t>(255 - slot), 7,
                      static_cast<uint8_t>(100 + slot)};
}

int slotKind(int slot)
{
    return slot % 5;
}

std::string slotFile(int slot)
{
    const SlotColour c = slotColour(slot);
    TgaHeader h;
    h.width = 2;
    h.height = 2;
    std::vector<uint8_t> data;
    switch (slotKind(slot)) {
    case 0:
        return solidTga(2, 2, c.r, c.g, c.b);
    case 1:
        h.depth = 32;
        for (int i = 0; i < 4; ++i) {
            data.insert(data.end(), {c.b, c.g, c.r, c.a});
        }
        return tgaBytes(h, data);
    case 2: {
        h.depth = 16;
        const unsigned v = ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
        for (int i = 0; i < 4; ++i) {
            data.insert(data.end(), {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)});
        }
        return tgaBytes(h, data);
    }
    case 3:
        h.imageType = 10;
        return tgaBytes(h, {0x83, c.b, c.g, c.r});
    default:
        h.imageType = 10;
        h.depth = 32;
        return tgaBytes(h, {0x81, c.b, c.g, c.r, c.a, 0x01, c.b, c.g, c.r, c.a, c.b, c.g, c.r, c.a});
    }
}

void writeTextureFiles(const ScratchDir& dir, int skippedSlot)
{
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        if (slot != skippedSlot) {
            dir.write(TEXTURE_FILES[slot], slotFile(slot));
        }
    }
}

GLint textureLevelParameter(int level, GLenum name)
{
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

void reportCreatedSlots()
{
    int created = 0;
    int empty = 0;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        const unsigned name = textureTable.names[slot];
        if (slot <= 16 && name != 0 && glIsTexture(name)) {
            ++created;
        }
        if (slot > 16 && name == 0) {
            ++empty;
        }
    }
    std::fprintf(stderr, "created %d, empty %d\n", created, empty);
}

}  // namespace

TEST(TextureTable, LoadsEverySlotInOrderFromRealFiles)
{
    ensureGlWindow();
    ScratchDir dir;
    writeTextureFiles(dir, -1);
    loadTextureTable();

    std::set<unsigned> names;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        const unsigned name = textureTable.names[slot];
        ASSERT_NE(name, 0u) << slot;
        EXPECT_TRUE(glIsTexture(name)) << slot;
        names.insert(name);
        bindTexture(slot);
        const bool alpha = slotKind(slot) == 1 || slotKind(slot) == 4;
        EXPECT_EQ(textureLevelParameter(0, GL_TEXTURE_ALPHA_SIZE) > 0, alpha) << slot;

        unsigned char texel[2 * 2 * 4] = {};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        const SlotColour c = slotColour(slot);
        // Sixteen-bit files keep five bits per channel.
        const int mask = slotKind(slot) == 2 ? 0xF8 : 0xFF;
        EXPECT_EQ(texel[12], c.r & mask) << slot;
        EXPECT_EQ(texel[13], c.g & mask) << slot;
        EXPECT_EQ(texel[14], c.b & mask) << slot;
        EXPECT_EQ(texel[15], alpha ? c.a : 255) << slot;
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(TEXTURE_SLOT_COUNT));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureTable, OddSizedTexturesEndCompleteAndKeepTheirRows)
{
    ensureGlWindow();
    ScratchDir dir;
    // Five pixels of red over five of blue: rows of 15 bytes, not a multiple of 4.
    std::vector<uint8_t> data;
    for (int i = 0; i < 5; ++i) {
        data.insert(data.end(), {0, 0, 255});
    }
    for (int i = 0; i < 5; ++i) {
        data.insert(data.end(), {255, 0, 0});
    }
    TgaHeader h;
    h.width = 5;
    h.height = 2;
    dir.write("odd.tga", tgaBytes(h, data));
    TextureTable table;
    loadTexture(table, "odd.tga", 0);
    glBindTexture(GL_TEXTURE_2D, table.names[0]);

    // Levels down to 1 × 1, each half the one before.
    int width = textureLevelParameter(0, GL_TEXTURE_WIDTH);
    int height = textureLevelParameter(0, GL_TEXTURE_HEIGHT);
    EXPECT_EQ(width & (width - 1), 0);
    EXPECT_EQ(height & (height - 1), 0);
    int level = 0;
    while (width > 1 || height > 1) {
        ++level;
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ASSERT_EQ(textureLevelParameter(level, GL_TEXTURE_WIDTH), width) << level;
        ASSERT_EQ(textureLevelParameter(level, GL_TEXTURE_HEIGHT), height) << level;
    }

    // Level 0: the first row red, the second blue. A misread row stride would
    // shift the second row's channels.
    const int w0 = textureLevelParameter(0, GL_TEXTURE_WIDTH);
    const int h0 = textureLevelParameter(0, GL_TEXTURE_HEIGHT);
    ASSERT_EQ(h0, 2);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w0 * h0 * 4));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (int x = 0; x < w0; ++x) {
        EXPECT_EQ(pixels[x * 4 + 0], 255) << x;
        EXPECT_EQ(pixels[x * 4 + 2], 0) << x;
        EXPECT_EQ(pixels[(w0 + x) * 4 + 0], 0) << x;
        EXPECT_EQ(pixels[(w0 + x) * 4 + 1], 0) << x;
        EXPECT_EQ(pixels[(w0 + x) * 4 + 2], 255) << x;
    }

    // Drawn minified with the start filters, a complete texture shows its colour;
    // an incomplete one would leave the quad white.
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // One pixel: the 4 × 2 level 0 is minified.
    const float right = -1.0f + 2.0f / static_cast<float>(viewport[2]);
    const float top = -1.0f + 2.0f / static_cast<float>(viewport[3]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1, 0);
    glVertex2f(right, -1.0f);
    glTexCoord2f(1, 1);
    glVertex2f(right, top);
    glTexCoord2f(0, 1);
    glVertex2f(-1.0f, top);
    glEnd();
    glFinish();
    unsigned char drawn[4] = {};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, drawn);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(drawn[1], 0);  // not white
    EXPECT_GT(drawn[0] + drawn[2], 200);
}

TEST(TextureTable, FilterKeysSetEveryTexture)
{
    ensureGlWindow();
    ScratchDir dir;
    writeTextureFiles(dir, -1);
    loadTextureTable();
    struct Combination {
        int filter, mip;
        GLint min, mag;
    };
    const Combination combinations[] = {
        {1, 1, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
        {1, 0, GL_LINEAR, GL_LINEAR},
        {0, 1, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST},
        {0, 0, GL_NEAREST, GL_NEAREST},
    };
    for (const Combination& c : combinations) {
        glBindTexture(GL_TEXTURE_2D, 0);
        applyTextureFilter(c.filter, c.mip);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), textureTable.names[TEX_SMOKE]);
        for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
            bindTexture(slot);
            GLint min = 0;
            GLint mag = 0;
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
            EXPECT_EQ(min, c.min) << c.filter << c.mip << " slot " << slot;
            EXPECT_EQ(mag, c.mag) << c.filter << c.mip << " slot " << slot;
        }
        // Mipmapping off keeps the levels for when it comes back on.
        EXPECT_GT(textureLevelParameter(1, GL_TEXTURE_WIDTH), 0);
    }
}

TEST(TextureTableDeathTest, MissingExplosionFrameEndsStartUpAfterSlotSixteen)
{
    // The child runs this test afresh in a new process with its own window;
    // it learns where to print from the parent's environment.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (!std::getenv("VOREL_TEXTURE_CHILD_OUT")) {
        char path[] = "/tmp/vorel-texture-out-XXXXXX";
        close(mkstemp(path));
        setenv("VOREL_TEXTURE_CHILD_OUT", path, 1);
    }
    const std::string outPath = std::getenv("VOREL_TEXTURE_CHILD_OUT");
    ScratchDir dir;
    writeTextureFiles(dir, 17);
    // A later file that fails too, which the decoding helper may reach first:
    // only the first failing slot in table order is named.
    dir.write(TEXTURE_FILES[18], "short");
    EXPECT_EXIT(
        {
            std::fflush(stdout);
            const int fd = open(outPath.c_str(), O_WRONLY | O_TRUNC);
            dup2(fd, 1);
            ensureGlWindow();
            std::atexit(reportCreatedSlots);
            loadTextureTable();
        },
        ::testing::ExitedWithCode(1), "created 17, empty 14");
    unsetenv("VOREL_TEXTURE_CHILD_OUT");
    std::ifstream in(outPath, std::ios::binary);
    std::stringstream printed;
    printed << in.rdbuf();
    unlink(outPath.c_str());
    EXPECT_EQ(printed.str(), "\nUnable to load TGA File!\nexplosion/spr012.tga: missing\n");
}
