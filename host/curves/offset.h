// Parallel curves. A positive distance goes to the right of the direction of travel seen from the normal's
// tip (outside of a counter-clockwise closed curve) and grows the radius of arcs and circles.
#pragma once

#include <optional>
#include <vector>

#include "curves/bulge_polyline.h"
#include "curves/nurbs.h"
#include "curves/primitives.h"

namespace cvx::geom {

std::optional<Line> offset(const Line& l, double d, const AcGeVector3d& normal = AcGeVector3d::kZAxis);
// None when the radius would vanish.
std::optional<Arc> offset(const Arc& a, double d);
// Arcs stay arcs, outer corners get round joins, inner corners are trimmed and the loops an offset forms are
// dropped; the result may fall apart into several polylines (or vanish).
std::vector<BulgePolyline> offset(const BulgePolyline& pl, double d);
// A cubic spline within 1e-6 of the curve's size of the true parallel curve (planar curves only).
std::optional<Nurbs> offset(const Ellipse& e, double d);
std::optional<Nurbs> offset(const Nurbs& c, double d, const AcGeVector3d& normal);

}  // namespace cvx::geom
