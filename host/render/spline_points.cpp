// The one place the renderer evaluates spline geometry; it goes through the curve library's NURBS form.
#include <algorithm>
#include <cmath>

#include "curves/nurbs.h"
#include "cvx/dbents.h"
#include "render/flatten.h"

namespace cvx::render {

std::vector<AcGePoint3d> splinePoints(const AcDbSpline& spline, double tol) {
    geom::Nurbs c;
    c.degree = spline.degree();
    c.ctrl = spline.controlPoints();
    c.knots = spline.knots();
    c.weights = spline.weights();  // periodic curves are stored unwrapped: the knots say it all
    if (!c.isValid()) return spline.fitPoints();

    std::vector<AcGePoint3d> pts{c.startPoint()};
    for (int k = c.degree; k + c.degree + 1 < int(c.knots.size()); ++k) {
        double u0 = c.knots[k], u1 = c.knots[k + 1];
        if (!(u1 > u0)) continue;
        // Chord error bound of a Bezier piece, taken over the span's control points.
        double dd = 0;
        for (int i = k - c.degree; i + 2 <= k; ++i)
            dd = std::max(dd, (c.ctrl[i + 2] - c.ctrl[i + 1] - (c.ctrl[i + 1] - c.ctrl[i])).length());
        int p = c.degree;
        int n = tol > 0 ? static_cast<int>(std::ceil(std::sqrt(p * std::max(p - 1, 1) * dd / (8 * tol)))) : 16;
        n = std::clamp(n, 1, 512);
        for (int i = 1; i <= n; ++i) pts.push_back(c.pointAt(u0 + (u1 - u0) * i / n));
    }
    return pts;
}

}  // namespace cvx::render
