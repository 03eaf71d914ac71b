#include "render/flatten.h"

#include <algorithm>
#include <cmath>

namespace cvx::render {

namespace {
constexpr int kMeasureDivisionsPerTurn = 256;
constexpr int kMaxDivisions = 4096;
}  // namespace

int arcDivisions(double radius, double sweep, double tol) {
    sweep = std::fabs(sweep);
    double step;
    if (tol <= 0 || tol >= radius)
        step = tol <= 0 ? geom::kTwoPi / kMeasureDivisionsPerTurn : M_PI / 2;
    else
        step = 2 * std::acos(1 - tol / radius);
    int n = static_cast<int>(std::ceil(sweep / step));
    return std::clamp(n, 1, kMaxDivisions);
}

std::vector<AcGePoint3d> arcPoints(const geom::Arc& arc, double tol) {
    int n = arcDivisions(arc.radius, arc.sweep(), tol);
    std::vector<AcGePoint3d> pts;
    pts.reserve(n + 1);
    for (int i = 0; i <= n; ++i) pts.push_back(arc.pointAt(arc.startAngle + arc.sweep() * i / n));
    return pts;
}

std::vector<AcGePoint3d> ellipsePoints(const geom::Ellipse& e, double tol) {
    double span = e.endParam - e.startParam;
    int n = arcDivisions(e.majorRadius(), span, tol);
    std::vector<AcGePoint3d> pts;
    pts.reserve(n + 1);
    for (int i = 0; i <= n; ++i) pts.push_back(e.pointAt(e.startParam + span * i / n));
    return pts;
}

std::vector<AcGePoint2d> segmentPoints(const geom::Segment2& seg, double tol) {
    if (!seg.arc) return {seg.start, seg.end};
    int n = arcDivisions(seg.radius, seg.sweep, tol);
    std::vector<AcGePoint2d> pts;
    pts.reserve(n + 1);
    pts.push_back(seg.start);
    for (int i = 1; i < n; ++i) pts.push_back(seg.pointAt(double(i) / n));
    pts.push_back(seg.end);
    return pts;
}

std::vector<AcGePoint2d> bulgePolylinePoints(const geom::BulgePolyline& pl, double tol) {
    std::vector<AcGePoint2d> pts;
    if (pl.v.size() == 1) return {pl.v[0].pt};
    for (const auto& seg : geom::segments(pl)) {
        auto piece = segmentPoints(seg, tol);
        pts.insert(pts.end(), pts.empty() ? piece.begin() : piece.begin() + 1, piece.end());
    }
    return pts;
}

void appendBezier(std::vector<AcGePoint2d>& out, const AcGePoint2d* c, int degree, double tol) {
    // The chord of a Bezier piece cut into n parts strays at most d (d - 1) / 8 * max|second difference| / n^2.
    double dd = 0;
    for (int i = 0; i + 2 <= degree; ++i)
        dd = std::max(dd, (c[i + 2] - c[i + 1] - (c[i + 1] - c[i])).length());
    int n = tol > 0 ? static_cast<int>(std::ceil(std::sqrt(degree * (degree - 1) * dd / (8 * tol)))) : 16;
    n = std::clamp(n, 1, 64);
    for (int i = 1; i <= n; ++i) {
        double t = double(i) / n, s = 1 - t;
        if (degree == 2)
            out.push_back({s * s * c[0].x + 2 * s * t * c[1].x + t * t * c[2].x,
                           s * s * c[0].y + 2 * s * t * c[1].y + t * t * c[2].y});
        else
            out.push_back({s * s * s * c[0].x + 3 * s * s * t * c[1].x + 3 * s * t * t * c[2].x + t * t * t * c[3].x,
                           s * s * s * c[0].y + 3 * s * s * t * c[1].y + 3 * s * t * t * c[2].y + t * t * t * c[3].y});
    }
}

}  // namespace cvx::render
