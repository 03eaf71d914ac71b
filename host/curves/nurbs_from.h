// Exact NURBS forms of the analytic curves. Arcs become rational quadratic pieces of at most a quarter turn;
// the knots at the piece ends carry the curve's own parameter there (distance, angle, vertex index).
#pragma once

#include "curves/bulge_polyline.h"
#include "curves/nurbs.h"
#include "curves/primitives.h"

namespace cvx::geom {

Nurbs toNurbs(const Line& l);
Nurbs toNurbs(const Arc& a);
Nurbs toNurbs(const Ellipse& e);
// In the polyline's plane (z = 0); straight segments become degree-2 pieces.
Nurbs toNurbs(const BulgePolyline& pl);

}  // namespace cvx::geom
