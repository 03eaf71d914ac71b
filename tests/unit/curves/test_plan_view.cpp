// Curves seen from above: exact lines and arcs where they still show as such, chords close to the curve elsewhere.
#include <gtest/gtest.h>

#include "curves/plan_view.h"

using namespace cvx::geom;

TEST(PlanView, ArcsStayArcsUnderMirrorsAndTurnsAndVertexPositionsAreKept) {
    // An arc from 0 to 90 degrees about (1, 1), mirrored in the y axis: it runs clockwise from (-3, 1) to (-1, 3).
    std::vector<Segment2> out;
    appendPlanView(Arc::fromEntity({1, 1, 0}, 2, AcGeVector3d::kZAxis, 0, M_PI / 2),
                   AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis)), 1e-6, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].arc);
    EXPECT_NEAR(out[0].sweep, -M_PI / 2, 1e-12);
    EXPECT_NEAR((out[0].start - AcGePoint2d(-3, 1)).length(), 0, 1e-12);
    EXPECT_NEAR((out[0].end - AcGePoint2d(-1, 3)).length(), 0, 1e-12);

    // A polyline with a half circle, seen from below (normal -z) and turned: its vertices land exactly.
    PlacedPolyline pl;
    pl.normal = -AcGeVector3d::kZAxis;
    pl.poly.v = {{{0, 0}, 0}, {{4, 0}, 1}, {{4, 2}, 0}};
    AcGeMatrix3d turn = AcGeMatrix3d::rotation(0.3, AcGeVector3d::kZAxis);
    out.clear();
    appendPlanView(pl, turn, 1e-6, out);
    ASSERT_EQ(out.size(), 2u);
    ASSERT_TRUE(out[1].arc && !out[0].arc);
    EXPECT_NEAR(std::fabs(out[1].sweep), M_PI, 1e-12);
    AcGePoint3d end = turn * (pl.toWorld() * AcGePoint3d(4, 2, 0));
    EXPECT_EQ(out[1].end, AcGePoint2d(end.x, end.y));
}

TEST(PlanView, SlantedCirclesAndEllipsesBecomeChordsWithinTheTolerance) {
    // In plan both are the ellipse (x/4)^2 + (y/2)^2 = 1: a circle of radius 4 tilted by 60 degrees about x,
    // and an ellipse turned in its plane by 90 degrees and back by the placing matrix.
    Ellipse ellipse;
    ellipse.majorAxis = {0, 4, 0};
    ellipse.radiusRatio = 0.5;
    const double tol = 1e-4;
    Arc tilted = Arc::circle({}, 4, {0, std::sin(M_PI / 3), std::cos(M_PI / 3)});
    for (auto [curve, place] : {std::pair<Curve, AcGeMatrix3d>{tilted, AcGeMatrix3d()},
                                {ellipse, AcGeMatrix3d::rotation(-M_PI / 2, AcGeVector3d::kZAxis)}}) {
        std::vector<Segment2> out;
        appendPlanView(curve, place, tol, out);
        EXPECT_GT(out.size(), 40u);
        EXPECT_LT(out.size(), 600u);
        double worst = 0;
        for (const Segment2& s : out) {
            EXPECT_FALSE(s.arc);
            for (double f : {0.0, 0.5}) {  // ends on the ellipse, middles within the tolerance inside it
                AcGePoint2d p = s.pointAt(f);
                double g = std::hypot(p.x / 4, p.y / 2);  // 1 on the ellipse; distance about (1 - g) * 2 at most
                worst = std::max(worst, std::fabs(1 - g) * 2);
            }
        }
        EXPECT_LT(worst, tol);
        EXPECT_GT(worst, tol / 10) << "not finer than needed";
    }
}
