// A spline through given points: the curve output that link lines, blends and formula curves share.
#pragma once

#include "cvx/arx.h"

// Makes a spline through the n points in the given colour and appends it to the working space.
// polyline clear: a fit-point spline of order 4 with fit tolerance 0, with the end tangents when both are
// non-zero. polyline set: the exact spline form of a 3D polyline with one vertex per point (tangents unused).
// True with the new id; false (null id) when there are fewer than two points, no spline fits them (two
// consecutive points coincide), the conversion fails or the spline cannot be appended.
bool addCurveThroughPoints(int n, const AcGePoint3d* points, const AcCmColor& color, bool polyline,
                           const AcGeVector3d& startTangent, const AcGeVector3d& endTangent, AcDbObjectId& id);
