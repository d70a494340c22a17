// Reading the texture table's images and building their mipmap levels away
// from the GL thread. A helper thread works through the table's files in slot
// order from early in start-up, while the display is still being set up; the
// GL thread takes the slots in the same order and uploads them
// (render/texture_loader_gl.cpp), decoding the next untouched slot itself
// whenever it would otherwise wait, so that both cores share the work.
// Nothing here prints: the uploader reports a slot that failed, so the
// messages keep their order whichever thread read the file.
#pragma once

#include "render/mipmap_levels.h"

#include <string>
#include <vector>

struct DecodedTexture {
    int bytesPerPixel = 0;  // the image's, 3 or 4; 0 when the file could not be used
    // Red, green, blue and alpha, four bytes a texel whatever bytesPerPixel
    // says (alpha 255 for a 3-byte image), widened here on the helper: the
    // driver takes four-byte texels without converting them, which saves a
    // quarter of the upload time on the GL thread (llvmpipe).
    std::vector<MipmapLevel> levels;
    std::string refusal;  // why the file could not be used
};

// Reads and decodes one file and builds its levels on the calling thread.
DecodedTexture decodeTextureFile(const char* fileName);

// Starts the helper on TEXTURE_FILES, unless a round of the table is already
// under way. Safe to call before the display exists.
void startTextureDecoding();

// The slot's image and levels, for slots taken 0, 1, 2, ... in order; starts a
// round when none is under way. Waits, or decodes, until the slot is done.
DecodedTexture takeDecodedTexture(int slot);

// Ends the round: the helper stops after the file in hand and is waited for,
// and slots not taken are dropped. The next start reads the files afresh.
void stopTextureDecoding();
