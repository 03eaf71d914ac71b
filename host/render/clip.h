// Cutting shapes to a box, so that the rasteriser only sees coordinates it can represent (far-away points
// of a zoomed-in view would otherwise overflow its fixed-point range).
#pragma once

#include <vector>

#include "render/sink.h"

namespace cvx::render {

struct ClipBox {
    double x0, y0, x1, y1;
    bool contains(const AcGePoint2d& p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
    bool containsAll(const Polyline2& pts) const;
};

// The pieces of a chain that lie in the box, as open chains (a closed chain's last piece ends at its start).
std::vector<Polyline2> clipChain(const Polyline2& pts, bool closed, const ClipBox& box);
// The part of a closed loop inside the box; filling clipped loops gives the same picture inside the box.
Polyline2 clipLoop(const Polyline2& loop, const ClipBox& box);

}  // namespace cvx::render
