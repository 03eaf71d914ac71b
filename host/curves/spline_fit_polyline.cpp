#include "curves/spline_fit_polyline.h"

#include <algorithm>

namespace cvx::geom {

Nurbs splineFitCurve(const std::vector<AcGePoint3d>& ctrl, int degree, bool closed) {
    int n = int(ctrl.size());
    if (n < 2) return {};
    if (closed && n < 3) closed = false;
    int p = std::clamp(degree, 1, n - 1);
    if (closed) p = std::min(p, n - 1);
    Nurbs c{p, {}, ctrl, {}, closed, closed};
    if (closed) {  // periodic: wrap the first p vertices, uniform knots
        for (int i = 0; i < p; ++i) c.ctrl.push_back(ctrl[i]);
        for (int i = 0; i <= n + 2 * p; ++i) c.knots.push_back(i - p);
        return c;
    }
    c.knots.assign(p + 1, 0.0);
    for (int i = 1; i < n - p; ++i) c.knots.push_back(i);
    c.knots.insert(c.knots.end(), p + 1, double(n - p));
    return c;
}

std::vector<AcGePoint3d> splineFitVertices(const std::vector<AcGePoint3d>& ctrl, int degree, bool closed,
                                           int segs) {
    Nurbs c = splineFitCurve(ctrl, degree, closed);
    if (c.ctrl.empty()) return ctrl;
    segs = std::max(segs, 1);
    int spans = int(c.endParam() - c.startParam() + 0.5);
    std::vector<AcGePoint3d> pts;
    int count = spans * segs + (c.closed ? 0 : 1);
    for (int i = 0; i < count; ++i) pts.push_back(c.pointAt(c.startParam() + double(i) / segs));
    return pts;
}

}  // namespace cvx::geom
