// One point inside every region of a label grid, where a BOUNDARY pick finds the region.
#pragma once

#include "outline/label_grid.h"
#include "outline/region_trace.h"

// For the regions 1 to regionCount - 1 (regionCount as labelBackgroundRegions returns it), in label order,
// appends one grid position (column, row) per region that has cells. The position is the region's centroid
// when its cell belongs to the region. Otherwise straight searches run from the centroid to the right, left,
// down and up, until one meets the region: the point then moves into the first run of region cells that
// search meets (to its cell (hits / 2) from the start of the run, or its only cell), so it lies in the region.
// When no search meets the region the centroid is kept.
void findRegionPoints(int regionCount, const LabelGrid& grid, PixelChain& points);
