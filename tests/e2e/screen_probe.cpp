// Reads a rectangle of the X root window and prints what the end-to-end tests
// need to know about it: how many pixels are red-ish, green-ish, yellow-ish or
// bright, the mean colour, and a checksum of the pixels for "did it change".
//
//   vorel_screen_probe size
//       prints "WIDTH HEIGHT" of the root window
//   vorel_screen_probe X Y W H
//       X, Y: top-left corner in pixels from the top left of the screen
//       prints one line: red=N green=N yellow=N bright=N pixels=N mean=R,G,B sum=HEX
//
// The overlay draws flat, unblended bitmap text, so its pixels carry the exact
// text colour; the thresholds only have to separate those colours from each
// other and from the darker scene behind them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Counts {
    long red = 0;
    long green = 0;
    long yellow = 0;
    long bright = 0;
    long pixels = 0;
    double sumRed = 0.0;
    double sumGreen = 0.0;
    double sumBlue = 0.0;
    std::uint64_t checksum = 1469598103934665603ull;  // FNV-1a offset basis
};

// Channel value 0..255 from a pixel value and its visual's mask.
int channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1ul) == 0ul) {
        ++shift;
    }
    const unsigned long maxValue = mask >> shift;
    const unsigned long value = (pixel & mask) >> shift;
    return static_cast<int>(value * 255ul / maxValue);
}

void classify(Counts& counts, int r, int g, int b)
{
    ++counts.pixels;
    counts.sumRed += r;
    counts.sumGreen += g;
    counts.sumBlue += b;
    if (r >= 180 && g <= 110 && b <= 110) {
        ++counts.red;
    }
    if (g >= 180 && r <= 110 && b <= 110) {
        ++counts.green;
    }
    if (r >= 150 && g >= 150 && b <= 80) {
        ++counts.yellow;
    }
    if (r + g + b >= 600) {
        ++counts.bright;
    }
    for (int value : {r, g, b}) {
        counts.checksum ^= static_cast<std::uint64_t>(value);
        counts.checksum *= 1099511628211ull;  // FNV-1a prime
    }
}

bool parseInt(const char* text, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 100000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: vorel_screen_probe size | X Y W H\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool sizeOnly = argc == 2 && std::string(argv[1]) == "size";
    if (!sizeOnly && argc != 5) {
        return usage();
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "vorel_screen_probe: cannot open the X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    if (sizeOnly) {
        std::printf("%d %d\n", attributes.width, attributes.height);
        XCloseDisplay(display);
        return 0;
    }

    int x = 0, y = 0, w = 0, h = 0;
    if (!parseInt(argv[1], x) || !parseInt(argv[2], y) || !parseInt(argv[3], w) || !parseInt(argv[4], h) ||
        w == 0 || h == 0) {
        XCloseDisplay(display);
        return usage();
    }
    if (x + w > attributes.width || y + h > attributes.height) {
        std::fprintf(stderr, "vorel_screen_probe: rectangle %dx%d+%d+%d lies outside the %dx%d screen\n", w, h, x,
                     y, attributes.width, attributes.height);
        XCloseDisplay(display);
        return 2;
    }

    XImage* image = XGetImage(display, root, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes,
                              ZPixmap);
    if (!image) {
        std::fprintf(stderr, "vorel_screen_probe: XGetImage failed\n");
        XCloseDisplay(display);
        return 1;
    }
    Counts counts;
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            classify(counts, channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                     channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);

    const double n = static_cast<double>(counts.pixels);
    std::printf("red=%ld green=%ld yellow=%ld bright=%ld pixels=%ld mean=%d,%d,%d sum=%016llx\n", counts.red,
                counts.green, counts.yellow, counts.bright, counts.pixels, static_cast<int>(counts.sumRed / n),
                static_cast<int>(counts.sumGreen / n), static_cast<int>(counts.sumBlue / n),
                static_cast<unsigned long long>(counts.checksum));
    return 0;
}
