// The TGA decoder on arbitrary bytes: every accepted image has exactly
// width × height × bytesPerPixel bytes within the size limits.
#include "render/tga.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::unique_ptr<TgaImage> image = decodeTga(data, size);
    if (!image) {
        return 0;
    }
    const bool sane = (image->bytesPerPixel == 3 || image->bytesPerPixel == 4) && image->width > 0 &&
                      image->height > 0 && image->width <= TGA_MAX_SIDE && image->height <= TGA_MAX_SIDE &&
                      image->pixels.size() == static_cast<size_t>(image->width) * image->height *
                                                  image->bytesPerPixel &&
                      image->pixels.size() <= TGA_MAX_BYTES;
    if (!sane) {
        std::abort();
    }
    return 0;
}
