// Removing coincident neighbouring vertices of a polyline in place.
#pragma once

#include <vector>

#include "cvx/dbents.h"

// Which vertices go: vertex i when it lies on vertex i+1 (the earlier of two coincident neighbours), and the
// last one when it lies on the first (the polyline is then to be closed; closesRing says so).
std::vector<bool> duplicateVertexMarks(const std::vector<AcGePoint3d>& points, bool& closesRing);

// source: an open lightweight, 2D or 3D polyline (the caller closes it). Deletes its marked vertices, closes
// it when its end lay on its start, and erases a polyline shorter than 1e-5 altogether. Adds each deleted
// vertex to the duplicate counter and returns the counter.
int removeDuplicateVertices(AcDbEntity* source);
