// Boxes around selections and the view, and points between the world and the user's coordinate system.
#pragma once

#include "cvx/dbents.h"
#include "cvx/editor.h"

// Adds the geometric extents of every member of the set that opens to `extents` (which may hold a box
// already).
void selectionExtents(AcDbExtents& extents, const ads_name selectionSet);
// The same for an array of object ids.
void idArrayExtents(AcDbExtents& extents, const AcDbObjectIdArray& ids);
// The corners of the current view in world coordinates, from VIEWCTR, VIEWSIZE and SCREENSIZE (a screen that
// cannot be read counts as 9 wide and 16 high).
void currentViewExtents(AcGePoint3d& lowerLeft, AcGePoint3d& upperRight);
// The corners of the active viewport: VIEWCTR minus and plus half the width and height of the working
// database's "*Active" viewport record (no conversion). False only without a working database; the corners
// are left as they were when the record cannot be opened.
bool activeViewportExtents(AcGePoint3d& lowerLeft, AcGePoint3d& upperRight);
// In place, between the world and the current user coordinate system.
void wcsToUcs(AcGePoint3d& point);
void ucsToWcs(AcGePoint3d& point);
