#include "render/box_sink.h"

#include <algorithm>
#include <cmath>

namespace cvx::render {

void BoxSink::add(const AcGePoint2d& p, double grow) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    mMin = {std::min(mMin.x, p.x - grow), std::min(mMin.y, p.y - grow)};
    mMax = {std::max(mMax.x, p.x + grow), std::max(mMax.y, p.y + grow)};
}

void BoxSink::stroke(const Polyline2& pts, bool, double width, uint32_t) {
    for (const auto& p : pts) add(p, width / 2);
}

void BoxSink::fill(const std::vector<Polyline2>& loops, FillRule, uint32_t) {
    for (const auto& loop : loops)
        for (const auto& p : loop) add(p, 0);
}

}  // namespace cvx::render
