// BOUNDARY as the outline commands call it (acedCommand, then the new entities from the last one onward) and
// from a script: what it takes from the drawing (visible curves, inserted blocks, curves of every kind) and what
// it makes.
#include <algorithm>
#include <cmath>

#include "curves/bulge_polyline.h"
#include "db/curve_geometry.h"
#include "editor/command_line.h"
#include "unit/drawing_fixture.h"

using namespace cvx::geom;
using cvx::editor::runCommandLoop;
using cvx::editor::takeTranscript;

namespace {

using Boundary = DrawingTest;

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1) {
    auto* pl = new AcDbPolyline(4);
    for (AcGePoint2d p : {AcGePoint2d(x0, y0), AcGePoint2d(x1, y0), AcGePoint2d(x1, y1), AcGePoint2d(x0, y1)})
        pl->addVertexAt(pl->numVerts(), p);
    pl->setClosed(true);
    return pl;
}

AcDbCircle* circle(double x, double y, double r) { return new AcDbCircle({x, y, 0}, AcGeVector3d::kZAxis, r); }

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name, bool off, bool frozen) {
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db.getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord;
    rec->setName(name);
    rec->setIsOff(off);
    rec->setIsFrozen(frozen);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, rec), Acad::eOk);
    rec->close();
    table->close();
    return id;
}

struct Made {
    double area;
    bool closed;
    int arcs, vertices;
    std::wstring layer;
};

// The entities after `last`, in drawing order, as polylines (fails on any other kind).
std::vector<Made> madeAfter(const ads_name last) {
    std::vector<Made> made;
    ads_name cur = {last[0], last[1]}, next;
    while (acdbEntNext(cur, next) == RTNORM) {
        AcDbObjectId id;
        EXPECT_EQ(acdbGetObjectId(id, next), Acad::eOk);
        AcDbObjectPointer<AcDbPolyline> pl(id, AcDb::kForRead);
        EXPECT_TRUE(pl) << "BOUNDARY made something else than a polyline";
        if (!pl) break;
        PlacedPolyline g = cvxPlacedPolyline(pl.object());
        int arcs = 0;
        for (const Vertex2& v : g.poly.v) arcs += v.bulge != 0;
        made.push_back({signedArea(g.poly), pl->isClosed(), arcs, int(g.poly.v.size()), pl->layer()});
        cur[0] = next[0], cur[1] = next[1];
    }
    return made;
}

}  // namespace

TEST_F(Boundary, OutlineCallAroundAFigureGivesTheFrameThenTheFiguresContoursAndSkipsWhatIsNotSeen) {
    add(circle(5, 5, 2));
    add(circle(7, 5, 2));
    // A block of a unit square inserted at (20, 5), scaled by 2 and turned by 45 degrees.
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbBlockTableRecord;
    rec->setName(L"Square");
    AcDbObjectId block;
    ASSERT_EQ(table->add(block, rec), Acad::eOk);
    rec->close();
    table->close();
    add(rectangle(-0.5, -0.5, 0.5, 0.5), block);
    auto* ref = new AcDbBlockReference({20, 5, 0}, block);
    ref->setScaleFactors(AcGeScale3d(2, 2, 2));
    ref->setRotation(M_PI / 4);
    add(ref);
    // Not seen: a line across everything made invisible (as the outline command hides what was not selected),
    // one on a layer that is off, and a second insert on a frozen layer.
    AcDbEntity* hidden = new AcDbLine({-50, 5, 0}, {50, 5, 0});
    hidden->setVisibility(AcDb::kInvisible);
    add(hidden);
    struct {
        AcDbEntity* entity;
        AcDbObjectId layer;
    } unseen[] = {{new AcDbLine({-50, 6, 0}, {50, 6, 0}), addLayer(*db, L"Off", true, false)},
                  {new AcDbBlockReference({30, 5, 0}, block), addLayer(*db, L"Frozen", false, true)}};
    for (auto& u : unseen) {
        AcDbObjectPointer<AcDbEntity> e(add(u.entity), AcDb::kForWrite);  // on its layer after the defaults
        e->setLayer(u.layer);
    }
    add(rectangle(-10, -10, 40, 20));  // the frame along the view

    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    ads_point pick = {-9, -9, 0};
    EXPECT_EQ(acedCommand(RTSTR, L"_BOUNDARY", RT3DPOINT, pick, RTSTR, L"", RTNONE), RTNORM);
    std::vector<Made> made = madeAfter(last);
    ASSERT_EQ(made.size(), 3u);
    EXPECT_NEAR(made[0].area, 50 * 30, 1e-9);
    double lens = 2 * 4 * std::acos(0.5) - std::sqrt(12);  // two circles of radius 2, 2 apart
    const Made& square = made[1].area < made[2].area ? made[1] : made[2];
    const Made& circles = made[1].area < made[2].area ? made[2] : made[1];
    EXPECT_NEAR(square.area, 4, 1e-9);
    EXPECT_EQ(square.arcs, 0);
    EXPECT_NEAR(circles.area, 2 * 4 * M_PI - lens, 1e-9);
    EXPECT_EQ(circles.arcs, circles.vertices) << "the circles' contour is all arcs";
    for (const Made& m : made) {
        EXPECT_TRUE(m.closed);
        EXPECT_EQ(m.layer, L"0");
    }
}

TEST_F(Boundary, ScriptPicksOneAreaAfterAnotherAndSaysWhenAPointIsInNone) {
    add(rectangle(0, 0, 100, 60));
    add(new AcDbLine({60, 0, 0}, {60, 60, 0}));
    add(new AcDbLine({0, 10, 0}, {15, 10, 0}));  // a dead end
    // An ellipse of radii 10 and 5, a spline loop and a circle tilted about the x axis (an ellipse in plan).
    add(new AcDbEllipse({80, 20, 0}, AcGeVector3d::kZAxis, {10, 0, 0}, 0.5));
    AcGePoint3dArray fit = {{20, 40, 0}, {30, 35, 0}, {40, 40, 0}, {30, 50, 0}, {20, 40, 0}};
    add(new AcDbSpline(fit));
    add(new AcDbCircle({80, 45, 0}, AcGeVector3d(0, std::sin(M_PI / 3), std::cos(M_PI / 3)), 6));
    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    auto& script = answers(L"BOUNDARY 200,200 5,5 70,50 80,20\n\n");
    runCommandLoop();
    EXPECT_FALSE(script.failed()) << script.error();
    std::wstring printed = takeTranscript();
    EXPECT_NE(printed.find(L"No closed boundary around the picked point."), std::wstring::npos) << printed;
    EXPECT_NE(printed.find(L"BOUNDARY created 2 polylines"), std::wstring::npos) << printed;
    EXPECT_NE(printed.find(L"BOUNDARY created 3 polylines"), std::wstring::npos) << printed;
    EXPECT_NE(printed.find(L"BOUNDARY created 1 polyline\n"), std::wstring::npos) << printed;

    std::vector<Made> made = madeAfter(last);
    ASSERT_EQ(made.size(), 6u);
    // Chords within 1e-6 of the drawing's size (117): the areas lose at most that much times the perimeter.
    EXPECT_NEAR(made[0].area, 3600, 1e-9);  // left of the dividing line, the spline loop inside
    EXPECT_GT(made[1].area, 50);
    EXPECT_NEAR(made[2].area, 2400, 1e-9);  // right of it, the ellipse and the tilted circle inside
    std::vector<double> islands = {made[3].area, made[4].area};
    std::sort(islands.begin(), islands.end());
    EXPECT_NEAR(islands[0], M_PI * 36 * 0.5, 40 * 1.2e-4);
    EXPECT_NEAR(islands[1], M_PI * 50, 50 * 1.2e-4);
    EXPECT_NEAR(made[5].area, M_PI * 50, 50 * 1.2e-4);  // inside the ellipse
}
