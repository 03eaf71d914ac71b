#include "curves/closest_point.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cvx::geom {

double nearestParam(const Derivs& f, double a, double b, int samples, const AcGePoint3d& p) {
    AcGeVector3d pv = p.asVector(), d[3];
    auto dist2 = [&](double t) {
        f(t, d);
        return (d[0] - pv).lengthSqrd();
    };
    std::vector<std::pair<double, double>> cand;  // (squared distance, parameter) at the samples
    for (int i = 0; i <= samples; ++i) {
        double t = a + (b - a) * i / samples;
        cand.push_back({dist2(t), t});
    }
    double h = (b - a) / samples;
    double bestT = a, best = INFINITY;
    // refine every local minimum of the samples
    for (int i = 0; i <= samples; ++i) {
        bool local = (i == 0 || cand[i].first <= cand[i - 1].first) &&
                     (i == samples || cand[i].first <= cand[i + 1].first);
        if (!local) continue;
        double t = cand[i].second, lo = std::max(a, t - h), hi = std::min(b, t + h);
        // derivatives from inside the range: at a knot on its end they would belong to the next piece
        double inA = std::nextafter(a, b), inB = std::nextafter(b, a);
        for (int it = 0; it < 50; ++it) {
            f(std::clamp(t, std::min(inA, inB), std::max(inA, inB)), d);
            AcGeVector3d r = d[0] - pv;
            double g = r.dotProduct(d[1]), H = d[1].lengthSqrd() + r.dotProduct(d[2]);
            double next = H > 0 ? t - g / H : (g > 0 ? lo : hi);
            next = std::clamp(next, lo, hi);
            if (std::fabs(next - t) <= 1e-15 * (std::fabs(t) + (b - a))) {
                t = next;
                break;
            }
            t = next;
        }
        double dd = dist2(t);
        if (dd < best) best = dd, bestT = t;
        if (cand[i].first < best) best = cand[i].first, bestT = cand[i].second;
    }
    return bestT;
}

AcGePoint3d closestPoint(const Line& l, const AcGePoint3d& p, bool extend, double* param) {
    double len = l.length();
    double t = len > 0 ? (p - l.start).dotProduct(l.end - l.start) / len : 0.0;
    if (!extend) t = std::clamp(t, 0.0, len);
    if (param) *param = t;
    return len > 0 ? l.pointAt(t) : l.start;
}

AcGePoint3d closestPoint(const Arc& a, const AcGePoint3d& p, bool extend, double* param) {
    AcGeVector3d v = p - a.center;
    v -= a.normal * v.dotProduct(a.normal);
    double t = v.isZeroLength() ? a.startAngle : a.angleOf(p);
    if (!extend && !a.isFull() && t > a.endAngle) {
        // outside the sweep: the nearer end
        double ds = a.pointAt(a.startAngle).distanceTo(p), de = a.pointAt(a.endAngle).distanceTo(p);
        t = ds <= de ? a.startAngle : a.endAngle;
    }
    if (param) *param = t;
    return a.pointAt(t);
}

AcGePoint3d closestPoint(const Ellipse& e, const AcGePoint3d& p, double* param) {
    Derivs f = [&e](double t, AcGeVector3d* d) {
        d[0] = e.pointAt(t).asVector();
        d[1] = e.derivAt(t);
        d[2] = e.deriv2At(t);
    };
    double t = nearestParam(f, e.startParam, e.endParam, 32, p);
    if (param) *param = t;
    return e.pointAt(t);
}

AcGePoint3d closestPoint(const Nurbs& c, const AcGePoint3d& p, double* param) {
    Derivs f = [&c](double t, AcGeVector3d* d) { c.derivsAt(t, 2, d); };
    std::vector<double> b = c.breakpoints();
    double bestT = c.startParam(), best = INFINITY;
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        double t = nearestParam(f, b[i], b[i + 1], 4 * c.degree, p);
        double d = c.pointAt(t).distanceTo(p);
        if (d < best) best = d, bestT = t;
    }
    if (param) *param = bestT;
    return c.pointAt(bestT);
}

}  // namespace cvx::geom
