// The thinning engine and PLYH: which vertices survive, what the new polyline keeps of the old one, and the
// counts PLYH reports.
#include <cmath>

#include "polyline/commands.h"
#include "polyline/optimize.h"
#include "polyline/thinning.h"
#include "polyline/vertex_counters.h"
#include "polyline_fixture.h"

namespace {

std::vector<double> xs(const std::vector<AcGePoint3d>& pts) {
    std::vector<double> out;
    for (const AcGePoint3d& p : pts) out.push_back(p.x);
    return out;
}

}  // namespace

TEST(Thinning, SharpSpikesAndCornersHigherThanTheSagittaLimitSurvive) {
    // A zigzag whose turns fold back on themselves (angle below 0.1 radian at each tip), small against the
    // size of reference so the sagitta alone would drop them (sagitta and merge limit 1: h is 0.1).
    std::vector<AcGePoint3d> zig;
    for (int i = 0; i < 9; ++i) zig.emplace_back(i * 0.05, (i % 2) ? 10.0 : 0.0, 0);
    auto r = thinPoints(zig, thinningLimits(2000, 0.5));
    ASSERT_EQ(r.size(), zig.size());
    for (size_t i = 0; i < r.size(); ++i) EXPECT_TRUE(r[i].isEqualTo(zig[i])) << i;
    // A right-angled staircase: every odd point is a corner 10 above or beside its neighbours.
    std::vector<AcGePoint3d> stairs;
    for (int i = 0; i < 11; ++i) stairs.emplace_back(10.0 * ((i + 1) / 2), 10.0 * (i / 2), 0);
    EXPECT_EQ(thinPoints(stairs, thinningLimits(100, 0.5)).size(), stairs.size());
}

TEST(Thinning, CloseRunsMergeIntoTheirMeanAndALongSegmentRepeatsItsStart) {
    // Merge distance 0.05, long segment 0.25. P1 is a spike (kept by the passes), P3 a right-angled corner.
    // P0..P2 lie within 0.05 of P0 and become their mean; the segment P3-P4 is long, so P3 is added after
    // the mean and then once more as its own run: the 3D output skips such a repeat, the 2D keeps it.
    std::vector<AcGePoint3d> pts = {{0, 0, 0}, {0.03, 0, 0}, {0.01, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    auto r = thinPoints(pts, thinningLimits(100, 0.5));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_NEAR(r[0].x, 0.04 / 3, 1e-12);
    EXPECT_TRUE(r[1].isEqualTo(pts[3]));
    EXPECT_TRUE(r[2].isEqualTo(pts[3]));
    EXPECT_TRUE(r[3].isEqualTo(pts[4]));
}

TEST(Thinning, TwoClosePointsBecomeTheirMeanAndTheLastPointAndFewerGiveNothing) {
    auto r = thinPoints({{0, 0, 0}, {0.01, 0, 0}}, thinningLimits(100, 0.5));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_NEAR(r[0].x, 0.005, 1e-12);
    EXPECT_NEAR(r[1].x, 0.01, 1e-12);
    EXPECT_TRUE(thinPoints({}, thinningLimits(1, 1)).empty());
    EXPECT_TRUE(thinPoints({AcGePoint3d(1, 1, 0)}, thinningLimits(1, 1)).empty());
}

TEST_F(PolylineTest, PlyhReportsBeforeAfterAndEfficiencyOnAStraightPolyline) {
    AcDbObjectId src = addLw(evenPoints({0, 0}, {100, 0}, 101));
    std::wstring out = run(&plyhCommand, L"ALL\n\n1\n");
    EXPECT_NE(out.find(L"Vertexs befor optimization : 101\uFF0C nVertexs now: 5\uFF0Coptimization efficiency is 95 percent."),
              std::wstring::npos) << out;
    EXPECT_TRUE(src.isErased());
    // Five passes halve the interior; an even-sized list always keeps its last point.
    PolylinePoints r = pointsOf(only(L"LWPOLYLINE"));
    EXPECT_EQ(xs(r.points), (std::vector<double>{0, 32, 64, 96, 100}));
}

TEST_F(PolylineTest, PlyhToleranceAnswers) {
    // An empty answer works as 1, 25 as 10: compare with the engine run at F = 0.5 and F = 9.5.
    auto wavy = [] {
        std::vector<AcGePoint2d> pts;
        for (int i = 0; i <= 400; ++i) pts.emplace_back(i * 0.25, 3 * std::sin(i * 0.05) + 0.2 * std::sin(i * 1.3));
        return pts;
    };
    auto expectedCount = [&](double factor) {
        std::vector<AcGePoint3d> p3;
        for (auto p : wavy()) p3.emplace_back(p.x, p.y, 0);
        AcDbExtents box;
        for (auto p : p3) box.addPoint(p);
        return thinPoints(p3, thinningLimits(box.minPoint().distanceTo(box.maxPoint()), factor)).size();
    };
    addLw(wavy());
    run(&plyhCommand, L"ALL\n\n\n");
    EXPECT_EQ(pointsOf(only(L"LWPOLYLINE")).points.size(), expectedCount(0.5));
    EXPECT_EQ(vertexCounters().before, 401);

    db = std::make_unique<AcDbDatabase>(true);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    addLw(wavy());
    run(&plyhCommand, L"ALL\n\n25\n");
    EXPECT_EQ(pointsOf(only(L"LWPOLYLINE")).points.size(), expectedCount(9.5));
    EXPECT_LT(expectedCount(9.5), expectedCount(0.5));
}

TEST_F(PolylineTest, PlyhMessagesForNoSelectionAndFlatBox) {
    EXPECT_NE(run(&plyhCommand, L"\n").find(L"No polyline selected.\n"), std::wstring::npos);
    add(new AcDbLine({0, 0, 0}, {10, 0, 0}));
    EXPECT_NE(run(&plyhCommand, L"ALL\n\n").find(L"No polyline selected.\n"), std::wstring::npos);
    // A polyline of two coincident points has a box of no size.
    addLw({{5, 5}, {5, 5}});
    std::wstring out = run(&plyhCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"The height of the polyline bounding box is too low.\n"), std::wstring::npos) << out;
    EXPECT_EQ(out.find(L"tolerance"), std::wstring::npos) << "no tolerance prompt after the message";
}

TEST_F(PolylineTest, OptimizedPolylineKeepsLookWidthAndClosedFlagAndLandsInTheSourceBlock) {
    AcDbObjectId src = addLw(evenPoints({0, 0}, {50, 0}, 20), true, 2.5);
    {
        AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForWrite);
        e->setColorIndex(3);
    }
    AcDbObjectId newId;
    {
        AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForRead);
        ASSERT_EQ(optimizePolyline(newId, nullptr, e.object(), 50, 0.5), Acad::eOk);
    }
    ASSERT_FALSE(newId.isNull());
    EXPECT_TRUE(src.isErased());
    AcDbObjectPointer<AcDbPolyline> pl(newId, AcDb::kForRead);
    ASSERT_TRUE(pl);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_EQ(pl->colorIndex(), 3);
    double w = 0;
    EXPECT_EQ(pl->getConstantWidth(w), Acad::eOk);
    EXPECT_DOUBLE_EQ(w, 2.5);
    EXPECT_EQ(pl->ownerId(), db->modelSpaceId());
}

TEST_F(PolylineTest, ThreeDPolylineStaysThreeDAndTwoDBecomesLightweightInTheXYPlane) {
    std::vector<AcGePoint3d> helixish;
    for (int i = 0; i < 60; ++i) helixish.emplace_back(10 * std::cos(i * 0.2), 10 * std::sin(i * 0.2), i * 0.5);
    AcDbObjectId id3 = add3d(helixish);
    AcDbObjectId id2 = add2d(evenPoints({0, 0}, {30, 30}, 31));
    for (AcDbObjectId id : {id3, id2}) {
        AcDbObjectId newId;
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        ASSERT_EQ(optimizePolyline(newId, nullptr, e.object(), 40, 0.5), Acad::eOk);
    }
    AcDbObjectId p3 = only(L"POLYLINE");
    AcDbObjectPointer<AcDb3dPolyline> pl3(p3, AcDb::kForRead);
    ASSERT_TRUE(pl3) << "the 3D source gives a 3D polyline";
    PolylinePoints r3 = pointsOf(p3);
    EXPECT_TRUE(r3.points.front().isEqualTo(helixish.front()));
    EXPECT_TRUE(r3.points.back().isEqualTo(helixish.back()));
    PolylinePoints r2 = pointsOf(only(L"LWPOLYLINE"));
    EXPECT_EQ(r2.points.size(), 2u) << "31 collinear points: 16, 9, 5, 3, 2";
    EXPECT_TRUE(r2.points.back().isEqualTo({30, 30, 0}));
}

TEST_F(PolylineTest, ZeroLengthPolylineIsLeftAloneAndNotCounted) {
    AcDbObjectId src = addLw({{1, 1}, {1, 1}, {1, 1}});
    vertexCounters() = {};
    AcDbObjectId newId;
    AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForRead);
    EXPECT_NE(optimizePolyline(newId, nullptr, e.object(), 10, 0.5), Acad::eOk);
    EXPECT_TRUE(newId.isNull());
    EXPECT_FALSE(src.isErased());
    EXPECT_EQ(vertexCounters().before, 0);
}

TEST_F(PolylineTest, TargetBlockReceivesTheResult) {
    AcDbObjectId src = addLw(evenPoints({0, 0}, {10, 0}, 11));
    AcDbObjectPointer<AcDbBlockTableRecord> ps(db->paperSpaceId(), AcDb::kForWrite);
    AcDbObjectId newId;
    {
        AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForRead);
        ASSERT_EQ(optimizePolyline(newId, ps.object(), e.object(), 10, 0.5), Acad::eOk);
    }
    AcDbObjectPointer<AcDbEntity> made(newId, AcDb::kForRead);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->ownerId(), db->paperSpaceId());
}
