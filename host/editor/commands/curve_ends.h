// What TRIM, EXTEND, BREAK and LENGTHEN share: moving an end of a curve along its own course, and putting the
// pieces of a split curve in its place.
#pragma once

#include "cvx/dbents.h"

namespace cvx::editor::commands {

// True when the point (on or near the curve) is nearer its start than its end, measured along the curve.
bool nearerStart(const AcDbCurve* c, const AcGePoint3d& p);
// The course an end of an open curve follows when it is extended: for a line the line, for an arc its circle,
// for an elliptical arc its ellipse, for a polyline its end segment as a line or an arc. Null for other kinds
// (splines, closed curves). New, not in a database.
AcDbCurve* endCourse(const AcDbCurve* c, bool atStart);
// How far a point of the course lies beyond the end, travelling outward (negative: behind the end).
double travelBeyond(const AcDbCurve* course, const AcGePoint3d& end, const AcGeVector3d& outward,
                    const AcGePoint3d& p);
// The end point and the outward direction there.
bool endFrame(const AcDbCurve* c, bool atStart, AcGePoint3d& end, AcGeVector3d& outward);
// Moves the end to a point of its course (the curve is open for write).
bool moveEndTo(AcDbCurve* c, bool atStart, const AcGePoint3d& p);
// Lines, arcs, elliptical arcs and lightweight polylines take the shape of one piece of themselves, keeping
// their id; other kinds are replaced by the pieces. The curve is given by id and must be closed; the pieces are
// consumed. Returns false when nothing could be changed.
bool replaceByPieces(AcDbObjectId id, AcDbVoidPtrArray& pieces);

}  // namespace cvx::editor::commands
