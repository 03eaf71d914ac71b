// The polyline optimisation engine: a thinned copy of a polyline in place of the original.
#pragma once

#include "cvx/dbents.h"

// source: an open lightweight, 2D or 3D polyline (the caller closes it). Makes the thinned polyline (a 3D
// polyline from a 3D one, else a lightweight polyline in the world XY plane), appends it to targetBlock (open
// for write) or, without one, beside the source, and erases the source. newId is null when nothing was made:
// for a curve shorter than 1e-5, fewer than two vertices, or another kind of entity. scaleLength is the size
// of reference (the diagonal of the selection's box), toleranceFactor the factor F of the thinning limits.
// Adds to the before and after vertex counters.
Acad::ErrorStatus optimizePolyline(AcDbObjectId& newId, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                                   double scaleLength, double toleranceFactor);
