#include "curves/intersect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <unordered_map>

#include "curves/nurbs_from.h"
#include "curves/segment_intersect.h"

namespace cvx::geom {

namespace {

// A piece of a curve: a line segment, a circular arc, or a Bezier piece of a freeform curve.
struct Element {
    enum Kind { kSeg, kArc, kFree } kind;
    Line line;
    Arc arc;
    Nurbs bez;
    AcGePoint3d lo, hi;  // box
};

void addFree(std::vector<Element>& out, const Nurbs& n) {
    for (Nurbs& b : bezierPieces(n)) {
        Element e{Element::kFree, {}, {}, std::move(b), {}, {}};
        out.push_back(std::move(e));
    }
}

std::vector<Element> elementsOf(const Curve& c) {
    std::vector<Element> out;
    if (auto* l = std::get_if<Line>(&c)) out.push_back({Element::kSeg, *l, {}, {}, {}, {}});
    else if (auto* a = std::get_if<Arc>(&c)) out.push_back({Element::kArc, {}, *a, {}, {}, {}});
    else if (auto* e = std::get_if<Ellipse>(&c)) addFree(out, toNurbs(*e));
    else if (auto* n = std::get_if<Nurbs>(&c)) {
        if (n->isValid()) addFree(out, *n);
    } else if (auto* pl = std::get_if<PlacedPolyline>(&c)) {
        AcGeMatrix3d m = pl->toWorld();
        auto w = [&m](const AcGePoint2d& p) { return m * AcGePoint3d(p.x, p.y, 0); };
        for (const Segment2& s : segments(pl->poly)) {
            if (!s.arc) {
                out.push_back({Element::kSeg, Line{w(s.start), w(s.end)}, {}, {}, {}, {}});
                continue;
            }
            Arc a;
            a.center = w(s.center);
            a.radius = s.radius;
            a.normal = pl->normal.normal();
            a.refVec = m * AcGeVector3d::kXAxis;
            a.startAngle = s.sweep > 0 ? s.startAngle : s.startAngle + s.sweep;
            a.endAngle = a.startAngle + std::fabs(s.sweep);
            out.push_back({Element::kArc, {}, a, {}, {}, {}});
        }
    }
    for (Element& e : out) {
        Curve cv = e.kind == Element::kSeg ? Curve(e.line) : e.kind == Element::kArc ? Curve(e.arc) : Curve(e.bez);
        std::tie(e.lo, e.hi) = roughBox(cv);
    }
    return out;
}

// A curve's pieces and its box.
struct Pieces {
    std::vector<Element> elements;
    AcGePoint3d lo, hi;
};

// The pieces of the curves met last, kept by their whole geometry: a batch of meetings asks for the same
// curve against many others, and cutting a polyline or a spline into boxed pieces costs more than comparing
// its numbers. Kept per thread, and forgotten all at once when they grow past a bound.
class PieceCache {
public:
    const Pieces& piecesOf(const Curve& c) {
        mKey.clear();
        signature(c, mKey);
        uint64_t h = 1469598103934665603ull;
        for (double d : mKey) {
            uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            h = (h ^ bits) * 1099511628211ull;
        }
        auto range = mEntries.equal_range(h);
        for (auto it = range.first; it != range.second; ++it)
            if (it->second.key == mKey) return it->second.pieces;
        Entry& e = mEntries.emplace(h, Entry{mKey, {elementsOf(c), {}, {}}})->second;
        std::tie(e.pieces.lo, e.pieces.hi) = roughBox(c);
        mHeld += e.pieces.elements.size() + e.key.size() / 4 + 1;
        return e.pieces;
    }

    // Forgets everything once past the bound; pieces handed out stay valid until the next trim.
    void trim() {
        if (mHeld > kMaxPieces) mEntries.clear(), mHeld = 0;
    }

private:
    static constexpr size_t kMaxPieces = size_t(1) << 18;
    struct Entry {
        std::vector<double> key;
        Pieces pieces;
    };
    static void add(std::vector<double>& k, const AcGePoint3d& p) { k.insert(k.end(), {p.x, p.y, p.z}); }
    static void add(std::vector<double>& k, const AcGeVector3d& v) { k.insert(k.end(), {v.x, v.y, v.z}); }
    // Every number the pieces depend on, after a tag for the kind.
    static void signature(const Curve& c, std::vector<double>& k) {
        k.push_back(double(c.index()));
        if (auto* e = std::get_if<Ellipse>(&c)) {
            add(k, e->center), add(k, e->normal), add(k, e->majorAxis);
            k.insert(k.end(), {e->radiusRatio, e->startParam, e->endParam});
        } else if (auto* n = std::get_if<Nurbs>(&c)) {
            k.insert(k.end(), {double(n->degree), double(n->closed), double(n->periodic), double(n->knots.size()),
                               double(n->ctrl.size()), double(n->weights.size())});
            k.insert(k.end(), n->knots.begin(), n->knots.end());
            k.insert(k.end(), n->weights.begin(), n->weights.end());
            for (const AcGePoint3d& p : n->ctrl) add(k, p);
        } else if (auto* pl = std::get_if<PlacedPolyline>(&c)) {
            k.insert(k.end(), {double(pl->poly.closed), pl->elevation});
            add(k, pl->normal);
            for (const Vertex2& v : pl->poly.v) k.insert(k.end(), {v.pt.x, v.pt.y, v.bulge});
        }
    }
    std::unordered_multimap<uint64_t, Entry> mEntries;
    std::vector<double> mKey;
    size_t mHeld = 0;
};

thread_local PieceCache pieceCache;

// The pieces of a curve: a line or an arc is its own one piece, other kinds come from the cache.
const Pieces& piecesOf(const Curve& c, Pieces& single) {
    if (std::holds_alternative<Line>(c) || std::holds_alternative<Arc>(c)) {
        single.elements = elementsOf(c);
        single.lo = single.elements[0].lo, single.hi = single.elements[0].hi;
        return single;
    }
    return pieceCache.piecesOf(c);
}

bool boxesMeet(const AcGePoint3d& alo, const AcGePoint3d& ahi, const AcGePoint3d& blo, const AcGePoint3d& bhi,
               double tol) {
    for (int k = 0; k < 3; ++k)
        if (alo[k] > bhi[k] + tol || blo[k] > ahi[k] + tol) return false;
    return true;
}

// ---- closed form for segments and arcs ----

struct Frame {  // a plane's coordinate system
    AcGePoint3d o;
    AcGeVector3d x, y, n;
    AcGePoint2d to2d(const AcGePoint3d& p) const { return {(p - o).dotProduct(x), (p - o).dotProduct(y)}; }
    AcGePoint3d to3d(const AcGePoint2d& p) const { return o + x * p.x + y * p.y; }
};

Frame frameOf(const AcGePoint3d& o, const AcGeVector3d& normal) {
    AcGeVector3d n = normal.normal(), x = arbitraryXAxis(n);
    return {o, x, n.crossProduct(x), n};
}

Segment2 flatten(const Element& e, const Frame& f) {
    if (e.kind == Element::kSeg) return Segment2::line(f.to2d(e.line.start), f.to2d(e.line.end));
    AcGePoint2d c = f.to2d(e.arc.center), s = f.to2d(e.arc.pointAt(e.arc.startAngle));
    double a0 = std::atan2(s.y - c.y, s.x - c.x);
    double sweep = e.arc.normal.dotProduct(f.n) > 0 ? e.arc.sweep() : -e.arc.sweep();
    return Segment2::fromArc(c, e.arc.radius, a0, sweep);
}

bool onElement(const Element& e, const AcGePoint3d& p, double tol) {
    if (e.kind == Element::kSeg) {
        AcGeVector3d d = e.line.end - e.line.start;
        double len = d.length();
        double t = len > 0 ? (p - e.line.start).dotProduct(d) / (len * len) : 0;
        t = std::clamp(t, 0.0, 1.0);
        return (e.line.start + d * t).distanceTo(p) <= tol;
    }
    AcGeVector3d v = p - e.arc.center;
    if (std::fabs(v.dotProduct(e.arc.normal)) > tol || std::fabs(v.length() - e.arc.radius) > tol) return false;
    return e.arc.containsAngle(e.arc.angleOf(p), tol / e.arc.radius);
}

// Common plane of two segment/arc elements, if any.
bool commonPlane(const Element& a, const Element& b, double tol, Frame& f) {
    auto inPlane = [tol](const Element& e, const AcGePoint3d& o, const AcGeVector3d& n) {
        if (e.kind == Element::kSeg)
            return std::fabs((e.line.start - o).dotProduct(n)) <= tol && std::fabs((e.line.end - o).dotProduct(n)) <= tol;
        return e.arc.normal.isParallelTo(n, AcGeTol()) && std::fabs((e.arc.center - o).dotProduct(n)) <= tol;
    };
    if (a.kind == Element::kArc || b.kind == Element::kArc) {
        const Arc& arc = a.kind == Element::kArc ? a.arc : b.arc;
        f = frameOf(arc.center, arc.normal);
        return inPlane(a, arc.center, f.n) && inPlane(b, arc.center, f.n);
    }
    AcGeVector3d da = a.line.end - a.line.start, db = b.line.end - b.line.start;
    AcGeVector3d n = da.crossProduct(db);
    if (n.length() <= 1e-12 * da.length() * db.length()) n = da.crossProduct(b.line.start - a.line.start);
    if (n.length() <= 1e-12 * da.length() * std::max(da.length(), (b.line.start - a.line.start).length()))
        n = da.perpVector();
    f = frameOf(a.line.start, n);
    return inPlane(b, a.line.start, f.n);
}

void analytic(const Element& a, const Element& b, double tol, std::vector<AcGePoint3d>& out) {
    Frame f;
    if (commonPlane(a, b, tol, f)) {
        for (const Hit2& h : intersect(flatten(a, f), flatten(b, f), tol)) out.push_back(f.to3d(h.pt));
        return;
    }
    if (a.kind == Element::kSeg && b.kind == Element::kSeg) return;  // skew lines (closest approach is > tol)
    if (a.kind == Element::kSeg || b.kind == Element::kSeg) {  // a line through an arc's plane
        const Line& l = a.kind == Element::kSeg ? a.line : b.line;
        const Arc& c = a.kind == Element::kSeg ? b.arc : a.arc;
        AcGeVector3d d = l.end - l.start;
        double den = d.dotProduct(c.normal);
        if (std::fabs(den) < 1e-300) return;
        AcGePoint3d x = l.start + d * ((c.center - l.start).dotProduct(c.normal) / den);
        if (onElement(a, x, tol) && onElement(b, x, tol)) out.push_back(x);
        return;
    }
    // two arcs in different planes: the planes' common line cut with the first circle
    AcGeVector3d dir = a.arc.normal.crossProduct(b.arc.normal);
    if (dir.length() < 1e-14) return;
    Frame fa = frameOf(a.arc.center, a.arc.normal);
    // a point of the common line: in plane a, moving from a's centre perpendicular to dir towards plane b
    AcGeVector3d inA = a.arc.normal.crossProduct(dir).normal();
    double den = inA.dotProduct(b.arc.normal);
    AcGePoint3d p0 = a.arc.center + inA * ((b.arc.center - a.arc.center).dotProduct(b.arc.normal) / den);
    double span = 4 * (a.arc.radius + b.arc.radius) + p0.distanceTo(a.arc.center);
    Segment2 line2 = Segment2::line(fa.to2d(p0 - dir.normal() * span), fa.to2d(p0 + dir.normal() * span));
    Segment2 circ = Segment2::fromArc(fa.to2d(a.arc.center), a.arc.radius, 0, kTwoPi);
    for (const Hit2& h : intersect(line2, circ, tol)) {
        AcGePoint3d x = fa.to3d(h.pt);
        if (onElement(a, x, tol) && onElement(b, x, tol)) out.push_back(x);
    }
}

// ---- subdivision for freeform pieces ----

Nurbs asFree(const Element& e) {
    return e.kind == Element::kFree ? e.bez : e.kind == Element::kSeg ? toNurbs(e.line) : toNurbs(e.arc);
}

bool flat(const Nurbs& b, double tol) {
    const AcGePoint3d &p = b.ctrl.front(), &q = b.ctrl.back();
    AcGeVector3d d = q - p;
    double len = d.length();
    for (const auto& c : b.ctrl) {
        AcGeVector3d v = c - p;
        double dist = len > 0 ? v.crossProduct(d).length() / len : v.length();
        if (dist > tol) return false;
    }
    return true;
}

void hullBox(const Nurbs& b, AcGePoint3d& lo, AcGePoint3d& hi) {
    lo = hi = b.ctrl[0];
    for (const auto& p : b.ctrl)
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
}

// Newton on A(s) - B(t) from a start pair; true with the meeting point (and s) when it converges to within tol.
bool refine(const Nurbs& A, const Nurbs& B, double& s, double t, double tol, AcGePoint3d& out) {
    for (int it = 0; it < 80; ++it) {
        AcGeVector3d da[2], db[2];
        A.derivsAt(s, 1, da);
        B.derivsAt(t, 1, db);
        AcGeVector3d F = da[0] - db[0];
        if (F.length() <= tol * 1e-3) break;
        double a11 = da[1].lengthSqrd(), a12 = -da[1].dotProduct(db[1]), a22 = db[1].lengthSqrd();
        double r1 = -da[1].dotProduct(F), r2 = db[1].dotProduct(F);
        double det = a11 * a22 - a12 * a12;
        double ds, dt;
        if (std::fabs(det) > 1e-30 * a11 * a22) {
            ds = (r1 * a22 - a12 * r2) / det;
            dt = (a11 * r2 - a12 * r1) / det;
        } else {  // parallel tangents: move each towards the other's point
            ds = a11 > 0 ? r1 / a11 : 0;
            dt = a22 > 0 ? r2 / a22 : 0;
        }
        double ns = std::clamp(s + ds, A.startParam(), A.endParam());
        double nt = std::clamp(t + dt, B.startParam(), B.endParam());
        if (ns == s && nt == t) break;
        s = ns, t = nt;
    }
    AcGePoint3d pa = A.pointAt(s), pb = B.pointAt(t);
    if (pa.distanceTo(pb) > tol) return false;
    out = pa + (pb - pa) * 0.5;
    return true;
}

// A stretch where the two curves run together, as parameters of the first curve and its end points.
struct Span {
    double s0, s1;
    AcGePoint3d p0, p1;
};

// What the subdivision finds: single meeting points with their parameter on the first curve, and stretches.
struct FreeHits {
    std::vector<std::pair<double, AcGePoint3d>> points;
    std::vector<Span> spans;
};

// The parameter of B nearest p (Newton on the distance from a start parameter, kept in B's range).
double projectOnto(const Nurbs& B, const AcGePoint3d& p, double t) {
    for (int it = 0; it < 40; ++it) {
        AcGeVector3d d[3];
        B.derivsAt(t, 2, d);
        AcGeVector3d r = d[0] - p.asVector();
        double g = r.dotProduct(d[1]), h = d[1].lengthSqrd() + r.dotProduct(d[2]);
        if (h <= 0) h = d[1].lengthSqrd();
        if (h <= 0) break;
        double nt = std::clamp(t - g / h, B.startParam(), B.endParam());
        if (std::fabs(nt - t) <= 1e-15 * (1 + std::fabs(t))) break;
        t = nt;
    }
    return t;
}

// Whether the flat pieces a and b (of A0 and B0) run along each other; if so, the part of a they share.
bool sharedStretch(const Nurbs& A0, const Nurbs& B0, const Nurbs& a, const Nurbs& b, double tol, Span& span) {
    auto onOther = [tol](const Nurbs& other, const AcGePoint3d& p, double guess, double& at) {
        at = projectOnto(other, p, guess);
        return other.pointAt(at).distanceTo(p) <= tol;
    };
    double mid, t;
    double am = 0.5 * (a.startParam() + a.endParam()), bm = 0.5 * (b.startParam() + b.endParam());
    if (!onOther(B0, A0.pointAt(am), bm, t) || !onOther(A0, B0.pointAt(bm), am, mid)) return false;
    // parallel where they meet, or it is a crossing or a touch
    AcGeVector3d da[2], db[2];
    A0.derivsAt(am, 1, da);
    B0.derivsAt(t, 1, db);
    if (da[1].crossProduct(db[1]).length() > 1e-6 * da[1].length() * db[1].length()) return false;
    std::vector<double> inside;  // parameters on A0 of the ends of a and b that lie on the other curve
    for (double s : {a.startParam(), a.endParam()})
        if (onOther(B0, A0.pointAt(s), t, t)) inside.push_back(s);
    for (double u : {b.startParam(), b.endParam()}) {
        double at;
        if (onOther(A0, B0.pointAt(u), am, at)) inside.push_back(at);
    }
    if (inside.size() < 2) return false;
    auto [lo, hi] = std::minmax_element(inside.begin(), inside.end());
    span = {*lo, *hi, A0.pointAt(*lo), A0.pointAt(*hi)};
    return true;
}

void subdivide(const Nurbs& A0, const Nurbs& B0, const Nurbs& a, const Nurbs& b, double tol, double flatTol,
               int depth, FreeHits& out) {
    AcGePoint3d alo, ahi, blo, bhi;
    hullBox(a, alo, ahi);
    hullBox(b, blo, bhi);
    if (!boxesMeet(alo, ahi, blo, bhi, tol)) return;
    bool fa = flat(a, flatTol), fb = flat(b, flatTol);
    if ((fa && fb) || depth > 48) {
        Span span;
        if (sharedStretch(A0, B0, a, b, tol, span)) {
            out.spans.push_back(span);
            return;
        }
        // start from the closest approach of the two chords
        AcGeVector3d d1 = a.ctrl.back() - a.ctrl.front(), d2 = b.ctrl.back() - b.ctrl.front();
        AcGeVector3d r = a.ctrl.front() - b.ctrl.front();
        double A11 = d1.lengthSqrd(), A12 = d1.dotProduct(d2), A22 = d2.lengthSqrd();
        double den = A11 * A22 - A12 * A12, u = 0.5, v = 0.5;
        if (den > 1e-24 * A11 * A22) {
            u = std::clamp((A12 * d2.dotProduct(r) - A22 * d1.dotProduct(r)) / den, 0.0, 1.0);
            v = std::clamp((A11 * d2.dotProduct(r) - A12 * d1.dotProduct(r)) / den, 0.0, 1.0);
        }
        double s = a.startParam() + (a.endParam() - a.startParam()) * u;
        double t = b.startParam() + (b.endParam() - b.startParam()) * v;
        AcGePoint3d p;
        if (refine(A0, B0, s, t, tol, p)) out.points.push_back({s, p});
        return;
    }
    auto halves = [](const Nurbs& c, Nurbs& l, Nurbs& r) {
        return splitAt(c, 0.5 * (c.startParam() + c.endParam()), l, r);
    };
    Nurbs l, r;
    bool splitA = !fa && (fb || alo.distanceTo(ahi) >= blo.distanceTo(bhi));
    if (splitA && halves(a, l, r)) {
        subdivide(A0, B0, l, b, tol, flatTol, depth + 1, out);
        subdivide(A0, B0, r, b, tol, flatTol, depth + 1, out);
    } else if (!splitA && halves(b, l, r)) {
        subdivide(A0, B0, a, l, tol, flatTol, depth + 1, out);
        subdivide(A0, B0, a, r, tol, flatTol, depth + 1, out);
    }
}

// Where the curves run together, only the stretches' ends are meeting points: the stretches that follow each
// other are joined (across the seam of a closed curve too), and the single points found inside them dropped.
void addFreeHits(FreeHits& hits, double tol, bool closedA, std::vector<AcGePoint3d>& out) {
    std::vector<Span>& spans = hits.spans;
    std::sort(spans.begin(), spans.end(), [](const Span& x, const Span& y) { return x.s0 < y.s0; });
    std::vector<Span> joined;
    for (const Span& sp : spans) {
        if (!joined.empty() && (sp.s0 <= joined.back().s1 || sp.p0.distanceTo(joined.back().p1) <= 10 * tol)) {
            if (sp.s1 > joined.back().s1) joined.back().s1 = sp.s1, joined.back().p1 = sp.p1;
            continue;
        }
        joined.push_back(sp);
    }
    auto inside = [&](const std::pair<double, AcGePoint3d>& h) {
        return std::any_of(joined.begin(), joined.end(), [&](const Span& sp) {
            return h.first >= sp.s0 && h.first <= sp.s1 && h.second.distanceTo(sp.p0) > 10 * tol &&
                   h.second.distanceTo(sp.p1) > 10 * tol;
        });
    };
    for (const auto& h : hits.points)
        if (!inside(h)) out.push_back(h.second);
    bool wraps = closedA && joined.size() > 1 && joined.front().p0.distanceTo(joined.back().p1) <= 10 * tol;
    for (size_t i = 0; i < joined.size(); ++i) {
        if (!(wraps && i == 0)) out.push_back(joined[i].p0);
        if (!(wraps && i + 1 == joined.size())) out.push_back(joined[i].p1);
    }
}

}  // namespace

std::vector<AcGePoint3d> intersect(const Curve& ca, const Curve& cb, double relTol) {
    pieceCache.trim();
    Pieces singleA, singleB;
    const Pieces& pa = piecesOf(ca, singleA);
    const Pieces& pb = piecesOf(cb, singleB);
    const std::vector<Element>&ea = pa.elements, &eb = pb.elements;
    const AcGePoint3d &alo = pa.lo, &ahi = pa.hi, &blo = pb.lo, &bhi = pb.hi;
    double size = std::max(alo.distanceTo(ahi), blo.distanceTo(bhi));
    for (int k = 0; k < 3; ++k)
        size = std::max({size, std::fabs(alo[k]) * 1e-3, std::fabs(blo[k]) * 1e-3});
    if (!std::isfinite(size)) return {};
    double tol = relTol * std::max(size, 1e-300);
    std::vector<AcGePoint3d> pts;
    FreeHits free;
    auto meet = [&](const Element& a, const Element& b) {
        if (!boxesMeet(a.lo, a.hi, b.lo, b.hi, tol)) return;
        if (a.kind != Element::kFree && b.kind != Element::kFree) {
            analytic(a, b, tol, pts);
            return;
        }
        Nurbs A = asFree(a), B = asFree(b);
        for (const Nurbs& pa : bezierPieces(A))
            for (const Nurbs& pb : bezierPieces(B))
                subdivide(pa, pb, pa, pb, tol, std::max(size * 1e-4, tol), 0, free);
    };
    if (ea.size() * eb.size() <= 64 || ea.size() == 1 || eb.size() == 1) {
        for (const Element& a : ea)
            for (const Element& b : eb) meet(a, b);
    } else {  // many pieces: a sweep over the pieces' x ranges finds the pairs whose boxes can meet
        struct Start {
            double x;
            const Element* e;
            bool first;
        };
        std::vector<Start> starts;
        starts.reserve(ea.size() + eb.size());
        for (const Element& a : ea) starts.push_back({a.lo.x, &a, true});
        for (const Element& b : eb) starts.push_back({b.lo.x, &b, false});
        std::sort(starts.begin(), starts.end(), [](const Start& p, const Start& q) { return p.x < q.x; });
        std::vector<const Element*> openA, openB;
        for (const Start& s : starts) {
            std::vector<const Element*>& mine = s.first ? openA : openB;
            std::vector<const Element*>& theirs = s.first ? openB : openA;
            theirs.erase(std::remove_if(theirs.begin(), theirs.end(),
                                        [&](const Element* o) { return o->hi.x + tol < s.x; }),
                         theirs.end());
            for (const Element* o : theirs) s.first ? meet(*s.e, *o) : meet(*o, *s.e);
            mine.push_back(s.e);
        }
    }
    if (!free.points.empty() || !free.spans.empty()) {
        bool closedA = false;
        if (auto* e = std::get_if<Ellipse>(&ca)) closedA = e->isFull();
        else if (auto* n = std::get_if<Nurbs>(&ca)) closedA = n->isValid() && n->startPoint().distanceTo(n->endPoint()) <= 10 * tol;
        addFreeHits(free, tol, closedA, pts);
    }
    // one point per place, ordered along the first curve
    std::vector<std::pair<double, AcGePoint3d>> keyed;
    for (const AcGePoint3d& p : pts) {
        bool dup = false;
        for (const auto& k : keyed) dup |= k.second.distanceTo(p) <= tol * 10;
        if (!dup) keyed.push_back({paramAtPoint(ca, p), p});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<AcGePoint3d> out;
    for (const auto& k : keyed) out.push_back(k.second);
    return out;
}

}  // namespace cvx::geom
