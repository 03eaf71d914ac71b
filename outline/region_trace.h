// Following the outer edge of one region of a label grid.
#pragma once

#include <vector>

#include "cvx/win.h"
#include "outline/label_grid.h"

// Pixel positions (x to the right, y down from the top row) in the order a trace visits them.
using PixelChain = std::vector<POINT>;

// Starts at the region's first cell (rows from the top, each from the left) and walks its outer edge from
// cell to cell, with the region on its right-hand side: clockwise as seen on screen. Appends the pixel of
// every cell it reaches, except cells of the picture's outermost pixel ring. The walk ends when it comes back
// to the first cell, or after 20 (W + H) looks at neighbouring cells. A label no cell holds appends nothing.
void traceRegionBoundary(int label, const LabelGrid& grid, PixelChain& chain);

// Where a region's walk starts: its first cell, rows from the top and each from the left.
struct RegionStart {
    int column = 0, row = 0;  // 0, 0 for a label no cell holds
};
// The first cells of the labels 0 .. count - 1, found in one pass over the grid.
std::vector<RegionStart> regionStarts(const LabelGrid& grid, int count);
// The same walk as traceRegionBoundary from a start regionStarts gave for the label.
void traceRegionBoundaryFrom(int label, RegionStart start, const LabelGrid& grid, PixelChain& chain);
