// Closed shapes that link lines attach to, recognised by the midpoints of the sides of their bounding box.
#pragma once

#include "cvx/arx.h"

// Which side midpoint of a shape's box a point lies on.
enum LinkSide { kNoSide = 0, kRightSide = 1, kTopSide = 2, kLeftSide = 3, kBottomSide = 4 };

struct SideMidpoints {
    AcGePoint3d top, bottom, left, right;  // z is 0
    const AcGePoint3d& at(LinkSide side) const;
    // (width + height of the box) / 100: how near a point must be to a midpoint to count as on that side.
    double tolerance() const;
};

SideMidpoints sideMidpointsOf(const AcDbExtents& extents);
// The side of the midpoint nearer than `tolerance` to p, testing top, bottom, left, right in turn (a later
// match wins); kNoSide when none is.
LinkSide sideAt(const SideMidpoints& sides, const AcGePoint3d& p);

// The closed curve (circle, ellipse or polyline) near p, within VIEWSIZE, with a side midpoint at p;
// kNoSide and a null id when there is none.
LinkSide findLinkedShape(const AcGePoint3d& p, AcDbObjectId& shapeId);
