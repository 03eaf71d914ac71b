// What the affect tools ask of curves and entities: centres, nearest points, crossings along X and the point
// of a curve at a given height.
#pragma once

#include <optional>

#include "cvx/dbents.h"

// The centre of the entity's geometric extents; none when it has no extents.
std::optional<AcGePoint3d> extentsCentre(const AcDbEntity* entity);
// The point of the curve (not extended) nearest to p; none when the host cannot find it.
std::optional<AcGePoint3d> closestPointOnCurve(const AcDbCurve* curve, const AcGePoint3d& p);
// The first point (along the curve) where it meets the segment from `from` to `to`, neither extended; none
// when they do not meet or the segment has no length.
std::optional<AcGePoint3d> firstCrossingOnSegment(const AcDbCurve* curve, const AcGePoint3d& from,
                                                  const AcGePoint3d& to);
// The first point where the curve meets the X segment from (p.x - reach, p.y, p.z) to (p.x + reach, p.y, p.z),
// neither extended; none when they do not meet.
std::optional<AcGePoint3d> firstCrossingInRow(const AcDbCurve* curve, const AcGePoint3d& p, double reach);

// The curve's upper end: its start when the start lies higher than the end, else its end.
AcGePoint3d curveTopEnd(const AcDbCurve* curve);
// Where the curve passes height y: its upper end when y lies above that end, else its first crossing with a
// horizontal line at y across its extents (1000 units wider on each side, at the z of its start), or its upper
// end when there is none.
AcGePoint3d curvePointAtHeight(const AcDbCurve* curve, double y);
