// Reads a rectangle of the X root window and prints what the end-to-end tests
// need to know about it: how many pixels are red-ish, green-ish, yellow-ish or
// bright, the mean colour, and a checksum of the pixels for "did it change".
//
//   vorel_screen_probe size
//       prints "WIDTH HEIGHT" of the root window
//   vorel_screen_probe X Y W H [X Y W H ...]
//       X, Y: top-left corner in pixels from the top left of the screen
//       prints one line per rectangle:
//       red=N green=N yellow=N bright=N pixels=N mean=R,G,B sum=HEX mask=HEX
//       The server is grabbed while the rectangles are read, so they all come
//       from the same drawn frame.
//
// sum covers every pixel; mask covers only which pixels fall in which colour
// class, so it follows the text drawn in a rectangle and not the scene that may
// shine through a translucent panel behind it.
// The overlay draws flat, unblended bitmap text, so its pixels carry the exact
// text colour; the thresholds only have to separate those colours from each
// other and from the darker scene behind them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t FNV_OFFSET = 1469598103934665603ull;
constexpr std::uint64_t FNV_PRIME = 1099511628211ull;

void mix(std::uint64_t& hash, unsigned value)
{
    hash ^= value;
    hash *= FNV_PRIME;
}

struct Counts {
    long red = 0;
    long green = 0;
    long yellow = 0;
    long bright = 0;
    long pixels = 0;
    double sumRed = 0.0;
    double sumGreen = 0.0;
    double sumBlue = 0.0;
    std::uint64_t checksum = FNV_OFFSET;
    std::uint64_t mask = FNV_OFFSET;
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
    unsigned classes = 0;
    if (r >= 180 && g <= 110 && b <= 110) {
        ++counts.red;
        classes |= 1u;
    }
    if (g >= 180 && r <= 110 && b <= 110) {
        ++counts.green;
        classes |= 2u;
    }
    if (r >= 150 && g >= 150 && b <= 80) {
        ++counts.yellow;
        classes |= 4u;
    }
    if (r + g + b >= 600) {
        ++counts.bright;
        classes |= 8u;
    }
    mix(counts.mask, classes);
    for (int value : {r, g, b}) {
        mix(counts.checksum, static_cast<unsigned>(value));
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

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

bool measure(Display* display, Window root, const Rect& rect, Counts& counts)
{
    XImage* image = XGetImage(display, root, rect.x, rect.y, static_cast<unsigned>(rect.w),
                              static_cast<unsigned>(rect.h), AllPlanes, ZPixmap);
    if (!image) {
        return false;
    }
    for (int row = 0; row < rect.h; ++row) {
        for (int column = 0; column < rect.w; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            classify(counts, channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                     channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: vorel_screen_probe size | X Y W H [X Y W H ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool sizeOnly = argc == 2 && std::string(argv[1]) == "size";
    if (!sizeOnly && (argc < 5 || (argc - 1) % 4 != 0)) {
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

    std::vector<Rect> rects;
    for (int i = 1; i + 3 < argc; i += 4) {
        Rect rect;
        if (!parseInt(argv[i], rect.x) || !parseInt(argv[i + 1], rect.y) || !parseInt(argv[i + 2], rect.w) ||
            !parseInt(argv[i + 3], rect.h) || rect.w == 0 || rect.h == 0) {
            XCloseDisplay(display);
            return usage();
        }
        if (rect.x + rect.w > attributes.width || rect.y + rect.h > attributes.height) {
            std::fprintf(stderr, "vorel_screen_probe: rectangle %dx%d+%d+%d lies outside the %dx%d screen\n", rect.w,
                         rect.h, rect.x, rect.y, attributes.width, attributes.height);
            XCloseDisplay(display);
            return 2;
        }
        rects.push_back(rect);
    }

    std::vector<Counts> results(rects.size());
    bool ok = true;
    XGrabServer(display);
    for (std::size_t i = 0; i < rects.size() && ok; ++i) {
        ok = measure(display, root, rects[i], results[i]);
    }
    XUngrabServer(display);
    XCloseDisplay(display);
    if (!ok) {
        std::fprintf(stderr, "vorel_screen_probe: XGetImage failed\n");
        return 1;
    }
    for (const Counts& counts : results) {
        const double n = static_cast<double>(counts.pixels);
        std::printf("red=%ld green=%ld yellow=%ld bright=%ld pixels=%ld mean=%d,%d,%d sum=%016llx mask=%016llx\n",
                    counts.red, counts.green, counts.yellow, counts.bright, counts.pixels,
                    static_cast<int>(counts.sumRed / n), static_cast<int>(counts.sumGreen / n),
                    static_cast<int>(counts.sumBlue / n), static_cast<unsigned long long>(counts.checksum),
                    static_cast<unsigned long long>(counts.mask));
    }
    return 0;
}
