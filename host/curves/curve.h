// Any curve the host draws, as one value, with the services every kind offers.
#pragma once

#include <variant>

#include "curves/bulge_polyline.h"
#include "curves/nurbs.h"
#include "curves/primitives.h"

namespace cvx::geom {

// A polyline with bulges placed in space: its plane is normal to `normal` at height `elevation`, with the
// plane's axes from the arbitrary-axis rule.
struct PlacedPolyline {
    BulgePolyline poly;
    double elevation = 0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeMatrix3d toWorld() const;
};

using Curve = std::variant<Line, Arc, Ellipse, Nurbs, PlacedPolyline>;

// Parameter of the curve's point nearest p, and that point.
double paramAtPoint(const Curve& c, const AcGePoint3d& p);
AcGePoint3d closestPoint(const Curve& c, const AcGePoint3d& p);
// Axis-aligned box (tight for analytic kinds, control hull for NURBS).
std::pair<AcGePoint3d, AcGePoint3d> roughBox(const Curve& c);

}  // namespace cvx::geom
