#include "db/curve_eval.h"

#include <algorithm>
#include <cmath>

#include "curves/arc_length.h"
#include "curves/closest_point.h"

using namespace cvx::geom;

namespace {

AcGeVector3d lift(const AcGeMatrix3d& m, const AcGeVector2d& v) { return m * AcGeVector3d(v.x, v.y, 0); }

void polylineDerivs(const PlacedPolyline& pl, double t, AcGeVector3d d[3]) {
    AcGeMatrix3d m = pl.toWorld();
    int n = pl.poly.numSegments();
    if (n == 0) {
        AcGePoint2d p = pl.poly.v.empty() ? AcGePoint2d() : pl.poly.v[0].pt;
        d[0] = (m * AcGePoint3d(p.x, p.y, 0)).asVector();
        d[1] = d[2] = AcGeVector3d();
        return;
    }
    int i = std::clamp(int(std::floor(t)), 0, n - 1);
    double f = t - i;
    Segment2 s = segmentAt(pl.poly, i);
    AcGePoint2d p = s.pointAt(f);
    d[0] = (m * AcGePoint3d(p.x, p.y, 0)).asVector();
    d[1] = lift(m, s.derivAt(f));
    d[2] = s.arc ? lift(m, (p - s.center) * -(s.sweep * s.sweep)) : AcGeVector3d();
}

struct Derivs3 {
    double t;
    AcGeVector3d* d;
    void operator()(const Line& l) const {
        AcGeVector3d u = l.length() > 0 ? l.direction() : AcGeVector3d();
        d[0] = (l.start + u * t).asVector();
        d[1] = u;
        d[2] = AcGeVector3d();
    }
    void operator()(const Arc& a) const {
        d[0] = a.pointAt(t).asVector();
        d[1] = a.tangentAt(t);
        d[2] = a.center - a.pointAt(t);
    }
    void operator()(const Ellipse& e) const {
        d[0] = e.pointAt(t).asVector();
        d[1] = e.derivAt(t);
        d[2] = e.deriv2At(t);
    }
    void operator()(const Nurbs& n) const { n.derivsAt(t, 2, d); }
    void operator()(const PlacedPolyline& pl) const { polylineDerivs(pl, t, d); }
};

// 8-point Gauss-Legendre rule on [-1, 1].
constexpr double kGaussX[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267, 0.9602898564975363};
constexpr double kGaussW[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};

}  // namespace

bool CvxCurve::inRange(double t) const {
    double slack = 1e-12 * std::max({1.0, std::fabs(start), std::fabs(end)});
    return t >= start - slack && t <= end + slack;
}

void CvxCurve::derivs(double t, AcGeVector3d d[3]) const { std::visit(Derivs3{t, d}, g); }

AcGePoint3d CvxCurve::pointAt(double t) const {
    AcGeVector3d d[3];
    derivs(t, d);
    return AcGePoint3d::kOrigin + d[0];
}

double CvxCurve::length() const {
    auto* n = std::get_if<Nurbs>(&g);
    if (n && start == n->startParam() && end == n->endParam()) return cvx::geom::length(*n);  // measured once
    return distAt(end);
}

double CvxCurve::distAt(double t) const {
    if (std::holds_alternative<Line>(g)) return t;
    if (auto* a = std::get_if<Arc>(&g)) return a->radius * (t - start);
    if (auto* e = std::get_if<Ellipse>(&g)) return lengthBetween(*e, start, t);
    if (auto* n = std::get_if<Nurbs>(&g)) return lengthBetween(*n, start, t);
    return lengthAtParam(std::get<PlacedPolyline>(g).poly, t);
}

bool CvxCurve::paramAtDist(double s, double& t) const {
    double len = length(), slack = 1e-10 * std::max(len, 1e-300);
    if (!(s >= -slack && s <= len + slack)) return false;
    s = std::clamp(s, 0.0, len);
    if (s == 0) return t = start, true;
    if (s == len) return t = end, true;
    if (std::holds_alternative<Line>(g)) return t = s, true;
    if (auto* a = std::get_if<Arc>(&g)) return t = start + s / a->radius, true;
    if (auto* e = std::get_if<Ellipse>(&g)) return paramAtLength(*e, s, t);
    if (auto* n = std::get_if<Nurbs>(&g)) return paramAtLength(*n, s, t);
    t = paramAtLength(std::get<PlacedPolyline>(g).poly, s);
    return t >= 0;
}

double CvxCurve::nearest(const AcGePoint3d& p, bool extend, AcGePoint3d& at) const {
    double t = start;
    if (auto* l = std::get_if<Line>(&g)) at = closestPoint(*l, p, extend, &t);
    else if (auto* a = std::get_if<Arc>(&g)) at = closestPoint(*a, p, extend, &t);
    else {
        t = paramAtPoint(g, p);
        at = pointAt(t);
    }
    return t;
}

double CvxCurve::nearestAlong(const AcGePoint3d& p, const AcGeVector3d& dir, bool extend, AcGePoint3d& at) const {
    AcGeVector3d u = dir.normal();
    auto flat = [&u](const AcGeVector3d& v) { return v - u * v.dotProduct(u); };
    if (auto* l = std::get_if<Line>(&g)) {  // closed form: the nearest point of the seen line
        AcGeVector3d w = flat(l->end - l->start), r = flat(p - l->start);
        double len = l->length(), f = w.lengthSqrd() > 0 ? r.dotProduct(w) / w.lengthSqrd() : 0.0;
        if (!extend) f = std::clamp(f, 0.0, 1.0);
        at = l->start + (l->end - l->start) * f;
        return f * len;
    }
    Derivs f = [&](double t, AcGeVector3d* d) {
        derivs(t, d);
        for (int k = 0; k < 3; ++k) d[k] = flat(d[k]);
    };
    AcGePoint3d target = AcGePoint3d::kOrigin + flat(p.asVector());
    std::vector<double> b = spans();
    if (extend && std::holds_alternative<Arc>(g)) b = {start, start + kTwoPi};
    double bestT = b.front(), best = INFINITY;
    AcGeVector3d d[3];
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        double t = nearestParam(f, b[i], b[i + 1], 16, target);
        f(t, d);
        double dist = (d[0] - target.asVector()).length();
        if (dist < best) best = dist, bestT = t;
    }
    at = pointAt(bestT);
    return bestT;
}

std::vector<double> CvxCurve::spans() const {
    if (auto* n = std::get_if<Nurbs>(&g)) return n->breakpoints();
    if (auto* pl = std::get_if<PlacedPolyline>(&g)) {
        std::vector<double> b;
        for (int i = 0; i <= pl->poly.numSegments(); ++i) b.push_back(i);
        if (b.size() < 2) b = {0, 0};
        return b;
    }
    return {start, end};
}

bool cvxCurveOf(const AcDbCurve* curve, CvxCurve& out) {
    if (!curve || !cvxCurveGeometry(curve, out.g)) return false;
    if (auto* l = std::get_if<Line>(&out.g)) {
        out.start = 0, out.end = l->length();
    } else if (auto* a = std::get_if<Arc>(&out.g)) {
        out.start = a->startAngle, out.end = a->endAngle, out.closed = a->isFull();
    } else if (auto* e = std::get_if<Ellipse>(&out.g)) {
        out.start = e->startParam, out.end = e->endParam, out.closed = e->isFull();
    } else if (auto* n = std::get_if<Nurbs>(&out.g)) {
        out.start = n->startParam(), out.end = n->endParam();
        out.closed = n->closed || n->periodic;
    } else {
        auto& pl = std::get<PlacedPolyline>(out.g);
        out.start = 0, out.end = pl.poly.numSegments(), out.closed = pl.poly.closed && out.end > 0;
    }
    auto [lo, hi] = roughBox(out.g);
    out.size = lo.distanceTo(hi);
    if (!std::isfinite(out.size)) return false;
    if (!out.closed && out.end > out.start)
        out.closed = out.pointAt(out.start).distanceTo(out.pointAt(out.end)) <= out.tolerance();
    return true;
}

int cvxPlaneOfPoints(const std::vector<AcGePoint3d>& pts, AcGeVector3d& normal) {
    normal = AcGeVector3d::kZAxis;
    if (pts.empty()) return 2;
    const AcGePoint3d& o = pts[0];
    AcGeVector3d a;
    for (const auto& p : pts)
        if ((p - o).lengthSqrd() > a.lengthSqrd()) a = p - o;
    double size = a.length();
    AcGeVector3d n;
    for (const auto& p : pts) {
        AcGeVector3d c = a.crossProduct(p - o);
        if (c.lengthSqrd() > n.lengthSqrd()) n = c;
    }
    auto up = [](AcGeVector3d v) {
        v.normalize();
        if (v.z < 0 || (v.z == 0 && (v.y < 0 || (v.y == 0 && v.x < 0)))) v = -v;
        return v;
    };
    if (size == 0 || n.length() <= 1e-10 * size * size) {
        if (size > 0 && !a.isPerpendicularTo(AcGeVector3d::kZAxis)) normal = up(a.perpVector());
        return 2;
    }
    normal = up(n);
    double tol = 1e-9 * size + 1e-12;
    for (const auto& p : pts)
        if (std::fabs((p - o).dotProduct(normal)) > tol) return 0;
    return 1;
}

AcGeVector3d cvxVectorArea(const CvxCurve& c) {
    AcGePoint3d p0 = c.pointAt(c.start);
    std::vector<double> b = c.spans();
    AcGeVector3d sum, d[3];
    const int pieces = 8;
    for (size_t i = 0; i + 1 < b.size(); ++i)
        for (int k = 0; k < pieces; ++k) {
            double a0 = b[i] + (b[i + 1] - b[i]) * k / pieces, a1 = b[i] + (b[i + 1] - b[i]) * (k + 1) / pieces;
            double mid = 0.5 * (a0 + a1), half = 0.5 * (a1 - a0);
            for (int g = 0; g < 4; ++g)
                for (double s : {-1.0, 1.0}) {
                    c.derivs(mid + s * half * kGaussX[g], d);
                    sum += (d[0] - p0.asVector()).crossProduct(d[1]) * (kGaussW[g] * half);
                }
        }
    return sum * 0.5;
}
