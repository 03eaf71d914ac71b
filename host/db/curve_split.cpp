// Splitting a curve at parameters into pieces of the same kind (a circle or full ellipse into arcs).
// A closed curve gives one piece per parameter, the last running over the start to the first parameter.
#include <algorithm>
#include <cmath>

#include "curves/nurbs.h"
#include "db/curve_entities.h"
#include "db/curve_eval.h"

using namespace cvx::geom;

namespace {

// Part of a NURBS curve between two parameters inside its domain.
Nurbs piece(const Nurbs& n, double a, double b) {
    Nurbs c = n.periodic ? clamped(n) : n, l, r;
    double eps = 1e-12 * (c.endParam() - c.startParam());
    if (b < c.endParam() - eps && splitAt(c, b, l, r)) c = l;
    if (a > c.startParam() + eps && splitAt(c, a, l, r)) c = r;
    c.closed = c.periodic = false;
    return c;
}

// Two clamped curves of the same degree, the second starting where the first ends, as one.
Nurbs joined(const Nurbs& a, const Nurbs& b) {
    Nurbs out = a;
    int p = a.degree;
    double shift = a.endParam() - b.startParam();
    out.knots.pop_back();
    for (size_t i = p + 1; i < b.knots.size(); ++i) out.knots.push_back(b.knots[i] + shift);
    double scale = a.isRational() || b.isRational() ? a.weight(int(a.ctrl.size()) - 1) / b.weight(0) : 1;
    if (a.isRational() || b.isRational()) out.weights.resize(a.ctrl.size(), 1.0);
    for (size_t i = 1; i < b.ctrl.size(); ++i) {
        out.ctrl.push_back(b.ctrl[i]);
        if (!out.weights.empty()) out.weights.push_back(b.weight(int(i)) * scale);
    }
    return out;
}

// The vertices of a polyline from parameter a to b (b may run past the end of a closed one).
BulgePolyline subPolyline(const BulgePolyline& pl, double a, double b) {
    int n = pl.numSegments();
    BulgePolyline out;
    auto add = [&out](const Segment2& s) {
        if (out.v.empty()) out.v.push_back({s.start, 0});
        out.v.back().bulge = s.bulge();
        out.v.push_back({s.end, 0});
    };
    for (int k = int(std::floor(a)); k < b - 1e-12; ++k) {
        double f0 = std::max(a - k, 0.0), f1 = std::min(b - k, 1.0);
        if (f1 - f0 <= 1e-12) continue;
        Segment2 s = segmentAt(pl, ((k % n) + n) % n);
        Segment2 part = s.arc ? Segment2::fromArc(s.center, s.radius, s.startAngle + s.sweep * f0, s.sweep * (f1 - f0))
                              : Segment2::line(s.pointAt(f0), s.pointAt(f1));
        part.start = s.pointAt(f0);
        part.end = s.pointAt(f1);
        add(part);
    }
    return out;
}

AcDbCurve* pieceOf(const AcDbCurve* src, const CvxCurve& c, double a, double b) {
    double span = c.end - c.start;
    if (auto* l = std::get_if<Line>(&c.g)) return new AcDbLine(l->pointAt(a), l->pointAt(b));
    if (auto* arc = std::get_if<Arc>(&c.g)) {
        Arc r = *arc;
        r.startAngle = a, r.endAngle = b;
        return cvxNewCurve(r);
    }
    if (auto* e = std::get_if<Ellipse>(&c.g)) {
        Ellipse r = *e;
        r.startParam = a, r.endParam = b;
        return cvxNewCurve(r);
    }
    if (auto* n = std::get_if<Nurbs>(&c.g)) {
        Nurbs part = b <= c.end ? piece(*n, a, b) : joined(piece(*n, a, c.end), piece(*n, c.start, b - span));
        if (AcDb3dPolyline::cast(src)) {
            std::vector<AcGePoint3d> pts{part.ctrl.begin(), part.ctrl.end()};
            return cvxNew3dPolyline(pts, false);
        }
        return cvxNewSpline(part);
    }
    PlacedPolyline pl = std::get<PlacedPolyline>(c.g);
    pl.poly = subPolyline(pl.poly, a, b);
    if (AcDb2dPolyline::cast(src)) return cvxNew2dPolyline(pl);
    return cvxNewPolyline(pl);
}

}  // namespace

Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curves) const {
    CvxCurve c;
    if (!cvxCurveOf(this, c) || !(c.end > c.start)) return Acad::eDegenerateGeometry;
    std::vector<double> cuts;
    double eps = 1e-10 * std::max({1.0, std::fabs(c.start), std::fabs(c.end)});
    for (double t : params.vec()) {
        if (!c.inRange(t)) return Acad::eInvalidInput;
        cuts.push_back(std::clamp(t, c.start, c.end));
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<double> at;  // distinct cuts; an open curve is not cut at its ends
    for (double t : cuts) {
        if (!c.closed && (t <= c.start + eps || t >= c.end - eps)) continue;
        if (c.closed && t >= c.end - eps) t = c.start;
        if (at.empty() || t > at.back() + eps) at.push_back(t);
    }
    if (at.empty()) return Acad::eInvalidInput;
    std::vector<std::pair<double, double>> ranges;
    if (c.closed) {
        for (size_t i = 0; i < at.size(); ++i)
            ranges.push_back({at[i], i + 1 < at.size() ? at[i + 1] : at[0] + (c.end - c.start)});
    } else {
        double from = c.start;
        for (double t : at) ranges.push_back({from, t}), from = t;
        ranges.push_back({from, c.end});
    }
    for (auto [a, b] : ranges) {
        AcDbCurve* p = pieceOf(this, c, a, b);
        p->setPropertiesFrom(this);
        curves.append(p);
    }
    return Acad::eOk;
}
