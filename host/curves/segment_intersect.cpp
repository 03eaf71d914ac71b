#include "curves/segment_intersect.h"

#include <cmath>

namespace cvx::geom {

namespace {

// Points where the carriers (infinite line, full circle) meet; `same` when the carriers coincide.
std::vector<AcGePoint2d> carrierPoints(const Segment2& a, const Segment2& b, double tol, bool& same) {
    same = false;
    std::vector<AcGePoint2d> pts;
    if (!a.arc && !b.arc) {
        AcGeVector2d da = a.end - a.start, db = b.end - b.start;
        double la = da.length(), lb = db.length();
        if (la == 0 || lb == 0) return pts;
        double cr = da.crossProduct(db);
        if (std::fabs(cr) <= 1e-14 * la * lb) {
            same = std::fabs(da.crossProduct(b.start - a.start)) / la <= tol;
            return pts;
        }
        double s = (b.start - a.start).crossProduct(db) / cr;
        pts.push_back(a.start + da * s);
        return pts;
    }
    if (a.arc != b.arc) {
        const Segment2& l = a.arc ? b : a;
        const Segment2& c = a.arc ? a : b;
        AcGeVector2d d = l.end - l.start;
        double len = d.length();
        if (len == 0) return pts;
        d = d / len;
        double s = (c.center - l.start).dotProduct(d);
        AcGePoint2d foot = l.start + d * s;
        double h = foot.distanceTo(c.center);
        if (h > c.radius + tol) return pts;
        if (std::fabs(h - c.radius) <= tol) {
            pts.push_back(foot);
            return pts;
        }
        double w = std::sqrt(c.radius * c.radius - h * h);
        pts.push_back(foot - d * w);
        pts.push_back(foot + d * w);
        return pts;
    }
    AcGeVector2d cc = b.center - a.center;
    double dist = cc.length(), r1 = a.radius, r2 = b.radius;
    if (dist <= tol) {
        same = std::fabs(r1 - r2) <= tol;
        return pts;
    }
    if (dist > r1 + r2 + tol || dist < std::fabs(r1 - r2) - tol) return pts;
    AcGeVector2d u = cc / dist;
    double x = (dist * dist + r1 * r1 - r2 * r2) / (2 * dist);
    double h2 = r1 * r1 - x * x;
    bool tangent = std::fabs(dist - (r1 + r2)) <= tol || std::fabs(dist - std::fabs(r1 - r2)) <= tol;
    if (tangent || h2 <= 0) {
        pts.push_back(a.center + u * (x >= 0 ? r1 : -r1));
        return pts;
    }
    double h = std::sqrt(h2);
    pts.push_back(a.center + u * x - u.perpVector() * h);
    pts.push_back(a.center + u * x + u.perpVector() * h);
    return pts;
}

bool within(const Segment2& s, double f, double tol) {
    double len = s.length();
    double ft = len > 0 ? tol / len : 0;
    return f >= -ft && f <= 1 + ft;
}

}  // namespace

std::vector<Hit2> intersect(const Segment2& a, const Segment2& b, double tol, bool extend) {
    bool same = false;
    std::vector<AcGePoint2d> pts = carrierPoints(a, b, tol, same);
    if (same) {
        if (extend) return {};
        for (const AcGePoint2d& p : {a.start, a.end, b.start, b.end}) pts.push_back(p);
    }
    std::vector<Hit2> hits;
    for (const AcGePoint2d& p : pts) {
        Hit2 h{p, a.fractionOf(p), b.fractionOf(p)};
        if (!extend && (!within(a, h.fa, tol) || !within(b, h.fb, tol))) continue;
        if (same && (a.pointAt(h.fa).distanceTo(p) > tol || b.pointAt(h.fb).distanceTo(p) > tol)) continue;
        bool dup = false;
        for (const Hit2& o : hits) dup |= o.pt.distanceTo(p) <= tol;
        if (!dup) hits.push_back(h);
    }
    return hits;
}

}  // namespace cvx::geom
