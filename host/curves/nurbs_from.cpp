#include "curves/nurbs_from.h"

#include <cmath>

namespace cvx::geom {

namespace {

// Appends the conic c + u cos t + v sin t for t from t0 to t1 as rational quadratic pieces; the knots run from
// k0 to k1. The curve must be empty or end where this piece starts.
void appendConic(Nurbs& n, const AcGePoint3d& c, const AcGeVector3d& u, const AcGeVector3d& v, double t0,
                 double t1, double k0, double k1) {
    int pieces = std::max(1, int(std::ceil(std::fabs(t1 - t0) / (M_PI / 2) - 1e-9)));
    double dt = (t1 - t0) / pieces, w = std::cos(dt / 2);
    auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
    if (n.ctrl.empty()) {
        n.ctrl.push_back(at(t0));
        n.weights.push_back(1);
        n.knots.assign(3, k0);
    }
    for (int i = 0; i < pieces; ++i) {
        double a = t0 + i * dt, m = a + dt / 2;
        n.ctrl.push_back(c + (u * std::cos(m) + v * std::sin(m)) / w);
        n.weights.push_back(w);
        n.ctrl.push_back(at(a + dt));
        n.weights.push_back(1);
        double k = k0 + (k1 - k0) * (i + 1) / pieces;
        n.knots.insert(n.knots.end(), 2, k);
    }
}

void finish(Nurbs& n) {
    n.knots.push_back(n.knots.back());
    bool rational = false;
    for (double w : n.weights) rational |= std::fabs(w - 1) > 1e-15;
    if (!rational) n.weights.clear();
}

}  // namespace

Nurbs toNurbs(const Line& l) {
    double len = l.length();
    return Nurbs{1, {0, 0, len, len}, {l.start, l.end}, {}, false, false};
}

Nurbs toNurbs(const Arc& a) {
    Nurbs n{2, {}, {}, {}, a.isFull(), false};
    appendConic(n, a.center, a.refVec * a.radius, a.yVec() * a.radius, a.startAngle, a.endAngle, a.startAngle,
                a.endAngle);
    finish(n);
    return n;
}

Nurbs toNurbs(const Ellipse& e) {
    Nurbs n{2, {}, {}, {}, e.isFull(), false};
    appendConic(n, e.center, e.majorAxis, e.minorAxis(), e.startParam, e.endParam, e.startParam, e.endParam);
    finish(n);
    return n;
}

Nurbs toNurbs(const BulgePolyline& pl) {
    Nurbs n{2, {}, {}, {}, pl.closed, false};
    auto p3 = [](const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0); };
    for (int i = 0; i < pl.numSegments(); ++i) {
        Segment2 s = segmentAt(pl, i);
        if (n.ctrl.empty()) {
            n.ctrl.push_back(p3(s.start));
            n.weights.push_back(1);
            n.knots.assign(3, 0.0);
        }
        if (!s.arc) {
            n.ctrl.push_back(p3(s.pointAt(0.5)));
            n.ctrl.push_back(p3(s.end));
            n.weights.insert(n.weights.end(), 2, 1.0);
            n.knots.insert(n.knots.end(), 2, double(i + 1));
            continue;
        }
        appendConic(n, p3(s.center), {s.radius, 0, 0}, {0, s.radius, 0}, s.startAngle, s.startAngle + s.sweep,
                    i, i + 1);
        n.ctrl.back() = p3(s.end);
    }
    if (n.ctrl.empty()) return Nurbs{};
    finish(n);
    return n;
}

}  // namespace cvx::geom
