// Points at equal arc-length spacing along a curve.
#pragma once

#include <vector>

#include "cvx/dbents.h"

// The points at distances k x L / (count - 1), k = 0 ... count - 1 (those the host can compute), then the
// curve's end point once more. False when the curve is shorter than 0.0001, has no end parameter, or no point
// came out.
bool resampleCurve(const AcDbCurve* curve, std::vector<AcGePoint3d>& points, int count);
