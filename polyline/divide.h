// Polylines through points spaced evenly along a curve, added beside it (the curve stays).
#pragma once

#include "cvx/dbents.h"

enum class DivideResult {
    kAdded,      // the polyline was added
    kFailed,     // not a curve, shorter than 0.0001, or the polyline could not be made
    kTooShort,   // (by distance) the curve is shorter than four spacings
};

// n points at equal arc-length steps, the last exactly the curve's end (a count below 4 is taken as 16).
DivideResult divideCurveByCount(const AcDbCurve* curve, int count);
// Points every `spacing` along the curve; the last interval ends at the curve's end and takes the remainder.
DivideResult divideCurveByDistance(const AcDbCurve* curve, double spacing);
