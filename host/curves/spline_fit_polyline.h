// Spline-fit polylines: the vertices generated from a polyline's control vertices by a uniform B-spline of
// degree 2 (quadratic) or 3 (cubic), clamped at the ends when open and periodic when closed, with `segs`
// segments per control span (the drawing's SPLINESEGS).
#pragma once

#include <vector>

#include "curves/nurbs.h"

namespace cvx::geom {

// The B-spline itself; fewer control vertices than degree + 1 lower the degree. Empty with < 2 vertices.
Nurbs splineFitCurve(const std::vector<AcGePoint3d>& ctrl, int degree, bool closed);
// Generated vertices; a closed result does not repeat its first vertex.
std::vector<AcGePoint3d> splineFitVertices(const std::vector<AcGePoint3d>& ctrl, int degree, bool closed,
                                           int segs = 8);

}  // namespace cvx::geom
