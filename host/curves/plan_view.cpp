#include "curves/plan_view.h"

#include <algorithm>
#include <cmath>

#include "curves/tessellate.h"

namespace cvx::geom {

namespace {

AcGePoint2d flat(const AcGePoint3d& p) { return {p.x, p.y}; }
AcGeVector2d flat(const AcGeVector3d& v) { return {v.x, v.y}; }

void addLine(const AcGePoint2d& a, const AcGePoint2d& b, std::vector<Segment2>& out) {
    if (a.x != b.x || a.y != b.y) out.push_back(Segment2::line(a, b));
}

// The conic arc c + u cos t + v sin t for t from t0 to t1 (either way round), seen from above: one circular
// arc when u and v are at right angles and of one length, else chords.
void addConicArc(const AcGePoint2d& c, const AcGeVector2d& u, const AcGeVector2d& v, double t0, double t1,
                 double chordTol, std::vector<Segment2>& out) {
    double lu = u.length(), lv = v.length(), big = std::max(lu, lv);
    if (big == 0) return;
    if (std::fabs(lu - lv) <= 1e-12 * big && std::fabs(u.dotProduct(v)) <= 1e-12 * big * big) {
        double turn = u.crossProduct(v) > 0 ? 1 : -1;  // counter-clockwise from above, or mirrored
        double a0 = std::atan2(u.y, u.x);
        out.push_back(Segment2::fromArc(c, lu, a0 + turn * t0, turn * (t1 - t0)));
        return;
    }
    // A chord over the parameter step dt strays at most big * dt^2 / 8 from the conic.
    double step = std::sqrt(8 * std::max(chordTol, 1e-12 * big) / big);
    int n = int(std::clamp(std::ceil(std::fabs(t1 - t0) / step), 1.0, 100000.0));
    auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
    AcGePoint2d prev = at(t0);
    for (int k = 1; k <= n; ++k) {
        AcGePoint2d p = at(t0 + (t1 - t0) * k / n);
        addLine(prev, p, out);
        prev = p;
    }
}

void addNurbs(Nurbs n, const AcGeMatrix3d& place, double chordTol, std::vector<Segment2>& out) {
    transform(n, place);
    // toPolyline keeps within a box-relative tolerance that shrinks with the square of its precision.
    auto [lo, hi] = boundingBox(n);
    double precision = std::ceil(std::sqrt(lo.distanceTo(hi) / (10 * std::max(chordTol, 1e-300))));
    std::vector<AcGePoint3d> pts = toPolyline(n, int(std::clamp(precision, 1.0, 1e6)), 100000);
    for (size_t i = 1; i < pts.size(); ++i) addLine(flat(pts[i - 1]), flat(pts[i]), out);
}

}  // namespace

void appendPlanView(const Curve& c, const AcGeMatrix3d& place, double chordTol, std::vector<Segment2>& out) {
    if (auto* l = std::get_if<Line>(&c)) {
        addLine(flat(place * l->start), flat(place * l->end), out);
    } else if (auto* a = std::get_if<Arc>(&c)) {
        addConicArc(flat(place * a->center), flat(place * (a->refVec * a->radius)),
                    flat(place * (a->yVec() * a->radius)), a->startAngle, a->endAngle, chordTol, out);
    } else if (auto* e = std::get_if<Ellipse>(&c)) {
        addConicArc(flat(place * e->center), flat(place * e->majorAxis), flat(place * e->minorAxis()),
                    e->startParam, e->endParam, chordTol, out);
    } else if (auto* n = std::get_if<Nurbs>(&c)) {
        addNurbs(*n, place, chordTol, out);
    } else if (auto* pl = std::get_if<PlacedPolyline>(&c)) {
        AcGeMatrix3d m = place * pl->toWorld();
        for (const Segment2& s : segments(pl->poly)) {
            if (!s.arc) {
                addLine(flat(m * AcGePoint3d(s.start.x, s.start.y, 0)), flat(m * AcGePoint3d(s.end.x, s.end.y, 0)),
                        out);
                continue;
            }
            size_t at = out.size();
            addConicArc(flat(m * AcGePoint3d(s.center.x, s.center.y, 0)), flat(m * AcGeVector3d(s.radius, 0, 0)),
                        flat(m * AcGeVector3d(0, s.radius, 0)), s.startAngle, s.startAngle + s.sweep, chordTol, out);
            if (out.size() > at) {  // keep the vertices exact at both ends
                out[at].start = flat(m * AcGePoint3d(s.start.x, s.start.y, 0));
                out.back().end = flat(m * AcGePoint3d(s.end.x, s.end.y, 0));
            }
        }
    }
}

}  // namespace cvx::geom
