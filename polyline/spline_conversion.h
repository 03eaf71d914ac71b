// Replacing splines by polylines and curves by splines.
#pragma once

#include "cvx/dbents.h"

// A spline (or helix), open for read: its polyline at the precision (at most 10000 segments) is added beside
// it and the spline erased. False (and nothing changed) for other entities or when the host cannot convert.
bool replaceSplineByPolyline(AcDbEntity* entity, int precision);

// How p2s finds fit points when the host has no spline form of a curve.
struct FitPointRule {
    bool divideEqually = true;  // true: equally spaced points; false: the polyline's vertices
    int count = 36;             // points when dividing (and the fallback when the vertices give none)
};

// The spline through fit points taken from a curve by the rule (order 4, fit tolerance 0; the first point
// repeated at the end of a closed curve, coincident neighbours once). Null when no points come out.
AcDbSpline* fitSplineAlongCurve(const AcDbCurve* curve, const FitPointRule& rule);

// A curve, open for read: the host's own spline form of it, or else fitSplineAlongCurve, is added beside it
// and the curve erased. False (and nothing changed) when no spline could be made or added.
bool replaceCurveBySpline(AcDbEntity* entity, const FitPointRule& rule);
