// Rounding and bevelling corners in a plane: two lines (FILLET and CHAMFER on lines) and the corners of a bulge
// polyline between two straight segments.
#pragma once

#include "curves/bulge_polyline.h"

namespace cvx::geom {

// How two lines meet after a fillet or chamfer. Each line keeps the part on the side of its pick point, seen
// from where the lines cross: it runs from `keepA` (or `keepB`) to the tangent or bevel point `a` (or `b`).
// With a radius, the arc from a to b is `join`; with distances the join is the straight segment a-b; with zero
// both lines simply meet at the corner.
struct Corner {
    AcGePoint2d keepA, a, keepB, b;
    Segment2 join;
    bool hasJoin = false;
};

// A fillet of the given radius (>= 0) between the lines a0-a1 and b0-b1, each picked near pickA / pickB. False
// when the lines are parallel or the fillet does not fit the parts kept.
bool filletLines(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& pickA, const AcGePoint2d& b0,
                 const AcGePoint2d& b1, const AcGePoint2d& pickB, double radius, Corner& out);
// A chamfer cutting dA from the corner along the first line and dB along the second.
bool chamferLines(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& pickA, const AcGePoint2d& b0,
                  const AcGePoint2d& b1, const AcGePoint2d& pickB, double dA, double dB, Corner& out);

// Rounds (radius) or bevels (dA, dB with chamfer) every corner of the polyline where two straight segments
// meet and the cut fits both; returns how many corners were changed.
int filletPolyline(BulgePolyline& pl, double radius);
int chamferPolyline(BulgePolyline& pl, double dA, double dB);

}  // namespace cvx::geom
