// The output step of every formula curve: one entity through the sample points, in the working space.
#pragma once

#include "cvx/arx.h"

// Colour codes: 0 or 256 by layer, 1..255 that index colour, anything else the drawing's current colour.
AcCmColor formulaColor(int code);

// True when the points count as one straight line: two points always; more when every point seen from the
// first makes the same angle with the X axis as the second one does, within 0.001 radians.
bool formulaPointsOnOneLine(const AcGePoint3d* points, int n);

// Makes one entity through the n points, in the given colour:
// - a line from the first to the last point when the points lie on one line;
// - else, when splines are chosen (splineOutput), a spline through the points (closed: the spline form of
//   the polyline through them), with the end tangents when both are non-zero; a point that coincides with
//   the one before it is passed over;
// - else a polyline (see newPolylineThroughPoints), closed when asked and flat.
// Returns the new id; null when nothing was made (fewer than two points, or the drawing refused it).
AcDbObjectId addFormulaCurve(const AcGePoint3d* points, int n, int colour, bool closed,
                             const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
