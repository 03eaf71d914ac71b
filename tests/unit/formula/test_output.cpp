// The curve output step: kinds, colours, closed flags, where entities land, and how curves with undrawable
// samples come out. Every row's samples are checked against the independent reference in test_reference.cpp.
#include <cmath>

#include "formula/catalogue.h"
#include "formula/formula_curve.h"
#include "formula/generator.h"
#include "formula/polyline_through_points.h"
#include "formula_fixture.h"
#include "frame/append.h"
#include "linkline/curve_through_points.h"

namespace {

AcDbObjectIdArray drawRow(int row1, const AcGePoint3d& origin, std::array<int, 4> slots) {
    return drawFormulaCurve(row1 - 1, origin, formulaArguments(row1 - 1, slots));
}
AcDbObjectIdArray drawDefaultRow(int row1, const AcGePoint3d& origin = AcGePoint3d::kOrigin) {
    return drawRow(row1, origin, formulaDefaults(row1 - 1));
}

}  // namespace

TEST_F(FormulaTest, ClosedHeartInSplineModeIsTheSplineOfItsPolyline) {
    setSplineOutput(true);
    AcDbObjectIdArray ids = drawDefaultRow(1);
    ASSERT_EQ(ids.length(), 1);
    AcDbObjectPointer<AcDbSpline> spline(ids[0], AcDb::kForRead);
    ASSERT_TRUE(spline) << "no spline made";
    EXPECT_EQ(spline->colorIndex(), 1);
    // It runs through every sample of the heart.
    setSplineOutput(false);
    AcDbObjectIdArray poly = drawDefaultRow(1);
    Drawn heart = readDrawn(poly[0]);
    for (const AcGePoint3d& p : heart.points) {
        AcGePoint3d closest;
        ASSERT_EQ(spline->getClosestPointTo(p, closest), Acad::eOk);
        EXPECT_NEAR(closest.distanceTo(p), 0, 1e-9);
    }
}

TEST_F(FormulaTest, SpaceCurveIsAnOpenSplineFit3dPolylineEvenWhenAskedClosed) {
    const AcGePoint3d pts[] = {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 1, 3}};
    AcDbObjectId id = addFormulaCurve(pts, 4, 2, true, {}, {});
    Drawn d = readDrawn(id);
    EXPECT_EQ(d.kind, "3dpolyline");
    EXPECT_FALSE(d.closed);
    EXPECT_EQ(d.points.size(), 4u);
    EXPECT_EQ(d.color.colorIndex(), 2);
}

TEST_F(FormulaTest, CollinearPointsGiveALineInBothModes) {
    const AcGePoint3d pts[] = {{1, 1, 1}, {2, 2, 2}, {4, 4, 4}, {3, 3, 3}};
    for (bool spline : {false, true}) {
        setSplineOutput(spline);
        Drawn d = readDrawn(addFormulaCurve(pts, 4, 5, false, {}, {}));
        EXPECT_EQ(d.kind, "line");
        ASSERT_EQ(d.points.size(), 2u);
        EXPECT_TRUE(d.points[0].isEqualTo(pts[0]));
        EXPECT_TRUE(d.points[1].isEqualTo(pts[3]));  // the last point, not the farthest
    }
    // The angle test allows 0.001 radians and no more.
    const AcGePoint3d almost[] = {{0, 0, 0}, {10, 0, 0}, {10, 0.009, 0}};
    const AcGePoint3d bent[] = {{0, 0, 0}, {10, 0, 0}, {10, 0.011, 0}};
    EXPECT_TRUE(formulaPointsOnOneLine(almost, 3));
    EXPECT_FALSE(formulaPointsOnOneLine(bent, 3));
}

TEST_F(FormulaTest, TooFewPointsMakeNothing) {
    const AcGePoint3d one[] = {{1, 2, 3}};
    EXPECT_TRUE(addFormulaCurve(one, 1, 1, false, {}, {}).isNull());
    EXPECT_TRUE(addFormulaCurve(one, 0, 1, false, {}, {}).isNull());
    AcDbObjectId id;
    EXPECT_FALSE(addPolylineThroughPoints(one, 1, false, AcDbObjectId(), id));
    EXPECT_TRUE(modelSpace().empty());
}

TEST_F(FormulaTest, ColourCodes) {
    AcCmColor cyan;
    cyan.setColorIndex(4);
    db->setCecolor(cyan);
    EXPECT_TRUE(formulaColor(0).isByLayer());
    EXPECT_TRUE(formulaColor(256).isByLayer());
    EXPECT_EQ(formulaColor(200).colorIndex(), 200);
    EXPECT_EQ(formulaColor(-1).colorIndex(), 4);
    EXPECT_EQ(formulaColor(257).colorIndex(), 4);
    // Rows other than the heart use the current colour.
    EXPECT_EQ(readDrawn(drawDefaultRow(20)[0]).color.colorIndex(), 4);
}

TEST_F(FormulaTest, SplineModeUsesFixedTangentsOnlyWhenBothAreGiven) {
    setSplineOutput(true);
    const AcGePoint3d pts[] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
    Drawn both = readDrawn(addFormulaCurve(pts, 4, 1, false, {0, 1, 0}, {1, 0, 0}));
    ASSERT_EQ(both.kind, "spline");
    EXPECT_EQ(both.points.size(), 4u);
    EXPECT_TRUE(both.startTangent.normal().isEqualTo({0, 1, 0}));
    EXPECT_TRUE(both.endTangent.normal().isEqualTo({1, 0, 0}));
    Drawn one = readDrawn(addFormulaCurve(pts, 4, 1, false, {0, 1, 0}, {}));
    ASSERT_EQ(one.kind, "spline");
    EXPECT_TRUE(one.startTangent.isZeroLength());
    // The tangents of a row reach its spline: the rose starts and ends heading north.
    Drawn rose = readDrawn(drawDefaultRow(22)[0]);
    ASSERT_EQ(rose.kind, "spline");
    EXPECT_TRUE(rose.startTangent.normal().isEqualTo({0, 1, 0}));
    EXPECT_TRUE(rose.endTangent.normal().isEqualTo({0, 1, 0}));
}

TEST_F(FormulaTest, UndrawableSamplesSplitTheCurveAndSayHowManyPieces) {
    for (bool spline : {false, true}) {
        setSplineOutput(spline);
        cvx::editor::takeTranscript();
        // The Watt curve with A = 5 has no real value around the top and the bottom of its sweep.
        AcDbObjectIdArray ids = drawRow(70, {0, 0, 0}, {5, 10, 5, 5});
        ASSERT_EQ(ids.length(), 2);
        for (AcDbObjectId id : ids) {
            Drawn d = readDrawn(id);
            EXPECT_EQ(d.kind, spline ? "spline" : "lwpolyline");
            EXPECT_FALSE(d.closed);
            for (const AcGePoint3d& p : d.points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
        EXPECT_NE(cvx::editor::takeTranscript().find(L"2 piece(s) drawn"), std::wstring::npos);
    }
    // A whole curve says nothing.
    drawDefaultRow(70);
    EXPECT_EQ(cvx::editor::takeTranscript(), L"");
}

TEST_F(FormulaTest, UnknownRowOrOutOfRangeValues) {
    EXPECT_TRUE(drawFormulaCurve(71, AcGePoint3d::kOrigin, {}).isEmpty());
    EXPECT_TRUE(drawFormulaCurve(-1, AcGePoint3d::kOrigin, {}).isEmpty());
    EXPECT_NE(cvx::editor::takeTranscript().find(L"no formula curve"), std::wstring::npos);
    // Slot values are kept in range: 1000 loops become 100; a direction of 0 turns the spiral round.
    FormulaArgs spiral = formulaArguments(13, {1000, 0, -5, 7});
    EXPECT_EQ(spiral[0], 100);
    EXPECT_EQ(spiral[1], -1);
    EXPECT_EQ(spiral[2], 1);
    EXPECT_EQ(formulaArguments(13, {10, 1, 1, 0})[1], 1);
    EXPECT_EQ(formulaArguments(11, {20, 3, 0, 0})[1], 2);  // tips - 1
}

TEST_F(FormulaTest, CatalogueFollowsTheLanguage) {
    EXPECT_EQ(formulaCatalogue()[0].label, L"1. Heart");
    setChineseLanguage(true);
    EXPECT_EQ(formulaCatalogue()[0].label, L"1. 心形曲线");
    EXPECT_EQ(formulaCatalogue()[0].params[0].label, L"宽度");
    EXPECT_EQ(formulaCatalogue()[11].params[1].label, L"N尖");
    EXPECT_EQ(formulaCatalogue()[68].params[1].label, L"N*10");
    EXPECT_EQ(formulaCatalogue()[70].label, L"71.........");
    EXPECT_EQ(formulaCatalogue()[70].pictureId, 478);
    setChineseLanguage(false);
}

// ---- where new entities land ----

TEST_F(FormulaTest, PolylineBesideAReferenceLandsInItsBlock) {
    AcDbBlockTableRecord* block = nullptr;
    AcDbObjectId blockId;
    ASSERT_TRUE(newAnonymousBlock(db.get(), block, blockId));
    EXPECT_TRUE(block->isWriteEnabled());
    EXPECT_EQ(block->name().rfind(L"*U", 0), 0u);
    AcDbObjectId refId;
    auto* ref = new AcDbLine({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(block->appendAcDbEntity(refId, ref), Acad::eOk);
    ref->close();
    block->close();
    const AcGePoint3d pts[] = {{0, 0, 0}, {1, 2, 0}, {2, 0, 0}};
    AcDbObjectId id;
    ASSERT_TRUE(addPolylineThroughPoints(pts, 3, false, refId, id));
    EXPECT_EQ(readDrawn(id).owner, blockId);
    ASSERT_TRUE(addPolylineThroughPoints(pts, 3, false, AcDbObjectId(), id));
    EXPECT_EQ(readDrawn(id).owner, db->modelSpaceId());
}

TEST_F(FormulaTest, AppendingGoesToTheCurrentSpaceAndRefusesOddOwners) {
    db->setCurrentSpaceId(db->paperSpaceId());
    AcDbObjectId id;
    ASSERT_EQ(appendToWorkingSpace(new AcDbLine({0, 0, 0}, {1, 1, 0}), id), Acad::eOk);
    EXPECT_EQ(readDrawn(id).owner, db->paperSpaceId());
    // A vertex's owner is its polyline, not a block: nothing is appended and the entity stays with us.
    AcGePoint3dArray pts;
    pts.append({0, 0, 0});
    pts.append({1, 0, 1});
    auto* poly = new AcDb3dPolyline(AcDb::k3dSimplePoly, pts);
    AcDbObjectId polyId;
    ASSERT_EQ(appendToWorkingSpace(poly, polyId), Acad::eOk);
    AcDbObjectId vertexId;
    {
        AcDbObjectPointer<AcDb3dPolyline> p(polyId, AcDb::kForRead);
        std::unique_ptr<AcDbObjectIterator> it(p->vertexIterator());
        vertexId = it->objectId();
    }
    auto* line = new AcDbLine({0, 0, 0}, {2, 2, 0});
    EXPECT_NE(appendBesideEntity(db.get(), line, vertexId, id), Acad::eOk);
    EXPECT_FALSE(line->isDatabaseResident());
    delete line;
}
