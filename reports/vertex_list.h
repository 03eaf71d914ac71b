// The points a vertex report lists for a curve, shared by the polyline report and the vertex numbering.
#pragma once

#include <optional>
#include <vector>

#include "cvx/dbents.h"

// Lightweight polyline: its vertices; 2D and 3D polyline: its vertex positions in order; spline: its fit
// points; line, arc and open ellipse: start and end point. Nothing (no value) for a closed ellipse and every
// other entity, which are not reported at all. With lowerLeft the list starts at its lower-left end
// (startAtLowerLeft).
std::optional<std::vector<AcGePoint3d>> reportVertices(const AcDbEntity* entity, bool lowerLeft);

// Turns the list round when its first point lies right of its last, or, with X equal within 0.0001, above
// it: the list then starts at its lower-left end.
void startAtLowerLeft(std::vector<AcGePoint3d>& points);
