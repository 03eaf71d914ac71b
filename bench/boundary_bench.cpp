// Boundary finding against GEOS, side by side in one run, both on the very same straight pieces: a frame
// around a figure of overlapping rings, picked in the gap between them (the frame's loop plus the figure's
// contours). Figures: random rings of 64 segments (100, 1,000 and 10,000 of them, as many per unit of area
// each time), 1,000 short closed polylines with an arc each given as 16 chords, and a grid of 1,000 lines.
// Host: the BOUNDARY command on a drawing of those polylines (curves collected from the drawing, the loops
// around the pick made into polylines), and its planar faces alone on the pieces; GEOS: the same pieces as
// line strings, noded by a unary union, polygonized, and the polygon holding the pick found.
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

using Ring = std::vector<AcGePoint2d>;  // closed unless it has two points

struct Figure {
    std::vector<Ring> rings;  // the frame first
    AcGePoint2d pick;
};

Figure framed(double size) {
    Figure f;
    f.rings.push_back({{-0.1 * size, -0.1 * size}, {1.1 * size, -0.1 * size}, {1.1 * size, 1.1 * size},
                       {-0.1 * size, 1.1 * size}});
    f.pick.set(-0.09 * size, -0.09 * size);
    return f;
}

// Rings of 64 segments, radius 1 to 4, over a square that grows with their number (1,000 over 100 x 100).
Figure randomRings(int count) {
    std::mt19937 rng(2024);
    double size = 100 * std::sqrt(count / 1000.0);
    std::uniform_real_distribution<double> pos(0, size), rad(1, 4);
    Figure f = framed(size);
    for (int i = 0; i < count; ++i) {
        double x = pos(rng), y = pos(rng), r = rad(rng);
        Ring ring;
        for (int k = 0; k < 64; ++k) ring.emplace_back(x + r * std::cos(kTwoPi * k / 64), y + r * std::sin(kTwoPi * k / 64));
        f.rings.push_back(std::move(ring));
    }
    return f;
}

// Closed four-sided polylines of 1 to 4 units, one side an arc given as 16 chords.
Figure polylineFigure() {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> pos(0, 100), size(1, 4), turn(0, kTwoPi), bulge(-0.6, 0.6);
    Figure f = framed(100);
    for (int i = 0; i < 1000; ++i) {
        AcGePoint2d o(pos(rng), pos(rng));
        double w = size(rng), h = size(rng), t = turn(rng);
        AcGeVector2d u(std::cos(t), std::sin(t)), v(-u.y, u.x);
        AcGePoint2d p[4] = {o, o + u * w, o + u * w + v * h, o + v * h};
        Segment2 arc = Segment2::fromBulge(p[0], p[1], bulge(rng));
        Ring ring;
        for (int k = 0; k < 16; ++k) ring.push_back(k ? arc.pointAt(k / 16.0) : p[0]);
        for (int k = 1; k < 4; ++k) ring.push_back(p[k]);
        f.rings.push_back(std::move(ring));
    }
    return f;
}

// 500 horizontal and 500 vertical lines, 250,000 crossings.
Figure gridFigure() {
    Figure f = framed(100);
    for (int i = 0; i < 500; ++i) {
        double t = 0.1 + i * 0.2;
        f.rings.push_back({{0, t}, {100, t}});
        f.rings.push_back({{t, 0}, {t, 100}});
    }
    return f;
}

std::vector<Segment2> piecesOf(const Figure& f) {
    std::vector<Segment2> s;
    for (const Ring& r : f.rings) {
        size_t n = r.size(), sides = n == 2 ? 1 : n;
        for (size_t k = 0; k < sides; ++k) s.push_back(Segment2::line(r[k], r[(k + 1) % n]));
    }
    return s;
}

struct Found {
    double outer = 0, islands = 0;
    int islandCount = 0;
};

Found hostFaces(const std::vector<Segment2>& segs, double size, const AcGePoint2d& pick) {
    PlanarFaces faces(segs, 1e-9 * size);
    std::vector<BulgePolyline> loops = faces.loopsAround(pick);
    Found f;
    for (size_t i = 0; i < loops.size(); ++i) (i ? f.islands : f.outer) += std::fabs(signedArea(loops[i]));
    f.islandCount = int(loops.size()) - 1;
    return f;
}

// ---- GEOS ----

GEOSGeometry* geosLine(GEOSContextHandle_t h, const Ring& r) {
    unsigned n = unsigned(r.size()), m = n == 2 ? 2 : n + 1;
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, m, 2);
    for (unsigned k = 0; k < m; ++k) GEOSCoordSeq_setXY_r(h, seq, k, r[k % n].x, r[k % n].y);
    return GEOSGeom_createLineString_r(h, seq);
}

double ringArea(GEOSContextHandle_t h, const GEOSGeometry* ring) {
    GEOSGeometry* poly = GEOSGeom_createPolygon_r(h, GEOSGeom_clone_r(h, ring), nullptr, 0);
    double a = 0;
    GEOSArea_r(h, poly, &a);
    GEOSGeom_destroy_r(h, poly);
    return a;
}

Found geosBoundary(GEOSContextHandle_t h, const std::vector<GEOSGeometry*>& lines, const AcGePoint2d& at) {
    std::vector<GEOSGeometry*> copies;
    for (GEOSGeometry* g : lines) copies.push_back(GEOSGeom_clone_r(h, g));
    GEOSGeometry* all = GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, copies.data(), unsigned(copies.size()));
    GEOSGeometry* noded = GEOSUnaryUnion_r(h, all);
    const GEOSGeometry* parts[] = {noded};
    GEOSGeometry* polys = GEOSPolygonize_r(h, parts, 1);
    GEOSGeometry* pick = GEOSGeom_createPointFromXY_r(h, at.x, at.y);
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

double commandMs(int runs, const Figure& fig, int& made) {
    AcDbDatabase db(true);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    cvx::editor::resetEditorState();
    cvx::editor::registerHostCommands();
    cvx::editor::setOutputQuiet(true);
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    for (const Ring& r : fig.rings) {
        auto* pl = new AcDbPolyline(unsigned(r.size()));
        for (const AcGePoint2d& p : r) pl->addVertexAt(pl->numVerts(), p);
        pl->setClosed(r.size() > 2);
        AcDbObjectId id;
        pl->setDatabaseDefaults(&db);
        ms->appendAcDbEntity(id, pl);
        pl->close();
    }
    ms->close();
    double t = medianMs(runs, [&] {
        ads_name last, cur, next;
        acdbEntLast(last);
        ads_point pick = {fig.pick.x, fig.pick.y, 0};
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
    struct Case {
        const char* name;
        Figure figure;
    } cases[] = {{"100 rings of 64", randomRings(100)},     {"1000 rings of 64", randomRings(1000)},
                   {"10000 rings of 64", randomRings(10000)}, {"1000 polylines", polylineFigure()},
                   {"grid 500 x 500", gridFigure()}};
    std::printf("median of %d runs   BOUNDARY (ms)  faces (ms)   GEOS (ms)  BOUNDARY / GEOS   outer area, islands "
                "(count, area)\n",
                runs);
    for (const Case& c : cases) {
        const Figure& f = c.figure;
        std::vector<GEOSGeometry*> lines;
        for (const Ring& r : f.rings) lines.push_back(geosLine(h, r));
        std::vector<Segment2> segs = piecesOf(f);
        double size = std::hypot(f.rings[0][2].x - f.rings[0][0].x, f.rings[0][2].y - f.rings[0][0].y);
        Found hf, gf;
        int made = 0;
        double command = commandMs(runs, f, made);
        double faces = medianMs(runs, [&] { hf = hostFaces(segs, size, f.pick); });
        double geos = medianMs(runs, [&] { gf = geosBoundary(h, lines, f.pick); });
        std::printf("%-18s %12.1f %11.1f %11.1f %11.2f      host %.6g, %d, %.6g (%d made)   GEOS %.6g, %d, %.6g\n",
                    c.name, command, faces, geos, command / geos, hf.outer, hf.islandCount, hf.islands, made, gf.outer,
                    gf.islandCount, gf.islands);
        for (GEOSGeometry* g : lines) GEOSGeom_destroy_r(h, g);
    }
    GEOS_finish_r(h);
    return 0;
}
