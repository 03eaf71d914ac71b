// Curve maths against GEOS, side by side in one run:
//  1. all meeting points among 2,000 random lines and 500 circles, candidate pairs found by a box sweep (host)
//     and an STR tree (GEOS). GEOS holds no circles: both sides get each circle as the same closed 64-vertex
//     polyline; the host's time on the exact circles is printed beside it;
//  2. offsets at +d and -d of 1,000 random star-shaped closed polylines of 64-100 vertices (GEOS: round-joined
//     buffers with 8 segments a quarter circle; the host keeps its arcs exact).
// Prints the median time of several runs of each side and the ratio.
#include <geos_c.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "curves/intersect.h"
#include "bench_timing.h"
#include "curves/offset.h"

using namespace cvx::geom;

namespace {


struct Shapes {
    std::vector<Curve> curves;  // lines then circles
    std::vector<Curve> gons;    // the same lines, then each circle as a closed 64-vertex polyline
    std::vector<BulgePolyline> stars;
};

Shapes makeShapes() {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> pos(0, 1000), len(10, 120), ang(0, kTwoPi), rad(5, 40);
    Shapes s;
    for (int i = 0; i < 2000; ++i) {
        AcGePoint3d a(pos(rng), pos(rng), 0);
        double l = len(rng), t = ang(rng);
        s.curves.push_back(Line{a, a + AcGeVector3d(std::cos(t), std::sin(t), 0) * l});
    }
    for (int i = 0; i < 500; ++i) s.curves.push_back(Arc::circle(AcGePoint3d(pos(rng), pos(rng), 0), rad(rng)));
    for (const Curve& c : s.curves) {
        auto* a = std::get_if<Arc>(&c);
        if (!a) {
            s.gons.push_back(c);
            continue;
        }
        PlacedPolyline gon;
        gon.poly.closed = true;
        for (int k = 0; k < 64; ++k) {
            double t = kTwoPi * k / 64;
            gon.poly.v.push_back({AcGePoint2d(a->center.x + a->radius * std::cos(t), a->center.y + a->radius * std::sin(t)), 0});
        }
        s.gons.push_back(gon);
    }
    std::uniform_int_distribution<int> count(64, 100);
    std::uniform_real_distribution<double> r(50, 100);
    for (int i = 0; i < 1000; ++i) {
        BulgePolyline pl;
        pl.closed = true;
        int n = count(rng);
        for (int k = 0; k < n; ++k) {
            double a = kTwoPi * k / n, rr = r(rng);
            pl.v.push_back({AcGePoint2d(rr * std::cos(a), rr * std::sin(a)), 0});
        }
        s.stars.push_back(pl);
    }
    return s;
}

// ---- host ----

size_t hostIntersections(const std::vector<Curve>& curves) {
    struct Item {
        double x0, x1, y0, y1;
        size_t i;
    };
    std::vector<Item> items;
    for (size_t i = 0; i < curves.size(); ++i) {
        auto [lo, hi] = roughBox(curves[i]);
        items.push_back({lo.x, hi.x, lo.y, hi.y, i});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.x0 < b.x0; });
    size_t points = 0;
    for (size_t a = 0; a < items.size(); ++a)
        for (size_t b = a + 1; b < items.size() && items[b].x0 <= items[a].x1; ++b) {
            if (items[b].y0 > items[a].y1 || items[a].y0 > items[b].y1) continue;
            points += intersect(curves[items[a].i], curves[items[b].i]).size();
        }
    return points;
}

size_t hostOffsets(const std::vector<BulgePolyline>& stars, double d) {
    size_t rings = 0;
    for (const BulgePolyline& pl : stars) rings += offset(pl, d).size() + offset(pl, -d).size();
    return rings;
}

// ---- GEOS ----

GEOSGeometry* geosCurve(GEOSContextHandle_t h, const Curve& c) {
    GEOSCoordSequence* seq;
    if (auto* l = std::get_if<Line>(&c)) {
        seq = GEOSCoordSeq_create_r(h, 2, 2);
        GEOSCoordSeq_setXY_r(h, seq, 0, l->start.x, l->start.y);
        GEOSCoordSeq_setXY_r(h, seq, 1, l->end.x, l->end.y);
    } else {  // the closed polyline, its first vertex repeated at the end
        const BulgePolyline& pl = std::get<PlacedPolyline>(c).poly;
        unsigned n = unsigned(pl.v.size());
        seq = GEOSCoordSeq_create_r(h, n + 1, 2);
        for (unsigned k = 0; k <= n; ++k) GEOSCoordSeq_setXY_r(h, seq, k, pl.v[k % n].pt.x, pl.v[k % n].pt.y);
    }
    return GEOSGeom_createLineString_r(h, seq);
}

GEOSGeometry* geosPolygon(GEOSContextHandle_t h, const BulgePolyline& pl) {
    unsigned n = unsigned(pl.v.size());
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, n + 1, 2);
    for (unsigned k = 0; k <= n; ++k) GEOSCoordSeq_setXY_r(h, seq, k, pl.v[k % n].pt.x, pl.v[k % n].pt.y);
    return GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, seq), nullptr, 0);
}

struct QueryCtx {
    GEOSContextHandle_t h;
    const std::vector<GEOSGeometry*>* geoms;
    size_t self;
    size_t points;
};

void countPoints(GEOSContextHandle_t h, const GEOSGeometry* g, size_t& points) {
    int n = GEOSGetNumGeometries_r(h, g);
    if (GEOSGeomTypeId_r(h, g) == GEOS_POINT) {
        points += GEOSisEmpty_r(h, g) ? 0 : 1;
        return;
    }
    if (n > 1 || GEOSGeomTypeId_r(h, g) >= GEOS_MULTIPOINT)
        for (int i = 0; i < n; ++i) countPoints(h, GEOSGetGeometryN_r(h, g, i), points);
    else if (!GEOSisEmpty_r(h, g))
        points += 2;  // an overlap: its ends
}

size_t geosIntersections(GEOSContextHandle_t h, const std::vector<GEOSGeometry*>& geoms) {
    GEOSSTRtree* tree = GEOSSTRtree_create_r(h, 10);
    for (size_t i = 0; i < geoms.size(); ++i) GEOSSTRtree_insert_r(h, tree, geoms[i], reinterpret_cast<void*>(i));
    QueryCtx ctx{h, &geoms, 0, 0};
    for (size_t i = 0; i < geoms.size(); ++i) {
        ctx.self = i;
        GEOSSTRtree_query_r(
            h, tree, geoms[i],
            [](void* item, void* data) {
                auto* c = static_cast<QueryCtx*>(data);
                size_t j = reinterpret_cast<size_t>(item);
                if (j <= c->self) return;
                GEOSGeometry* x = GEOSIntersection_r(c->h, (*c->geoms)[c->self], (*c->geoms)[j]);
                if (x) countPoints(c->h, x, c->points);
                GEOSGeom_destroy_r(c->h, x);
            },
            &ctx);
    }
    GEOSSTRtree_destroy_r(h, tree);
    return ctx.points;
}

size_t geosOffsets(GEOSContextHandle_t h, const std::vector<GEOSGeometry*>& polys, double d) {
    GEOSBufferParams* bp = GEOSBufferParams_create_r(h);
    GEOSBufferParams_setJoinStyle_r(h, bp, GEOSBUF_JOIN_ROUND);
    GEOSBufferParams_setQuadrantSegments_r(h, bp, 8);
    size_t parts = 0;
    for (GEOSGeometry* p : polys)
        for (double s : {d, -d}) {
            GEOSGeometry* b = GEOSBufferWithParams_r(h, p, bp, s);
            parts += size_t(GEOSGetNumGeometries_r(h, b));
            GEOSGeom_destroy_r(h, b);
        }
    GEOSBufferParams_destroy_r(h, bp);
    return parts;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Shapes s = makeShapes();
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSContext_setNoticeMessageHandler_r(h, geosMessage, nullptr);
    GEOSContext_setErrorMessageHandler_r(h, geosMessage, nullptr);
    std::vector<GEOSGeometry*> gc, gp;
    for (const Curve& c : s.gons) gc.push_back(geosCurve(h, c));
    for (const BulgePolyline& pl : s.stars) gp.push_back(geosPolygon(h, pl));

    size_t hp = 0, hc = 0, gpnt = 0, hr = 0, gr = 0;
    double hostX = medianMs(runs, [&] { hp = hostIntersections(s.gons); });
    double hostC = medianMs(runs, [&] { hc = hostIntersections(s.curves); });
    double geosX = medianMs(runs, [&] { gpnt = geosIntersections(h, gc); });
    double hostO = medianMs(runs, [&] { hr = hostOffsets(s.stars, 3.0); });
    double geosO = medianMs(runs, [&] { gr = geosOffsets(h, gp, 3.0); });

    std::printf("median of %d runs          host (ms)   GEOS (ms)   GEOS / host\n", runs);
    std::printf("intersections 2000+500    %9.1f   %9.1f   %8.2f   (points: host %zu, GEOS %zu)\n", hostX, geosX,
                geosX / hostX, hp, gpnt);
    std::printf("  host, circles exact     %9.1f                          (points: %zu)\n", hostC, hc);
    std::printf("offsets 1000 x (+d, -d)   %9.1f   %9.1f   %8.2f   (pieces: host %zu, GEOS %zu)\n", hostO, geosO,
                geosO / hostO, hr, gr);
    for (GEOSGeometry* g : gc) GEOSGeom_destroy_r(h, g);
    for (GEOSGeometry* g : gp) GEOSGeom_destroy_r(h, g);
    GEOS_finish_r(h);
    return 0;
}
