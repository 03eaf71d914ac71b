// QXTY: flat copies of every curve kind on the world XY plane.
#include <algorithm>
#include <cmath>

#include "polyline/commands.h"
#include "polyline_fixture.h"

namespace {

// The highest |Z| of the entity's extents.
double heightOf(AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    AcDbExtents box;
    if (!e || e->getGeomExtents(box) != Acad::eOk) return -1;
    return std::max(std::fabs(box.minPoint().z), std::fabs(box.maxPoint().z));
}

}  // namespace

TEST_F(PolylineTest, QxtyLaysA3dPolylineFlatAndKeepsIt) {
    AcDbObjectId src = add3d({{0, 0, 5}, {10, 0, 8}, {10, 10, -3}});
    std::wstring out = run(&qxtyCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nVertically project all kinds of curves to the XY plane of the world coordinate system..."),
              std::wstring::npos);
    EXPECT_NE(out.find(L"\n< 1 > new curves added."), std::wstring::npos) << out;
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], src);
    EXPECT_EQ(pointsOf(src).points[1].z, 8) << "the source is untouched";
    PolylinePoints flat = pointsOf(all[1]);
    ASSERT_EQ(flat.points.size(), 3u);
    EXPECT_TRUE(flat.points[1].isEqualTo({10, 0, 0}));
    EXPECT_TRUE(flat.points[2].isEqualTo({10, 10, 0}));
}

TEST_F(PolylineTest, QxtyProjectsEveryCurveKindAndSkipsEdgeOnOnes) {
    add(new AcDbLine({0, 0, 1}, {1, 1, 4}));
    add(new AcDbLine({5, 5, 0}, {5, 5, 9}));  // seen end-on from above: nothing to add
    AcDbArc* tilted = new AcDbArc({0, 0, 3}, AcGeVector3d(1, 0, 1).normal(), 2, 0, 2);
    add(tilted);
    add(new AcDbCircle({0, 0, 7}, AcGeVector3d::kZAxis, 1));
    add(new AcDbEllipse({0, 0, -2}, AcGeVector3d(0, 1, 1).normal(), {2, 0, 0}, 0.5));
    auto* lw = new AcDbPolyline;
    lw->addVertexAt(0, {0, 0}, 0.5);
    lw->addVertexAt(1, {3, 0});
    lw->setElevation(6);
    add(lw);
    add2d({{0, 0}, {1, 0}, {1, 1}});
    add3d({{0, 0, 0}, {1, 0, 1}});
    AcGePoint3dArray fit;
    for (double x : {0.0, 1.0, 2.0, 3.0}) fit.append(AcGePoint3d(x, x * x, x));
    add(new AcDbSpline(fit));
    auto* helix = new AcDbHelix;
    helix->setAxisPoint({0, 0, 2});
    helix->setStartPoint({1, 0, 2});
    helix->setTopRadius(1);
    helix->setTurns(1);
    helix->setTurnHeight(1);
    helix->createHelix();
    add(helix);
    add(new AcDbText({0, 0, 0}, L"left alone"));
    const size_t before = modelSpace().size();
    std::wstring out = run(&qxtyCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"\n< 9 > new curves added."), std::wstring::npos) << out;
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), before + 9);
    for (size_t i = before; i < all.size(); ++i) EXPECT_NEAR(heightOf(all[i]), 0, 1e-7) << i;  // spline boxes carry a hair of slack
}

TEST_F(PolylineTest, QxtyWithoutCurves) {
    add(new AcDbText({0, 0, 0}, L"not a curve"));
    std::wstring out = run(&qxtyCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"Please select curves >"), std::wstring::npos);
    EXPECT_NE(out.find(L"No curves selected.\n"), std::wstring::npos);
    EXPECT_EQ(out.find(L"new curves added"), std::wstring::npos);
}
