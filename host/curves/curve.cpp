#include "curves/curve.h"

#include <algorithm>

#include "curves/closest_point.h"

namespace cvx::geom {

AcGeMatrix3d PlacedPolyline::toWorld() const {
    return AcGeMatrix3d::planeToWorld(normal) * AcGeMatrix3d::translation({0, 0, elevation});
}

namespace {
struct Nearest {
    const AcGePoint3d& p;
    double param = 0;
    AcGePoint3d operator()(const Line& l) { return cvx::geom::closestPoint(l, p, false, &param); }
    AcGePoint3d operator()(const Arc& a) { return cvx::geom::closestPoint(a, p, false, &param); }
    AcGePoint3d operator()(const Ellipse& e) { return cvx::geom::closestPoint(e, p, &param); }
    AcGePoint3d operator()(const Nurbs& n) { return cvx::geom::closestPoint(n, p, &param); }
    AcGePoint3d operator()(const PlacedPolyline& pl) {
        AcGeMatrix3d m = pl.toWorld();
        AcGePoint3d local = m.inverse() * p;
        AcGePoint2d q = cvx::geom::closestPoint(pl.poly, local.convert2d(), &param);
        return m * AcGePoint3d(q.x, q.y, 0);
    }
};

void grow(AcGePoint3d& lo, AcGePoint3d& hi, const AcGePoint3d& p) {
    for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], p[a]), hi[a] = std::max(hi[a], p[a]);
}
}  // namespace

double paramAtPoint(const Curve& c, const AcGePoint3d& p) {
    Nearest n{p};
    std::visit(n, c);
    return n.param;
}

AcGePoint3d closestPoint(const Curve& c, const AcGePoint3d& p) {
    Nearest n{p};
    return std::visit(n, c);
}

std::pair<AcGePoint3d, AcGePoint3d> roughBox(const Curve& c) {
    AcGePoint3d lo(INFINITY, INFINITY, INFINITY), hi(-INFINITY, -INFINITY, -INFINITY);
    if (auto* l = std::get_if<Line>(&c)) {
        grow(lo, hi, l->start);
        grow(lo, hi, l->end);
    } else if (auto* a = std::get_if<Arc>(&c)) {
        for (int k = 0; k < 3; ++k) {  // circle box: r * sqrt(1 - n_k^2) either side of the centre
            double e = a->radius * std::sqrt(std::max(0.0, 1 - a->normal[k] * a->normal[k]));
            lo[k] = a->center[k] - e;
            hi[k] = a->center[k] + e;
        }
    } else if (auto* e = std::get_if<Ellipse>(&c)) {
        AcGeVector3d u = e->majorAxis, v = e->minorAxis();
        for (int k = 0; k < 3; ++k) {
            double r = std::hypot(u[k], v[k]);
            lo[k] = e->center[k] - r;
            hi[k] = e->center[k] + r;
        }
    } else if (auto* n = std::get_if<Nurbs>(&c)) {
        for (const auto& p : n->ctrl) grow(lo, hi, p);
    } else if (auto* pl = std::get_if<PlacedPolyline>(&c)) {
        AcGeMatrix3d m = pl->toWorld();
        for (const Segment2& s : segments(pl->poly)) {
            if (!s.arc) {
                grow(lo, hi, m * AcGePoint3d(s.start.x, s.start.y, 0));
                grow(lo, hi, m * AcGePoint3d(s.end.x, s.end.y, 0));
                continue;
            }
            for (double dx : {-1, 1})
                for (double dy : {-1, 1})
                    grow(lo, hi, m * AcGePoint3d(s.center.x + dx * s.radius, s.center.y + dy * s.radius, 0));
        }
        if (pl->poly.v.size() == 1) grow(lo, hi, m * AcGePoint3d(pl->poly.v[0].pt.x, pl->poly.v[0].pt.y, 0));
    }
    return {lo, hi};
}

}  // namespace cvx::geom
