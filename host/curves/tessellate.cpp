#include "curves/tessellate.h"

#include <algorithm>
#include <cmath>

namespace cvx::geom {

namespace {

double deviation(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& p) {
    AcGeVector3d d = b - a;
    double len = d.length();
    return len > 0 ? (p - a).crossProduct(d).length() / len : p.distanceTo(a);
}

void refine(const Nurbs& c, double t0, double t1, const AcGePoint3d& p0, const AcGePoint3d& p1, double tol,
            int depth, std::vector<AcGePoint3d>& out) {
    double worst = 0;
    for (double s : {0.25, 0.5, 0.75}) worst = std::max(worst, deviation(p0, p1, c.pointAt(t0 + (t1 - t0) * s)));
    if (worst > tol && depth < 24) {
        double m = (t0 + t1) / 2;
        AcGePoint3d pm = c.pointAt(m);
        refine(c, t0, m, p0, pm, tol, depth + 1, out);
        refine(c, m, t1, pm, p1, tol, depth + 1, out);
        return;
    }
    out.push_back(p1);
}

}  // namespace

double chordTolerance(const Nurbs& c, int precision) {
    auto [lo, hi] = boundingBox(c);
    double p = std::max(precision, 1);
    return std::max(lo.distanceTo(hi), 1e-300) / (10 * p * p);
}

std::vector<AcGePoint3d> toPolyline(const Nurbs& c, int precision, unsigned maxSegments) {
    if (!c.isValid() || maxSegments == 0) return {};
    std::vector<double> b = c.breakpoints();
    for (double tol = chordTolerance(c, precision);; tol *= 2) {
        std::vector<AcGePoint3d> pts{c.startPoint()};
        for (size_t i = 0; i + 1 < b.size(); ++i)
            refine(c, b[i], b[i + 1], c.pointAt(b[i]), c.pointAt(b[i + 1]), tol, 0, pts);
        if (pts.size() <= size_t(maxSegments) + 1) return pts;
        if (b.size() - 1 > maxSegments) {  // even one point per span is too many: sample evenly
            std::vector<AcGePoint3d> even;
            for (unsigned k = 0; k <= maxSegments; ++k)
                even.push_back(c.pointAt(c.startParam() + (c.endParam() - c.startParam()) * k / maxSegments));
            return even;
        }
    }
}

}  // namespace cvx::geom
