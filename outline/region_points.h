// One point inside every region of a label grid, where a BOUNDARY pick finds the region.
#pragma once

#include "outline/label_grid.h"
#include "outline/region_trace.h"

// For the regions 1 to regionCount - 1 (regionCount as labelBackgroundRegions returns it), in label order,
// appends one grid position (column, row) per region that has cells: the region's centroid when its cell
// belongs to the region; otherwise where straight searches from the centroid (right, left, down, up, each from
// where the last one left the point, until one settles it) lead. A point can end outside its region (two
// region cells and a miss settle it where it is); the command then picks another area or none.
void findRegionPoints(int regionCount, const LabelGrid& grid, PixelChain& points);
