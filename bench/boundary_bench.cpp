// Boundary finding against GEOS, side by side in one run, on the outline case: a frame around a figure of
// 1,000 overlapping pieces, picked in the gap between them (the frame's loop plus the figure's contours).
//  1. 1,000 random circles; 2. 1,000 short closed polylines with an arc each; 3. a grid of 1,000 lines.
// Host: the planar faces of the exact lines and arcs, then the loops around the pick; GEOS: the same figure as
// tessellated line strings (circles as 64-gons, arcs as 16 chords), noded by a unary union, polygonized, and the
// polygon holding the pick found. Also the whole BOUNDARY command on a drawing of the circles, as the outline
// command calls it (acedCommand, curves collected from the drawing).
// Prints the median time of several runs of each side and what each found. The island counts and areas may
// differ: a polygonized face has one hole per ring, and a contour that touches itself at a point is split there
// into several rings, where BOUNDARY keeps one loop through the touch point.
//
//   boundary_bench [RUNS]
#include <geos_c.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "curves/planar_faces.h"
#include "curves/primitives.h"
#include "cvx/arx.h"
#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "bench_timing.h"
#include "editor/state.h"

using namespace cvx::geom;

namespace {


const AcGePoint2d kPick(-9, -9);

void addFrame(std::vector<Segment2>& s) {
    AcGePoint2d p[4] = {{-10, -10}, {110, -10}, {110, 110}, {-10, 110}};
    for (int i = 0; i < 4; ++i) s.push_back(Segment2::line(p[i], p[(i + 1) % 4]));
}

struct Circle {
    double x, y, r;
};

std::vector<Circle> randomCircles() {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> pos(0, 100), rad(1, 4);
    std::vector<Circle> c;
    for (int i = 0; i < 1000; ++i) c.push_back({pos(rng), pos(rng), rad(rng)});
    return c;
}

std::vector<Segment2> circleFigure(const std::vector<Circle>& circles) {
    std::vector<Segment2> s;
    addFrame(s);
    for (const Circle& c : circles) s.push_back(Segment2::fromArc({c.x, c.y}, c.r, 0, kTwoPi));
    return s;
}

// Closed four-sided polylines of 1 to 4 units, one side an arc.
std::vector<Segment2> polylineFigure() {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> pos(0, 100), size(1, 4), turn(0, kTwoPi), bulge(-0.6, 0.6);
    std::vector<Segment2> s;
    addFrame(s);
    for (int i = 0; i < 1000; ++i) {
        AcGePoint2d o(pos(rng), pos(rng));
        double w = size(rng), h = size(rng), t = turn(rng);
        AcGeVector2d u(std::cos(t), std::sin(t)), v(-u.y, u.x);
        AcGePoint2d p[4] = {o, o + u * w, o + u * w + v * h, o + v * h};
        s.push_back(Segment2::fromBulge(p[0], p[1], bulge(rng)));
        for (int k = 1; k < 4; ++k) s.push_back(Segment2::line(p[k], p[(k + 1) % 4]));
    }
    return s;
}

// 500 horizontal and 500 vertical lines, 250,000 crossings.
std::vector<Segment2> gridFigure() {
    std::vector<Segment2> s;
    addFrame(s);
    for (int i = 0; i < 500; ++i) {
        double t = 0.1 + i * 0.2;
        s.push_back(Segment2::line({0, t}, {100, t}));
        s.push_back(Segment2::line({t, 0}, {t, 100}));
    }
    return s;
}

struct Found {
    double outer = 0, islands = 0;
    int islandCount = 0;
};

Found hostBoundary(const std::vector<Segment2>& segs) {
    PlanarFaces faces(segs, 1e-9 * 170);
    std::vector<BulgePolyline> loops = faces.loopsAround(kPick);
    Found f;
    for (size_t i = 0; i < loops.size(); ++i) (i ? f.islands : f.outer) += std::fabs(signedArea(loops[i]));
    f.islandCount = int(loops.size()) - 1;
    return f;
}

// ---- GEOS ----

GEOSGeometry* geosLine(GEOSContextHandle_t h, const Segment2& s) {
    int n = s.arc ? std::max(2, int(std::ceil(std::fabs(s.sweep) / kTwoPi * 64))) : 1;
    if (s.arc && std::fabs(s.sweep) < kTwoPi - 1e-9) n = 16;
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, unsigned(n + 1), 2);
    for (int k = 0; k <= n; ++k) {
        AcGePoint2d p = k == n ? s.end : s.pointAt(double(k) / n);
        GEOSCoordSeq_setXY_r(h, seq, unsigned(k), p.x, p.y);
    }
    return GEOSGeom_createLineString_r(h, seq);
}

double ringArea(GEOSContextHandle_t h, const GEOSGeometry* ring) {
    GEOSGeometry* poly = GEOSGeom_createPolygon_r(h, GEOSGeom_clone_r(h, ring), nullptr, 0);
    double a = 0;
    GEOSArea_r(h, poly, &a);
    GEOSGeom_destroy_r(h, poly);
    return a;
}

Found geosBoundary(GEOSContextHandle_t h, const std::vector<GEOSGeometry*>& lines) {
    std::vector<GEOSGeometry*> copies;
    for (GEOSGeometry* g : lines) copies.push_back(GEOSGeom_clone_r(h, g));
    GEOSGeometry* all = GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, copies.data(), unsigned(copies.size()));
    GEOSGeometry* noded = GEOSUnaryUnion_r(h, all);
    const GEOSGeometry* parts[] = {noded};
    GEOSGeometry* polys = GEOSPolygonize_r(h, parts, 1);
    GEOSGeometry* pick = GEOSGeom_createPointFromXY_r(h, kPick.x, kPick.y);
    Found f;
    for (int i = 0; i < GEOSGetNumGeometries_r(h, polys); ++i) {
        const GEOSGeometry* p = GEOSGetGeometryN_r(h, polys, i);
        if (GEOSContains_r(h, p, pick) != 1) continue;
        f.outer = ringArea(h, GEOSGetExteriorRing_r(h, p));
        f.islandCount = GEOSGetNumInteriorRings_r(h, p);
        for (int k = 0; k < f.islandCount; ++k) f.islands += ringArea(h, GEOSGetInteriorRingN_r(h, p, k));
    }
    for (GEOSGeometry* g : {all, noded, polys, pick}) GEOSGeom_destroy_r(h, g);
    return f;
}

// ---- the whole command ----

double commandMs(int runs, const std::vector<Circle>& circles, int& made) {
    AcDbDatabase db(true);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    cvx::editor::resetEditorState();
    cvx::editor::registerHostCommands();
    cvx::editor::setOutputQuiet(true);
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    auto add = [&](AcDbEntity* e) {
        AcDbObjectId id;
        e->setDatabaseDefaults(&db);
        ms->appendAcDbEntity(id, e);
        e->close();
    };
    for (const Circle& c : circles) add(new AcDbCircle({c.x, c.y, 0}, AcGeVector3d::kZAxis, c.r));
    auto* frame = new AcDbPolyline(4);
    for (AcGePoint2d p : {AcGePoint2d(-10, -10), AcGePoint2d(110, -10), AcGePoint2d(110, 110), AcGePoint2d(-10, 110)})
        frame->addVertexAt(frame->numVerts(), p);
    frame->setClosed(true);
    add(frame);
    ms->close();
    double t = medianMs(runs, [&] {
        ads_name last, cur, next;
        acdbEntLast(last);
        ads_point pick = {kPick.x, kPick.y, 0};
        acedCommand(RTSTR, L"_BOUNDARY", RT3DPOINT, pick, RTSTR, L"", RTNONE);
        made = 0;
        cur[0] = last[0], cur[1] = last[1];
        while (acdbEntNext(cur, next) == RTNORM) {  // erased again, so every run sees the same drawing
            AcDbObjectId id;
            acdbGetObjectId(id, next);
            AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
            if (e) e->erase();
            ++made;
            cur[0] = next[0], cur[1] = next[1];
        }
    });
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    GEOSContextHandle_t h = GEOS_init_r();
    GEOSContext_setNoticeMessageHandler_r(h, geosMessage, nullptr);
    GEOSContext_setErrorMessageHandler_r(h, geosMessage, nullptr);
    std::vector<Circle> circles = randomCircles();
    struct Case {
        const char* name;
        std::vector<Segment2> segs;
    } cases[] = {{"1000 circles", circleFigure(circles)}, {"1000 polylines", polylineFigure()},
                   {"grid 500 x 500", gridFigure()}};

    std::printf("median of %d runs      host (ms)   GEOS (ms)   GEOS / host   outer area, islands (count, area)\n",
                runs);
    for (const Case& c : cases) {
        std::vector<GEOSGeometry*> lines;
        for (const Segment2& s : c.segs) lines.push_back(geosLine(h, s));
        Found hf, gf;
        double host = medianMs(runs, [&] { hf = hostBoundary(c.segs); });
        double geos = medianMs(runs, [&] { gf = geosBoundary(h, lines); });
        std::printf("%-18s %12.1f %11.1f %11.2f     host %.6g, %d, %.6g   GEOS %.6g, %d, %.6g\n", c.name, host, geos,
                    geos / host, hf.outer, hf.islandCount, hf.islands, gf.outer, gf.islandCount, gf.islands);
        for (GEOSGeometry* g : lines) GEOSGeom_destroy_r(h, g);
    }
    int made = 0;
    double command = commandMs(runs, circles, made);
    std::printf("BOUNDARY command, 1000 circles in a drawing: %.1f ms (%d polylines made)\n", command, made);
    GEOS_finish_r(h);
    return 0;
}
