// Splitting a picture into regions of similar colour on a label grid, and tracing a region's outer edge.
#pragma once

#include "cvx/image.h"
#include "outline/label_grid.h"
#include "outline/region_trace.h"

// Channels closer than this count as similar when regions are made.
inline constexpr int kRegionColorLimit = 32;

// True when the colours of the two pixels differ by less than `limit` in each of red, green and blue.
bool isSimilarColor(const CImage& image, POINT a, POINT b, int limit);

// Fills the pixel cells of a fresh grid (inner cells 0, ring -1) of the picture's size. The outermost ring of
// pixels starts with label 0. The pixels inside it, rows from the top and each row from the left, take the
// label of the pixel above, else the one to the left, else the one above-right, when similar to it; otherwise a
// new label ((1, 1) takes 1, the next new label is 3). Then at most 50000 rounds join labels: each looks, from
// the row where the previous one joined and going up (each row from the right), for two similar side-by-side
// pixels of different labels a (left) and b; every pixel of a, the outermost ring's included, takes b, except
// that when a is 1 those of b take 1. Finally the labels in use are numbered 0, 1, 2, ... in their order.
// Returns their count K. Labels past the grid's 16 bits are kept as -1 (K is then 32768).
int makeColorRegion(const CImage& image, LabelGrid& grid, int limit);

// The outer edge of one label's region (traceRegionBoundary): appended to `chain` in pixel positions.
void findRegionOutline(int label, const LabelGrid& grid, PixelChain& chain);
