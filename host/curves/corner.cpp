#include "curves/corner.h"

#include <cmath>
#include <optional>

namespace cvx::geom {
namespace {

std::optional<AcGePoint2d> crossing(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& b0,
                                    const AcGePoint2d& b1) {
    AcGeVector2d u = a1 - a0, v = b1 - b0;
    double d = u.x * v.y - u.y * v.x;
    if (std::fabs(d) <= 1e-12 * u.length() * v.length()) return std::nullopt;
    AcGeVector2d w = b0 - a0;
    double t = (w.x * v.y - w.y * v.x) / d;
    return a0 + u * t;
}

// The unit direction from the corner x toward the kept side of a line (the side of the pick), and the end of
// the line farthest that way.
bool keptSide(const AcGePoint2d& x, const AcGePoint2d& p0, const AcGePoint2d& p1, const AcGePoint2d& pick,
              AcGeVector2d& dir, AcGePoint2d& keep) {
    AcGeVector2d u = (p1 - p0).normal();
    double s = (pick - x).dotProduct(u);
    if (std::fabs(s) <= 1e-12 * std::max(1.0, (pick - x).length())) {
        // Picked at the corner: keep the longer part.
        s = (p0 - x).length() > (p1 - x).length() ? (p0 - x).dotProduct(u) : (p1 - x).dotProduct(u);
    }
    dir = s >= 0 ? u : -u;
    keep = (p0 - x).dotProduct(dir) >= (p1 - x).dotProduct(dir) ? p0 : p1;
    return (keep - x).dotProduct(dir) > 0;
}

bool corner(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& pickA, const AcGePoint2d& b0,
            const AcGePoint2d& b1, const AcGePoint2d& pickB, double radius, double dA, double dB, bool round,
            Corner& out) {
    auto x = crossing(a0, a1, b0, b1);
    if (!x) return false;
    AcGeVector2d ua, ub;
    if (!keptSide(*x, a0, a1, pickA, ua, out.keepA) || !keptSide(*x, b0, b1, pickB, ub, out.keepB)) return false;
    double ta = dA, tb = dB;
    if (round) {
        double half = ua.angleTo(ub) / 2;
        if (half <= 1e-12 || half >= M_PI / 2 - 1e-12) return false;
        ta = tb = radius / std::tan(half);
    }
    if (ta > (out.keepA - *x).length() + 1e-12 || tb > (out.keepB - *x).length() + 1e-12) return false;
    out.a = *x + ua * ta;
    out.b = *x + ub * tb;
    out.hasJoin = ta > 0 || tb > 0;
    if (!out.hasJoin) return true;
    if (!round) {
        out.join = Segment2::line(out.a, out.b);
        return true;
    }
    // The arc turns the way the path keepA -> a -> b -> keepB turns.
    double turn = (-ua).x * ub.y - (-ua).y * ub.x;
    double sweep = M_PI - ua.angleTo(ub);
    out.join = Segment2::fromBulge(out.a, out.b, std::tan((turn > 0 ? sweep : -sweep) / 4));
    return true;
}

int cutCorners(BulgePolyline& pl, double radius, double dA, double dB, bool round) {
    int n = int(pl.v.size());
    if (n < 3) return 0;
    // How much of each segment the cuts already took at its start and at its end.
    std::vector<double> usedStart(n, 0), usedEnd(n, 0);
    std::vector<std::vector<Vertex2>> replace(n);
    int done = 0;
    for (int i = 0; i < n; ++i) {
        if (!pl.closed && (i == 0 || i == n - 1)) continue;
        int prev = (i + n - 1) % n;
        if (pl.v[prev].bulge != 0 || pl.v[i].bulge != 0) continue;
        AcGePoint2d p = pl.v[prev].pt, q = pl.v[i].pt, r = pl.v[(i + 1) % n].pt;
        AcGeVector2d back = p - q, fwd = r - q;
        double lb = back.length(), lf = fwd.length();
        if (lb <= 0 || lf <= 0) continue;
        double between = back.angleTo(fwd);
        if (between <= 1e-9 || between >= M_PI - 1e-9) continue;
        double tb = dA, tf = dB;
        if (round) tb = tf = radius / std::tan(between / 2);
        if (tb <= 0 && tf <= 0) continue;
        if (tb + usedStart[prev] > lb + 1e-12 || tf + usedEnd[i] > lf + 1e-12) continue;
        usedEnd[prev] = tb;
        usedStart[i] = tf;
        AcGePoint2d s = q + back / lb * tb, e = q + fwd / lf * tf;
        double bulge = 0;
        if (round) {
            double turn = (-back).x * fwd.y - (-back).y * fwd.x;
            bulge = std::tan((turn > 0 ? M_PI - between : between - M_PI) / 4);
        }
        replace[i] = {{s, bulge}, {e, 0}};
        ++done;
    }
    if (!done) return 0;
    std::vector<Vertex2> out;
    for (int i = 0; i < n; ++i) {
        if (replace[i].empty()) out.push_back(pl.v[i]);
        else out.insert(out.end(), replace[i].begin(), replace[i].end());
    }
    pl.v = std::move(out);
    return done;
}

}  // namespace

bool filletLines(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& pickA, const AcGePoint2d& b0,
                 const AcGePoint2d& b1, const AcGePoint2d& pickB, double radius, Corner& out) {
    return radius >= 0 && corner(a0, a1, pickA, b0, b1, pickB, radius, 0, 0, radius > 0, out);
}

bool chamferLines(const AcGePoint2d& a0, const AcGePoint2d& a1, const AcGePoint2d& pickA, const AcGePoint2d& b0,
                  const AcGePoint2d& b1, const AcGePoint2d& pickB, double dA, double dB, Corner& out) {
    return dA >= 0 && dB >= 0 && corner(a0, a1, pickA, b0, b1, pickB, 0, dA, dB, false, out);
}

int filletPolyline(BulgePolyline& pl, double radius) { return radius > 0 ? cutCorners(pl, radius, 0, 0, true) : 0; }

int chamferPolyline(BulgePolyline& pl, double dA, double dB) { return cutCorners(pl, 0, dA, dB, false); }

}  // namespace cvx::geom
