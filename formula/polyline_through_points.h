// A polyline through points: a lightweight polyline when the points share one z (within 0.0001 from each
// point to the next), else an open cubic-spline-fit 3D polyline with the points as its control vertices.
#pragma once

#include "cvx/arx.h"

// The new polyline with the database's current layer, colour and linetype, not yet in the database; null for
// fewer than two points. A 3D polyline is never closed.
AcDbCurve* newPolylineThroughPoints(AcDbDatabase* database, const AcGePoint3d* points, int n, bool closed);

// Makes the polyline and appends it beside the reference entity (in its block and database), or to the
// working space when the reference is null. True with the new id.
bool addPolylineThroughPoints(const AcGePoint3d* points, int n, bool closed, AcDbObjectId referenceId,
                              AcDbObjectId& id);
