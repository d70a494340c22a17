#include "tools/stroke_font.h"

#include "tools/gen_math.h"

#include <cmath>
#include <limits>

namespace {

struct Glyph {
    double width;
    std::vector<std::vector<std::pair<double, double>>> strokes;
};

// An arc as a polyline, from angle a0 to a1 (radians) around (cx, cy).
void appendArc(std::vector<std::pair<double, double>>& line, double cx, double cy, double rx, double ry,
               double a0, double a1, int steps)
{
    for (int i = 0; i <= steps; ++i) {
        const double a = a0 + (a1 - a0) * i / steps;
        line.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

Glyph glyphFor(char c)
{
    switch (c) {
    case 'V': return {0.70, {{{0.0, 1.0}, {0.35, 0.0}, {0.70, 1.0}}}};
    case 'W': return {0.90, {{{0.0, 1.0}, {0.22, 0.0}, {0.45, 0.72}, {0.68, 0.0}, {0.90, 1.0}}}};
    case 'E': return {0.58, {{{0.58, 1.0}, {0.0, 1.0}, {0.0, 0.0}, {0.58, 0.0}}, {{0.0, 0.52}, {0.44, 0.52}}}};
    case 'F': return {0.58, {{{0.58, 1.0}, {0.0, 1.0}, {0.0, 0.0}}, {{0.0, 0.52}, {0.44, 0.52}}}};
    case 'L': return {0.55, {{{0.0, 1.0}, {0.0, 0.0}, {0.55, 0.0}}}};
    case 'T': return {0.70, {{{0.0, 1.0}, {0.70, 1.0}}, {{0.35, 1.0}, {0.35, 0.0}}}};
    case 'A': return {0.74, {{{0.0, 0.0}, {0.37, 1.0}, {0.74, 0.0}}, {{0.13, 0.34}, {0.61, 0.34}}}};
    case 'O': {
        // A rounded rectangle reads as technical rather than bookish.
        std::vector<std::pair<double, double>> line;
        const double r = 0.24;
        const double w = 0.72;
        appendArc(line, w - r, r, r, r, -PI / 2.0, 0.0, 6);
        appendArc(line, w - r, 1.0 - r, r, r, 0.0, PI / 2.0, 6);
        appendArc(line, r, 1.0 - r, r, r, PI / 2.0, PI, 6);
        appendArc(line, r, r, r, r, PI, 1.5 * PI, 6);
        line.push_back(line.front());
        return {w, {line}};
    }
    case 'D': {
        std::vector<std::pair<double, double>> line = {{0.0, 0.0}, {0.0, 1.0}};
        appendArc(line, 0.38, 0.62, 0.30, 0.38, PI / 2.0, 0.0, 6);
        appendArc(line, 0.38, 0.38, 0.30, 0.38, 0.0, -PI / 2.0, 6);
        line.push_back({0.0, 0.0});
        return {0.68, {line}};
    }
    case 'R': {
        std::vector<std::pair<double, double>> line = {{0.0, 0.0}, {0.0, 1.0}, {0.40, 1.0}};
        appendArc(line, 0.40, 0.76, 0.24, 0.24, PI / 2.0, -PI / 2.0, 8);
        line.push_back({0.0, 0.52});
        return {0.66, {line, {{0.30, 0.52}, {0.66, 0.0}}}};
    }
    default: return {0.5, {}};
    }
}

constexpr double LETTER_GAP = 0.26;

}  // namespace

std::vector<Segment> layoutText(const std::string& text, double x, double y, double height, double slant)
{
    std::vector<Segment> out;
    double pen = 0.0;
    for (char c : text) {
        const Glyph g = glyphFor(c);
        for (const auto& line : g.strokes) {
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                auto place = [&](std::pair<double, double> p) {
                    return std::pair<double, double>{x + (pen + p.first + slant * p.second) * height,
                                                     y + p.second * height};
                };
                const auto a = place(line[i]);
                const auto b = place(line[i + 1]);
                out.push_back({a.first, a.second, b.first, b.second});
            }
        }
        pen += g.width + LETTER_GAP;
    }
    return out;
}

double textWidth(const std::string& text, double height)
{
    double pen = 0.0;
    for (char c : text) {
        pen += glyphFor(c).width + LETTER_GAP;
    }
    return (pen - LETTER_GAP) * height;
}

double strokeDistance(const std::vector<Segment>& strokes, double x, double y)
{
    double best = std::numeric_limits<double>::max();
    for (const Segment& s : strokes) {
        const double dx = s.x1 - s.x0;
        const double dy = s.y1 - s.y0;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0.0 ? ((x - s.x0) * dx + (y - s.y0) * dy) / len2 : 0.0;
        t = std::max(0.0, std::min(1.0, t));
        const double ex = s.x0 + dx * t - x;
        const double ey = s.y0 + dy * t - y;
        best = std::min(best, ex * ex + ey * ey);
    }
    return std::sqrt(best);
}
