// Offset of a polyline with bulges: raw offset segments joined at the corners, split where the raw curve
// crosses itself, and only the pieces that keep the full distance from the original are stitched together.
#include <algorithm>
#include <cmath>

#include "curves/offset.h"
#include "curves/segment_intersect.h"

namespace cvx::geom {

namespace {

struct Box2 {
    double x0, y0, x1, y1;
};

Box2 boxOf(const Segment2& s) {
    Box2 b{std::min(s.start.x, s.end.x), std::min(s.start.y, s.end.y), std::max(s.start.x, s.end.x),
           std::max(s.start.y, s.end.y)};
    if (s.arc) {  // the circle's box is enough for pruning
        b = {s.center.x - s.radius, s.center.y - s.radius, s.center.x + s.radius, s.center.y + s.radius};
    }
    return b;
}

double squaredDistance(const AcGePoint2d& a, const AcGePoint2d& b) {
    double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// The segment parallel to s at distance d to the right; false when an arc collapses.
bool rawOffset(const Segment2& s, double d, Segment2& out) {
    if (!s.arc) {
        AcGeVector2d t = s.end - s.start;
        t = t / std::sqrt(t.lengthSqrd());
        AcGeVector2d right(t.y, -t.x);
        out = Segment2::line(s.start + right * d, s.end + right * d);
        return true;
    }
    double r = s.radius + (s.sweep > 0 ? d : -d);
    if (r <= 1e-9 * s.radius) return false;
    out = Segment2::fromArc(s.center, r, s.startAngle, s.sweep);
    return true;
}

// Part of s from fraction f0 to f1.
Segment2 subSegment(const Segment2& s, double f0, double f1) {
    if (!s.arc) return Segment2::line(s.pointAt(f0), s.pointAt(f1));
    return Segment2::fromArc(s.center, s.radius, s.startAngle + s.sweep * f0, s.sweep * (f1 - f0));
}

Segment2 joinArc(const AcGePoint2d& v, const AcGePoint2d& from, const AcGePoint2d& to) {
    AcGeVector2d u0 = from - v, u1 = to - v;
    double sweep = std::atan2(u0.crossProduct(u1), u0.dotProduct(u1));
    Segment2 s = Segment2::line(from, to);  // the ends are known: no need to evaluate them
    s.arc = true;
    s.center = v;
    s.radius = std::sqrt(u0.lengthSqrd());
    s.startAngle = std::atan2(u0.y, u0.x);
    s.sweep = sweep;
    return s;
}

// Raw offset of the whole polyline: offset segments, trimmed at inner corners where they cross, with joins
// (round at outer corners, and wherever the neighbours miss each other) in between.
std::vector<Segment2> rawOffsetPath(const std::vector<Segment2>& src, bool closed, double d, double tol) {
    size_t n = src.size();
    std::vector<Segment2> off(n);
    std::vector<bool> ok(n);
    for (size_t i = 0; i < n; ++i) ok[i] = rawOffset(src[i], d, off[i]);
    std::vector<double> f0(n, 0.0), f1(n, 1.0);
    std::vector<AcGePoint2d> p0(n), p1(n);
    for (size_t i = 0; i < n; ++i) p0[i] = off[i].start, p1[i] = off[i].end;
    std::vector<Segment2> join(n);  // the join following segment i, where hasJoin[i]
    std::vector<char> hasJoin(n, 0);
    auto addJoin = [&](size_t i, const Segment2& s) { join[i] = s, hasJoin[i] = 1; };
    for (size_t i = 0; i < n; ++i) {
        if (!ok[i]) continue;
        size_t j = i + 1;
        if (j == n && !closed) break;
        j %= n;
        while (!ok[j] && j != i) j = (j + 1) % n;  // skip collapsed arcs
        if (j == i || (!closed && j < i)) break;
        const Segment2 &a = off[i], &b = off[j];
        if (squaredDistance(a.end, b.start) <= tol * tol) continue;
        if (j != (i + 1) % n) {  // a collapsed segment in between: connect straight, the loop is cut later
            addJoin(i, Segment2::line(a.end, b.start));
            continue;
        }
        AcGePoint2d v = src[i].end;
        double turn = src[i].derivAt(1).crossProduct(src[j].derivAt(0));  // only its sign counts
        Hits2 hits;
        if (turn * d <= 0) hits = intersect(a, b, tol);
        if (hits.empty()) {  // outer corner, or neighbours that miss each other
            addJoin(i, joinArc(v, a.end, b.start));
            continue;
        }
        const Hit2* best = &hits[0];
        for (const Hit2& h : hits)
            if (squaredDistance(h.pt, v) < squaredDistance(best->pt, v)) best = &h;
        f1[i] = std::clamp(best->fa, 0.0, 1.0);
        p1[i] = best->pt;
        f0[j] = std::clamp(best->fb, 0.0, 1.0);
        p0[j] = best->pt;
    }
    std::vector<Segment2> path;
    path.reserve(2 * n);
    auto put = [&path, tol](const Segment2& s) {
        if (s.length() > tol) path.push_back(s);
    };
    for (size_t i = 0; i < n; ++i) {
        if (!ok[i]) continue;
        if (f1[i] > f0[i]) {
            Segment2 s = f0[i] == 0 && f1[i] == 1 ? off[i] : subSegment(off[i], f0[i], f1[i]);
            s.start = p0[i];
            s.end = p1[i];
            put(s);
        }
        if (hasJoin[i]) put(join[i]);
    }
    return path;
}

// The source segments in a grid of cells, each cell listing the segments that come within `reach` of it, to
// ask quickly whether a point comes nearer to them than a distance up to `reach`. The cells' lists are kept one
// after another in a single array.
class Source {
public:
    Source(const std::vector<Segment2>& segs, double reach) : mSegs(segs) {
        Box2 all{INFINITY, INFINITY, -INFINITY, -INFINITY};
        mBoxes.reserve(segs.size());
        for (const Segment2& g : segs) {
            Box2 b = boxOf(g);
            b = {b.x0 - reach, b.y0 - reach, b.x1 + reach, b.y1 + reach};
            mBoxes.push_back(b);
            all = {std::min(all.x0, b.x0), std::min(all.y0, b.y0), std::max(all.x1, b.x1), std::max(all.y1, b.y1)};
        }
        mOrigin = {all.x0, all.y0};
        double side = std::max(all.x1 - all.x0, all.y1 - all.y0);
        mCell = std::max(side / (2 * std::sqrt(double(segs.size())) + 1), 1e-300);
        mNx = int((all.x1 - all.x0) / mCell) + 1;
        mNy = int((all.y1 - all.y0) / mCell) + 1;
        mFirst.assign(size_t(mNx) * size_t(mNy) + 1, 0);
        forEachCell([this](size_t cell, int) { ++mFirst[cell + 1]; });
        for (size_t c = 1; c < mFirst.size(); ++c) mFirst[c] += mFirst[c - 1];
        mItems.resize(mFirst.back());
        std::vector<int> fill(mFirst.begin(), mFirst.end() - 1);
        forEachCell([this, &fill](size_t cell, int i) { mItems[size_t(fill[cell]++)] = i; });
    }
    bool nearerThan(const AcGePoint2d& p, double dist) const {
        if (p.x < mOrigin.x || p.y < mOrigin.y) return false;
        int x = int((p.x - mOrigin.x) / mCell), y = int((p.y - mOrigin.y) / mCell);
        if (x >= mNx || y >= mNy) return false;
        double d2 = dist * dist;
        size_t cell = size_t(y) * mNx + x;
        for (int k = mFirst[cell]; k < mFirst[cell + 1]; ++k) {
            int i = mItems[size_t(k)];
            const Box2& b = mBoxes[size_t(i)];  // beyond the box, the segment is farther than reach
            if (p.x < b.x0 || p.x > b.x1 || p.y < b.y0 || p.y > b.y1) continue;
            if (squaredDistanceTo(mSegs[size_t(i)], p) < d2) return true;
        }
        return false;
    }

private:
    static double squaredDistanceTo(const Segment2& s, const AcGePoint2d& p) {
        double f;
        if (s.arc) return squaredDistance(s.closestPoint(p, f), p);
        double dx = s.end.x - s.start.x, dy = s.end.y - s.start.y, px = p.x - s.start.x, py = p.y - s.start.y;
        f = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);  // sources have length
        px -= f * dx;
        py -= f * dy;
        return px * px + py * py;
    }
    template <typename F>
    void forEachCell(F f) const {
        for (size_t i = 0; i < mSegs.size(); ++i) {
            const Box2& b = mBoxes[i];
            for (int y = cellY(b.y0); y <= cellY(b.y1); ++y)
                for (int x = cellX(b.x0); x <= cellX(b.x1); ++x) f(size_t(y) * mNx + x, int(i));
        }
    }
    int cellX(double x) const { return std::clamp(int((x - mOrigin.x) / mCell), 0, mNx - 1); }
    int cellY(double y) const { return std::clamp(int((y - mOrigin.y) / mCell), 0, mNy - 1); }
    const std::vector<Segment2>& mSegs;
    std::vector<Box2> mBoxes;
    std::vector<int> mFirst, mItems;  // cell c lists mItems[mFirst[c] .. mFirst[c + 1])
    AcGePoint2d mOrigin;
    double mCell = 1;
    int mNx = 1, mNy = 1;
};

// The offset of a polyline whose box is about the origin: its tolerances follow its coordinates.
std::vector<BulgePolyline> offsetNearOrigin(const BulgePolyline& pl, double d) {
    std::vector<Segment2> src;
    double size = 0;
    for (const Vertex2& v : pl.v) size = std::max({size, std::fabs(v.pt.x), std::fabs(v.pt.y)});
    double tol = 1e-9 * std::max(size + std::fabs(d), 1.0);
    for (const Segment2& s : segments(pl))
        if (s.length() > tol) src.push_back(s);
    if (src.empty() || d == 0) return src.empty() ? std::vector<BulgePolyline>{} : std::vector{pl};
    bool closed = pl.closed;
    std::vector<Segment2> raw = rawOffsetPath(src, closed, d, tol);
    if (raw.empty()) return {};

    // split every raw segment where it meets another one
    size_t n = raw.size();
    std::vector<std::vector<double>> cuts(n);
    struct Swept {
        Box2 box;
        size_t index;
    };
    std::vector<Swept> byX(n);  // a sweep over the boxes' left edges finds the pairs that may meet
    for (size_t i = 0; i < n; ++i) byX[i] = {boxOf(raw[i]), i};
    std::sort(byX.begin(), byX.end(), [](const Swept& a, const Swept& b) { return a.box.x0 < b.box.x0; });
    const double corner = tol * tol * 100;
    for (size_t a = 0; a < n; ++a) {
        const Box2& ba = byX[a].box;
        for (size_t b = a + 1; b < n && byX[b].box.x0 <= ba.x1 + tol; ++b) {
            const Box2& bb = byX[b].box;
            if (bb.y0 > ba.y1 + tol || ba.y0 > bb.y1 + tol) continue;
            size_t i = std::min(byX[a].index, byX[b].index), j = std::max(byX[a].index, byX[b].index);
            bool nextTo = j == i + 1 || (closed && i == 0 && j == n - 1);
            for (const Hit2& h : intersect(raw[i], raw[j], tol)) {
                if (nextTo && (squaredDistance(h.pt, raw[i].end) <= corner || squaredDistance(h.pt, raw[i].start) <= corner))
                    continue;  // the shared corner
                cuts[i].push_back(std::clamp(h.fa, 0.0, 1.0));
                cuts[j].push_back(std::clamp(h.fb, 0.0, 1.0));
            }
        }
    }
    // slices: runs of pieces between cuts
    std::vector<std::vector<Segment2>> slices(1);
    bool anyCut = false;
    for (size_t i = 0; i < n; ++i) {
        std::sort(cuts[i].begin(), cuts[i].end());
        double f0 = 0;
        for (double f : cuts[i]) {
            if (f - f0 > 1e-12) slices.back().push_back(subSegment(raw[i], f0, f));
            anyCut = true;
            slices.emplace_back();
            f0 = f;
        }
        if (1 - f0 > 1e-12) slices.back().push_back(f0 == 0 ? raw[i] : subSegment(raw[i], f0, 1));
    }
    if (closed && anyCut && slices.size() > 1) {  // the last run continues into the first
        slices.back().insert(slices.back().end(), slices.front().begin(), slices.front().end());
        slices.erase(slices.begin());
    }

    // keep slices whose inner points all keep the full distance
    double need = std::fabs(d) - std::max(tol * 100, 1e-7 * std::fabs(d));
    const Source source(src, std::fabs(d));
    std::vector<std::vector<Segment2>> valid;
    auto keepsDistance = [&source, need](const std::vector<Segment2>& slice) {
        for (const Segment2& s : slice)
            for (double f : {0.25, 0.5, 0.75})
                if (source.nearerThan(s.pointAt(f), need)) return false;
        return true;
    };
    for (auto& sl : slices)
        if (!sl.empty() && keepsDistance(sl)) valid.push_back(std::move(sl));

    // stitch slices end to start
    std::vector<BulgePolyline> out;
    std::vector<bool> used(valid.size(), false);
    double join2 = tol * tol * 1e6;
    auto meets = [join2](const AcGePoint2d& a, const AcGePoint2d& b) { return squaredDistance(a, b) <= join2; };
    for (size_t s = 0; s < valid.size(); ++s) {
        if (used[s]) continue;
        used[s] = true;
        std::vector<Segment2> chain = valid[s];
        bool grew = true;
        while (grew && !meets(chain.front().start, chain.back().end)) {
            grew = false;
            for (size_t k = 0; k < valid.size(); ++k)
                if (!used[k] && meets(valid[k].front().start, chain.back().end)) {
                    used[k] = true;
                    chain.insert(chain.end(), valid[k].begin(), valid[k].end());
                    grew = true;
                    break;
                }
        }
        bool loop = (closed || chain.size() > 1) && meets(chain.front().start, chain.back().end);
        out.push_back(fromSegments(chain, loop));
    }
    return out;
}

}  // namespace

// A polyline far from the origin (a survey drawing at an easting of millions) is offset as a copy moved to the
// origin and the result moved back: the tolerances then follow the polyline's size, not its distance from the
// origin, and the copies are the origin's shifted.
std::vector<BulgePolyline> offset(const BulgePolyline& pl, double d) {
    if (pl.v.empty()) return offsetNearOrigin(pl, d);
    double x0 = pl.v[0].pt.x, x1 = x0, y0 = pl.v[0].pt.y, y1 = y0;
    for (const Vertex2& v : pl.v) {
        x0 = std::min(x0, v.pt.x), x1 = std::max(x1, v.pt.x);
        y0 = std::min(y0, v.pt.y), y1 = std::max(y1, v.pt.y);
    }
    const AcGeVector2d shift((x0 + x1) / 2, (y0 + y1) / 2);
    BulgePolyline moved = pl;
    for (Vertex2& v : moved.v) v.pt -= shift;
    std::vector<BulgePolyline> out = offsetNearOrigin(moved, d);
    for (BulgePolyline& o : out)
        for (Vertex2& v : o.v) v.pt += shift;
    return out;
}

}  // namespace cvx::geom
