#include "curves/nurbs.h"

#include <algorithm>
#include <cmath>

namespace cvx::geom {

namespace {

struct H {  // homogeneous control point (x w, y w, z w, w)
    double x, y, z, w;
    H operator*(double s) const { return {x * s, y * s, z * s, w * s}; }
    H operator+(const H& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
};

std::vector<H> homogeneous(const Nurbs& c) {
    std::vector<H> h(c.ctrl.size());
    for (size_t i = 0; i < h.size(); ++i) {
        double w = c.weight(int(i));
        h[i] = {c.ctrl[i].x * w, c.ctrl[i].y * w, c.ctrl[i].z * w, w};
    }
    return h;
}

void setFromHomogeneous(Nurbs& c, const std::vector<H>& h) {
    bool rational = c.isRational();
    c.ctrl.resize(h.size());
    c.weights.assign(rational ? h.size() : 0, 1.0);
    for (size_t i = 0; i < h.size(); ++i) {
        c.ctrl[i] = {h[i].x / h[i].w, h[i].y / h[i].w, h[i].z / h[i].w};
        if (rational) c.weights[i] = h[i].w;
    }
}

// Non-zero basis functions and their derivatives up to order n at u in span k (The NURBS Book, A2.3).
void basisDerivs(const std::vector<double>& U, int k, double u, int p, int n, double ders[3][8]) {
    double ndu[8][8], left[8], right[8], a[2][8];
    ndu[0][0] = 1;
    for (int j = 1; j <= p; ++j) {
        left[j] = u - U[k + 1 - j];
        right[j] = U[k + j] - u;
        double saved = 0;
        for (int r = 0; r < j; ++r) {
            ndu[j][r] = right[r + 1] + left[j - r];
            double t = ndu[r][j - 1] / ndu[j][r];
            ndu[r][j] = saved + right[r + 1] * t;
            saved = left[j - r] * t;
        }
        ndu[j][j] = saved;
    }
    for (int j = 0; j <= p; ++j) ders[0][j] = ndu[j][p];
    for (int r = 0; r <= p; ++r) {
        int s1 = 0, s2 = 1;
        a[0][0] = 1;
        for (int kk = 1; kk <= n; ++kk) {
            double d = 0;
            int rk = r - kk, pk = p - kk;
            if (r >= kk) {
                a[s2][0] = a[s1][0] / ndu[pk + 1][rk];
                d = a[s2][0] * ndu[rk][pk];
            }
            int j1 = rk >= -1 ? 1 : -rk;
            int j2 = (r - 1 <= pk) ? kk - 1 : p - r;
            for (int j = j1; j <= j2; ++j) {
                a[s2][j] = (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j];
                d += a[s2][j] * ndu[rk + j][pk];
            }
            if (r <= pk) {
                a[s2][kk] = -a[s1][kk - 1] / ndu[pk + 1][r];
                d += a[s2][kk] * ndu[r][pk];
            }
            ders[kk][r] = d;
            std::swap(s1, s2);
        }
    }
    double f = p;
    for (int kk = 1; kk <= n; ++kk) {
        for (int j = 0; j <= p; ++j) ders[kk][j] *= f;
        f *= (p - kk);
    }
}

}  // namespace

void basisAt(const std::vector<double>& knots, int degree, int span, double u, double* N) {
    double d[3][8];
    basisDerivs(knots, span, u, degree, 0, d);
    for (int j = 0; j <= degree; ++j) N[j] = d[0][j];
}

bool Nurbs::isValid() const {
    if (degree < 1 || degree > 7 || ctrl.size() < size_t(degree) + 1) return false;
    if (knots.size() != ctrl.size() + degree + 1) return false;
    if (!weights.empty() && weights.size() != ctrl.size()) return false;
    for (double w : weights)
        if (!(w > 0) || !std::isfinite(w)) return false;
    for (size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1])) return false;
    for (const auto& p : ctrl)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    return endParam() > startParam();
}

int Nurbs::spanOf(double u) const {
    int n = int(ctrl.size()) - 1;
    if (u >= knots[n + 1]) {
        int k = n;
        while (k > degree && knots[k] >= knots[n + 1]) --k;
        return k;
    }
    if (u <= knots[degree]) {
        int k = degree;
        while (k < n && knots[k + 1] <= knots[degree]) ++k;
        return k;
    }
    auto it = std::upper_bound(knots.begin() + degree, knots.begin() + n + 1, u);
    return int(it - knots.begin()) - 1;
}

void Nurbs::derivsAt(double u, int n, AcGeVector3d* d) const {
    u = std::clamp(u, startParam(), endParam());
    int k = spanOf(u);
    double N[3][8];
    basisDerivs(knots, k, u, degree, n, N);
    H A[3] = {};
    for (int o = 0; o <= n; ++o)
        for (int j = 0; j <= degree; ++j) {
            int i = k - degree + j;
            double w = weight(i);
            A[o] = A[o] + H{ctrl[i].x * w, ctrl[i].y * w, ctrl[i].z * w, w} * N[o][j];
        }
    auto vec = [](const H& h) { return AcGeVector3d(h.x, h.y, h.z); };
    d[0] = vec(A[0]) / A[0].w;
    if (n >= 1) d[1] = (vec(A[1]) - d[0] * A[1].w) / A[0].w;
    if (n >= 2) d[2] = (vec(A[2]) - d[1] * (2 * A[1].w) - d[0] * A[2].w) / A[0].w;
}

AcGePoint3d Nurbs::pointAt(double u) const {
    AcGeVector3d d[1];
    derivsAt(u, 0, d);
    return AcGePoint3d::kOrigin + d[0];
}

AcGeVector3d Nurbs::derivAt(double u) const {
    AcGeVector3d d[2];
    derivsAt(u, 1, d);
    return d[1];
}

std::vector<double> Nurbs::breakpoints() const {
    std::vector<double> b;
    double s = startParam(), e = endParam();
    for (double k : knots)
        if (k >= s && k <= e && (b.empty() || k > b.back())) b.push_back(k);
    return b;
}

void insertKnot(Nurbs& c, double u, int times) {
    int p = c.degree;
    for (int t = 0; t < times; ++t) {
        int s = int(std::count(c.knots.begin(), c.knots.end(), u));
        if (s >= p) return;
        int k = int(std::upper_bound(c.knots.begin(), c.knots.end(), u) - c.knots.begin()) - 1;
        if (k < p || k + 1 >= int(c.knots.size())) return;
        std::vector<H> P = homogeneous(c), Q(P.size() + 1);
        for (int i = 0; i <= k - p; ++i) Q[i] = P[i];
        for (size_t i = k - s; i < P.size(); ++i) Q[i + 1] = P[i];
        for (int i = k - p + 1; i <= k - s; ++i) {
            double a = (u - c.knots[i]) / (c.knots[i + p] - c.knots[i]);
            Q[i] = P[i] * a + P[i - 1] * (1 - a);
        }
        c.knots.insert(c.knots.begin() + k + 1, u);
        setFromHomogeneous(c, Q);
    }
}

Nurbs clamped(const Nurbs& c) {
    Nurbs r = c;
    int p = c.degree;
    double s = c.startParam(), e = c.endParam();
    insertKnot(r, s, p);
    insertKnot(r, e, p);
    // with s and e of multiplicity p, control point L-p sits at s and F-1 at e
    int L = int(std::upper_bound(r.knots.begin(), r.knots.end(), s) - r.knots.begin()) - 1;
    int F = int(std::lower_bound(r.knots.begin(), r.knots.end(), e) - r.knots.begin());
    Nurbs out{p, {}, {}, {}, c.closed, false};
    out.knots.assign(p + 1, s);
    out.knots.insert(out.knots.end(), r.knots.begin() + L + 1, r.knots.begin() + F);
    out.knots.insert(out.knots.end(), p + 1, e);
    out.ctrl.assign(r.ctrl.begin() + (L - p), r.ctrl.begin() + F);
    if (r.isRational()) out.weights.assign(r.weights.begin() + (L - p), r.weights.begin() + F);
    return out;
}

bool splitAt(const Nurbs& c, double u, Nurbs& before, Nurbs& after) {
    if (!(u > c.startParam() && u < c.endParam())) return false;
    Nurbs r = clamped(c);
    insertKnot(r, u, r.degree);
    int p = r.degree;
    auto it = std::find(r.knots.begin(), r.knots.end(), u) - r.knots.begin();  // first u
    int m = int(it);  // knots [0, m+p) belong to the first piece, plus one u
    before = Nurbs{p, {}, {}, {}, false, false};
    after = before;
    before.knots.assign(r.knots.begin(), r.knots.begin() + m + p);
    before.knots.push_back(u);
    after.knots.push_back(u);
    after.knots.insert(after.knots.end(), r.knots.begin() + m, r.knots.end());
    int nb = int(before.knots.size()) - p - 1;
    before.ctrl.assign(r.ctrl.begin(), r.ctrl.begin() + nb);
    after.ctrl.assign(r.ctrl.begin() + nb - 1, r.ctrl.end());
    if (r.isRational()) {
        before.weights.assign(r.weights.begin(), r.weights.begin() + nb);
        after.weights.assign(r.weights.begin() + nb - 1, r.weights.end());
    }
    return true;
}

Nurbs reversed(const Nurbs& c) {
    Nurbs r = c;
    std::reverse(r.ctrl.begin(), r.ctrl.end());
    std::reverse(r.weights.begin(), r.weights.end());
    double s = c.startParam() + c.endParam();
    for (size_t i = 0; i < c.knots.size(); ++i) r.knots[i] = s - c.knots[c.knots.size() - 1 - i];
    return r;
}

void transform(Nurbs& c, const AcGeMatrix3d& m) {
    for (auto& p : c.ctrl) p = m * p;
}

std::vector<Nurbs> bezierPieces(const Nurbs& c) {
    Nurbs r = clamped(c);
    std::vector<double> b = r.breakpoints();
    for (size_t i = 1; i + 1 < b.size(); ++i) insertKnot(r, b[i], r.degree);
    std::vector<Nurbs> pieces;
    int p = r.degree;
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        Nurbs z{p, {}, {}, {}, false, false};
        z.knots.assign(p + 1, b[i]);
        z.knots.insert(z.knots.end(), p + 1, b[i + 1]);
        z.ctrl.assign(r.ctrl.begin() + i * p, r.ctrl.begin() + i * p + p + 1);
        if (r.isRational()) z.weights.assign(r.weights.begin() + i * p, r.weights.begin() + i * p + p + 1);
        pieces.push_back(std::move(z));
    }
    return pieces;
}

namespace {
void grow(AcGePoint3d& lo, AcGePoint3d& hi, const AcGePoint3d& p) {
    for (int a = 0; a < 3; ++a) {
        lo[a] = std::min(lo[a], p[a]);
        hi[a] = std::max(hi[a], p[a]);
    }
}

void refineBox(const Nurbs& bez, AcGePoint3d& lo, AcGePoint3d& hi, double tol, int depth) {
    AcGePoint3d hlo = bez.ctrl[0], hhi = bez.ctrl[0];
    for (const auto& p : bez.ctrl) grow(hlo, hhi, p);
    bool inside = true;
    for (int a = 0; a < 3; ++a)
        if (hlo[a] < lo[a] - tol || hhi[a] > hi[a] + tol) inside = false;
    if (inside) return;
    double m = 0.5 * (bez.startParam() + bez.endParam());
    grow(lo, hi, bez.pointAt(m));
    if (depth > 50) return;
    Nurbs a, b;
    if (!splitAt(bez, m, a, b)) return;
    refineBox(a, lo, hi, tol, depth + 1);
    refineBox(b, lo, hi, tol, depth + 1);
}
}  // namespace

std::pair<AcGePoint3d, AcGePoint3d> boundingBox(const Nurbs& c) {
    AcGePoint3d hlo = c.ctrl[0], hhi = c.ctrl[0];
    for (const auto& p : c.ctrl) grow(hlo, hhi, p);
    double tol = 1e-9 * std::max(hlo.distanceTo(hhi), 1e-300);
    auto pieces = bezierPieces(c);
    AcGePoint3d lo = c.startPoint(), hi = lo;
    for (const auto& z : pieces) {
        grow(lo, hi, z.ctrl.front());
        grow(lo, hi, z.ctrl.back());
    }
    for (const auto& z : pieces) refineBox(z, lo, hi, tol, 0);
    AcGeVector3d margin(tol, tol, tol);  // the curve lies within tol of the points found
    return {lo - margin, hi + margin};
}

}  // namespace cvx::geom
