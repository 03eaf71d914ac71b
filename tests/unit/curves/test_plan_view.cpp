// Curves seen from above: exact lines and arcs where they still show as such, chords close to the curve elsewhere.
#include <gtest/gtest.h>

#include "curves/plan_view.h"

using namespace cvx::geom;

namespace {

// Points along the curve in plan, dense enough that the chain of them is the curve to within 1e-7.
std::vector<AcGePoint2d> densePlan(const Curve& c) {
    const int n = 20000;
    std::vector<AcGePoint2d> pts;
    for (int k = 0; k <= n; ++k) {
        AcGePoint3d q = std::visit(
            [&](const auto& g) -> AcGePoint3d {
                using T = std::decay_t<decltype(g)>;
                if constexpr (std::is_same_v<T, Arc>) return g.pointAt(2 * M_PI * k / n);
                else if constexpr (std::is_same_v<T, Ellipse>)
                    return g.pointAt(g.startParam + (g.endParam - g.startParam) * k / n);
                else if constexpr (std::is_same_v<T, Nurbs>) return g.pointAt(g.startParam() + (g.endParam() - g.startParam()) * k / n);
                else return AcGePoint3d();
            },
            c);
        pts.push_back({q.x, q.y});
    }
    return pts;
}

double distanceToChain(const std::vector<AcGePoint2d>& chain, const AcGePoint2d& p) {
    double best = INFINITY;
    for (size_t i = 1; i < chain.size(); ++i) {
        double f;
        AcGePoint2d q = Segment2::line(chain[i - 1], chain[i]).closestPoint(p, f);
        best = std::min(best, std::hypot(q.x - p.x, q.y - p.y));
    }
    return best;
}

}  // namespace

TEST(PlanView, ArcsStayArcsUnderMirrorsAndTurnsAndVertexPositionsAreKept) {
    // An arc from 0 to 90 degrees about (1, 1), mirrored in the y axis: it runs clockwise from (-3, 1) to (-1, 3).
    std::vector<Segment2> out;
    appendPlanView(Arc::fromEntity({1, 1, 0}, 2, AcGeVector3d::kZAxis, 0, M_PI / 2), AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis)),
                   1e-6, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].arc);
    EXPECT_NEAR(out[0].sweep, -M_PI / 2, 1e-12);
    EXPECT_NEAR(out[0].start.x, -3, 1e-12);
    EXPECT_NEAR(out[0].start.y, 1, 1e-12);
    EXPECT_NEAR(out[0].end.x, -1, 1e-12);
    EXPECT_NEAR(out[0].end.y, 3, 1e-12);

    // A polyline with a half circle, seen from below (normal -z) and turned: its vertices land exactly.
    PlacedPolyline pl;
    pl.normal = -AcGeVector3d::kZAxis;
    pl.poly.v = {{{0, 0}, 0}, {{4, 0}, 1}, {{4, 2}, 0}};
    AcGeMatrix3d turn = AcGeMatrix3d::rotation(0.3, AcGeVector3d::kZAxis);
    out.clear();
    appendPlanView(pl, turn, 1e-6, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_FALSE(out[0].arc);
    ASSERT_TRUE(out[1].arc);
    EXPECT_NEAR(std::fabs(out[1].sweep), M_PI, 1e-12);
    AcGePoint3d end = turn * (pl.toWorld() * AcGePoint3d(4, 2, 0));
    EXPECT_EQ(out[1].end.x, end.x);
    EXPECT_EQ(out[1].end.y, end.y);
}

TEST(PlanView, SlantedCirclesEllipsesAndSplinesBecomeChordsWithinTheTolerance) {
    const double tol = 1e-4;
    Arc tilted = Arc::circle({5, 0, 0}, 3, AcGeVector3d(0, 1, 1).normal());
    Ellipse ellipse;
    ellipse.majorAxis = {4, 3, 0};
    ellipse.radiusRatio = 0.3;
    ellipse.startParam = 0.5;
    ellipse.endParam = 4;
    Nurbs spline;
    spline.degree = 3;
    spline.ctrl = {{0, 0, 0}, {1, 3, 2}, {4, -2, 1}, {6, 1, 0}, {8, 0, 3}};
    spline.knots = {0, 0, 0, 0, 1, 2, 2, 2, 2};
    for (const Curve& c : std::vector<Curve>{tilted, ellipse, spline}) {
        std::vector<Segment2> out;
        appendPlanView(c, AcGeMatrix3d(), tol, out);
        ASSERT_GT(out.size(), 10u);
        EXPECT_LT(out.size(), 2000u);
        for (const Segment2& s : out) EXPECT_FALSE(s.arc);
        std::vector<AcGePoint2d> curve = densePlan(c);
        double worst = 0;
        for (const Segment2& s : out) worst = std::max(worst, distanceToChain(curve, s.pointAt(0.5)));
        EXPECT_LT(worst, 1.5 * tol);
    }
}
