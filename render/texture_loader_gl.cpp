#include "render/texture_table.h"

#include "render/texture_decoding.h"
#include "render/tga.h"
#include "sim/platform_hooks.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdlib>
#include <string>

namespace {

// Ends the program for a slot whose file cannot be used: its message, the
// desktop's own video mode back, and a status that tells whoever launched the
// game that it could not start.
[[noreturn]] void endForUnusableTexture(const char* fileName, const std::string& refusal)
{
    reportUnusableTga(fileName, refusal);
    // No helper may still be reading while the process ends.
    stopTextureDecoding();
    if (platformHooks.leaveDisplay) {
        platformHooks.leaveDisplay();
    }
    std::exit(1);
}

// Every level of the slot's texture, filtered for both options on.
void createTexture(TextureTable& table, int slot, const DecodedTexture& decoded)
{
    glGenTextures(1, &table.names[slot]);
    glBindTexture(GL_TEXTURE_2D, table.names[slot]);
    // The levels' rows are tightly packed (four-byte texels, so any alignment
    // would do; 1 says so).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Filters first. With the mipmapping filter set before the levels arrive,
    // Mesa sets aside room for all of them at level 0; set afterwards, it
    // stores level 0 alone and moves it when level 1 arrives, which made the
    // uploads take nearly twice as long.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The internal format is the image's plain component count, 3 or 4, as
    // the GL utility library's mipmap builder gave it; the texels come as RGBA.
    for (std::size_t level = 0; level < decoded.levels.size(); ++level) {
        const MipmapLevel& image = decoded.levels[level];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), decoded.bytesPerPixel, image.width, image.height, 0,
                     GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    }
}

}  // namespace

void loadTexture(TextureTable& table, const char* fileName, int slot)
{
    const DecodedTexture decoded = decodeTextureFile(fileName);
    if (decoded.bytesPerPixel == 0) {
        endForUnusableTexture(fileName, decoded.refusal);
    }
    createTexture(table, slot, decoded);
}

void loadTextureTable()
{
    // Start-up has usually begun the decoding long before the display existed.
    startTextureDecoding();
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        const DecodedTexture decoded = takeDecodedTexture(slot);
        if (decoded.bytesPerPixel == 0) {
            endForUnusableTexture(TEXTURE_FILES[slot], decoded.refusal);
        }
        createTexture(textureTable, slot, decoded);
    }
    stopTextureDecoding();
}

void applyTextureFilter(int textureFilter, int mipMapping)
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
