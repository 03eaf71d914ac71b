// Where entities lie for picking and window selection, in the XY plane of the view.
#pragma once

#include <vector>

#include "cvx/ge.h"

class AcDbEntity;

namespace cvx::editor {

// The entity's geometry as polylines in XY (curves sampled finely; text, blocks and hatches as their box).
// Empty when the entity has no extents.
std::vector<std::vector<AcGePoint2d>> entityOutline(const AcDbEntity* ent);

// Distance in XY from a point to the entity's geometry (closest point of a curve where the curve can tell).
double distanceToEntity(const AcDbEntity* ent, const AcGePoint3d& p);

// Window: the whole entity inside. Crossing: inside or touching. Polygons are closed implicitly.
bool insideBox(const AcDbEntity* ent, const AcGePoint2d& lo, const AcGePoint2d& hi);
bool crossesBox(const AcDbEntity* ent, const AcGePoint2d& lo, const AcGePoint2d& hi);
bool insidePolygon(const AcDbEntity* ent, const std::vector<AcGePoint2d>& polygon);
bool crossesPolygon(const AcDbEntity* ent, const std::vector<AcGePoint2d>& polygon);
// Crossed by an open line of points (fence).
bool crossesFence(const AcDbEntity* ent, const std::vector<AcGePoint2d>& fence);

// Plane geometry the tests are made of.
bool segmentsIntersect(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGePoint2d& d);
bool pointInPolygon(const AcGePoint2d& p, const std::vector<AcGePoint2d>& polygon);
double distanceToSegment(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b);

}  // namespace cvx::editor
