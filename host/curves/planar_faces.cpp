#include "curves/planar_faces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "curves/primitives.h"
#include "curves/segment_intersect.h"

namespace cvx::geom {

namespace {

struct Box {
    double x0, y0, x1, y1;
    void grow(const AcGePoint2d& p) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
};

Box boxOf(const Segment2& s) {
    Box b{s.start.x, s.start.y, s.start.x, s.start.y};
    b.grow(s.end);
    if (s.arc)
        for (int k = 0; k < 4; ++k) {  // the circle's extremes that the arc passes
            double a = k * M_PI / 2;
            double rel = wrapAngle(s.sweep > 0 ? a - s.startAngle : s.startAngle - a, 0);
            if (rel <= std::fabs(s.sweep))
                b.grow({s.center.x + s.radius * std::cos(a), s.center.y + s.radius * std::sin(a)});
        }
    return b;
}

double distSqrd(const AcGePoint2d& a, const AcGePoint2d& b) { return (a - b).lengthSqrd(); }

// Smallest-index-root union-find over 0..n-1.
struct Joins {
    std::vector<int> parent;
    explicit Joins(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    void join(int a, int b) {
        a = find(a), b = find(b);
        if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }
};

// A piece of an input segment between two cuts, with the index of that segment.
struct Piece {
    Segment2 seg;
    int source;
};

// The part of s between the fractions f0 and f1, ending exactly at a and b.
Segment2 part(const Segment2& s, double f0, double f1, const AcGePoint2d& a, const AcGePoint2d& b) {
    Segment2 p = s.arc ? Segment2::fromArc(s.center, s.radius, s.startAngle + s.sweep * f0, s.sweep * (f1 - f0))
                       : Segment2::line(a, b);
    p.start = a;
    p.end = b;
    return p;
}

Segment2 flipped(const Segment2& s) {
    Segment2 r = s.reversed();
    r.start = s.end;
    r.end = s.start;
    return r;
}

// Calls meet(i, j) once for every pair i < j whose boxes (grown by tol) overlap. The boxes go into a grid of
// cells about the size of a typical box; a pair is looked at in the one cell holding the lower-left corner of
// its boxes' common part. Boxes that would cover too many cells (long pieces across the figure) are met by
// a plain pass over all boxes instead.
template <typename Meet>
void meetingBoxes(const std::vector<Box>& boxes, double tol, Meet meet) {
    size_t n = boxes.size();
    if (n < 2) return;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY, sum = 0;
    for (const Box& b : boxes) {
        x0 = std::min(x0, b.x0), y0 = std::min(y0, b.y0), x1 = std::max(x1, b.x1), y1 = std::max(y1, b.y1);
        sum += std::max(b.x1 - b.x0, b.y1 - b.y0);
    }
    x0 -= tol, y0 -= tol, x1 += tol, y1 += tol;
    double w = x1 - x0, h = y1 - y0;
    double cell = std::max({sum / double(n) + 2 * tol, std::sqrt(w * h / double(n)), std::max(w, h) / 65536});
    if (!(cell > 0) || !std::isfinite(cell)) cell = std::max({w, h, 1.0});
    auto col = [&](double x) { return int64_t(std::clamp((x - x0) / cell, 0.0, 65535.0)); };
    auto row = [&](double y) { return int64_t(std::clamp((y - y0) / cell, 0.0, 65535.0)); };
    int64_t cols = col(x1) + 1, rows = row(y1) + 1;
    constexpr int64_t kMaxCellsPerBox = 256;
    auto overlap = [&](size_t i, size_t j) {
        const Box &a = boxes[i], &b = boxes[j];
        return !(b.x0 > a.x1 + tol || a.x0 > b.x1 + tol || b.y0 > a.y1 + tol || a.y0 > b.y1 + tol);
    };
    std::vector<uint32_t> start(size_t(cols * rows) + 1, 0), big;
    auto span = [&](const Box& b, int64_t& c0, int64_t& c1, int64_t& r0, int64_t& r1) {
        c0 = col(b.x0 - tol), c1 = col(b.x1 + tol), r0 = row(b.y0 - tol), r1 = row(b.y1 + tol);
        return (c1 - c0 + 1) * (r1 - r0 + 1);
    };
    for (size_t i = 0; i < n; ++i) {
        int64_t c0, c1, r0, r1;
        if (span(boxes[i], c0, c1, r0, r1) > kMaxCellsPerBox) {
            big.push_back(uint32_t(i));
            continue;
        }
        for (int64_t r = r0; r <= r1; ++r)
            for (int64_t c = c0; c <= c1; ++c) ++start[size_t(r * cols + c) + 1];
    }
    for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    std::vector<uint32_t> members(start.back()), fill(start.begin(), start.end() - 1);
    std::vector<char> isBig(n, 0);
    for (uint32_t i : big) isBig[i] = 1;
    for (size_t i = 0; i < n; ++i) {
        int64_t c0, c1, r0, r1;
        if (isBig[i]) continue;
        span(boxes[i], c0, c1, r0, r1);
        for (int64_t r = r0; r <= r1; ++r)
            for (int64_t c = c0; c <= c1; ++c) members[fill[size_t(r * cols + c)]++] = uint32_t(i);
    }
    for (int64_t r = 0; r < rows; ++r)
        for (int64_t c = 0; c < cols; ++c) {
            size_t k = size_t(r * cols + c);
            for (uint32_t a = start[k]; a < start[k + 1]; ++a)
                for (uint32_t b = a + 1; b < start[k + 1]; ++b) {
                    size_t i = members[a], j = members[b];
                    if (!overlap(i, j)) continue;
                    const Box &bi = boxes[i], &bj = boxes[j];
                    if (col(std::max(bi.x0, bj.x0) - tol) != c || row(std::max(bi.y0, bj.y0) - tol) != r) continue;
                    meet(std::min(i, j), std::max(i, j));
                }
        }
    for (size_t k = 0; k < big.size(); ++k)
        for (size_t j = 0; j < n; ++j)
            if (j != big[k] && (!isBig[j] || j > big[k]) && overlap(big[k], j))
                meet(std::min<size_t>(big[k], j), std::max<size_t>(big[k], j));
}

// Cuts every segment where it meets another (candidate pairs from a grid over the boxes), and a closed one in
// its middle so that no piece ends where it starts. Pieces not longer than tol are dropped.
std::vector<Piece> cutPieces(const std::vector<Segment2>& segs, double tol) {
    struct Cut {
        double f;
        AcGePoint2d p;
    };
    size_t n = segs.size();
    std::vector<Box> boxes(n);
    for (size_t i = 0; i < n; ++i) boxes[i] = boxOf(segs[i]);
    std::vector<std::vector<Cut>> cuts(n);
    meetingBoxes(boxes, tol, [&](size_t i, size_t j) {
        for (const Hit2& h : intersect(segs[i], segs[j], tol)) {
            cuts[i].push_back({h.fa, h.pt});
            cuts[j].push_back({h.fb, h.pt});
        }
    });
    std::vector<Piece> pieces;
    size_t cutCount = 0;
    for (const std::vector<Cut>& c : cuts) cutCount += c.size();
    pieces.reserve(n + cutCount + 1);
    for (size_t i = 0; i < n; ++i) {
        const Segment2& s = segs[i];
        double len = s.length();
        if (len <= tol) continue;
        std::vector<Cut>& c = cuts[i];
        if (distSqrd(s.start, s.end) <= tol * tol) c.push_back({0.5, s.pointAt(0.5)});
        std::sort(c.begin(), c.end(), [](const Cut& a, const Cut& b) { return a.f < b.f; });
        double f0 = 0;
        AcGePoint2d p0 = s.start;
        for (const Cut& cut : c) {
            if ((cut.f - f0) * len <= tol || (1 - cut.f) * len <= tol) continue;
            pieces.push_back({part(s, f0, cut.f, p0, cut.p), int(i)});
            f0 = cut.f;
            p0 = cut.p;
        }
        pieces.push_back({part(s, f0, 1, p0, s.end), int(i)});
    }
    return pieces;
}

// Joins the pieces' ends that lie within tol of each other. The ends are sorted into strips of width tol and by
// height within a strip; an end's neighbours lie in its own strip or the next one, within tol of its height.
// Returns the vertex of each end (2k: start of piece k, 2k + 1: its end) and fills the vertices' positions.
std::vector<int> joinEnds(const std::vector<Piece>& pieces, double tol, std::vector<AcGePoint2d>& at) {
    struct End {
        int64_t strip;
        double y;
        int k;
    };
    size_t m = pieces.size() * 2;
    auto end = [&](size_t k) -> const AcGePoint2d& {
        return k & 1 ? pieces[k >> 1].seg.end : pieces[k >> 1].seg.start;
    };
    std::vector<End> ends(m);
    for (size_t k = 0; k < m; ++k)
        ends[k] = {int64_t(std::clamp(std::floor(end(k).x / tol), -4e18, 4e18)), end(k).y, int(k)};
    std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
        return a.strip != b.strip ? a.strip < b.strip : a.y < b.y;
    });
    Joins joins(m);
    auto near = [&](const End& a, const End& b) {
        if (distSqrd(end(a.k), end(b.k)) <= tol * tol) joins.join(a.k, b.k);
    };
    size_t next = 0;  // the first end of the strip after the current one
    for (size_t i = 0; i < m; ++i) {
        const End& e = ends[i];
        size_t j = i + 1;
        for (; j < m && ends[j].strip == e.strip; ++j)
            if (ends[j].y - e.y <= tol) near(e, ends[j]);
            else break;
        next = std::max(next, j);
        while (next < m && ends[next].strip == e.strip) ++next;
        if (next == m || ends[next].strip != e.strip + 1) continue;
        auto from = std::lower_bound(ends.begin() + long(next), ends.end(), e.y - tol,
                                     [&](const End& a, double y) { return a.strip == e.strip + 1 && a.y < y; });
        for (; from != ends.end() && from->strip == e.strip + 1 && from->y <= e.y + tol; ++from) near(e, *from);
    }
    std::vector<int> vertex(m, -1), idOfRoot(m, -1);
    for (size_t k = 0; k < m; ++k) {
        int root = joins.find(int(k));
        if (idOfRoot[root] < 0) {
            idOfRoot[root] = int(at.size());
            at.push_back(end(root));
        }
        vertex[k] = idOfRoot[root];
    }
    return vertex;
}

struct Edge {
    int a, b;  // start and end vertex
    Segment2 seg;
    int source;
    bool alive = true;
};

// The half-edge 2e runs along edge e, 2e + 1 against it.
int origin(const std::vector<Edge>& edges, int h) { return h & 1 ? edges[h >> 1].b : edges[h >> 1].a; }
Segment2 directed(const std::vector<Edge>& edges, int h) {
    return h & 1 ? flipped(edges[h >> 1].seg) : edges[h >> 1].seg;
}

// One edge per distinct piece: a piece whose ends became one vertex is dropped, and of pieces with the same
// ends and the same middle (overlaps cut at the same points) only the first is kept.
std::vector<Edge> makeEdges(const std::vector<Piece>& pieces, const std::vector<int>& vertex,
                            const std::vector<AcGePoint2d>& at, double tol) {
    auto snapped = [&](size_t k) {
        Segment2 s = pieces[k].seg;
        s.start = at[vertex[2 * k]];
        s.end = at[vertex[2 * k + 1]];
        return s;
    };
    struct Key {
        int lo, hi;
        size_t k;
    };
    std::vector<Key> keys;
    for (size_t k = 0; k < pieces.size(); ++k) {
        int a = vertex[2 * k], b = vertex[2 * k + 1];
        if (a != b) keys.push_back({std::min(a, b), std::max(a, b), k});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& x, const Key& y) {
        return x.lo != y.lo ? x.lo < y.lo : x.hi != y.hi ? x.hi < y.hi : x.k < y.k;
    });
    std::vector<char> keep(pieces.size(), 0);
    for (size_t g = 0, h; g < keys.size(); g = h) {
        for (h = g + 1; h < keys.size() && keys[h].lo == keys[g].lo && keys[h].hi == keys[g].hi;) ++h;
        if (h == g + 1) {  // the only piece between its two ends
            keep[keys[g].k] = 1;
            continue;
        }
        for (size_t i = g; i < h; ++i) {
            AcGePoint2d mid = snapped(keys[i].k).pointAt(0.5);
            keep[keys[i].k] = std::none_of(keys.begin() + long(g), keys.begin() + long(i), [&](const Key& o) {
                return keep[o.k] && distSqrd(snapped(o.k).pointAt(0.5), mid) <= 16 * tol * tol;
            });
        }
    }
    std::vector<Edge> edges;
    edges.reserve(pieces.size());
    for (size_t k = 0; k < pieces.size(); ++k)
        if (keep[k]) edges.push_back({vertex[2 * k], vertex[2 * k + 1], snapped(k), pieces[k].source});
    return edges;
}

// Lists per vertex in one array: the items of vertex v are item[start[v]] .. item[start[v + 1]).
template <typename T>
struct PerVertex {
    std::vector<int> start;
    std::vector<T> item;
    // Fills the lists from the (vertex, item) pairs that each(fn) hands to fn, in the order it hands them.
    template <typename Each>
    PerVertex(size_t vertexCount, Each each) : start(vertexCount + 1, 0) {
        each([&](int v, const T&) { ++start[size_t(v) + 1]; });
        for (size_t v = 1; v <= vertexCount; ++v) start[v] += start[v - 1];
        item.resize(size_t(start.back()));
        std::vector<int> fill(start.begin(), start.end() - 1);
        each([&](int v, const T& x) { item[size_t(fill[size_t(v)]++)] = x; });
    }
    T* begin(size_t v) { return item.data() + start[v]; }
    T* end(size_t v) { return item.data() + start[v + 1]; }
    size_t size(size_t v) const { return size_t(start[v + 1] - start[v]); }
};

// Drops the edges that end at a vertex of no other edge, repeatedly.
void dropDeadEnds(std::vector<Edge>& edges, size_t vertexCount) {
    PerVertex<int> incident(vertexCount, [&](auto add) {
        for (size_t e = 0; e < edges.size(); ++e)
            if (edges[e].alive)
                for (int v : {edges[e].a, edges[e].b}) add(v, int(e));
    });
    std::vector<int> degree(vertexCount, 0);
    for (size_t v = 0; v < vertexCount; ++v) degree[v] = int(incident.size(v));
    std::vector<int> todo;
    for (size_t v = 0; v < vertexCount; ++v)
        if (degree[v] == 1) todo.push_back(int(v));
    while (!todo.empty()) {
        int v = todo.back();
        todo.pop_back();
        if (degree[v] != 1) continue;
        for (const int* e = incident.begin(size_t(v)); e != incident.end(size_t(v)); ++e) {
            if (!edges[*e].alive) continue;
            edges[*e].alive = false;
            for (int w : {edges[*e].a, edges[*e].b})
                if (--degree[w] == 1) todo.push_back(w);
            break;
        }
    }
}

struct Out {
    int h;
    double angle, curvature;
};

// The half-edges leaving each vertex, counter-clockwise by direction. Pieces leaving in the same direction
// (tangent arcs and lines) are ordered by curvature: the one bending right comes first.
PerVertex<Out> fansAroundVertices(const std::vector<Edge>& edges, size_t vertexCount) {
    PerVertex<Out> fans(vertexCount, [&](auto add) {
        for (size_t e = 0; e < edges.size(); ++e) {
            if (!edges[e].alive) continue;
            for (int h : {int(2 * e), int(2 * e + 1)}) {
                Segment2 s = directed(edges, h);
                AcGeVector2d d = s.derivAt(0);
                double k = s.arc ? (s.sweep > 0 ? 1 : -1) / s.radius : 0;
                add(origin(edges, h), Out{h, wrapAngle(std::atan2(d.y, d.x), 0), k});
            }
        }
    });
    constexpr double kSameDirection = 1e-9;
    for (size_t v = 0; v < vertexCount; ++v) {
        Out *o = fans.begin(v), *oend = fans.end(v);
        size_t n = size_t(oend - o);
        if (n < 2) continue;
        std::sort(o, oend, [](const Out& a, const Out& b) { return a.angle < b.angle; });
        // Start the circle of directions after a clear gap, so that a run of equal directions is not split
        // where the angle wraps round.
        size_t first = 0;
        for (size_t i = 0; i < n; ++i) {
            double prev = i ? o[i - 1].angle : o[n - 1].angle - 2 * M_PI;
            if (o[i].angle - prev > kSameDirection) {
                first = i;
                break;
            }
        }
        std::rotate(o, o + first, oend);
        for (size_t i = 0; i < n;) {
            size_t j = i + 1;
            while (j < n && wrapAngle(o[j].angle - o[j - 1].angle, 0) <= kSameDirection) ++j;
            if (j - i > 1)
                std::stable_sort(o + i, o + j, [](const Out& a, const Out& b) { return a.curvature < b.curvature; });
            i = j;
        }
    }
    return fans;
}

// Walks the faces: after arriving at a vertex, the walk leaves by the half-edge just clockwise of the way
// back, so each face lies on the walk's left. Returns the half-edges of each face and fills faceOf.
std::vector<std::vector<int>> walkFaces(const std::vector<Edge>& edges, PerVertex<Out>& fans,
                                        std::vector<int>& faceOf) {
    std::vector<int> slot(edges.size() * 2, -1);
    for (size_t v = 0; v + 1 < fans.start.size(); ++v)
        for (size_t i = 0; i < fans.size(v); ++i) slot[size_t(fans.begin(v)[i].h)] = int(i);
    faceOf.assign(edges.size() * 2, -1);
    std::vector<std::vector<int>> faces;
    for (size_t start = 0; start < faceOf.size(); ++start) {
        if (!edges[start >> 1].alive || faceOf[start] >= 0) continue;
        std::vector<int> walk;
        for (int h = int(start); faceOf[h] < 0;) {
            faceOf[h] = int(faces.size());
            walk.push_back(h);
            int back = h ^ 1;
            size_t v = size_t(origin(edges, back));
            size_t n = fans.size(v);
            h = fans.begin(v)[(size_t(slot[back]) + n - 1) % n].h;
        }
        faces.push_back(std::move(walk));
    }
    return faces;
}

}  // namespace

// The ray from p toward +x, crossed by a piece rising or falling monotonically from height y0 to y1 at x (the
// piece's x at p's height): +1 upward, -1 downward. A piece counts its lower end and not its upper one, so a
// chain passing through the ray's height at a vertex counts once.
int crossing(double y0, double y1, const AcGePoint2d& p, double x) {
    if ((y0 <= p.y) == (y1 <= p.y) || x <= p.x) return 0;
    return y1 > y0 ? 1 : -1;
}

int windingNumber(const std::vector<Segment2>& loop, const AcGePoint2d& p) {
    int w = 0;
    for (const Segment2& s : loop) {
        if (!s.arc) {
            if ((s.start.y <= p.y) != (s.end.y <= p.y))
                w += crossing(s.start.y, s.end.y, p,
                              s.start.x + (p.y - s.start.y) * (s.end.x - s.start.x) / (s.end.y - s.start.y));
            continue;
        }
        // An arc in pieces between its top and bottom points, each on one half of the circle.
        double a0 = s.startAngle, a1 = s.startAngle + s.sweep, dir = s.sweep > 0 ? 1 : -1;
        double k0 = std::ceil((std::min(a0, a1) - M_PI / 2) / M_PI);
        double k1 = std::floor((std::max(a0, a1) - M_PI / 2) / M_PI);
        double dy = p.y - s.center.y, half = std::sqrt(std::max(0.0, s.radius * s.radius - dy * dy));
        double from = a0, y0 = s.start.y;
        for (double k = dir > 0 ? k0 : k1; dir > 0 ? k <= k1 + 1 : k >= k0 - 1; k += dir) {
            bool last = dir > 0 ? k > k1 : k < k0;
            double to = last ? a1 : M_PI / 2 + k * M_PI;
            if ((to - from) * dir <= 0 && !last) continue;
            double y1 = last ? s.end.y : s.center.y + s.radius * std::sin(to);
            double side = std::cos((from + to) / 2) >= 0 ? 1 : -1;
            w += crossing(y0, y1, p, s.center.x + side * half);
            from = to;
            y0 = y1;
        }
    }
    return w;
}

PlanarFaces::Loop PlanarFaces::makeLoop(std::vector<Segment2> segs, std::vector<int> sources, int group) {
    Loop l;
    Box box = boxOf(segs.front());
    for (const Segment2& s : segs) {
        l.area += (s.start.x * s.end.y - s.end.x * s.start.y) / 2;
        if (s.arc) {
            double sw = std::fabs(s.sweep);
            l.area += (s.sweep > 0 ? 1 : -1) * s.radius * s.radius / 2 * (sw - std::sin(sw));
        }
        Box b = boxOf(s);
        box.grow({b.x0, b.y0});
        box.grow({b.x1, b.y1});
    }
    l.lo.set(box.x0, box.y0);
    l.hi.set(box.x1, box.y1);
    l.segs = std::move(segs);
    l.sources = std::move(sources);
    l.group = group;
    return l;
}

PlanarFaces::PlanarFaces(const std::vector<Segment2>& input, double tol) : mTol(tol) {
    std::vector<Piece> pieces = cutPieces(input, tol);
    std::vector<AcGePoint2d> at;
    std::vector<int> vertex = joinEnds(pieces, tol, at);
    std::vector<Edge> edges = makeEdges(pieces, vertex, at, tol);

    // Dead ends go first; then the bridges, found as edges with the same face on both sides. Dropping a
    // bridge can leave no new dead end or bridge behind it, so two rounds settle it.
    std::vector<int> faceOf;
    std::vector<std::vector<int>> faces;
    for (bool again = true; again;) {
        dropDeadEnds(edges, at.size());
        PerVertex<Out> fans = fansAroundVertices(edges, at.size());
        faces = walkFaces(edges, fans, faceOf);
        again = false;
        for (size_t e = 0; e < edges.size(); ++e)
            if (edges[e].alive && faceOf[2 * e] == faceOf[2 * e + 1]) edges[e].alive = false, again = true;
    }

    Joins groups(at.size());
    for (const Edge& e : edges)
        if (e.alive) groups.join(e.a, e.b);
    std::vector<Loop> loops;
    for (const std::vector<int>& face : faces) {
        std::vector<Segment2> segs;
        std::vector<int> sources;
        segs.reserve(face.size());
        sources.reserve(face.size());
        for (int h : face) {
            segs.push_back(directed(edges, h));
            sources.push_back(edges[h >> 1].source);
        }
        loops.push_back(makeLoop(std::move(segs), std::move(sources), groups.find(origin(edges, face[0]))));
    }
    // Each group's outer contour is its one clockwise walk, the loop of least signed area.
    std::unordered_map<int, size_t> contourOf;
    for (size_t i = 0; i < loops.size(); ++i) {
        auto [it, added] = contourOf.try_emplace(loops[i].group, i);
        if (!added && loops[i].area < loops[it->second].area) it->second = i;
    }
    for (size_t i = 0; i < loops.size(); ++i) {
        if (contourOf[loops[i].group] == i) mContours.push_back(std::move(loops[i]));
        else if (loops[i].area > 0) mAreas.push_back(std::move(loops[i]));
    }
}

bool PlanarFaces::contains(const Loop& l, const AcGePoint2d& p) const {
    if (p.x < l.lo.x - mTol || p.x > l.hi.x + mTol || p.y < l.lo.y - mTol || p.y > l.hi.y + mTol) return false;
    return windingNumber(l.segs, p) != 0;
}

BulgePolyline PlanarFaces::toPolyline(const Loop& l, bool reverse) {
    std::vector<Segment2> segs = l.segs;
    std::vector<int> sources = l.sources;
    if (reverse) {
        std::reverse(segs.begin(), segs.end());
        std::reverse(sources.begin(), sources.end());
        for (Segment2& s : segs) s = flipped(s);
    }
    // Pieces of one input segment that follow each other become one again (arcs up to a half turn).
    auto joinable = [&](const Segment2& a, int sa, const Segment2& b, int sb) {
        if (sa != sb || a.arc != b.arc) return false;
        return !a.arc || ((a.sweep > 0) == (b.sweep > 0) && std::fabs(a.sweep + b.sweep) <= M_PI + 1e-9);
    };
    size_t n = segs.size(), first = 0;
    for (size_t i = 0; i < n; ++i)
        if (!joinable(segs[(i + n - 1) % n], sources[(i + n - 1) % n], segs[i], sources[i])) {
            first = i;
            break;
        }
    std::vector<Segment2> out;
    Segment2 cur = segs[first];
    int curSource = sources[first];
    for (size_t k = 1; k < n; ++k) {
        const Segment2& next = segs[(first + k) % n];
        int nextSource = sources[(first + k) % n];
        if (joinable(cur, curSource, next, nextSource)) {
            AcGePoint2d start = cur.start;
            cur = cur.arc ? Segment2::fromArc(cur.center, cur.radius, cur.startAngle, cur.sweep + next.sweep)
                          : Segment2::line(start, next.end);
            cur.start = start;
            cur.end = next.end;
        } else {
            out.push_back(cur);
            cur = next;
            curSource = nextSource;
        }
    }
    out.push_back(cur);
    return fromSegments(out, true);
}

std::vector<BulgePolyline> PlanarFaces::loopsAround(const AcGePoint2d& p) const {
    const Loop* area = nullptr;
    for (const Loop& l : mAreas)
        if ((!area || l.area < area->area) && contains(l, p)) area = &l;
    if (!area) return {};
    auto boxWithin = [&](const Loop& inner, const Loop& outer) {
        return inner.lo.x >= outer.lo.x - mTol && inner.lo.y >= outer.lo.y - mTol && inner.hi.x <= outer.hi.x + mTol &&
               inner.hi.y <= outer.hi.y + mTol;
    };
    // The groups lying in the area; those inside another of them are not its islands.
    std::vector<const Loop*> inside;
    for (const Loop& c : mContours)
        if (c.group != area->group && boxWithin(c, *area) && contains(*area, c.segs.front().start))
            inside.push_back(&c);
    std::vector<BulgePolyline> out{toPolyline(*area, false)};
    for (const Loop* c : inside) {
        bool nested = std::any_of(inside.begin(), inside.end(), [&](const Loop* d) {
            return d != c && boxWithin(*c, *d) && contains(*d, c->segs.front().start);
        });
        if (!nested) out.push_back(toPolyline(*c, true));
    }
    return out;
}

}  // namespace cvx::geom
