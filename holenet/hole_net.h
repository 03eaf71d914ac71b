// The hole net of a picture: a square grid of cells over the image, one hole per cell whose size follows the
// cell's darkness (or its brightness when inverted).
#pragma once

#include <string>
#include <vector>

#include "cvx/image.h"

// Rows the user may ask for; other texts fall back to the default.
constexpr int kNetRowsMin = 24, kNetRowsMax = 1024, kNetRowsDefault = 72;

// The rows a typed text stands for: a whole number from 24 to 1024, anything else 72.
int netRowsFromText(const std::wstring& text);

struct NetHole {
    double x, y;     // cell centre in image pixels (y downward from the top row)
    double measure;  // hole size in image pixels: 0 for an empty hole, the cell size for a full one
};

struct HoleNet {
    int rows = 0;          // rows asked for, limited to the image height
    int imageHeight = 0;   // pixels
    double cell = 1;       // cell size in pixels (image height / rows; need not be whole)
    int gridColumns = 0, gridRows = 0;
    std::vector<NetHole> holes;  // row by row from the top, left to right
};

// The net of an 8-, 24- or 32-bit image; other depths and empty images give a net without holes.
HoleNet computeHoleNet(const CImage& image, int rows, bool invert);
