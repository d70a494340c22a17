// The mipmap levels the game builds on the processor against the levels the
// GL utility library builds from the same image, level by level and byte by
// byte: every texture of the game through the real table, and images whose
// sides are not powers of two.
#include "render/mipmap_levels.h"
#include "render/texture_table.h"
#include "render/tga.h"
#include "render/tga_files.h"
#include "support/gl_window.h"
#include "support/scratch_dir.h"
#include "tools/generated_data.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// The texture as the game made it before it built its own levels: level 0,
// then the library's builder, the image first brought to power-of-two sides
// with the library's scaler.
unsigned referenceTexture(const TgaImage& image)
{
    unsigned name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const GLenum format = image.bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                 GL_UNSIGNED_BYTE, image.pixels.data());
    // The side rule itself is the game's, unchanged since it fed the library.
    const int width = nearestPowerOfTwo(image.width);
    const int height = nearestPowerOfTwo(image.height);
    if (width == image.width && height == image.height) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, image.bytesPerPixel, width, height, format, GL_UNSIGNED_BYTE,
                          image.pixels.data());
    } else {
        std::vector<unsigned char> scaled(static_cast<std::size_t>(width * height * image.bytesPerPixel));
        gluScaleImage(format, image.width, image.height, GL_UNSIGNED_BYTE, image.pixels.data(), width, height,
                      GL_UNSIGNED_BYTE, scaled.data());
        gluBuild2DMipmaps(GL_TEXTURE_2D, image.bytesPerPixel, width, height, format, GL_UNSIGNED_BYTE,
                          scaled.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

struct Level {
    GLint width = 0;
    GLint height = 0;
    GLint internalFormat = 0;
    std::vector<unsigned char> texels;
};

// Every defined level of a texture with its filters, as GL holds them.
std::vector<Level> readBack(unsigned name, GLint filters[2])
{
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filters[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filters[1]);
    std::vector<Level> levels;
    for (GLint level = 0;; ++level) {
        Level l;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
        if (l.width == 0) {
            return levels;
        }
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &l.internalFormat);
        l.texels.resize(static_cast<std::size_t>(l.width * l.height * 4));
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, l.texels.data());
        levels.push_back(std::move(l));
    }
}

void expectSameTexture(unsigned made, const TgaImage& image, const std::string& what)
{
    const unsigned reference = referenceTexture(image);
    GLint madeFilters[2] = {};
    GLint referenceFilters[2] = {};
    const std::vector<Level> madeLevels = readBack(made, madeFilters);
    const std::vector<Level> referenceLevels = readBack(reference, referenceFilters);
    glDeleteTextures(1, &reference);
    EXPECT_EQ(madeFilters[0], referenceFilters[0]) << what;
    EXPECT_EQ(madeFilters[1], referenceFilters[1]) << what;
    ASSERT_EQ(madeLevels.size(), referenceLevels.size()) << what;
    for (std::size_t level = 0; level < madeLevels.size(); ++level) {
        const Level& m = madeLevels[level];
        const Level& r = referenceLevels[level];
        EXPECT_EQ(m.width, r.width) << what << " level " << level;
        EXPECT_EQ(m.height, r.height) << what << " level " << level;
        EXPECT_EQ(m.internalFormat, r.internalFormat) << what << " level " << level;
        EXPECT_TRUE(m.texels == r.texels) << what << " level " << level << " differs";
    }
}

}  // namespace

TEST(MipmapLevels, EveryGameTextureHasTheLibrarysLevels)
{
    ensureGlWindow();
    const std::string tree = generatedTexturesTree().path();
    char previous[4096] = {};
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(tree.c_str()), 0);
    loadTextureTable();
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        std::string refusal;
        const std::unique_ptr<TgaImage> image = readTga(TEXTURE_FILES[slot], refusal);
        ASSERT_TRUE(image) << TEXTURE_FILES[slot] << ": " << refusal;
        expectSameTexture(textureTable.names[slot], *image, TEXTURE_FILES[slot]);
    }
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MipmapLevels, SidesThatAreNotPowersOfTwoAreScaledAsTheLibraryScalesThem)
{
    ensureGlWindow();
    ScratchDir dir;
    std::mt19937 random(22);
    const struct {
        int width, height, depth;
    } sizes[] = {{5, 2, 24}, {3, 7, 32}, {1, 6, 24}, {6, 1, 32}, {100, 37, 24},
                 {33, 65, 32}, {12, 12, 24}, {1, 1, 24}, {2, 1, 32}, {1, 3, 24}};
    for (const auto& size : sizes) {
        TgaHeader h;
        h.width = size.width;
        h.height = size.height;
        h.depth = size.depth;
        std::vector<uint8_t> data(static_cast<std::size_t>(size.width * size.height * size.depth / 8));
        for (uint8_t& byte : data) {
            byte = static_cast<uint8_t>(random());
        }
        const std::string what = std::to_string(size.width) + "x" + std::to_string(size.height) + "x" +
                                 std::to_string(size.depth);
        dir.write(what + ".tga", tgaBytes(h, data));
        TextureTable table;
        loadTexture(table, (what + ".tga").c_str(), 0);
        std::string refusal;
        const std::unique_ptr<TgaImage> image = readTga((what + ".tga").c_str(), refusal);
        ASSERT_TRUE(image) << what << ": " << refusal;
        expectSameTexture(table.names[0], *image, what);
        glDeleteTextures(1, &table.names[0]);
    }
}
