#include "curves/fit.h"

#include <cmath>

namespace cvx::geom {

namespace {

// Tangent at the middle point b of the parabola through a, b, c with chord spacings h1 = |ab|, h2 = |bc|.
AcGeVector3d middleTangent(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
    double h1 = a.distanceTo(b), h2 = b.distanceTo(c);
    AcGeVector3d d1 = (b - a) / h1, d2 = (c - b) / h2;
    return (d1 * h2 + d2 * h1) / (h1 + h2);
}

// Tangent at the first point a of the parabola through a, b, c.
AcGeVector3d endTangent(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
    double h1 = a.distanceTo(b), h2 = b.distanceTo(c);
    AcGeVector3d d1 = (b - a) / h1, d2 = (c - b) / h2;
    return d1 * ((2 * h1 + h2) / (h1 + h2)) - d2 * (h1 / (h1 + h2));
}

}  // namespace

FitResult fitCubic(const std::vector<AcGePoint3d>& input, const AcGeVector3d& startTangent,
                   const AcGeVector3d& endTangentIn, bool closed) {
    FitResult res;
    std::vector<AcGePoint3d> Q = input;
    for (const auto& p : Q)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
            res.error = "fit point is not a finite number";
            return res;
        }
    if (Q.size() < 2) {
        res.error = "at least two fit points are needed";
        return res;
    }
    double size = 0;
    for (const auto& p : Q) size = std::max(size, p.asVector().length());
    double tol = 1e-12 * std::max(size, 1.0);
    if (closed && Q.size() > 2 && Q.front().distanceTo(Q.back()) <= tol) Q.pop_back();
    for (size_t i = 1; i < Q.size(); ++i)
        if (Q[i].distanceTo(Q[i - 1]) <= tol) {
            res.error = "two consecutive fit points coincide";
            return res;
        }
    if (closed) {
        if (Q.size() < 3) {
            res.error = "a closed curve needs at least three distinct fit points";
            return res;
        }
        Q.push_back(Q.front());
    }
    int n = int(Q.size()) - 1;
    std::vector<double> t(n + 1, 0.0);
    for (int k = 1; k <= n; ++k) t[k] = t[k - 1] + Q[k].distanceTo(Q[k - 1]);

    AcGeVector3d D0 = startTangent, Dn = endTangentIn;
    if (closed) {
        if (D0.isZeroLength()) D0 = middleTangent(Q[n - 1], Q[0], Q[1]);
        Dn = D0;
    }
    if (!D0.isZeroLength()) D0 = D0.normal();
    else D0 = n >= 2 ? endTangent(Q[0], Q[1], Q[2]) : (Q[1] - Q[0]).normal();
    if (!Dn.isZeroLength()) Dn = Dn.normal();
    else Dn = n >= 2 ? -endTangent(Q[n], Q[n - 1], Q[n - 2]) : (Q[1] - Q[0]).normal();

    Nurbs& c = res.curve;
    c.degree = 3;
    c.closed = closed;
    c.knots.assign(4, t[0]);
    for (int k = 1; k < n; ++k) c.knots.push_back(t[k]);
    c.knots.insert(c.knots.end(), 4, t[n]);
    std::vector<AcGePoint3d>& P = c.ctrl;
    P.assign(n + 3, AcGePoint3d());
    P[0] = Q[0];
    P[1] = Q[0] + D0 * ((t[1] - t[0]) / 3);
    P[n + 1] = Q[n] - Dn * ((t[n] - t[n - 1]) / 3);
    P[n + 2] = Q[n];
    // Interior conditions C(t_k) = Q_k, k = 1..n-1: tridiagonal in P_{k}, P_{k+1}, P_{k+2}.
    int m = n - 1;
    if (m > 0) {
        std::vector<double> a(m), b(m), cc(m);
        std::vector<AcGeVector3d> r(m);
        for (int k = 1; k <= n - 1; ++k) {
            double N[4];
            basisAt(c.knots, 3, 3 + k, t[k], N);
            int row = k - 1;
            a[row] = N[0];
            b[row] = N[1];
            cc[row] = N[2];
            r[row] = Q[k].asVector();
            if (k == 1) r[row] -= P[1].asVector() * N[0];
            if (k == n - 1) r[row] -= P[n + 1].asVector() * N[2];
        }
        for (int i = 1; i < m; ++i) {  // forward elimination (the system is totally positive)
            double w = a[i] / b[i - 1];
            b[i] -= w * cc[i - 1];
            r[i] -= r[i - 1] * w;
        }
        AcGeVector3d x = r[m - 1] / b[m - 1];
        P[m + 1] = AcGePoint3d::kOrigin + x;
        for (int i = m - 2; i >= 0; --i) {
            x = (r[i] - x * cc[i]) / b[i];
            P[i + 2] = AcGePoint3d::kOrigin + x;
        }
    }
    return res;
}

}  // namespace cvx::geom
