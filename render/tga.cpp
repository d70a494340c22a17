#include "render/tga.h"

#include "geometry/file_read.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::size_t HEADER_SIZE = 18;
constexpr int TYPE_RUN_LENGTH_TRUE_COLOUR = 10;

// Walks the pixel data; a read past the end reports failure.
class ByteSource {
public:
    ByteSource(const unsigned char* data, std::size_t size, std::size_t offset)
        : data_(data), size_(size), pos_(offset < size ? offset : size)
    {
    }
    bool read(unsigned char* out, std::size_t count)
    {
        if (size_ - pos_ < count) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = data_[pos_ + i];
        }
        pos_ += count;
        return true;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_;
};

// File pixels are blue, green, red(, alpha).
void storePixel(unsigned char* to, const unsigned char* filePixel, int bytesPerPixel)
{
    to[0] = filePixel[2];
    to[1] = filePixel[1];
    to[2] = filePixel[0];
    if (bytesPerPixel == 4) {
        to[3] = filePixel[3];
    }
}

void decodeRunLength(ByteSource& source, TgaImage& image)
{
    const int b = image.bytesPerPixel;
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
    std::size_t written = 0;
    unsigned char filePixel[4] = {0, 0, 0, 0};
    while (written < pixelCount) {
        unsigned char header = 0;
        if (!source.read(&header, 1)) {
            return;
        }
        if (header < 128) {
            for (int i = 0; i <= header && written < pixelCount; ++i) {
                if (!source.read(filePixel, static_cast<std::size_t>(b))) {
                    return;
                }
                storePixel(&image.pixels[written * b], filePixel, b);
                ++written;
            }
        } else {
            if (!source.read(filePixel, static_cast<std::size_t>(b))) {
                return;
            }
            // A run that would pass the last pixel stops there.
            for (int i = 0; i < header - 127 && written < pixelCount; ++i) {
                storePixel(&image.pixels[written * b], filePixel, b);
                ++written;
            }
        }
    }
}

void decodeTrueColour(ByteSource& source, TgaImage& image)
{
    const std::size_t b = static_cast<std::size_t>(image.bytesPerPixel);
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
    unsigned char filePixel[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < pixelCount; ++i) {
        if (!source.read(filePixel, b)) {
            return;
        }
        storePixel(&image.pixels[i * b], filePixel, image.bytesPerPixel);
    }
}

// Five bits per channel, bit 15 ignored; each channel becomes the top five
// bits of its byte.
void decodeHighColour(ByteSource& source, TgaImage& image)
{
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
    unsigned char bytes[2] = {0, 0};
    for (std::size_t i = 0; i < pixelCount; ++i) {
        if (!source.read(bytes, 2)) {
            return;
        }
        const unsigned v = static_cast<unsigned>(bytes[0]) | (static_cast<unsigned>(bytes[1]) << 8);
        unsigned char* to = &image.pixels[i * 3];
        to[0] = static_cast<unsigned char>((v >> 7) & 0xF8);
        to[1] = static_cast<unsigned char>((v >> 2) & 0xF8);
        to[2] = static_cast<unsigned char>((v << 3) & 0xF8);
    }
}

}  // namespace

std::unique_ptr<TgaImage> decodeTga(const unsigned char* data, std::size_t size)
{
    std::string ignored;
    return decodeTga(data, size, ignored);
}

std::unique_ptr<TgaImage> decodeTga(const unsigned char* data, std::size_t size, std::string& refusal)
{
    if (size < HEADER_SIZE) {
        refusal = "short header";
        return nullptr;
    }
    const int idLength = data[0];
    const int imageType = data[2];
    const int width = data[12] | (data[13] << 8);
    const int height = data[14] | (data[15] << 8);
    const int depth = data[16];

    int bytesPerPixel = 0;
    if (imageType == TYPE_RUN_LENGTH_TRUE_COLOUR) {
        // Every pixel write of a run-length image stores at least three bytes.
        if (depth != 24 && depth != 32) {
            refusal = "unsupported pixel depth " + std::to_string(depth) + " for a run-length image";
            return nullptr;
        }
        bytesPerPixel = depth / 8;
    } else if (depth == 24 || depth == 32) {
        bytesPerPixel = depth / 8;
    } else if (depth == 16) {
        bytesPerPixel = 3;
    } else {
        refusal = "unsupported pixel depth " + std::to_string(depth);
        return nullptr;
    }
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                              static_cast<std::size_t>(bytesPerPixel);
    if (width <= 0 || height <= 0 || width > TGA_MAX_SIDE || height > TGA_MAX_SIDE || bytes > TGA_MAX_BYTES) {
        refusal = "sides out of range (" + std::to_string(width) + "x" + std::to_string(height) + ")";
        return nullptr;
    }

    auto image = std::make_unique<TgaImage>();
    image->bytesPerPixel = bytesPerPixel;
    image->width = width;
    image->height = height;
    image->pixels.assign(bytes, 0);

    // The colour map, if any, is not skipped: files must have none.
    ByteSource source(data, size, HEADER_SIZE + static_cast<std::size_t>(idLength));
    if (imageType == TYPE_RUN_LENGTH_TRUE_COLOUR) {
        decodeRunLength(source, *image);
    } else if (depth == 16) {
        decodeHighColour(source, *image);
    } else {
        decodeTrueColour(source, *image);
    }
    return image;
}

std::unique_ptr<TgaImage> readTga(const char* fileName, std::string& refusal)
{
    std::string bytes;
    const FileReadStatus status = readWholeFile(fileName, bytes);
    refusal = fileReadReason(status);
    if (status != FileReadStatus::OK) {
        return nullptr;
    }
    return decodeTga(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), refusal);
}

void reportUnusableTga(const char* fileName, const std::string& refusal)
{
    std::printf("\nUnable to load TGA File!\n%s: %s\n", fileName, refusal.c_str());
    std::fflush(stdout);
}

std::unique_ptr<TgaImage> loadTga(const char* fileName)
{
    std::string refusal;
    std::unique_ptr<TgaImage> image = readTga(fileName, refusal);
    if (!image) {
        reportUnusableTga(fileName, refusal);
    }
    return image;
}
