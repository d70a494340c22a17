// A few capital letters drawn as strokes, for the title and the cockpit labels.
#pragma once

#include <string>
#include <vector>

struct Segment {
    double x0, y0, x1, y1;
};

// Lays out `text` (letters V O R E L F W D A T and blanks) with its baseline at
// (x, y), cap height `height`, leaning right by `slant` (x shift per unit of
// height). Returns the strokes' centre lines.
std::vector<Segment> layoutText(const std::string& text, double x, double y, double height, double slant);
// Width of the laid-out text, for centring.
double textWidth(const std::string& text, double height);

// Distance from (x, y) to the nearest stroke centre line.
double strokeDistance(const std::vector<Segment>& strokes, double x, double y);
