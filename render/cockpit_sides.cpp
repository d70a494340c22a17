#include "render/cockpit_sides.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double PANEL_ASPECT = 4.0 / 3.0;
// The 45-degree view at the panel's 3.6 ahead reaches 1.49 units up and down,
// and the panel's half width is 2.0.
constexpr double VIEW_HALF_HEIGHT = 3.6 * 0.41421356237309503;  // 3.6 × tan(22.5°)
constexpr double PANEL_HALF_WIDTH = 2.0;
constexpr double PAINTED_REACH = 3.0;
// A little past the edge, so rounding never leaves a column of open space.
constexpr double OVERLAP = 1.02;
}  // namespace

double cockpitSidesReach(double aspect)
{
    if (!(aspect > PANEL_ASPECT)) {
        return 0.0;
    }
    return std::min(PAINTED_REACH, std::max(1.0, VIEW_HALF_HEIGHT * aspect / PANEL_HALF_WIDTH * OVERLAP));
}
