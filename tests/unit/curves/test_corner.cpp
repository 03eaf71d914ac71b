// Fillets and chamfers where the end-to-end tests do not reach: which side of each line is kept, what does not
// fit, and the corners of polylines whose segments are too short or curved.
#include <gtest/gtest.h>

#include <cmath>

#include "curves/corner.h"

using namespace cvx::geom;

namespace {
void expectNear(const AcGePoint2d& a, const AcGePoint2d& b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}
}  // namespace

TEST(Corner, LinesKeepThePickedSideAndTheArcTurnsFromOneToTheOther) {
    // Two crossing lines: the picks choose which quarter is rounded.
    Corner k;
    ASSERT_TRUE(filletLines({-10, 0}, {10, 0}, {-5, 0}, {0, -10}, {0, 10}, {0, 5}, 2, k));
    expectNear(k.keepA, {-10, 0});
    expectNear(k.a, {-2, 0});
    expectNear(k.keepB, {0, 10});
    expectNear(k.b, {0, 2});
    ASSERT_TRUE(k.join.arc);
    expectNear(k.join.center, {-2, 2});
    EXPECT_NEAR(k.join.radius, 2, 1e-12);
    expectNear(k.join.pointAt(1), k.b);
    // Along the kept ends the path runs right, then up: a left turn, so the arc runs counter-clockwise.
    EXPECT_GT(k.join.sweep, 0);
    EXPECT_NEAR(std::fabs(k.join.sweep), M_PI / 2, 1e-12);
    // The other pick order runs the same arc the other way.
    ASSERT_TRUE(filletLines({0, -10}, {0, 10}, {0, 5}, {-10, 0}, {10, 0}, {-5, 0}, 2, k));
    EXPECT_LT(k.join.sweep, 0);
    expectNear(k.join.center, {-2, 2});
}

TEST(Corner, WhatDoesNotFitIsRefused) {
    Corner k;
    EXPECT_FALSE(filletLines({0, 0}, {10, 0}, {5, 0}, {0, 1}, {10, 1}, {5, 1}, 1, k));  // parallel
    EXPECT_FALSE(filletLines({0, 0}, {3, 0}, {1, 0}, {3, 0}, {3, 3}, {3, 1}, 5, k));    // radius longer than the lines
    EXPECT_FALSE(chamferLines({0, 0}, {3, 0}, {1, 0}, {3, 0}, {3, 3}, {3, 1}, 1, 4, k));
    ASSERT_TRUE(chamferLines({0, 0}, {3, 0}, {1, 0}, {3, 0}, {3, 3}, {3, 1}, 1, 2, k));
    expectNear(k.a, {2, 0});
    expectNear(k.b, {3, 2});
    EXPECT_FALSE(k.join.arc);
    // Zero: the lines only meet at the corner, trimmed or extended to it.
    ASSERT_TRUE(filletLines({0, 0}, {2, 0}, {1, 0}, {3, 1}, {3, 3}, {3, 2}, 0, k));
    EXPECT_FALSE(k.hasJoin);
    expectNear(k.a, {3, 0});
    expectNear(k.b, {3, 0});
}

TEST(Corner, PolylineCornersBetweenStraightSegmentsThatHaveRoom) {
    // An open L with a short last leg, an arc segment and a closed square.
    BulgePolyline l;
    l.v = {{{0, 0}, 0}, {{10, 0}, 0}, {{10, 1}, 0}, {{20, 1}, 0.5}, {{25, 5}, 0}};
    EXPECT_EQ(filletPolyline(l, 2), 0);  // the 1-unit leg leaves no room; the vertex before the arc is curved
    EXPECT_EQ(l.v.size(), 5u);
    EXPECT_EQ(chamferPolyline(l, 0.5, 0.5), 2);  // 0.5 + 0.5 fit the short leg exactly
    EXPECT_EQ(l.v.size(), 7u);

    BulgePolyline square;
    square.closed = true;
    square.v = {{{0, 0}, 0}, {{4, 0}, 0}, {{4, 4}, 0}, {{0, 4}, 0}};
    EXPECT_EQ(filletPolyline(square, 2), 4);  // each side used up by the cuts at both its ends
    ASSERT_EQ(square.v.size(), 8u);
    double total = 0;
    for (const Segment2& s : segments(square)) total += s.length();
    EXPECT_NEAR(total, 2 * M_PI * 2, 1e-9);  // a full circle of radius 2
    EXPECT_EQ(filletPolyline(square, 2), 0);  // nothing left to round
}
