// Parallel projection of curves onto a plane along a direction. A circle or arc stays an arc when its plane is
// parallel to the target plane and becomes an elliptical arc otherwise; polylines stay polylines on a parallel
// plane and become NURBS otherwise. None when the curve would collapse (seen edge-on) or the direction lies in
// the plane.
#pragma once

#include <optional>

#include "curves/curve.h"

namespace cvx::geom {

std::optional<Curve> project(const Curve& c, const AcGePlane& plane, const AcGeVector3d& dir);

}  // namespace cvx::geom
