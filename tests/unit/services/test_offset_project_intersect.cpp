// Offsets, projections and meeting points of curve entities.
#include <gtest/gtest.h>

#include "kinds.h"

using namespace svc;

namespace {

std::vector<std::unique_ptr<AcDbCurve>> take(AcDbVoidPtrArray& a) {
    std::vector<std::unique_ptr<AcDbCurve>> out;
    for (int i = 0; i < a.length(); ++i) out.emplace_back(static_cast<AcDbCurve*>(a[i]));
    return out;
}

// Largest deviation of the offset's points from the distance |d| to the source.
double worstDistance(const AcDbCurve* src, const AcDbCurve* off, double d) {
    double a, b, worst = 0;
    off->getStartParam(a);
    off->getEndParam(b);
    for (int i = 0; i <= 200; ++i) {
        AcGePoint3d p, at;
        off->getPointAtParam(a + (b - a) * i / 200, p);
        src->getClosestPointTo(p, at);
        worst = std::max(worst, std::fabs(at.distanceTo(p) - std::fabs(d)));
    }
    return worst;
}

}  // namespace

TEST(Offset, SimpleKindsKeepTheirKindAndTheSignGrowsArcs) {
    AcDbArc arc(AcGePoint3d(1, 1, 0), 2.0, 0.3, 2.0);
    arc.setColorIndex(5);
    AcDbVoidPtrArray out;
    ASSERT_EQ(arc.getOffsetCurves(0.5, out), Acad::eOk);
    auto r = take(out);
    ASSERT_EQ(r.size(), 1u);
    auto* a = AcDbArc::cast(r[0].get());
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->radius(), 2.5);
    EXPECT_EQ(a->colorIndex(), 5);
    AcDbCircle circle(AcGePoint3d(), AcGeVector3d::kZAxis, 1);
    AcDbVoidPtrArray none;
    EXPECT_EQ(circle.getOffsetCurves(-1.5, none), Acad::eOk);
    EXPECT_EQ(none.length(), 0);  // nothing is left where the radius would vanish
    // a line offsets to the right of its direction, seen from its normal
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    AcDbVoidPtrArray lo;
    line.getOffsetCurves(2, lo);
    auto l = take(lo);
    AcGePoint3d s;
    l[0]->getStartPoint(s);
    EXPECT_TRUE(samePoint(s, AcGePoint3d(0, -2, 0), 1e-12));
    AcDbVoidPtrArray flipped;
    line.getOffsetCurvesGivenPlaneNormal(AcGeVector3d(0, 0, -1), 2, flipped);
    take(flipped)[0]->getStartPoint(s);
    EXPECT_TRUE(samePoint(s, AcGePoint3d(0, 2, 0), 1e-12));
    // in a plane it does not lie in, a circle has no offset
    AcDbVoidPtrArray skew;
    EXPECT_EQ(circle.getOffsetCurvesGivenPlaneNormal(AcGeVector3d(1, 0, 0), 1, skew), Acad::eNotApplicable);
}

TEST(Offset, FreeformAndPolylinesKeepTheDistance) {
    for (auto& [name, c] : everyKind()) {
        if (name == "line" || name == "arc" || name == "arc3d" || name == "circle" || !c->isPlanar()) continue;
        if (name == "3dpoly" || name == "3dpoly-spline" || name == "helix") continue;
        SCOPED_TRACE(name);
        // (freeform offsets keep the loops a distance above the radius of curvature forms: stay below it)
        AcDbExtents box;
        c->getGeomExtents(box);
        double size = box.minPoint().distanceTo(box.maxPoint());
        for (double d : {0.1, -0.1}) {
            AcDbVoidPtrArray out;
            ASSERT_EQ(c->getOffsetCurves(d, out), Acad::eOk);
            auto r = take(out);
            ASSERT_GE(r.size(), 1u);
            for (auto& o : r) {
                bool same = o->isA() == c->isA() || (AcDbSpline::cast(o.get()) && (AcDbEllipse::cast(c.get()) || AcDbSpline::cast(c.get())));
                EXPECT_TRUE(same) << o->isA()->name();
                EXPECT_LT(worstDistance(c.get(), o.get(), d), 1e-6 * size);
            }
            if (c->isClosed()) {  // outside grows the area, inside shrinks it
                double a0, a1;
                c->getArea(a0);
                r[0]->getArea(a1);
                bool ccw = true;
                if (auto* s = AcDbSpline::cast(c.get())) ccw = s->planeNormal().z > 0;
                EXPECT_EQ(a1 > a0, (d > 0) == ccw) << d;
            }
        }
    }
}

TEST(Offset, PlanarThreeDPolylineStaysThreeD) {
    AcDb3dPolyline sq(AcDb::k3dSimplePoly, pts3({{0, 0, 1}, {4, 0, 1}, {4, 4, 1}, {0, 4, 1}}), true);
    AcDbVoidPtrArray out;
    ASSERT_EQ(sq.getOffsetCurves(1, out), Acad::eOk);
    auto r = take(out);
    ASSERT_EQ(r.size(), 1u);
    ASSERT_TRUE(AcDb3dPolyline::cast(r[0].get()));
    double area;
    r[0]->getArea(area);
    EXPECT_NEAR(area, 16 + 4 * 4 + M_PI, 1e-3);  // round corners as short chords
    EXPECT_LT(worstDistance(&sq, r[0].get(), 1), 1e-4);
}

TEST(Project, KindsOfTheProjectedCurves) {
    AcGePlane xy(AcGePoint3d(0, 0, -2), AcGeVector3d::kZAxis);
    AcDbCircle flat(AcGePoint3d(1, 1, 5), AcGeVector3d::kZAxis, 2);
    AcDbCurve* p = nullptr;
    ASSERT_EQ(flat.getOrthoProjectedCurve(xy, p), Acad::eOk);
    std::unique_ptr<AcDbCurve> own(p);
    ASSERT_TRUE(AcDbCircle::cast(p));
    EXPECT_NEAR(AcDbCircle::cast(p)->center().z, -2, 1e-12);
    AcDbArc tilted(AcGePoint3d(), AcGeVector3d(0, 1, 1), 2.0, 0.2, 2.0);
    ASSERT_EQ(tilted.getProjectedCurve(xy, AcGeVector3d::kZAxis, p), Acad::eOk);
    own.reset(p);
    auto* e = AcDbEllipse::cast(p);
    ASSERT_TRUE(e);
    EXPECT_NEAR(e->minorRadius(), 2 / std::sqrt(2.0), 1e-12);
    AcGePoint3d s0, s1;
    tilted.getStartPoint(s0);
    e->getStartPoint(s1);
    EXPECT_TRUE(samePoint(AcGePoint3d(s0.x, s0.y, -2), s1, 1e-12));
    AcDb3dPolyline poly(AcDb::k3dSimplePoly, pts3({{0, 0, 0}, {2, 1, 1}, {3, 3, 0}}), false);
    ASSERT_EQ(poly.getOrthoProjectedCurve(xy, p), Acad::eOk);
    own.reset(p);
    ASSERT_TRUE(AcDbPolyline::cast(p));
    EXPECT_EQ(AcDbPolyline::cast(p)->numVerts(), 3u);
    std::unique_ptr<AcDbPolyline> bulged(lwpoly({{0, 0, 0.5}, {4, 0, 0}}, false));
    ASSERT_EQ(bulged->getOrthoProjectedCurve(AcGePlane(AcGePoint3d(), AcGeVector3d(1, 0, 1)), p), Acad::eOk);
    own.reset(p);
    EXPECT_TRUE(AcDbSpline::cast(p));  // an arc seen slanted is elliptical
    AcDbLine edgeOn(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 3));
    EXPECT_EQ(edgeOn.getOrthoProjectedCurve(xy, p), Acad::eDegenerateGeometry);
    EXPECT_EQ(flat.getProjectedCurve(xy, AcGeVector3d(1, 0, 0), p), Acad::eInvalidInput);
}

TEST(Intersect, KnownPointsTangentsAndExtensions) {
    AcDbLine line(AcGePoint3d(-5, 1, 0), AcGePoint3d(5, 1, 0));
    AcDbCircle circle(AcGePoint3d(), AcGeVector3d::kZAxis, 2);
    AcGePoint3dArray pts;
    ASSERT_EQ(line.intersectWith(&circle, AcDb::kOnBothOperands, pts), Acad::eOk);
    ASSERT_EQ(pts.length(), 2);
    EXPECT_TRUE(samePoint(pts[0], AcGePoint3d(-std::sqrt(3.0), 1, 0), 1e-12));  // along the line
    EXPECT_TRUE(samePoint(pts[1], AcGePoint3d(std::sqrt(3.0), 1, 0), 1e-12));
    AcDbLine tangent(AcGePoint3d(-5, 2, 0), AcGePoint3d(5, 2, 0));
    AcGePoint3dArray touch;
    tangent.intersectWith(&circle, AcDb::kOnBothOperands, touch);
    ASSERT_EQ(touch.length(), 1);
    EXPECT_TRUE(samePoint(touch[0], AcGePoint3d(0, 2, 0), 1e-6));
    AcDbLine shortLine(AcGePoint3d(3, 0, 0), AcGePoint3d(4, 0, 0));
    AcDbArc arc(AcGePoint3d(), 2.0, M_PI / 2, M_PI);
    AcGePoint3dArray ext;
    shortLine.intersectWith(&arc, AcDb::kOnBothOperands, ext);
    EXPECT_EQ(ext.length(), 0);
    shortLine.intersectWith(&arc, AcDb::kExtendBoth, ext);
    EXPECT_EQ(ext.length(), 2);
    AcDbText text;
    EXPECT_EQ(line.intersectWith(&text, AcDb::kOnBothOperands, ext), Acad::eNotApplicable);
}

TEST(Intersect, EveryPairOfKindsMeetsOnBothCurves) {
    auto kinds = everyKind();
    int pairs = 0;
    for (auto& [na, a] : kinds)
        for (auto& [nb, b] : kinds) {
            if (&a == &b) continue;
            AcGePoint3dArray pts, back;
            ASSERT_EQ(a->intersectWith(b.get(), AcDb::kOnBothOperands, pts), Acad::eOk);
            b->intersectWith(a.get(), AcDb::kOnBothOperands, back);
            EXPECT_EQ(pts.length(), back.length()) << na << " " << nb;
            double last = -INFINITY;
            for (const AcGePoint3d& p : pts.vec()) {
                double ta, tb;
                EXPECT_EQ(a->getParamAtPoint(p, ta), Acad::eOk) << na << " " << nb;
                EXPECT_EQ(b->getParamAtPoint(p, tb), Acad::eOk) << na << " " << nb;
                if (!a->isClosed()) { EXPECT_GT(ta, last); }  // ordered along this curve, no repeats
                last = ta;
            }
            pairs += pts.length() > 0;
        }
    EXPECT_GT(pairs, 40);
}
