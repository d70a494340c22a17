// The cockpit panel: a canopy frame around a clear window, a dashboard with
// the two radar scopes. The panel is a quad 4 units wide and 3 high, 3.6 ahead
// of the eye, so it just fills the 45-degree view at 4:3. Texture coordinates
// map to panel units as X = (s - 0.5) * 4 and Y = (t - 0.5) * 3.
//
// The radar dots land on scope centres at (0.2415, 0.1375) and (0.782,
// 0.1375) and travel up to 0.0675 across and 0.0875 up and down: 0.27 and
// 0.2625 panel units, so each scope screen has a radius of 0.30. The dots are
// tinted by the texel at (0, 1), which samples all four corners: they are
// opaque white.
#include "tools/textures.h"

#include "tools/gen_math.h"
#include "tools/noise.h"
#include "tools/stroke_font.h"

#include <cmath>

namespace {

constexpr int SIZE = 512;
constexpr int SUPERSAMPLE = 2;
constexpr uint32_t SEED = 31337;

constexpr double SCOPE_Y = (0.1375 - 0.5) * 3.0;
constexpr double FRONT_SCOPE_X = (0.2415 - 0.5) * 4.0;
constexpr double REAR_SCOPE_X = (0.782 - 0.5) * 4.0;
constexpr double SCREEN_RADIUS = 0.30;
constexpr double BEZEL_RADIUS = 0.36;
constexpr double POD_RADIUS = 0.44;

// The glass colour of clear texels: whole byte values, so that the dither
// leaves them constant and the file's runs stay long.
const Color GLASS = {130.0 / 255.0, 140.0 / 255.0, 153.0 / 255.0, 0.0};

// Smooth minimum: rounds the corners where two edges meet.
double smoothMin(double a, double b, double k)
{
    const double h = clamp01(0.5 + 0.5 * (b - a) / k);
    return lerp(b, a, h) - k * h * (1.0 - h);
}

double smoothMax(double a, double b, double k) { return -smoothMin(-a, -b, k); }

// The dashboard's top edge across the panel; beyond the panel's sides it goes
// on rising with the same slope, then levels off, under the side windows.
double dashboardTop(double x)
{
    const double beyond = std::fabs(x) - 2.0;
    if (beyond <= 0.0) {
        return -1.02 + 0.20 * (x / 2.0) * (x / 2.0);
    }
    return -0.82 + 0.20 * beyond - 0.025 * beyond * beyond;
}

// Positive inside the dashboard, about the distance to its edge.
double dashboard(double x, double y)
{
    const double base = dashboardTop(x) - y;
    const double front = POD_RADIUS - std::hypot(x - FRONT_SCOPE_X, y - SCOPE_Y);
    const double rear = POD_RADIUS - std::hypot(x - REAR_SCOPE_X, y - SCOPE_Y);
    return smoothMax(smoothMax(base, front, 0.10), rear, 0.10);
}

// Positive inside the clear window, about the distance to its edge.
double window(double x, double y)
{
    const double top = (1.38 - 0.10 * (x / 2.0) * (x / 2.0)) - y;
    const double pillar = (1.84 - 0.05 * (y + 1.5)) - std::fabs(x);
    return smoothMin(smoothMin(-dashboard(x, y), top, 0.12), pillar, 0.16);
}

// Positive inside the side windows of the extensions, about the distance to
// their edge: each pane between a pillar beside the panel and one further
// out, under a roof line that falls outwards and above the dashboard.
double sideWindow(double x, double y)
{
    const double out = std::fabs(x);
    const double inner = out - (2.40 + 0.04 * (y + 1.5));
    const double outer = 4.90 - out;
    const double top = (1.22 - 0.03 * (out - 2.0)) - y;
    const double sill = -dashboard(x, y);
    return smoothMin(smoothMin(smoothMin(inner, outer, 0.16), top, 0.12), sill, 0.12);
}

// The whole canopy: the panel's window and the side windows. Within the
// panel's width the side windows are far off and this is window() exactly.
double canopyWindow(double x, double y) { return std::max(window(x, y), sideWindow(x, y)); }

struct Scope {
    double x;
    double y;
};
const Scope SCOPES[2] = {{FRONT_SCOPE_X, SCOPE_Y}, {REAR_SCOPE_X, SCOPE_Y}};

Color scopeColor(double dx, double dy)
{
    const double r = std::hypot(dx, dy);
    if (r < SCREEN_RADIUS) {
        // Phosphor screen: a dim glow to the middle, range ring and cross.
        const double glow = 1.0 - r / SCREEN_RADIUS;
        Color c = {0.010 + 0.02 * glow, 0.050 + 0.09 * glow, 0.030 + 0.045 * glow, 1.0};
        const double lineWidth = 0.006;
        double line = 0.0;
        line = std::max(line, 1.0 - smoothstep(0.0, lineWidth, std::fabs(r - SCREEN_RADIUS * 0.5)));
        line = std::max(line, 1.0 - smoothstep(0.0, lineWidth, std::fabs(dx)));
        line = std::max(line, 1.0 - smoothstep(0.0, lineWidth, std::fabs(dy)));
        line = std::max(line, 1.0 - smoothstep(0.0, lineWidth * 1.5, std::fabs(r - (SCREEN_RADIUS - 0.012))));
        return mix(c, Color{0.10, 0.42, 0.20, 1.0}, line * 0.75);
    }
    // Bezel: a turned metal ring lit from the upper left, dark lip inside.
    const double angle = std::atan2(dy, dx);
    const double lit = 0.5 + 0.5 * std::cos(angle - 2.3);
    const double across = (r - SCREEN_RADIUS) / (BEZEL_RADIUS - SCREEN_RADIUS);
    double v = 0.22 + 0.45 * lit * (1.0 - across) + 0.12 * std::sin(across * PI);
    if (across < 0.15) {
        v *= 0.4;
    }
    return {v * 0.95, v, v * 1.05, 1.0};
}

// Dashboard details between the scopes: warning lights and a vent grille.
Color dashDetails(double x, double y, Color c)
{
    const Color lights[5] = {{1.0, 0.62, 0.10, 1.0}, {0.25, 0.95, 0.35, 1.0}, {0.25, 0.95, 0.35, 1.0},
                             {1.0, 0.22, 0.15, 1.0}, {0.35, 0.65, 1.0, 1.0}};
    for (int i = 0; i < 5; ++i) {
        const double lx = -0.36 + 0.18 * i;
        const double ly = -1.20;
        const double dx = std::fabs(x - lx) - 0.045;
        const double dy = std::fabs(y - ly) - 0.018;
        const double d = std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
        if (d < 0.004) {
            const double hot = 1.0 - 0.35 * clamp01((std::fabs(y - ly)) / 0.02);
            c = scaled(lights[i], 0.55 + 0.45 * hot);
            c.a = 1.0;
        } else if (d < 0.05) {
            c = mix(c, lights[i], 0.25 * (1.0 - d / 0.05) * (1.0 - d / 0.05));
        }
    }
    // Vent slots.
    if (std::fabs(x) < 0.40 && y < -1.31 && y > -1.43) {
        const double slot = std::fmod(y + 1.43, 0.03);
        if (slot < 0.014) {
            c = scaled(c, 0.35);
        } else if (slot < 0.017) {
            c = scaled(c, 1.5);
        }
    }
    return c;
}

// edgeOf: the window shape that edge came from, whose slope lights the bevel.
Color frameColor(double x, double y, double edge, double (*edgeOf)(double, double),
                 const std::vector<Segment>& labels)
{
    const double grain = tiledFbm(x * 3.0, y * 3.0, 12, 4, SEED);
    const bool inDash = dashboard(x, y) > 0.0;
    Color c = inDash ? Color{0.105, 0.11, 0.12, 1.0} : Color{0.17, 0.18, 0.20, 1.0};
    c = scaled(c, 0.9 + 0.2 * grain);

    // A lit bevel along the window edge: brighter where it faces up.
    const double bevel = 1.0 - smoothstep(0.012, 0.035, -edge);
    if (bevel > 0.0) {
        const double h = 0.004;
        const double gx = edgeOf(x + h, y) - edgeOf(x - h, y);
        const double gy = edgeOf(x, y + h) - edgeOf(x, y - h);
        const double glen = std::hypot(gx, gy);
        const double facing = glen > 0.0 ? (gy * 0.8 - gx * 0.6) / glen : 0.0;
        const double v = 0.30 + 0.28 * facing;
        c = mix(c, Color{v, v * 1.02, v * 1.06, 1.0}, bevel);
    }
    // A panel line running parallel to the edge.
    const double groove = std::fabs(-edge - 0.085);
    if (groove < 0.006) {
        c = scaled(c, 0.55);
    }
    // Rivets along the pillars and the top arch, just beyond the groove.
    if (!inDash && -edge > 0.11 && -edge < 0.16) {
        const double along = std::atan2(y, x) * 40.0;
        const double cell = along - std::floor(along);
        const double across = (-edge - 0.135) / 0.025;
        const double d = std::hypot((cell - 0.5) * 0.9, across * 0.5);
        if (d < 0.16) {
            c = scaled(c, 1.25 + 0.5 * (0.16 - d) / 0.16);
        }
    }
    if (inDash) {
        c = dashDetails(x, y, c);
        if (strokeDistance(labels, x, y) < 0.007) {
            c = {0.62, 0.68, 0.62, 1.0};
        }
    }
    for (const Scope& s : SCOPES) {
        const double dx = x - s.x;
        const double dy = y - s.y;
        if (std::hypot(dx, dy) < BEZEL_RADIUS) {
            c = scopeColor(dx, dy);
        }
    }
    return c;
}

// A faint reflection streak on the glass, kept well away from the middle.
double glassGlint(double x, double y)
{
    const double band = std::fabs((x * 0.7 + y) - (-1.55 + 2.6)) ;
    const double inBand = 1.0 - smoothstep(0.0, 0.10, band);
    const double upperLeft = smoothstep(0.6, 1.2, y) * smoothstep(-0.6, -1.3, x);
    return 0.05 * inBand * upperLeft;
}

}  // namespace

namespace {

// Paints size × SIZE texels of the canopy whose left column starts at panel x
// left, at the panel's own density (128 texels to a unit across, 512 to its 3
// units of height), so that pieces painted side by side meet without a seam.
Image paintCanopy(int width, double left, double (*edgeOf)(double, double))
{
    Image image(width, SIZE, GLASS);
    const double frontLabelX = FRONT_SCOPE_X + 0.47;
    const double rearLabelX = REAR_SCOPE_X - 0.47 - textWidth("AFT", 0.075);
    std::vector<Segment> labels = layoutText("FWD", frontLabelX, -1.125, 0.075, 0.0);
    const std::vector<Segment> rear = layoutText("AFT", rearLabelX, -1.125, 0.075, 0.0);
    labels.insert(labels.end(), rear.begin(), rear.end());

    const int n = SUPERSAMPLE;
    for (int py = 0; py < SIZE; ++py) {
        for (int px = 0; px < width; ++px) {
            Color sum = {0.0, 0.0, 0.0, 0.0};
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double s = (px + (sx + 0.5) / n) / SIZE;
                    const double t = (py + (sy + 0.5) / n) / SIZE;
                    const double x = s * 4.0 + left;
                    const double y = (t - 0.5) * 3.0;
                    const double edge = edgeOf(x, y);
                    if (edge > 0.0) {
                        sum.a += glassGlint(x, y);
                        continue;
                    }
                    const Color c = frameColor(x, y, edge, edgeOf, labels);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    sum.a += 1.0;
                }
            }
            const double samples = n * n;
            Color& out = image.at(px, py);
            const double coverage = sum.a / samples;
            if (coverage <= 0.0) {
                continue;
            }
            // Colour of the opaque samples, eased towards the glass where few
            // samples are opaque, so the edge does not fringe dark.
            const double opaque = std::max(1.0, sum.a);
            Color c = {sum.r / opaque, sum.g / opaque, sum.b / opaque, coverage};
            if (sum.r + sum.g + sum.b == 0.0) {
                c = {GLASS.r, GLASS.g, GLASS.b, coverage};
            }
            out = c;
        }
    }
    return image;
}

}  // namespace

Image paintCockpit()
{
    Image image = paintCanopy(SIZE, -2.0, window);
    // Opaque white corners: the radar dots take their colour from there.
    const int corners[4][2] = {{0, 0}, {SIZE - 1, 0}, {0, SIZE - 1}, {SIZE - 1, SIZE - 1}};
    for (const auto& corner : corners) {
        image.at(corner[0], corner[1]) = {1.0, 1.0, 1.0, 1.0};
    }
    return image;
}

Image paintCockpitSides()
{
    // The left piece runs from 6 units left of the middle to the panel's left
    // edge, the right piece from its right edge out to 6: each 4 units wide.
    const Image left = paintCanopy(SIZE, -6.0, canopyWindow);
    const Image right = paintCanopy(SIZE, 2.0, canopyWindow);
    Image image(2 * SIZE, SIZE, GLASS);
    for (int py = 0; py < SIZE; ++py) {
        for (int px = 0; px < SIZE; ++px) {
            image.at(px, py) = left.at(px, py);
            image.at(SIZE + px, py) = right.at(px, py);
        }
    }
    return image;
}
