// Meeting points of two curves of any kind: every point once, tangent touches included, ordered along the
// first curve. Lines, arcs, circles and polyline pieces meet in closed form; ellipses and NURBS by
// subdivision of their Bezier pieces and Newton refinement. Curves in different planes meet at true 3D points.
#pragma once

#include <vector>

#include "curves/curve.h"

namespace cvx::geom {

// relTol: the distance, relative to the size of the two curves, under which points are taken as meeting.
std::vector<AcGePoint3d> intersect(const Curve& a, const Curve& b, double relTol = 1e-9);

}  // namespace cvx::geom
