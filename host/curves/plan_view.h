// How a curve shows from above: its projection onto the world XY plane as straight and circular pieces.
// Lines, and arcs that still show as circular arcs, stay exact; ellipses, splines and circles seen aslant
// become chords that keep within a tolerance of the curve.
#pragma once

#include <vector>

#include "curves/curve.h"

namespace cvx::geom {

// Appends the plan view of the curve placed in the world by `place` (a block insert's transform, or identity).
void appendPlanView(const Curve& c, const AcGeMatrix3d& place, double chordTol, std::vector<Segment2>& out);

}  // namespace cvx::geom
