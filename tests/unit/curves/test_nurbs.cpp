#include <gtest/gtest.h>

#include <random>

#include "curves/nurbs.h"
#include "curves/nurbs_from.h"

using namespace cvx::geom;

namespace {
Nurbs wavyCubic() {
    return Nurbs{3, {0, 0, 0, 0, 1, 2, 2, 4, 4, 4, 4},
                 {{0, 0, 0}, {1, 2, 0}, {3, -1, 1}, {4, 3, 0}, {6, 0, -1}, {7, 2, 0}, {9, 0, 2}},
                 {1, 2, 0.5, 1, 3, 1, 1}};
}
}  // namespace

TEST(NurbsExact, CircleAndEllipseControlNetsLieOnTheConic) {
    Arc c = Arc::circle({1, 2, 3}, 2.5, AcGeVector3d(1, 1, 1));
    Nurbs n = toNurbs(c);
    ASSERT_TRUE(n.isValid());
    EXPECT_TRUE(n.startPoint().isEqualTo(n.endPoint()));
    for (int i = 0; i <= 200; ++i) {
        double u = n.startParam() + (n.endParam() - n.startParam()) * i / 200;
        AcGePoint3d p = n.pointAt(u);
        EXPECT_NEAR(p.distanceTo(c.center), 2.5, 1e-13);
        EXPECT_NEAR((p - c.center).dotProduct(c.normal), 0, 1e-13);
    }
    Ellipse e{{0, 0, 0}, {0, 0, 1}, {3, 4, 0}, 0.4, 0.3, 5.0};
    Nurbs ne = toNurbs(e);
    EXPECT_TRUE(ne.startPoint().isEqualTo(e.pointAt(0.3)));
    EXPECT_TRUE(ne.endPoint().isEqualTo(e.pointAt(5.0)));
    for (int i = 0; i <= 100; ++i) {  // implicit equation (x/a)^2 + (y/b)^2 = 1 in the ellipse frame
        AcGeVector3d v = ne.pointAt(0.3 + 4.7 * i / 100) - e.center;
        double x = v.dotProduct(e.majorAxis.normal()) / 5, y = v.dotProduct(e.minorAxis().normal()) / 2;
        EXPECT_NEAR(x * x + y * y, 1, 1e-13);
    }
}

TEST(NurbsExact, PolylineWithBulgesKeepsVerticesAndArcs) {
    BulgePolyline pl{{{{0, 0}, 0}, {{4, 0}, 1}, {{4, 4}, -0.3}, {{0, 4}, 0}}, true};
    Nurbs n = toNurbs(pl);
    ASSERT_TRUE(n.isValid());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(n.pointAt(i).isEqualTo(AcGePoint3d(pl.v[i].pt.x, pl.v[i].pt.y, 0)));
    EXPECT_TRUE(n.pointAt(4).isEqualTo(AcGePoint3d(0, 0, 0)));
    // the half-circle from (4,0) to (4,4) bulging to the right is centred at (4,2)
    for (double u = 1; u <= 2; u += 0.05) EXPECT_NEAR(n.pointAt(u).distanceTo({4, 2, 0}), 2, 1e-12);
}

TEST(NurbsEdit, KnotInsertionSplitAndReversalKeepTheShape) {
    Nurbs c = wavyCubic();
    ASSERT_TRUE(c.isValid());
    Nurbs k = c;
    insertKnot(k, 1.3, 2);
    insertKnot(k, 3.0, 1);
    Nurbs a, b;
    ASSERT_TRUE(splitAt(c, 2.7, a, b));
    Nurbs r = reversed(c);
    for (int i = 0; i <= 80; ++i) {
        double u = 4.0 * i / 80;
        AcGePoint3d p = c.pointAt(u);
        EXPECT_LT(k.pointAt(u).distanceTo(p), 1e-12);
        EXPECT_LT((u < 2.7 ? a : b).pointAt(u).distanceTo(p), 1e-12);
        EXPECT_LT(r.pointAt(4 - u).distanceTo(p), 1e-12);
        EXPECT_LT((k.derivAt(u) - c.derivAt(u)).length(), 1e-9);
    }
    EXPECT_FALSE(splitAt(c, 4.0, a, b));
}

TEST(NurbsEval, DerivativesMatchFiniteDifferences) {
    Nurbs c = wavyCubic();
    for (double u : {0.1, 0.7, 1.5, 2.5, 3.9}) {
        AcGeVector3d d[3];
        c.derivsAt(u, 2, d);
        double h = 1e-5;
        AcGeVector3d fd1 = (c.pointAt(u + h) - c.pointAt(u - h)) / (2 * h);
        AcGeVector3d fd2 = (c.derivAt(u + h) - c.derivAt(u - h)) / (2 * h);
        EXPECT_LT((d[1] - fd1).length(), 1e-6 * (1 + d[1].length()));
        EXPECT_LT((d[2] - fd2).length(), 1e-5 * (1 + d[2].length()));
    }
}

TEST(NurbsEval, PeriodicCurveClampsToTheSameShape) {
    // uniform periodic cubic over 5 distinct points (first three repeated)
    std::vector<AcGePoint3d> pts = {{0, 0, 0}, {3, 0, 0}, {4, 3, 0}, {1, 5, 0}, {-2, 2, 0}};
    Nurbs p{3, {}, pts, {}, true, true};
    for (int i = 0; i < 3; ++i) p.ctrl.push_back(pts[i]);
    for (int i = 0; i < 12; ++i) p.knots.push_back(i);
    ASSERT_TRUE(p.isValid());
    EXPECT_TRUE(p.startPoint().isEqualTo(p.endPoint(), AcGeTol()));
    Nurbs c = clamped(p);
    ASSERT_TRUE(c.isValid());
    for (double u = 3; u <= 8; u += 0.1) EXPECT_LT(c.pointAt(u).distanceTo(p.pointAt(u)), 1e-12);
}

TEST(NurbsExtents, BoxIsTightForACircleAndARandomCurve) {
    Nurbs n = toNurbs(Arc::circle({1, -1, 0}, 3));
    auto [lo, hi] = boundingBox(n);
    EXPECT_NEAR(lo.x, -2, 1e-8);
    EXPECT_NEAR(hi.x, 4, 1e-8);
    EXPECT_NEAR(lo.y, -4, 1e-8);
    EXPECT_NEAR(hi.y, 2, 1e-8);
    Nurbs c = wavyCubic();
    auto [l2, h2] = boundingBox(c);
    double mx = -1e9;  // dense sampling never exceeds the box and comes close to it
    for (int i = 0; i <= 40000; ++i) mx = std::max(mx, c.pointAt(4.0 * i / 40000).y);
    EXPECT_LE(mx, h2.y + 1e-12);
    EXPECT_NEAR(mx, h2.y, 1e-7);
}
