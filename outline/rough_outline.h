// The raster stage of the outline: a rough outline from the traced pixels, and the hiding of what lies well
// inside it so that BOUNDARY has fewer objects to look at.
#pragma once

#include <cstddef>

#include "cvx/dbid.h"
#include "outline/region_trace.h"

// A chain needs more points than this to make a rough outline.
inline constexpr size_t kFewestRoughOutlinePoints = 100;

// A closed red polyline through the chain's pixels (mapped to the world in the current view), constant width
// VIEWSIZE / 100, thinned by the polyline optimisation; returns its id. A chain of 100 points or fewer makes
// nothing (null id).
AcDbObjectId makeRoughOutline(const PixelChain& chain);

// Offsets the rough outline inward by VIEWSIZE / 50 (the offsets go to `temporary`), erases it, and hides the
// curves lying inside the first offset: they join `hidden`, and everything in `hidden` is made invisible.
// Prints the number of hidden entities.
void closeInternalObjects(AcDbObjectId roughOutline, AcDbObjectIdArray& temporary, AcDbObjectIdArray& hidden);
