#include "tools/png_writer.h"

#include <png.h>

#include <fstream>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp) {}

// libpng reports errors through longjmp; it must not cross C++ frames that
// own memory, so the only locals alive across setjmp are plain pointers.
bool encodeInto(std::string* out, int width, int height, int channels, const unsigned char* pixels)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendBytes, noFlush);
    png_set_compression_level(png, 9);
    const int colorType = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * channels;
    for (int y = 0; y < height; ++y) {
        png_write_row(png, pixels + static_cast<size_t>(y) * stride);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels)
{
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) ||
        pixels.size() != static_cast<size_t>(width) * height * channels) {
        return {};
    }
    std::string out;
    if (!encodeInto(&out, width, height, channels, pixels.data())) {
        return {};
    }
    return out;
}

bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    const std::string bytes = encodePng(width, height, 3, rgb);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
