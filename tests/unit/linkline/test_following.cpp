// Link lines following their shapes: the reactor's working data, which ends move, and filing.
#include <filesystem>

#include "cvx/wide.h"
#include "linkline/link_commands.h"
#include "linkline/link_follow.h"
#include "link_fixture.h"

using Following = LinkTest;

TEST_F(Following, ScalingACircleAboutItsCentreMovesTheEndToTheNewMidpoint) {
    AcDbObjectId a = circle(0, 0, 10), b = circle(100, 0, 10);
    answers(L"10,0 90,0\n");
    linkLineAuto();
    AcDbObjectId link = splines().at(0);
    transform(a, AcGeMatrix3d::scaling(2, AcGePoint3d(0, 0, 0)));
    Fit f = fitOf(link);
    expectNear(f.start, AcGePoint3d(20, 0, 0));
    expectNear(f.end, AcGePoint3d(90, 0, 0));
    EXPECT_EQ(f.startTangent, AcGeVector3d(1, 0, 0));  // tangents stay
    transform(b, AcGeMatrix3d::translation(AcGeVector3d(30, 40, 0)));
    f = fitOf(link);
    expectNear(f.start, AcGePoint3d(20, 0, 0));
    expectNear(f.end, AcGePoint3d(120, 40, 0));
    EXPECT_EQ(f.endTangent, AcGeVector3d(1, 0, 0));
}

TEST_F(Following, AChangeThatKeepsTheBoxMovesNothing) {
    AcDbObjectId a = circle(0, 0, 10);
    answers(L"0,10 40,40\n");
    linkLineAuto();
    AcDbObjectId link = splines().at(0);
    transform(a, AcGeMatrix3d::rotation(0.7, AcGeVector3d::kZAxis, AcGePoint3d(0, 0, 0)));
    {
        AcDbObjectPointer<AcDbCircle> c(a, AcDb::kForWrite);
        c->setColorIndex(3);
    }
    expectNear(fitOf(link).start, AcGePoint3d(0, 10, 0));
}

TEST_F(Following, ASplineWhoseEndsAreOnNoMidpointIsLeftAlone) {
    AcDbObjectId a = circle(0, 0, 10);
    answers(L"0,10 40,40\n");
    linkLineAuto();
    // A spline that crosses the circle's box but does not end on a midpoint.
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(-12, -3, 0));
    pts.append(AcGePoint3d(0, 2, 0));
    pts.append(AcGePoint3d(12, 5, 0));
    AcDbObjectId stranger = add(new AcDbSpline(pts));
    transform(a, AcGeMatrix3d::translation(AcGeVector3d(5, 5, 0)));
    Fit f = fitOf(stranger);
    expectNear(f.start, AcGePoint3d(-12, -3, 0));
    expectNear(f.end, AcGePoint3d(12, 5, 0));
    expectNear(fitOf(splines().at(0)).start, AcGePoint3d(5, 15, 0));
}

TEST_F(Following, WithBothEndsOnTheSameShapeOnlyTheEndMoves) {
    AcDbObjectId a = circle(0, 0, 10);
    answers(L"0,10 0,-10\n");
    linkLineAuto();
    AcDbObjectId link = splines().at(0);
    transform(a, AcGeMatrix3d::translation(AcGeVector3d(3, 0, 0)));
    Fit f = fitOf(link);
    expectNear(f.start, AcGePoint3d(0, 10, 0));
    expectNear(f.end, AcGePoint3d(3, -10, 0));
}

TEST_F(Following, ThePlainFollowingStepUsesTheOldMidpointsAndTheNewTolerance) {
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(10.05, 0, 0));  // near the old right midpoint
    pts.append(AcGePoint3d(30, 5, 0));
    pts.append(AcGePoint3d(50, 0, 0));
    AcDbObjectId s = add(new AcDbSpline(pts));
    AcDbObjectIdArray ids;
    ids.append(s);
    ids.append(AcDbObjectId());  // a null id is skipped
    const SideMidpoints before = sideMidpointsOf(AcDbExtents(AcGePoint3d(-10, -10, 0), AcGePoint3d(10, 10, 0)));
    // Shrunk to a tenth: the new tolerance (4 / 100) is too small to catch the end 0.05 off.
    const SideMidpoints tiny = sideMidpointsOf(AcDbExtents(AcGePoint3d(-1, -1, 0), AcGePoint3d(1, 1, 0)));
    EXPECT_EQ(followLinkedShape(before, tiny, ids), 0);
    const SideMidpoints wide = sideMidpointsOf(AcDbExtents(AcGePoint3d(-20, -20, 0), AcGePoint3d(20, 20, 0)));
    EXPECT_EQ(followLinkedShape(before, wide, ids), 1);
    expectNear(fitOf(s).start, AcGePoint3d(20, 0, 0));
    EXPECT_EQ(followLinkedShape(wide, wide, ids), 0);
}

TEST_F(Following, TheReactorRemembersMidpointsAndNearbySplinesBeforeAChange) {
    AcDbObjectId a = circle(0, 0, 10);
    answers(L"0,10 0,60\n");
    linkLineAuto();
    AcGePoint3dArray far;
    far.append(AcGePoint3d(500, 500, 0));
    far.append(AcGePoint3d(520, 510, 0));
    add(new AcDbSpline(far));
    AcDbObjectId reactorId;
    {
        AcDbObjectPointer<AcDbCircle> c(a, AcDb::kForWrite);
        reactorId = c->getPersistentReactors()[0];
        c->setRadius(12);
    }
    AcDbObjectPointer<LinkLineToNotify> r(reactorId, AcDb::kForRead);
    ASSERT_TRUE(r);
    expectNear(r->storedMidpoints().top, AcGePoint3d(0, 10, 0));
    expectNear(r->storedMidpoints().left, AcGePoint3d(-10, 0, 0));
    ASSERT_EQ(r->splines().length(), 1);
    EXPECT_EQ(r->splines()[0], splines().at(0));
    expectNear(fitOf(splines().at(0)).start, AcGePoint3d(0, 12, 0));
}

TEST_F(Following, ALinkStillFollowsAfterTheDrawingIsSavedAndReadAgain) {
    AcDbObjectId a = circle(0, 0, 10);
    {
        auto* box = new AcDbPolyline();
        box->addVertexAt(0, AcGePoint2d(50, -10));
        box->addVertexAt(1, AcGePoint2d(70, -10));
        box->addVertexAt(2, AcGePoint2d(70, 10));
        box->addVertexAt(3, AcGePoint2d(50, 10));
        box->setClosed(true);
        add(box);
    }
    answers(L"10,0 50,0\n");
    linkLineAuto();
    (void)a;
    const auto file = std::filesystem::temp_directory_path() / ("curvix-link-" + std::to_string(::getpid()) + ".dxf");
    ASSERT_EQ(db->dxfOut(cvxFromUtf8(file.string()).c_str()), Acad::eOk);

    auto reread = std::make_unique<AcDbDatabase>(false);
    ASSERT_EQ(reread->readDxfFile(cvxFromUtf8(file.string()).c_str()), Acad::eOk)
        << cvxToUtf8(reread->lastErrorText());
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + ".bak");
    acdbHostApplicationServices()->setWorkingDatabase(reread.get());
    db.swap(reread);
    std::vector<AcDbObjectId> shapes;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : ms->entityIds())
            if (!AcDbObjectPointer<AcDbSpline>(id, AcDb::kForRead)) shapes.push_back(id);
    }
    ASSERT_EQ(shapes.size(), 2u);
    for (AcDbObjectId id : shapes) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        ASSERT_EQ(e->getPersistentReactors().length(), 1);
        EXPECT_TRUE(AcDbObjectPointer<LinkLineToNotify>(e->getPersistentReactors()[0], AcDb::kForRead));
    }
    transform(shapes[0], AcGeMatrix3d::translation(AcGeVector3d(0, 20, 0)));
    transform(shapes[1], AcGeMatrix3d::scaling(2, AcGePoint3d(60, 0, 0)));
    Fit f = fitOf(splines().at(0));
    expectNear(f.start, AcGePoint3d(10, 20, 0));
    expectNear(f.end, AcGePoint3d(40, 0, 0));
}
