// Inside view of images shared by the drawing context and the image files.
#pragma once

#include "cvx/dc.h"
#include "cvx/image.h"

struct CvxDrawContext {
    CImage* target = nullptr;
    int stretchMode = BLACKONWHITE;
    CPen pen;
    CBrush brush;
    CPen* selectedPen = nullptr;  // what SelectObject hands back next
    CBrush* selectedBrush = nullptr;
    CDC self;
};

namespace cvx {

struct ImageAccess {
    // The colour-table entry closest to `color` (squared distance, lowest index on ties).
    static BYTE nearestIndex(const CImage& image, COLORREF color);
    // Writes one pixel; x and y must lie inside the image.
    static void put(CImage& image, int x, int y, COLORREF color);
    static bool tableGiven(const CImage& image) { return image.mTableGiven; }
    static void setAlpha(CImage& image, bool alpha) { image.mAlpha = alpha; }
};

}  // namespace cvx
