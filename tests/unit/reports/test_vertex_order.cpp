// Which points the vertex report lists per curve kind, the lower-left start rule, and the crossings of PLJD1:
// duplicates collapse, and the numbering runs along the picked curve from the end nearer the pick.
#include <algorithm>
#include <random>
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
    // Clusters straddling the hash's cell sides (multiples of 0.0016), far out and below zero, against the
    // rule applied point by point.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> cell(-40, 40);
    std::uniform_real_distribution<double> jitter(-0.00009, 0.00009);
    std::vector<AcGePoint3d> many;
    for (int i = 0; i < 4000; ++i) {
        const double base = i % 2 ? 38500000.0 : -12.0;
        many.emplace_back(base + cell(rng) * 0.0016 + jitter(rng), cell(rng) * 0.0016 + jitter(rng), jitter(rng));
    }
    std::vector<AcGePoint3d> expected;
    for (const AcGePoint3d& p : many)
        if (std::none_of(expected.begin(), expected.end(), [&](const AcGePoint3d& q) { return p.distanceTo(q) < 0.0001; }))
            expected.push_back(p);
    const std::vector<AcGePoint3d> kept = uniquePoints(many);
    ASSERT_EQ(kept.size(), expected.size());
    for (size_t i = 0; i < kept.size(); ++i) EXPECT_TRUE(kept[i].isEqualTo(expected[i], AcGeTol())) << i;
}

class MutualCrossings : public DrawingTest {};

TEST_F(MutualCrossings, PairsInSelectionOrderAndOverlapsAtTheirEnds) {
    // Listed right to left, so the pairs come in another order than the boxes' sweep meets them.
    AcDbObjectIdArray ids;
    ids.append(add(new AcDbLine(AcGePoint3d(9, -1, 0), AcGePoint3d(9, 5, 0))));
    ids.append(add(new AcDbLine(AcGePoint3d(5, -1, 0), AcGePoint3d(5, 5, 0))));
    ids.append(add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0))));
    ids.append(add(new AcDbLine(AcGePoint3d(0, 4, 0), AcGePoint3d(10, 4, 0))));
    ids.append(add(new AcDbLine(AcGePoint3d(40, 40, 0), AcGePoint3d(41, 41, 0))));  // meets nothing
    std::vector<AcGePoint3d> pts = mutualIntersections(ids);
    EXPECT_EQ(xs(pts), (std::vector<double>{9, 9, 5, 5}));
    EXPECT_EQ(ys(pts), (std::vector<double>{0, 4, 0, 4}));

    // Two copies of one ellipse and one spline share their whole length: a point where each closed one
    // starts, and the spline's two ends, not a mark every few units.
    AcGePoint3dArray fit;
    for (double x : {20.0, 23.0, 25.0, 28.0}) fit.append(AcGePoint3d(x, x * x / 10, 0));
    AcDbObjectIdArray copies;
    for (int k = 0; k < 2; ++k) {
        copies.append(add(new AcDbEllipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5)));
        copies.append(add(new AcDbSpline(fit)));
    }
    pts = uniquePoints(mutualIntersections(copies));
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_LT(pts[0].distanceTo(AcGePoint3d(4, 0, 0)), 1e-6);
    EXPECT_NEAR(pts[1].x, 20, 1e-6);
    EXPECT_NEAR(pts[2].x, 28, 1e-6);
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
