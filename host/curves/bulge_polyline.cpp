#include "curves/bulge_polyline.h"

#include <algorithm>
#include <cmath>

#include "curves/primitives.h"

namespace cvx::geom {

Segment2 Segment2::line(const AcGePoint2d& a, const AcGePoint2d& b) {
    Segment2 s;
    s.start = a;
    s.end = b;
    return s;
}

Segment2 Segment2::fromBulge(const AcGePoint2d& a, const AcGePoint2d& b, double bulge) {
    Segment2 s = line(a, b);
    double chord = std::sqrt((b - a).lengthSqrd());
    if (std::fabs(bulge) < 1e-12 || chord <= 0) return s;
    s.arc = true;
    s.sweep = 4 * std::atan(bulge);
    s.radius = chord / (2 * std::sin(std::fabs(s.sweep) / 2));
    AcGeVector2d d = (b - a) / chord;
    double h = chord / 2 * (1 - bulge * bulge) / (2 * bulge);  // signed distance of the centre to the left
    s.center = AcGePoint2d((a.x + b.x) / 2, (a.y + b.y) / 2) + d.perpVector() * h;
    s.startAngle = std::atan2(a.y - s.center.y, a.x - s.center.x);
    return s;
}

Segment2 Segment2::fromArc(const AcGePoint2d& c, double r, double a0, double sweep) {
    Segment2 s;
    s.arc = true;
    s.center = c;
    s.radius = r;
    s.startAngle = a0;
    s.sweep = sweep;
    s.start = s.pointAt(0);
    s.end = s.pointAt(1);
    return s;
}

double Segment2::bulge() const { return arc ? std::tan(sweep / 4) : 0.0; }

double Segment2::length() const { return arc ? radius * std::fabs(sweep) : std::sqrt((end - start).lengthSqrd()); }

AcGePoint2d Segment2::pointAt(double f) const {
    if (!arc) return start + (end - start) * f;
    double a = startAngle + sweep * f;
    return {center.x + radius * std::cos(a), center.y + radius * std::sin(a)};
}

AcGeVector2d Segment2::derivAt(double f) const {
    if (!arc) return end - start;
    double a = startAngle + sweep * f;
    return AcGeVector2d(-std::sin(a), std::cos(a)) * (radius * sweep);
}

double Segment2::fractionOf(const AcGePoint2d& p) const {
    if (!arc) {
        AcGeVector2d d = end - start;
        double l2 = d.lengthSqrd();
        return l2 > 0 ? (p - start).dotProduct(d) / l2 : 0.0;
    }
    // angle measured from the start in the direction of travel, centred on the arc's middle
    double a = std::atan2(p.y - center.y, p.x - center.x);
    double rel = sweep > 0 ? a - startAngle : startAngle - a;
    rel = wrapAngle(rel, std::fabs(sweep) / 2 - M_PI);
    return rel / std::fabs(sweep);
}

AcGePoint2d Segment2::closestPoint(const AcGePoint2d& p, double& f) const {
    f = std::clamp(fractionOf(p), 0.0, 1.0);
    if (arc && p.x == center.x && p.y == center.y) f = 0;
    return pointAt(f);
}

Segment2 Segment2::reversed() const {
    if (!arc) return line(end, start);
    return fromArc(center, radius, startAngle + sweep, -sweep);
}

Segment2 segmentAt(const BulgePolyline& pl, int i) {
    int n = int(pl.v.size());
    const Vertex2& a = pl.v[i];
    const Vertex2& b = pl.v[(i + 1) % n];
    Segment2 s = Segment2::fromBulge(a.pt, b.pt, a.bulge);
    s.start = a.pt;  // exact vertex positions at both ends
    s.end = b.pt;
    return s;
}

std::vector<Segment2> segments(const BulgePolyline& pl) {
    std::vector<Segment2> s;
    for (int i = 0; i < pl.numSegments(); ++i) s.push_back(segmentAt(pl, i));
    return s;
}

BulgePolyline fromSegments(const std::vector<Segment2>& segs, bool closed) {
    BulgePolyline pl;
    pl.closed = closed;
    for (const auto& s : segs) pl.v.push_back({s.start, s.bulge()});
    if (!closed && !segs.empty()) pl.v.push_back({segs.back().end, 0});
    return pl;
}

namespace {
// Segment index and fraction of a parameter, clamped to the polyline.
int splitParam(const BulgePolyline& pl, double param, double& f) {
    int n = pl.numSegments();
    param = std::clamp(param, 0.0, double(n));
    int i = std::min(int(std::floor(param)), n - 1);
    f = param - i;
    return i;
}
}  // namespace

AcGePoint2d pointAtParam(const BulgePolyline& pl, double param) {
    if (pl.numSegments() == 0) return pl.v.empty() ? AcGePoint2d() : pl.v[0].pt;
    double f;
    int i = splitParam(pl, param, f);
    return segmentAt(pl, i).pointAt(f);
}

AcGeVector2d derivAtParam(const BulgePolyline& pl, double param) {
    if (pl.numSegments() == 0) return {};
    double f;
    int i = splitParam(pl, param, f);
    return segmentAt(pl, i).derivAt(f);
}

double length(const BulgePolyline& pl) { return lengthAtParam(pl, pl.endParam()); }

double lengthAtParam(const BulgePolyline& pl, double param) {
    if (pl.numSegments() == 0) return 0;
    double f;
    int i = splitParam(pl, param, f);
    double len = 0;
    for (int k = 0; k < i; ++k) len += segmentAt(pl, k).length();
    return len + segmentAt(pl, i).length() * f;
}

double paramAtLength(const BulgePolyline& pl, double dist) {
    double total = 0;
    int n = pl.numSegments();
    if (dist < 0 || n == 0) return dist == 0 && n == 0 ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        double l = segmentAt(pl, i).length();
        if (dist <= total + l) return i + (l > 0 ? (dist - total) / l : 0.0);
        total += l;
    }
    return dist <= total * (1 + 1e-12) + 1e-12 ? double(n) : -1;
}

AcGePoint2d closestPoint(const BulgePolyline& pl, const AcGePoint2d& p, double* param) {
    int n = pl.numSegments();
    if (n == 0) {
        if (param) *param = 0;
        return pl.v.empty() ? AcGePoint2d() : pl.v[0].pt;
    }
    double best = INFINITY, bestParam = 0;
    AcGePoint2d bestPt;
    for (int i = 0; i < n; ++i) {
        double f;
        AcGePoint2d q = segmentAt(pl, i).closestPoint(p, f);
        double d = q.distanceTo(p);
        if (d < best) {
            best = d;
            bestPt = q;
            bestParam = i + f;
        }
    }
    if (param) *param = bestParam;
    return bestPt;
}

double signedArea(const BulgePolyline& pl) {
    int n = int(pl.v.size());
    if (n < 2) return 0;
    double a = 0;
    for (int i = 0; i < n; ++i) {
        const AcGePoint2d& p = pl.v[i].pt;
        const AcGePoint2d& q = pl.v[(i + 1) % n].pt;
        a += p.x * q.y - q.x * p.y;
    }
    a /= 2;
    for (int i = 0; i < pl.numSegments(); ++i) {
        Segment2 s = segmentAt(pl, i);
        if (!s.arc) continue;
        double t = std::fabs(s.sweep);
        a += (s.sweep > 0 ? 1 : -1) * s.radius * s.radius / 2 * (t - std::sin(t));
    }
    return a;
}

BulgePolyline reversed(const BulgePolyline& pl) {
    std::vector<Segment2> segs = segments(pl);
    std::vector<Segment2> r;
    for (auto it = segs.rbegin(); it != segs.rend(); ++it) r.push_back(it->reversed());
    BulgePolyline out = fromSegments(r, pl.closed);
    if (pl.numSegments() == 0) out = pl;
    return out;
}

}  // namespace cvx::geom
