// Where the renderer sends its output: plain 2D shapes in drawing coordinates (block transforms applied,
// Z dropped), each with its colour. One sink measures the drawing, another paints the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "cvx/ge.h"

namespace cvx::render {

using Polyline2 = std::vector<AcGePoint2d>;

enum class FillRule { kNonZero, kEvenOdd };

class Sink {
public:
    virtual ~Sink() = default;
    // The size of one pixel and the height of the view, in drawing units; both 0 while only measuring.
    virtual double pixelSize() const = 0;
    virtual double viewHeight() const = 0;
    // A line through the points; width in drawing units, 0 for the picture's thin line width.
    virtual void stroke(const Polyline2& pts, bool closed, double width, uint32_t rgb) = 0;
    // The area the loops enclose under the rule.
    virtual void fill(const std::vector<Polyline2>& loops, FillRule rule, uint32_t rgb) = 0;
    // One pixel at the point.
    virtual void dot(const AcGePoint2d& p, uint32_t rgb) = 0;
};

}  // namespace cvx::render
