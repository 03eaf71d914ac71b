// Closed-form meeting points of two planar segments (straight or circular), tangent touches included.
// With `extend`, lines are taken without ends and arcs as full circles. Overlapping pieces report the ends of
// the overlap.
#pragma once

#include <vector>

#include "curves/bulge_polyline.h"

namespace cvx::geom {

struct Hit2 {
    AcGePoint2d pt;
    double fa = 0, fb = 0;  // fractions along the two segments
};

std::vector<Hit2> intersect(const Segment2& a, const Segment2& b, double tol, bool extend = false);

}  // namespace cvx::geom
