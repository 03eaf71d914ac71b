#include "curves/segment_intersect.h"

#include <cmath>

namespace cvx::geom {

namespace {

// Up to two points where the carriers (infinite line, full circle) meet; `same` when the carriers coincide.
struct Carrier {
    AcGePoint2d pts[2];
    int count = 0;
    bool same = false;
    void add(const AcGePoint2d& p) { pts[count++] = p; }
};

Carrier carrierPoints(const Segment2& a, const Segment2& b, double tol) {
    Carrier c;
    if (!a.arc && !b.arc) {
        AcGeVector2d da = a.end - a.start, db = b.end - b.start;
        double la2 = da.lengthSqrd(), lb2 = db.lengthSqrd();
        if (la2 == 0 || lb2 == 0) return c;
        double cr = da.crossProduct(db);
        if (cr * cr <= 1e-28 * la2 * lb2) {
            double off = da.crossProduct(b.start - a.start);
            c.same = off * off <= tol * tol * la2;
            return c;
        }
        double s = (b.start - a.start).crossProduct(db) / cr;
        c.add(a.start + da * s);
        return c;
    }
    if (a.arc != b.arc) {
        const Segment2& l = a.arc ? b : a;
        const Segment2& circle = a.arc ? a : b;
        AcGeVector2d d = l.end - l.start;
        double len2 = d.lengthSqrd();
        if (len2 == 0) return c;
        d = d / std::sqrt(len2);
        double s = (circle.center - l.start).dotProduct(d);
        AcGePoint2d foot = l.start + d * s;
        AcGeVector2d toFoot = foot - circle.center;
        double h = std::sqrt(toFoot.lengthSqrd());
        if (h > circle.radius + tol) return c;
        if (std::fabs(h - circle.radius) <= tol) {
            c.add(foot);
            return c;
        }
        double w = std::sqrt(circle.radius * circle.radius - h * h);
        c.add(foot - d * w);
        c.add(foot + d * w);
        return c;
    }
    AcGeVector2d cc = b.center - a.center;
    double r1 = a.radius, r2 = b.radius;
    double dist2 = cc.lengthSqrd(), reach = r1 + r2 + tol;
    if (dist2 > reach * reach) return c;  // far apart: no root needed
    double dist = std::sqrt(dist2);
    if (dist <= tol) {
        c.same = std::fabs(r1 - r2) <= tol;
        return c;
    }
    if (dist < std::fabs(r1 - r2) - tol) return c;
    AcGeVector2d u = cc / dist;
    double x = (dist2 + r1 * r1 - r2 * r2) / (2 * dist);
    double h2 = r1 * r1 - x * x;
    bool tangent = std::fabs(dist - (r1 + r2)) <= tol || std::fabs(dist - std::fabs(r1 - r2)) <= tol;
    if (tangent || h2 <= 0) {
        c.add(a.center + u * (x >= 0 ? r1 : -r1));
        return c;
    }
    double h = std::sqrt(h2);
    c.add(a.center + u * x - u.perpVector() * h);
    c.add(a.center + u * x + u.perpVector() * h);
    return c;
}

bool within(const Segment2& s, double f, double tol) {
    double len = s.length();
    double ft = len > 0 ? tol / len : 0;
    return f >= -ft && f <= 1 + ft;
}

bool near(const AcGePoint2d& p, const AcGePoint2d& q, double tol) {
    double dx = p.x - q.x, dy = p.y - q.y;
    return dx * dx + dy * dy <= tol * tol;
}

}  // namespace

Hits2 intersect(const Segment2& a, const Segment2& b, double tol, bool extend) {
    Carrier c = carrierPoints(a, b, tol);
    AcGePoint2d overlapEnds[4] = {a.start, a.end, b.start, b.end};
    const AcGePoint2d* pts = c.pts;
    int count = c.count;
    if (c.same) {
        if (extend) return {};
        pts = overlapEnds;
        count = 4;
    }
    Hits2 hits;
    for (int k = 0; k < count; ++k) {
        const AcGePoint2d& p = pts[k];
        Hit2 h{p, a.fractionOf(p), b.fractionOf(p)};
        if (!extend && (!within(a, h.fa, tol) || !within(b, h.fb, tol))) continue;
        if (c.same && (!near(a.pointAt(h.fa), p, tol) || !near(b.pointAt(h.fb), p, tol))) continue;
        bool dup = false;
        for (const Hit2& o : hits) dup |= near(o.pt, p, tol);
        if (!dup) hits.push_back(h);
    }
    return hits;
}

}  // namespace cvx::geom
