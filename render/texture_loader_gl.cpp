#include "render/texture_table.h"

#include "render/tga.h"
#include "sim/platform_hooks.h"
#include "sim/world_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

const char* const TEXTURE_FILES[TEXTURE_SLOT_COUNT] = {
    "logo.tga",
    "stars.tga",
    "cp.tga",
    "gate.tga",
    "ast.tga",
    "explosion/spr000.tga",
    "explosion/spr001.tga",
    "explosion/spr002.tga",
    "explosion/spr003.tga",
    "explosion/spr004.tga",
    "explosion/spr005.tga",
    "explosion/spr006.tga",
    "explosion/spr007.tga",
    "explosion/spr008.tga",
    "explosion/spr009.tga",
    "explosion/spr010.tga",
    "explosion/spr011.tga",
    "explosion/spr012.tga",
    "explosion/spr013.tga",
    "explosion/spr014.tga",
    "explosion/spr015.tga",
    "explosion/spr016.tga",
    "explosion/spr017.tga",
    "explosion/spr018.tga",
    "explosion/spr019.tga",
    "explosion/spr020.tga",
    "explosion/spr021.tga",
    "explosion/spr022.tga",
    "explosion/spr023.tga",
    "explosion/spr024.tga",
    "smoke.tga",
};

namespace {

// The power of two nearest to a side, as the mipmap builder picks it: 5 gives
// 4, 6 gives 8, 3 gives 4.
int nearestPowerOfTwo(int side)
{
    int power = 1;
    unsigned value = static_cast<unsigned>(side);
    for (;;) {
        if (value <= 1) {
            return power;
        }
        if (value == 3) {
            return power * 4;
        }
        value >>= 1;
        power *= 2;
    }
}

// GLU's mipmap builder rescales sides that are not powers of two itself, but
// its byte path leaves the last row black whenever only one side changes (5 × 2
// becomes 4 × 2 with a black second row). Its general scaler has no such
// fault, so the image is brought to power-of-two sides here first.
void buildMipmaps(const TgaImage& image, GLenum format)
{
    const int width = nearestPowerOfTwo(image.width);
    const int height = nearestPowerOfTwo(image.height);
    if (width == image.width && height == image.height) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, image.bytesPerPixel, image.width, image.height, format,
                          GL_UNSIGNED_BYTE, image.pixels.data());
        return;
    }
    std::vector<unsigned char> scaled(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                      static_cast<std::size_t>(image.bytesPerPixel));
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gluScaleImage(format, image.width, image.height, GL_UNSIGNED_BYTE, image.pixels.data(), width, height,
                  GL_UNSIGNED_BYTE, scaled.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    gluBuild2DMipmaps(GL_TEXTURE_2D, image.bytesPerPixel, width, height, format, GL_UNSIGNED_BYTE,
                      scaled.data());
}

}  // namespace

void loadTexture(TextureTable& table, const char* fileName, int slot)
{
    const std::unique_ptr<TgaImage> image = loadTga(fileName);
    if (!image) {
        std::fflush(stdout);
        // Give the desktop its own video mode back before the process ends.
        if (platformHooks.leaveDisplay) {
            platformHooks.leaveDisplay();
        }
        // The game could not start: say so to whoever launched it.
        std::exit(1);
    }

    glGenTextures(1, &table.names[slot]);
    glBindTexture(GL_TEXTURE_2D, table.names[slot]);
    const GLenum format = image->bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    // The reader's rows are tightly packed; at the default alignment of 4 the
    // library would read past a 3-byte row whose width is not a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image->width, image->height, 0, format,
                 GL_UNSIGNED_BYTE, image->pixels.data());
    // Defines level 0 again and every smaller level, so every texture ends
    // complete whatever its size.
    buildMipmaps(*image, format);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void loadTextureTable()
{
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        loadTexture(textureTable, TEXTURE_FILES[slot], slot);
    }
}

void applyTextureFilter()
{
    GLint minFilter = GL_NEAREST;
    if (textureFilter) {
        minFilter = mipMapping ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    } else {
        minFilter = mipMapping ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
    }
    // Switching mipmapping off changes only the minification filter; the
    // levels stay in place.
    const GLint magFilter = textureFilter ? GL_LINEAR : GL_NEAREST;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        glBindTexture(GL_TEXTURE_2D, textureTable.names[slot]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    }
}
