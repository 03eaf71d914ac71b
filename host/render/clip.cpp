#include "render/clip.h"

#include <algorithm>

namespace cvx::render {

namespace {

// Liang-Barsky: the part [t0, t1] of a -> b inside the box; false when none.
bool clipSegment(const AcGePoint2d& a, const AcGePoint2d& b, const ClipBox& box, double& t0, double& t1) {
    double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    return true;
}

AcGePoint2d lerp(const AcGePoint2d& a, const AcGePoint2d& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace

std::vector<Polyline2> clipChain(const Polyline2& pts, bool closed, const ClipBox& box) {
    std::vector<Polyline2> out;
    size_t n = pts.size(), segs = closed ? n : n - 1;
    for (size_t i = 0; n > 1 && i < segs; ++i) {
        const AcGePoint2d& a = pts[i];
        const AcGePoint2d& b = pts[(i + 1) % n];
        double t0, t1;
        if (!clipSegment(a, b, box, t0, t1)) continue;
        AcGePoint2d s = lerp(a, b, t0), e = lerp(a, b, t1);
        if (out.empty() || t0 > 0 || !(out.back().back().x == s.x && out.back().back().y == s.y))
            out.push_back({s});
        out.back().push_back(e);
    }
    return out;
}

bool ClipBox::containsAll(const Polyline2& pts) const {
    return std::all_of(pts.begin(), pts.end(), [&](const AcGePoint2d& p) { return contains(p); });
}

Polyline2 clipLoop(const Polyline2& loop, const ClipBox& box) {
    if (box.containsAll(loop)) return loop;
    // Sutherland-Hodgman against the four sides.
    Polyline2 cur = loop;
    for (int side = 0; side < 4 && !cur.empty(); ++side) {
        auto inside = [&](const AcGePoint2d& p) {
            switch (side) {
            case 0: return p.x >= box.x0;
            case 1: return p.x <= box.x1;
            case 2: return p.y >= box.y0;
            default: return p.y <= box.y1;
            }
        };
        auto cross = [&](const AcGePoint2d& a, const AcGePoint2d& b) {
            double t = side < 2 ? ((side == 0 ? box.x0 : box.x1) - a.x) / (b.x - a.x)
                                : ((side == 2 ? box.y0 : box.y1) - a.y) / (b.y - a.y);
            return lerp(a, b, t);
        };
        Polyline2 next;
        for (size_t i = 0; i < cur.size(); ++i) {
            const AcGePoint2d& a = cur[i];
            const AcGePoint2d& b = cur[(i + 1) % cur.size()];
            bool ina = inside(a), inb = inside(b);
            if (ina) next.push_back(a);
            if (ina != inb) next.push_back(cross(a, b));
        }
        cur = std::move(next);
    }
    return cur;
}

}  // namespace cvx::render
