#include "render/hatch.h"

#include <algorithm>
#include <cmath>

namespace cvx::render {

namespace {

// Cuts [t0, t1] of a line by its dash pattern (positive dash, negative gap, 0 dot), which repeats from t = 0.
void addDashes(std::vector<Segment>& out, const AcGePoint2d& origin, const AcGeVector2d& dir, double t0,
               double t1, const std::vector<double>& dashes) {
    double period = 0;
    for (double d : dashes) period += std::fabs(d);
    if (dashes.empty() || period <= 0) {
        out.push_back({origin + dir * t0, origin + dir * t1});
        return;
    }
    double t = std::floor(t0 / period) * period;
    while (t < t1) {
        for (double d : dashes) {
            double len = std::fabs(d);
            double a = std::max(t, t0), b = std::min(t + len, t1);
            if (d > 0 && a < b) out.push_back({origin + dir * a, origin + dir * b});
            if (d == 0 && t >= t0 && t <= t1) out.push_back({origin + dir * t, origin + dir * t});
            t += len;
            if (t >= t1) break;
        }
    }
}

}  // namespace

std::vector<Segment> patternSegments(const std::vector<std::vector<AcGePoint2d>>& loops,
                                     const AcDbHatch::PatternLine& family, size_t maxLines) {
    std::vector<Segment> out;
    AcGeVector2d dir(std::cos(family.angle), std::sin(family.angle));
    AcGeVector2d normal = dir.perpVector();
    double step = family.offset.dotProduct(normal);  // distance between neighbouring lines
    double shift = family.offset.dotProduct(dir);     // how far each line's dash pattern moves along
    if (!(std::fabs(step) > 1e-12)) return out;

    double lo = 1e300, hi = -1e300;
    for (const auto& loop : loops)
        for (const auto& p : loop) {
            double s = (p - family.base).dotProduct(normal);
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
    if (lo > hi) return out;
    double k0 = std::ceil(std::min(lo / step, hi / step)), k1 = std::floor(std::max(lo / step, hi / step));
    if (k1 - k0 + 1 > double(maxLines)) return out;

    std::vector<double> cuts;
    for (double k = k0; k <= k1; ++k) {
        AcGePoint2d origin = family.base + normal * (k * step) + dir * (k * shift);
        cuts.clear();
        for (const auto& loop : loops) {
            for (size_t i = 0; i < loop.size(); ++i) {
                const AcGePoint2d& a = loop[i];
                const AcGePoint2d& b = loop[(i + 1) % loop.size()];
                double sa = (a - origin).dotProduct(normal), sb = (b - origin).dotProduct(normal);
                if ((sa > 0) == (sb > 0)) continue;
                AcGePoint2d x = a + (b - a) * (sa / (sa - sb));
                cuts.push_back((x - origin).dotProduct(dir));
            }
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t i = 0; i + 1 < cuts.size(); i += 2)
            addDashes(out, origin, dir, cuts[i], cuts[i + 1], family.dashes);
    }
    return out;
}

void drawHatch(const Pen& pen, const AcDbHatch& hatch) {
    Pen inPlane = pen.transformed(hatch.planeToWorld());
    double tol = inPlane.tolerance();
    if (tol <= 0) {
        // Measuring: the hatch's own box is all that matters.
        AcDbExtents ext;
        if (hatch.getGeomExtents(ext) != Acad::eOk || !ext.isValid()) return;
        AcGePoint3d a = ext.minPoint(), b = ext.maxPoint();
        pen.polyline(std::vector<AcGePoint3d>{a, {a.x, b.y, a.z}, b, {b.x, a.y, b.z}}, true);
        return;
    }
    std::vector<std::vector<AcGePoint2d>> loops;
    for (int i = 0; i < hatch.numLoops(); ++i) {
        auto outline = hatch.loopOutline(i, tol);
        if (outline.size() >= 2) loops.push_back(std::move(outline));
    }
    if (loops.empty()) return;
    if (hatch.isSolidFill()) {
        inPlane.fill(loops, FillRule::kEvenOdd);
        return;
    }
    for (const auto& loop : loops) inPlane.polyline(loop, true);
    for (const auto& family : hatch.patternDefinition())
        for (const auto& [a, b] : patternSegments(loops, family)) inPlane.polyline(std::vector{a, b}, false);
}

}  // namespace cvx::render
