// A curve as a chain of points: the chord deviation allowed shrinks with the precision (1 coarse .. 99 fine),
// and the point count never exceeds maxSegments + 1.
#pragma once

#include <vector>

#include "curves/nurbs.h"

namespace cvx::geom {

double chordTolerance(const Nurbs& c, int precision);
std::vector<AcGePoint3d> toPolyline(const Nurbs& c, int precision, unsigned maxSegments);

}  // namespace cvx::geom
