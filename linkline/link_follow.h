// Moving link-line ends along with the shape they are attached to.
#pragma once

#include "cvx/arx.h"
#include "linkline/linked_shape.h"

// The splines a crossing window around the box (widened by a thirtieth of its diagonal) touches.
AcDbObjectIdArray splinesAround(const AcDbExtents& extents);

// After a shape changed from `before` to `after`: each spline whose start or end fit point lay on one of the
// old side midpoints gets that fit point moved to the new midpoint of the same side (the end wins when both
// ends lay on midpoints). Nothing moves when no midpoint moved by 0.001 or more. Splines that no longer open
// are skipped. Returns how many splines changed.
int followLinkedShape(const SideMidpoints& before, const SideMidpoints& after, const AcDbObjectIdArray& splines);
