// Entities keep their shape under transformations (points on them map to points on the result), and report
// tight extents.
#include <gtest/gtest.h>

#include <cmath>

#include "cvx/dbents.h"

namespace {
// Points along an arc from its own data.
std::vector<AcGePoint3d> arcPoints(const AcDbArc& a, int n = 9) {
    AcGeVector3d x = arbitraryXAxis(a.normal()), y = a.normal().crossProduct(x);
    std::vector<AcGePoint3d> pts;
    double sweep = a.totalAngle();
    for (int i = 0; i < n; ++i) {
        double t = a.startAngle() + sweep * i / (n - 1);
        pts.push_back(a.center() + x * (a.radius() * std::cos(t)) + y * (a.radius() * std::sin(t)));
    }
    return pts;
}

std::vector<AcGePoint3d> ellipsePoints(const AcDbEllipse& e, int n = 9) {
    std::vector<AcGePoint3d> pts;
    double s = e.startParam(), t = e.endParam();
    if (t <= s) t += 2 * M_PI;
    for (int i = 0; i < n; ++i) {
        double u = s + (t - s) * i / (n - 1);
        pts.push_back(e.center() + e.majorAxis() * std::cos(u) + e.minorAxis() * std::sin(u));
    }
    return pts;
}

// The same set of points, in the same or the reverse order.
void expectSamePath(std::vector<AcGePoint3d> a, std::vector<AcGePoint3d> b) {
    ASSERT_EQ(a.size(), b.size());
    bool forward = a.front().distanceTo(b.front()) < 1e-9;
    if (!forward) std::reverse(b.begin(), b.end());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_LT(a[i].distanceTo(b[i]), 1e-9) << "point " << i;
}

const AcGeMatrix3d kTransforms[] = {
    AcGeMatrix3d::translation({3, -2, 1}),
    AcGeMatrix3d::rotation(0.7, {0, 0, 1}, {1, 2, 0}),
    AcGeMatrix3d::scaling(2.5, {1, 1, 0}),
    AcGeMatrix3d::mirroring(AcGePlane({2, 0, 0}, {1, 0, 0})),  // mirror across the line x = 2
    AcGeMatrix3d::mirroring(AcGePlane({0, 0, 0}, {1, 1, 0})),
    AcGeMatrix3d::rotation(0.4, {1, 0, 0}),  // tilts the plane
};
}  // namespace

TEST(Transform, ArcsFollowEveryTransformIncludingMirrors) {
    for (const AcGeMatrix3d& m : kTransforms) {
        AcDbArc arc({1, 1, 0}, 2.0, 0.3, 2.2);
        std::vector<AcGePoint3d> expected;
        for (const auto& p : arcPoints(arc)) expected.push_back(m * p);
        ASSERT_EQ(arc.transformBy(m), Acad::eOk);
        expectSamePath(arcPoints(arc), expected);
        EXPECT_LT(arc.totalAngle(), M_PI);  // the short arc stays the short arc
    }
}

TEST(Transform, EllipsesFollowEveryTransformIncludingMirrors) {
    for (const AcGeMatrix3d& m : kTransforms) {
        AcDbEllipse e({0, 0, 0}, {0, 0, 1}, {3, 1, 0}, 0.4, 0.5, 4.0);
        std::vector<AcGePoint3d> expected;
        for (const auto& p : ellipsePoints(e)) expected.push_back(m * p);
        ASSERT_EQ(e.transformBy(m), Acad::eOk);
        expectSamePath(ellipsePoints(e), expected);
    }
}

TEST(Transform, PolylineBulgesTurnOverUnderAMirror) {
    AcDbPolyline pl;
    pl.addVertexAt(0, {0, 0}, 1.0);  // a half circle to the right of travel... bulge 1 = ccw semicircle
    pl.addVertexAt(1, {2, 0});
    AcGeMatrix3d m = AcGeMatrix3d::mirroring(AcGePlane({0, 0, 0}, {0, 1, 0}));  // across the X axis
    ASSERT_EQ(pl.transformBy(m), Acad::eOk);
    double b;
    pl.getBulgeAt(0, b);
    EXPECT_DOUBLE_EQ(b, -1.0);
    AcDbExtents ext;
    pl.getGeomExtents(ext);
    // The counter-clockwise half circle from (0,0) to (2,0) bulges below the axis; mirrored, above it.
    EXPECT_NEAR(ext.maxPoint().y, 1.0, 1e-9);
    EXPECT_NEAR(ext.minPoint().y, 0.0, 1e-9);
}

TEST(Transform, NonUniformScalingIsRefusedWhereItWouldBreakTheShape) {
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2;
    AcDbCircle c({0, 0, 0}, {0, 0, 1}, 1);
    EXPECT_EQ(c.transformBy(stretch), Acad::eCannotScaleNonUniformly);
    EXPECT_DOUBLE_EQ(c.radius(), 1.0);
    AcDbLine l({0, 0, 0}, {1, 1, 0});
    EXPECT_EQ(l.transformBy(stretch), Acad::eOk);
    EXPECT_TRUE(l.endPoint().isEqualTo({2, 1, 0}));
}

TEST(Transform, BlockReferenceComposesWithItsTransform) {
    AcDbBlockReference ref({5, 0, 0}, AcDbObjectId());
    ref.setRotation(M_PI / 2);
    ref.setScaleFactors(AcGeScale3d(2));
    AcGeMatrix3d before = ref.blockTransform();
    AcGeMatrix3d m = AcGeMatrix3d::mirroring(AcGePlane({0, 0, 0}, {1, 0, 0})) * AcGeMatrix3d::translation({1, 2, 0});
    ASSERT_EQ(ref.transformBy(m), Acad::eOk);
    EXPECT_TRUE(ref.blockTransform().isEqualTo(m * before, AcGeTol()));
}

TEST(Extents, ArcsAndEllipsesAreTight) {
    AcDbArc quarter({0, 0, 0}, 2.0, 0, M_PI / 2);
    AcDbExtents e;
    ASSERT_EQ(quarter.getGeomExtents(e), Acad::eOk);
    EXPECT_NEAR(e.minPoint().x, 0, 1e-12);
    EXPECT_NEAR(e.maxPoint().x, 2, 1e-12);
    EXPECT_NEAR(e.maxPoint().y, 2, 1e-12);
    AcDbEllipse rotated({0, 0, 0}, {0, 0, 1}, {3 * std::cos(0.5), 3 * std::sin(0.5), 0}, 0.5);
    AcDbExtents r;
    rotated.getGeomExtents(r);
    // Half-width of a rotated ellipse: sqrt(a^2 cos^2 + b^2 sin^2).
    double a = 3, b = 1.5;
    EXPECT_NEAR(r.maxPoint().x, std::sqrt(a * a * std::cos(0.5) * std::cos(0.5) + b * b * std::sin(0.5) * std::sin(0.5)), 1e-9);
}

TEST(Splines, ClosedOnlyWhenTheCurveReturnsToItsStart) {
    AcDbSpline open(AcGePoint3dArray{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}});
    EXPECT_FALSE(open.isClosed());
    EXPECT_TRUE(open.isPlanar());
    AcDbSpline loop(AcGePoint3dArray{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {0, 0, 0}});
    EXPECT_TRUE(loop.isClosed());
    AcDbSpline twisted(AcGePoint3dArray{{0, 0, 0}, {1, 1, 0}, {2, 0, 1}, {3, 1, 0}});
    EXPECT_FALSE(twisted.isPlanar());
}

TEST(Text, MTextFormattingCodesAreStripped) {
    AcDbMText m;
    m.setContents(L"{\\fArial|b1;Bold} line\\Pnext \\S1^2; \\U+4E2D");
    std::vector<std::wstring> lines = m.plainLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"Bold line");
    EXPECT_EQ(lines[1], L"next 1/2 中");
}
