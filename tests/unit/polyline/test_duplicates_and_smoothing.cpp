// PLYH2 (duplicate vertices deleted in place) and PLYH3 (resampled, thinned, spline-fit), with resampleCurve.
#include <cmath>

#include "polyline/commands.h"
#include "polyline/duplicates.h"
#include "polyline/optimize.h"
#include "polyline/resample.h"
#include "polyline/vertex_counters.h"
#include "polyline_fixture.h"

TEST_F(PolylineTest, Plyh2DeletesTheEarlierOfTwoCoincidentVertices) {
    AcDbObjectId id = addLw({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 10}, {30, 0}});
    std::wstring out = run(&plyh2Command, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nDeleted <1 > duplicate vertexs OK."), std::wstring::npos) << out;
    PolylinePoints r = pointsOf(id);
    ASSERT_EQ(r.points.size(), 5u);
    EXPECT_TRUE(r.points[3].isEqualTo({20, 10, 0}));
    EXPECT_FALSE(r.closed);
}

TEST_F(PolylineTest, Plyh2ClosesAPolylineWhoseEndLiesOnItsStart) {
    AcDbObjectId lw = addLw({{0, 0}, {10, 0}, {10, 10}, {0, 0}});
    AcDbObjectId p2 = add2d({{50, 0}, {60, 0}, {60, 10}, {50, 0}});
    AcDbObjectId p3 = add3d({{100, 0, 0}, {110, 0, 5}, {110, 10, 5}, {100, 0, 0}});
    std::wstring out = run(&plyh2Command, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nDeleted <3 > duplicate vertexs OK."), std::wstring::npos) << out;
    for (AcDbObjectId id : {lw, p2, p3}) {
        PolylinePoints r = pointsOf(id);
        EXPECT_EQ(r.points.size(), 3u);
        EXPECT_TRUE(r.closed);
    }
}

TEST_F(PolylineTest, Plyh2ErasesZeroLengthPolylinesWithoutCountingThem) {
    AcDbObjectId dot = addLw({{3, 3}, {3, 3}});
    std::wstring out = run(&plyh2Command, L"ALL\n\n");
    EXPECT_NE(out.find(L"<0 >"), std::wstring::npos) << out;
    EXPECT_TRUE(dot.isErased());
}

TEST(DuplicateMarks, RunsOfCoincidentPointsKeepOnlyTheirLast) {
    bool closes = true;
    auto marks = duplicateVertexMarks({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0}}, closes);
    EXPECT_EQ(marks, (std::vector<bool>{true, true, false, false}));
    EXPECT_FALSE(closes);
}

TEST_F(PolylineTest, ResampleGivesEqualArcLengthStepsAndTheEndTwice) {
    auto* circle = new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 10);
    add(circle);
    AcDbObjectPointer<AcDbCircle> c(only(L"CIRCLE"), AcDb::kForRead);
    std::vector<AcGePoint3d> pts;
    ASSERT_TRUE(resampleCurve(c.object(), pts, 9));
    ASSERT_EQ(pts.size(), 10u);
    for (int k = 0; k < 8; ++k) EXPECT_NEAR(pts[k].distanceTo(pts[k + 1]), 2 * 10 * std::sin(M_PI / 8), 1e-9);
    EXPECT_TRUE(pts[8].isEqualTo(pts[9], AcGeTol()));
    EXPECT_TRUE(pts[0].isEqualTo(pts[8], AcGeTol()));
}

TEST_F(PolylineTest, ResampleRefusesTinyCurvesAndSillyCounts) {
    std::vector<AcGePoint3d> pts;
    add(new AcDbLine({0, 0, 0}, {0.00005, 0, 0}));
    AcDbObjectPointer<AcDbLine> tiny(only(L"LINE"), AcDb::kForRead);
    EXPECT_FALSE(resampleCurve(tiny.object(), pts, 10));
    EXPECT_FALSE(resampleCurve(tiny.object(), pts, 1));
    EXPECT_FALSE(resampleCurve(nullptr, pts, 10));
}

TEST_F(PolylineTest, Plyh3TurnsAClosedPolylineIntoAClosedCubicSplineFit2dPolylineOnItsLayer) {
    {
        AcDbLayerTable* layers = nullptr;
        ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
        auto* ring = new AcDbLayerTableRecord;
        ring->setName(L"Ring");
        layers->add(ring);
        ring->close();
        layers->close();
    }
    std::vector<AcGePoint2d> ring;
    for (int i = 0; i < 40; ++i) ring.emplace_back(20 * std::cos(i * M_PI / 20), 10 * std::sin(i * M_PI / 20));
    AcDbObjectId src = addLw(ring, true, 0.5);
    {
        AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForWrite);
        e->setLayer(L"Ring");
        e->setColorIndex(5);
    }
    std::wstring out = run(&plyh3Command, L"ALL\n\n");
    EXPECT_TRUE(src.isErased());
    ASSERT_EQ(modelSpace().size(), 1u) << "the temporary and thinned polylines are gone";
    AcDbObjectPointer<AcDb2dPolyline> pl(modelSpace()[0], AcDb::kForRead);
    ASSERT_TRUE(pl) << out;
    EXPECT_EQ(pl->polyType(), AcDb::k2dCubicSplinePoly);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_STREQ(pl->layer(), L"Ring");
    EXPECT_EQ(pl->colorIndex(), 5);
    EXPECT_DOUBLE_EQ(pl->defaultStartWidth(), 0.5);
    // It still follows the ellipse the ring was sampled from.
    for (const AcGePoint3d& p : pointsOf(modelSpace()[0]).points) {
        const double e = std::hypot(p.x / 20, p.y / 10);
        EXPECT_NEAR(e, 1.0, 0.05) << p.x << "," << p.y;
    }
}

TEST_F(PolylineTest, Plyh3LeavesPolylinesOfTwoVerticesAlone) {
    AcDbObjectId two = addLw({{0, 0}, {10, 0}});
    run(&plyh3Command, L"ALL\n\n");
    EXPECT_FALSE(two.isErased());
}

TEST_F(PolylineTest, RepeatedVertexOfA3dResultIsSkippedAndUncounted) {
    // The run P0..P2 and the long segment after P3 make the engine repeat P3 (see the thinning tests).
    AcDbObjectId id = add3d({{0, 0, 0}, {0.03, 0, 0}, {0.01, 0, 0}, {10, 0, 0}, {10, 10, 0}});
    vertexCounters() = {};
    AcDbObjectId newId;
    {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        ASSERT_EQ(optimizePolyline(newId, nullptr, e.object(), 100, 0.5), Acad::eOk);
    }
    EXPECT_EQ(pointsOf(newId).points.size(), 3u);
    EXPECT_EQ(vertexCounters().before, 5);
    EXPECT_EQ(vertexCounters().after, 3);
}
