// Offsets of ellipses and NURBS: the parallel curve is sampled, interpolated by a cubic and the samples
// refined where the interpolant strays from the true distance.
#include <algorithm>
#include <cmath>

#include "curves/closest_point.h"
#include "curves/fit.h"
#include "curves/nurbs_from.h"
#include "curves/offset.h"

namespace cvx::geom {

namespace {

std::optional<Nurbs> offsetSampled(const Nurbs& c, double d, const AcGeVector3d& normal) {
    if (!c.isValid()) return std::nullopt;
    auto [lo, hi] = boundingBox(c);
    double tol = 0.25e-6 * std::max(lo.distanceTo(hi), std::fabs(d));  // checked at samples: keep a margin
    auto offsetPoint = [&](double t, AcGeVector3d* tangent) {
        AcGeVector3d dv[2];
        c.derivsAt(t, 1, dv);
        AcGeVector3d right = dv[1].crossProduct(normal).normal();
        if (tangent) *tangent = dv[1];
        return AcGePoint3d::kOrigin + dv[0] + right * d;
    };
    // Eight samples a span to start with, but no more than about 256 in all: an offset's own offset would
    // otherwise start from eight times as many spans each time and soon take minutes. Refinement below adds
    // samples where the curve needs them, with rounds to spare for a coarse start.
    std::vector<double> params;
    std::vector<double> b = c.breakpoints();
    const int perSpan = std::clamp(256 / std::max<int>(1, static_cast<int>(b.size()) - 1), 1, 8);
    for (size_t i = 0; i + 1 < b.size(); ++i)
        for (int k = 0; k < perSpan; ++k) params.push_back(b[i] + (b[i + 1] - b[i]) * k / perSpan);
    params.push_back(c.endParam());
    bool closed = c.startPoint().isEqualTo(c.endPoint(), AcGeTol());
    for (int round = 0; round < 16; ++round) {
        std::vector<AcGePoint3d> pts;
        for (double t : params) pts.push_back(offsetPoint(t, nullptr));
        AcGeVector3d t0, t1;
        offsetPoint(params.front(), &t0);
        offsetPoint(params.back(), &t1);
        FitResult fit = closed ? fitCubic(pts, t0, t1, true) : fitCubic(pts, t0, t1, false);
        if (!fit.ok()) return std::nullopt;
        // check between the fit points; refine where the distance to the source is off
        std::vector<double> refined;
        const Nurbs& f = fit.curve;
        Derivs source = [&c](double t, AcGeVector3d* dd) { c.derivsAt(t, 2, dd); };
        bool done = true;
        for (size_t i = 0; i + 1 < params.size(); ++i) {
            refined.push_back(params[i]);
            double u0 = f.knots[3 + i], u1 = f.knots[4 + i];
            double worst = 0;
            for (double s : {0.25, 0.5, 0.75}) {
                AcGePoint3d q = f.pointAt(u0 + (u1 - u0) * s);
                double tn = nearestParam(source, params[i], params[i + 1], 4, q);  // the foot lies in between
                worst = std::max(worst, std::fabs(c.pointAt(tn).distanceTo(q) - std::fabs(d)));
            }
            if (worst > tol) {
                refined.push_back((params[i] + params[i + 1]) / 2);
                done = false;
            }
        }
        refined.push_back(params.back());
        if (done) return fit.curve;
        if (refined.size() > 20000) break;
        params = refined;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Nurbs> offset(const Ellipse& e, double d) { return offsetSampled(toNurbs(e), d, e.normal); }

std::optional<Nurbs> offset(const Nurbs& c, double d, const AcGeVector3d& normal) {
    return offsetSampled(c, d, normal.normal());
}

}  // namespace cvx::geom
