// All mutual intersections of a drawing's curves as PLJD finds them (its own work function on the database:
// the crossings of every pair, then the points merged within 0.0001), beside GEOS on the same coordinates (an
// STR tree for candidate pairs, GEOSIntersection on each), in one run. Drawings:
//  1. 2,000 random lines and 500 circles (GEOS cannot hold a circle: it gets each as the 64-gon of case 2);
//  2. the same lines, the circles as closed 64-vertex polylines (both sides the very same vertices);
//  3. a grid of 361 x 361 lines: 130,321 crossings, so the merge of near points works on 130k points.
// Building the drawing and the GEOS geometries is not timed. Prints medians and the ratio.
//
//   pljd_bench [RUNS]
#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench_timing.h"
#include "cvx/arx.h"
#include "shaping/batch_intersect.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Figure {
    std::vector<std::pair<AcGePoint2d, AcGePoint2d>> lines;
    struct Circle {
        AcGePoint2d c;
        double r;
    };
    std::vector<Circle> circles;
};

Figure randomFigure() {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> pos(0, 1000), len(10, 120), ang(0, kTwoPi), rad(5, 40);
    Figure f;
    for (int i = 0; i < 2000; ++i) {
        AcGePoint2d a(pos(rng), pos(rng));
        double l = len(rng), t = ang(rng);
        f.lines.push_back({a, a + AcGeVector2d(std::cos(t), std::sin(t)) * l});
    }
    for (int i = 0; i < 500; ++i) {
        AcGePoint2d c(pos(rng), pos(rng));
        f.circles.push_back({c, rad(rng)});
    }
    return f;
}

Figure gridFigure() {
    Figure f;
    for (int i = 0; i < 361; ++i) {
        double t = 0.5 + i * 2.0;
        f.lines.push_back({{0, t}, {723, t}});
        f.lines.push_back({{t, 0}, {t, 723}});
    }
    return f;
}

AcGePoint2d gonVertex(const Figure::Circle& c, int k) {
    double t = kTwoPi * k / 64;
    return {c.c.x + c.r * std::cos(t), c.c.y + c.r * std::sin(t)};
}

AcDbObjectIdArray buildDrawing(AcDbDatabase& db, const Figure& f, bool circlesAsPolylines) {
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    AcDbObjectIdArray ids;
    auto add = [&](AcDbEntity* e) {
        AcDbObjectId id;
        ms->appendAcDbEntity(id, e);
        e->close();
        ids.append(id);
    };
    for (const auto& l : f.lines) add(new AcDbLine({l.first.x, l.first.y, 0}, {l.second.x, l.second.y, 0}));
    for (const Figure::Circle& c : f.circles) {
        if (!circlesAsPolylines) {
            add(new AcDbCircle({c.c.x, c.c.y, 0}, AcGeVector3d::kZAxis, c.r));
            continue;
        }
        auto* pl = new AcDbPolyline(64);
        for (int k = 0; k < 64; ++k) pl->addVertexAt(pl->numVerts(), gonVertex(c, k));
        pl->setClosed(true);
        add(pl);
    }
    ms->close();
    return ids;
}

std::vector<GEOSGeometry*> geosFigure(GEOSContextHandle_t h, const Figure& f) {
    std::vector<GEOSGeometry*> out;
    for (const auto& l : f.lines) {
        GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, 2, 2);
        GEOSCoordSeq_setXY_r(h, seq, 0, l.first.x, l.first.y);
        GEOSCoordSeq_setXY_r(h, seq, 1, l.second.x, l.second.y);
        out.push_back(GEOSGeom_createLineString_r(h, seq));
    }
    for (const Figure::Circle& c : f.circles) {
        GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, 65, 2);
        for (int k = 0; k <= 64; ++k) {
            AcGePoint2d p = gonVertex(c, k % 64);
            GEOSCoordSeq_setXY_r(h, seq, unsigned(k), p.x, p.y);
        }
        out.push_back(GEOSGeom_createLineString_r(h, seq));
    }
    return out;
}

struct QueryCtx {
    GEOSContextHandle_t h;
    const std::vector<GEOSGeometry*>* geoms;
    size_t self;
    size_t points;
};

void countPoints(GEOSContextHandle_t h, const GEOSGeometry* g, size_t& points) {
    if (GEOSGeomTypeId_r(h, g) == GEOS_POINT) {
        points += GEOSisEmpty_r(h, g) ? 0 : 1;
        return;
    }
    int n = GEOSGetNumGeometries_r(h, g);
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

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSContext_setNoticeMessageHandler_r(h, geosMessage, nullptr);
    GEOSContext_setErrorMessageHandler_r(h, geosMessage, nullptr);
    const Figure random = randomFigure(), grid = gridFigure();
    struct Case {
        const char* name;
        const Figure* figure;
        bool polylines;
    } cases[] = {{"2000 lines + 500 circles", &random, false},
                 {"2000 lines + 500 64-gons", &random, true},
                 {"grid 361 x 361 lines", &grid, false}};
    std::printf("median of %d runs              PLJD (ms)   GEOS (ms)   PLJD / GEOS   points (PLJD found, kept; GEOS)\n",
                runs);
    for (const Case& c : cases) {
        AcDbDatabase db(true);
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        AcDbObjectIdArray ids = buildDrawing(db, *c.figure, c.polylines);
        std::vector<GEOSGeometry*> geoms = geosFigure(h, *c.figure);
        size_t found = 0, kept = 0, geosPoints = 0;
        double pljd = medianMs(runs, [&] {
            std::vector<AcGePoint3d> all = mutualIntersections(ids);
            found = all.size();
            kept = uniquePoints(all).size();
        });
        double geos = medianMs(runs, [&] { geosPoints = geosIntersections(h, geoms); });
        std::printf("%-28s %11.1f %11.1f %11.2f     %zu, %zu; %zu\n", c.name, pljd, geos, pljd / geos, found, kept,
                    geosPoints);
        for (GEOSGeometry* g : geoms) GEOSGeom_destroy_r(h, g);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    GEOS_finish_r(h);
    return 0;
}
