#include <gtest/gtest.h>

#include "cvx/ge.h"

TEST(Matrix, RotationAboutCentreKeepsCentreAndTurnsCounterClockwise) {
    AcGePoint3d c(2, 3, 0);
    AcGeMatrix3d m = AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis, c);
    EXPECT_TRUE((m * c).isEqualTo(c));
    AcGePoint3d p = m * AcGePoint3d(3, 3, 0);
    EXPECT_NEAR(p.x, 2, 1e-12);
    EXPECT_NEAR(p.y, 4, 1e-12);
}

TEST(Matrix, InverseUndoesComposedTransforms) {
    AcGeMatrix3d m = AcGeMatrix3d::translation({5, -2, 1}) * AcGeMatrix3d::rotation(0.7, {1, 2, 3}) *
                     AcGeMatrix3d::scaling(2.5, {1, 1, 1});
    AcGeMatrix3d i = m.inverse() * m;
    EXPECT_TRUE(i.isEqualTo(AcGeMatrix3d::kIdentity, AcGeTol()));
    EXPECT_NEAR(m.det(), 2.5 * 2.5 * 2.5, 1e-9);
    EXPECT_TRUE(m.isUniScaledOrtho());
}

TEST(Matrix, MirrorAcrossPlaneFlipsOrientationAndFixesPlanePoints) {
    AcGePlane plane(AcGePoint3d(1, 0, 0), AcGeVector3d(1, 1, 0));
    AcGeMatrix3d m = AcGeMatrix3d::mirroring(plane);
    EXPECT_LT(m.det(), 0);
    AcGePoint3d onPlane(1, 0, 5);
    EXPECT_TRUE((m * onPlane).isEqualTo(onPlane));
    AcGePoint3d q = m * AcGePoint3d(2, 1, 0);  // mirrored across x + y = 1
    EXPECT_NEAR(q.x, 0, 1e-12);
    EXPECT_NEAR(q.y, -1, 1e-12);
}

TEST(Matrix, NonUniformScaleIsNotUniScaledOrtho) {
    AcGeMatrix3d m;
    m.entry[0][0] = 2;
    EXPECT_FALSE(m.isUniScaledOrtho());
}

TEST(Vector, AngleToAboutReferenceAxisRunsFullCircle) {
    AcGeVector3d x = AcGeVector3d::kXAxis;
    EXPECT_NEAR(x.angleTo({0, 1, 0}, AcGeVector3d::kZAxis), M_PI / 2, 1e-12);
    EXPECT_NEAR(x.angleTo({0, -1, 0}, AcGeVector3d::kZAxis), 3 * M_PI / 2, 1e-12);
}

TEST(Vector, ArbitraryAxisRuleMatchesDrawingFormat) {
    // Normal (0,0,1) gives X; a normal near Z uses Wy x N, elsewhere Wz x N.
    EXPECT_TRUE(arbitraryXAxis({0, 0, 1}).isEqualTo({1, 0, 0}));
    EXPECT_TRUE(arbitraryXAxis({0, 0, -1}).isEqualTo({-1, 0, 0}));
    AcGeVector3d ax = arbitraryXAxis({1, 0, 0});
    EXPECT_TRUE(ax.isEqualTo({0, 1, 0}));
}

TEST(KnotVector, MultiplicityAndDistinctKnots) {
    AcGeKnotVector k(AcGeDoubleArray{0, 0, 0, 1, 2, 2, 3, 3, 3});
    EXPECT_EQ(k.multiplicityAt(0), 3);
    EXPECT_EQ(k.multiplicityAt(4), 2);
    AcGeDoubleArray d;
    k.getDistinctKnots(d);
    EXPECT_EQ(d.length(), 4);
}
