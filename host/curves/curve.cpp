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

// The box of the conic arc c + u cos t + v sin t, t in [t0, t1]: its ends and the extremes of each coordinate
// that fall inside the range.
void conicBox(AcGePoint3d& lo, AcGePoint3d& hi, const AcGePoint3d& c, const AcGeVector3d& u,
              const AcGeVector3d& v, double t0, double t1) {
    auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
    grow(lo, hi, at(t0));
    grow(lo, hi, at(t1));
    for (int k = 0; k < 3; ++k) {
        if (u[k] == 0 && v[k] == 0) continue;
        double ext = std::atan2(v[k], u[k]);
        for (double t : {ext, ext + M_PI}) {
            double w = wrapAngle(t, t0);
            if (w <= t1) grow(lo, hi, at(w));
        }
    }
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
        conicBox(lo, hi, a->center, a->refVec * a->radius, a->yVec() * a->radius, a->startAngle, a->endAngle);
    } else if (auto* e = std::get_if<Ellipse>(&c)) {
        conicBox(lo, hi, e->center, e->majorAxis, e->minorAxis(), e->startParam, e->endParam);
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
            double a0 = s.sweep > 0 ? s.startAngle : s.startAngle + s.sweep;
            conicBox(lo, hi, m * AcGePoint3d(s.center.x, s.center.y, 0), m * AcGeVector3d(s.radius, 0, 0),
                     m * AcGeVector3d(0, s.radius, 0), a0, a0 + std::fabs(s.sweep));
        }
        if (pl->poly.v.size() == 1) grow(lo, hi, m * AcGePoint3d(pl->poly.v[0].pt.x, pl->poly.v[0].pt.y, 0));
    }
    return {lo, hi};
}

}  // namespace cvx::geom
