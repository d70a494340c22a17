#include "render/texture_table.h"

#include <GL/gl.h>

TextureTable textureTable;

void bindTexture(int slot)
{
    glBindTexture(GL_TEXTURE_2D, textureTable.names[slot]);
}
