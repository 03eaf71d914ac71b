// Which points the vertex report lists per curve kind, the lower-left start rule, and the crossings of PLJD1:
// duplicates collapse, and the numbering runs along the picked curve from the end nearer the pick.
#include <vector>

#include "reports/vertex_list.h"
#include "shaping/batch_intersect.h"
#include "unit/drawing_fixture.h"

namespace {

std::vector<double> coordinate(const std::vector<AcGePoint3d>& pts, double AcGePoint3d::*axis) {
    std::vector<double> out;
    for (const AcGePoint3d& p : pts) out.push_back(p.*axis);
    return out;
}
std::vector<double> xs(const std::vector<AcGePoint3d>& pts) { return coordinate(pts, &AcGePoint3d::x); }
std::vector<double> ys(const std::vector<AcGePoint3d>& pts) { return coordinate(pts, &AcGePoint3d::y); }

}  // namespace

TEST(LowerLeftStart, ListTurnsRoundOnlyWhenItStartsRightOrAboveOnTheSameX) {
    const struct {
        std::vector<AcGePoint3d> in;
        std::vector<double> firstAndLastY;
        const char* what;
    } cases[] = {
        {{{5, 1, 0}, {3, 9, 0}, {0, 2, 0}}, {2, 1}, "first right of last: reversed"},
        {{{0, 1, 0}, {3, 9, 0}, {5, 2, 0}}, {1, 2}, "first left of last: kept"},
        {{{2, 9, 0}, {2.00005, 0, 0}}, {0, 9}, "same X within 0.0001, going down: reversed"},
        {{{2.00005, 0, 0}, {2, 9, 0}}, {0, 9}, "same X, going up: kept"},
        {{{2, 9, 0}, {2.0002, 0, 0}}, {9, 0}, "X differs by more than 0.0001 and first is left: kept"},
        {{{4, 4, 0}}, {4, 4}, "one point"},
    };
    for (const auto& c : cases) {
        std::vector<AcGePoint3d> pts = c.in;
        startAtLowerLeft(pts);
        EXPECT_EQ((std::vector<double>{pts.front().y, pts.back().y}), c.firstAndLastY) << c.what;
    }
}

class ReportVertices : public DrawingTest {};

TEST_F(ReportVertices, EachCurveKindListsItsOwnPoints) {
    const AcDbLine line(AcGePoint3d(9, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_EQ(xs(*reportVertices(&line, false)), (std::vector<double>{9, 1}));
    EXPECT_EQ(xs(*reportVertices(&line, true)), (std::vector<double>{1, 9}));

    const AcDbArc arc(AcGePoint3d(0, 0, 0), 2, 0, M_PI / 2);
    const auto arcPts = *reportVertices(&arc, false);
    ASSERT_EQ(arcPts.size(), 2u);
    EXPECT_NEAR(arcPts[0].x, 2, 1e-12);
    EXPECT_NEAR(arcPts[1].y, 2, 1e-12);

    const AcDbEllipse closed(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5);
    EXPECT_FALSE(reportVertices(&closed, false).has_value());
    const AcDbEllipse open(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0, M_PI);
    const auto openPts = *reportVertices(&open, false);
    EXPECT_NEAR(openPts.front().x, 4, 1e-12);
    EXPECT_NEAR(openPts.back().x, -4, 1e-12);

    const AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1);
    EXPECT_FALSE(reportVertices(&circle, false).has_value());

    AcGePoint3dArray fit;
    for (double x : {0.0, 3.0, 5.0, 8.0}) fit.append(AcGePoint3d(x, x * x / 10, 0));
    const AcDbSpline spline(fit);
    EXPECT_EQ(xs(*reportVertices(&spline, false)), (std::vector<double>{0, 3, 5, 8}));

    AcGePoint3dArray corners;
    for (double y : {7.0, 3.0, 1.0}) corners.append(AcGePoint3d(2, y, y));
    const AcDbObjectId poly3d = add(new AcDb3dPolyline(AcDb::k3dSimplePoly, corners));
    AcDbObjectPointer<AcDb3dPolyline> pl(poly3d, AcDb::kForRead);
    EXPECT_EQ(ys(*reportVertices(pl.object(), false)), (std::vector<double>{7, 3, 1}));
    EXPECT_EQ(ys(*reportVertices(pl.object(), true)), (std::vector<double>{1, 3, 7}));
}

TEST(Crossings, NearCoincidentPointsCollapseIntoTheFirstFound) {
    const std::vector<AcGePoint3d> found = {{1, 1, 0}, {1.00005, 1, 0}, {3, 0, 0}, {1, 1, 0}, {3, 0.0002, 0}};
    EXPECT_EQ(xs(uniquePoints(found)), (std::vector<double>{1, 3, 3}));
}

TEST(Crossings, NumberingRunsAlongThePickedCurveFromTheNearerEnd) {
    // An L-shaped path: the distance along it, not X, gives the order.
    AcDbPolyline path;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}})
        path.addVertexAt(path.numVerts(), AcGePoint2d(x, y));
    const std::vector<AcGePoint3d> crossings = {{10, 6, 0}, {2, 0, 0}, {10, 1, 0}, {7, 0, 0}};
    const struct {
        AcGePoint3d pick;
        std::vector<double> ys, xs;
    } cases[] = {
        {{0.5, 0, 0}, {0, 0, 1, 6}, {2, 7, 10, 10}},
        {{10, 9.5, 0}, {6, 1, 0, 0}, {10, 10, 7, 2}},
    };
    for (const auto& c : cases) {
        std::vector<AcGePoint3d> pts = crossings;
        orderAlongCurve(path, c.pick, pts);
        EXPECT_EQ(ys(pts), c.ys);
        EXPECT_EQ(xs(pts), c.xs);
    }
}
