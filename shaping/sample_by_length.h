// Points evenly spaced along a curve by arc length, shared by the shaping tools.
#pragma once

#include <vector>

#include "cvx/dbents.h"

// The curve's length: the distance at its end parameter; 0 when the host cannot tell.
double curveLengthAlong(const AcDbCurve* curve);

// n points at equal arc-length steps from the curve's start, the last one being the curve's end point
// (n below 4 means 16). A point the curve cannot give stays at the origin. False, with points left empty,
// when the curve is missing or shorter than 0.0001.
bool sampleCurveByLength(const AcDbCurve* curve, int n, std::vector<AcGePoint3d>& points);
