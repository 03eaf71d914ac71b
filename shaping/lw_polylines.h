// Lightweight polylines as plain vertex lists: picking one, reading its vertices and bulges, and adding a new
// one to the current space.
#pragma once

#include <vector>

#include "cvx/dbents.h"
#include "frame/bilingual.h"

struct LwVertices {
    std::vector<AcGePoint3d> points;
    std::vector<double> bulges;  // one per point
    bool closed = false;
};

// Prints the prompt and lets the user pick one LWPOLYLINE. A null id, after "No LWPOLYLINE selected.", when
// nothing was picked.
AcDbObjectId selectOneLwPolyline(const ACHAR* cn, const ACHAR* en);

// The vertices (world coordinates), bulges and closed flag of the polyline.
LwVertices readLwVertices(const AcDbPolyline& polyline);

// Makes a polyline with default widths through the points (elevation = Z of the first one) and appends it to the
// current space. Nothing is made for fewer than two points or bulges; false when nothing was added.
bool addLwPolyline(const LwVertices& shape);
