// Cubic interpolation through fit points (fit tolerance 0): knots are the cumulative chord lengths, the
// end tangents are taken as directions (a zero vector lets the curve choose its own). A closed curve runs
// through the first point again and meets itself with the same tangent.
#pragma once

#include <vector>

#include "curves/nurbs.h"

namespace cvx::geom {

struct FitResult {
    Nurbs curve;
    const char* error = nullptr;  // set when no curve could be made
    bool ok() const { return error == nullptr; }
};

FitResult fitCubic(const std::vector<AcGePoint3d>& points, const AcGeVector3d& startTangent = {},
                   const AcGeVector3d& endTangent = {}, bool closed = false);

}  // namespace cvx::geom
