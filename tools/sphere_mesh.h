// Near-even triangulations of the unit sphere with any even triangle count,
// for models whose triangle budget is chosen by measurement.
#pragma once

#include "tools/gen_math.h"

#include <array>
#include <vector>

// Unit directions and outward-wound triangles over them: triangleCount / 2 + 2
// points spread evenly (a golden-angle spiral) with one exactly at each of the
// +y and -y poles, joined by their convex hull, which for points on a sphere
// is its most even triangulation. triangleCount is even and at least 4.
void evenSphere(int triangleCount, std::vector<V3>& directions, std::vector<std::array<int, 3>>& triangles);
