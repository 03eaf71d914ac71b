// The label grid of a picture of the view: which pixels show the drawing window's background, grouped into
// connected regions. Both the outline and the inner offsets work on it.
#pragma once

#include <cstdint>
#include <vector>

#include "cvx/image.h"

// (H + 2) rows of (W + 2) cells for a picture of W x H pixels; cell (x + 1, y + 1) belongs to pixel (x, y).
// The outer ring of cells holds -1. An inner cell holds 0 for a pixel that is not of background colour and a
// region label >= 1 for a background pixel.
class LabelGrid {
public:
    LabelGrid(int width, int height);

    int width() const { return mWidth; }
    int height() const { return mHeight; }
    int16_t at(int column, int row) const { return mCells[index(column, row)]; }
    int16_t& at(int column, int row) { return mCells[index(column, row)]; }

private:
    size_t index(int column, int row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(mWidth + 2) + static_cast<size_t>(column);
    }
    int mWidth, mHeight;
    std::vector<int16_t> mCells;
};

// Pixels whose red, green and blue each lie within this of the background's count as background.
inline constexpr int kBackgroundTolerance = 32;
// The largest label a cell can hold.
inline constexpr int kLargestLabel = 32767;

// Fills the inner cells of a fresh grid (inner cells 0, ring -1) of the image's size: background pixels get
// the labels of their regions, 1, 2, ... without gaps (the region of the first background pixel, scanning rows
// from the top and each row from the left, is 1). Regions are joined across sides and, where a pixel has no
// background above or to its left, across its upper-right corner. Returns K,
// the number of labels in use, label 0 included when some pixel is not background. Only 8-, 24- and 32-bit
// pictures are read (others count as having no background). A picture of more than 32767 regions keeps the
// first 32767: the cells of later regions hold -1 and K is 32768.
int labelBackgroundRegions(int red, int green, int blue, const CImage& image, LabelGrid& grid, int tolerance);
