// Sorting out what BOUNDARY made around a figure: the outline is the largest of the boundaries.
#pragma once

#include "cvx/dbents.h"

// At most 100 entities that follow `last` in the current space (all of them from the first when `last` is
// null), in drawing order: what a host command made after `last` was noted.
AcDbObjectIdArray entitiesAfter(const ads_name last);

// Among the new boundaries: the one whose lower-left extents corner lies on the rectangle's (within 0.001 in
// x and y) is erased; the others turn red, polylines get the constant width `width`; of these, the polylines
// with the largest area (within 0.001) are kept and every other boundary is erased (entities that are not
// polylines count as having no area). Boundaries that cannot be opened are left alone.
void keepLargestBoundary(const AcDbObjectIdArray& boundaries, const AcDbExtents& rectangle, double width);
