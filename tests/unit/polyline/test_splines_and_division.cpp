// s2p and p2s (and their round trip), PLDF and PLDJDF with divideCurveByCount / divideCurveByDistance.
#include <cmath>

#include "polyline/commands.h"
#include "polyline/divide.h"
#include "polyline/spline_conversion.h"
#include "polyline_fixture.h"

namespace {

std::vector<AcGePoint3d> readPolylinePointsOf(AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    return e ? readPolylinePoints(e.object()).points : std::vector<AcGePoint3d>{};
}

std::vector<double> xsOf(const PolylinePoints& p) {
    std::vector<double> out;
    for (const AcGePoint3d& q : p.points) out.push_back(q.x);
    return out;
}

// The points a division made: the vertices, or of a spline-fit 3D polyline its control vertices.
std::vector<AcGePoint3d> madePoints(AcDbObjectId id) {
    AcDbObjectPointer<AcDb3dPolyline> p3(id, AcDb::kForRead);
    if (!p3) return readPolylinePointsOf(id);
    std::vector<AcGePoint3d> out;
    for (const AcDbVertex* v : p3->vertices())
        if (auto* cv = AcDb3dPolylineVertex::cast(v); cv && cv->vertexType() == AcDb::k3dControlVertex)
            out.push_back(cv->position());
    return out;
}

// Largest distance from samples of `a` to the curve `b`.
double deviation(const AcDbCurve* a, const AcDbCurve* b, int samples = 200) {
    double worst = 0, endParam = 0, startParam = 0;
    a->getStartParam(startParam);
    a->getEndParam(endParam);
    for (int i = 0; i <= samples; ++i) {
        AcGePoint3d p, q;
        a->getPointAtParam(startParam + (endParam - startParam) * i / samples, p);
        b->getClosestPointTo(p, q);
        worst = std::max(worst, p.distanceTo(q));
    }
    return worst;
}

}  // namespace

TEST_F(PolylineTest, PldjdfSpacesByDistanceAndTheLastIntervalTakesTheRest) {
    AcDbObjectId line = add(new AcDbLine({0, 0, 0}, {14, 0, 0}));
    std::wstring out = run(&pldjdfCommand, L"ALL\n\n3\n");
    EXPECT_NE(out.find(L"\nProcessed <1 > curve(s) OK."), std::wstring::npos) << out;
    EXPECT_FALSE(line.isErased());
    EXPECT_EQ(xsOf(pointsOf(only(L"LWPOLYLINE"))), (std::vector<double>{0, 3, 6, 9, 14}));
}

TEST_F(PolylineTest, PldjdfSkipsCurvesShorterThanFourSpacings) {
    add(new AcDbLine({0, 0, 0}, {11, 0, 0}));
    std::wstring out = run(&pldjdfCommand, L"ALL\n\n3\n");
    EXPECT_NE(out.find(L"The line length is less than 4 times of the bisection distance, this curve will not be processed."),
              std::wstring::npos) << out;
    EXPECT_NE(out.find(L"\nProcessed <0 > curve(s) OK."), std::wstring::npos) << out;
    EXPECT_EQ(modelSpace().size(), 1u);
}

TEST_F(PolylineTest, PldjdfEndsSilentlyWithoutASpacing) {
    add(new AcDbLine({0, 0, 0}, {20, 0, 0}));
    std::wstring out = run(&pldjdfCommand, L"ALL\n\n\n");
    EXPECT_EQ(out.find(L"Processed"), std::wstring::npos) << out;
}

TEST_F(PolylineTest, PldfDividesIntoEqualStepsEndingExactlyAtTheEnd) {
    add(new AcDbLine({0, 0, 0}, {150, 0, 0}));
    run(&pldfCommand, L"ALL\n\n16\n");
    PolylinePoints r = pointsOf(only(L"LWPOLYLINE"));
    ASSERT_EQ(r.points.size(), 16u);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(r.points[k].x, 10.0 * k, 1e-9);
    EXPECT_EQ(r.points.back().x, 150.0);
}

TEST_F(PolylineTest, PldfAsksAgainOutsideFourToHundredAndDefaultsTo16) {
    add(new AcDbLine({0, 0, 0}, {150, 0, 0}));
    std::wstring out = run(&pldfCommand, L"ALL\n\n3\n101\n5\n");
    EXPECT_EQ(pointsOf(only(L"LWPOLYLINE")).points.size(), 5u);
    size_t prompts = 0;
    for (size_t at = out.find(L"divide points"); at != std::wstring::npos; at = out.find(L"divide points", at + 1))
        ++prompts;
    EXPECT_EQ(prompts, 3u) << out;

    db = std::make_unique<AcDbDatabase>(true);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    add(new AcDbLine({0, 0, 0}, {150, 0, 0}));
    run(&pldfCommand, L"ALL\n\n\n");
    EXPECT_EQ(pointsOf(only(L"LWPOLYLINE")).points.size(), 16u);
}

TEST_F(PolylineTest, DivisionFollowsEveryCurveKindItsFilterAdmits) {
    // Every kind: the points lie on the curve, spaced by equal arc length, first and last at the ends.
    std::vector<AcDbObjectId> curves = {
        add(new AcDbLine({0, 0, 0}, {30, 10, 0})),
        add(new AcDbCircle({50, 0, 0}, AcGeVector3d::kZAxis, 10)),
        add(new AcDbArc({100, 0, 0}, 10, 0.3, 2.5)),
        add(new AcDbEllipse({150, 0, 0}, AcGeVector3d::kZAxis, {20, 0, 0}, 0.5)),
        addLw({{200, 0}, {220, 0}, {220, 20}}),
        add3d({{250, 0, 0}, {260, 0, 10}, {260, 10, 20}}),
    };
    AcGePoint3dArray fit;
    for (int i = 0; i < 5; ++i) fit.append(AcGePoint3d(300 + 10 * i, (i % 2) * 8.0, 0));
    curves.push_back(add(new AcDbSpline(fit)));
    for (AcDbObjectId id : curves) {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        ASSERT_EQ(divideCurveByCount(c.object(), 10), DivideResult::kAdded) << c->dxfTypeName();
    }
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), 2 * curves.size());
    for (size_t i = 0; i < curves.size(); ++i) {
        AcDbObjectPointer<AcDbCurve> c(curves[i], AcDb::kForRead);
        PolylinePoints r = pointsOf(all[curves.size() + i]);
        r.points = madePoints(all[curves.size() + i]);
        ASSERT_EQ(r.points.size(), 10u) << c->dxfTypeName();
        double length = 0, endParam = 0, prev = 0;
        c->getEndParam(endParam);
        c->getDistAtParam(endParam, length);
        for (size_t k = 0; k < r.points.size(); ++k) {
            AcGePoint3d on;
            c->getClosestPointTo(r.points[k], on);
            EXPECT_LT(on.distanceTo(r.points[k]), 1e-6) << c->dxfTypeName() << " point " << k;
            double d = 0;
            if (k == r.points.size() - 1) d = length;
            else c->getDistAtPoint(r.points[k], d);
            if (k > 0) {
                EXPECT_NEAR(d - prev, length / 9, 1e-6) << c->dxfTypeName() << " step " << k;
            }
            prev = d;
        }
        EXPECT_EQ(r.closed, c->isClosed()) << c->dxfTypeName();
    }
}

TEST_F(PolylineTest, DivisionOfASpaceCurveIsASplineFit3dPolyline) {
    AcDbObjectId id = add3d({{0, 0, 0}, {10, 0, 10}, {10, 10, 20}});
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
    ASSERT_EQ(divideCurveByCount(c.object(), 6), DivideResult::kAdded);
    c.close();
    AcDbObjectPointer<AcDb3dPolyline> made(modelSpace().back(), AcDb::kForRead);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->polyType(), AcDb::k3dCubicSplinePoly);
}

TEST_F(PolylineTest, S2pConvertsSplinesOnlyAndDefaultsThePrecision) {
    AcGePoint3dArray fit;
    for (int i = 0; i < 6; ++i) fit.append(AcGePoint3d(10 * i, 5 * std::sin(i), 0));
    AcDbObjectId spline = add(new AcDbSpline(fit));
    AcDbObjectId circle = add(new AcDbCircle({0, 50, 0}, AcGeVector3d::kZAxis, 10));
    std::wstring out = run(&s2pCommand, L"ALL\n\n\n");
    EXPECT_NE(out.find(L"\nProcessed <1 > curve(s) OK."), std::wstring::npos) << out;
    EXPECT_TRUE(spline.isErased());
    EXPECT_FALSE(circle.isErased());
    AcDbObjectPointer<AcDbSpline> original(spline, AcDb::kForRead, true);
    AcDbObjectPointer<AcDbCurve> poly(only(L"LWPOLYLINE"), AcDb::kForRead);
    EXPECT_LT(deviation(original.object(), poly.object()), 0.05);
}

TEST_F(PolylineTest, P2sUsesTheHostsSplineFormWhenThereIsOne) {
    AcDbObjectId arc = add(new AcDbArc({0, 0, 0}, 10, 0, M_PI));
    AcDbObjectId lw = addLw({{20, 0}, {30, 0}, {30, 10}});
    std::wstring out = run(&p2sCommand, L"ALL\n\nN\n");
    EXPECT_NE(out.find(L"\nProcessed <2 > curve(s) OK."), std::wstring::npos) << out;
    std::vector<AcDbObjectId> splines = modelSpace();
    ASSERT_EQ(splines.size(), 2u);
    AcDbObjectPointer<AcDbCurve> oldArc(arc, AcDb::kForRead, true), oldLw(lw, AcDb::kForRead, true);
    AcDbObjectPointer<AcDbSpline> s0(splines[0], AcDb::kForRead), s1(splines[1], AcDb::kForRead);
    ASSERT_TRUE(s0 && s1);
    EXPECT_LT(deviation(oldArc.object(), s0.object()), 1e-9) << "exact form, not a fit";
    EXPECT_LT(deviation(oldLw.object(), s1.object()), 1e-9);
}

TEST_F(PolylineTest, FitSplineThroughTheVerticesOrEquallySpacedPoints) {
    std::vector<AcGePoint2d> five = {{0, 0}, {10, 5}, {20, 0}, {30, 5}, {40, 0}};
    AcDbObjectId id = addLw(five);
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
    std::unique_ptr<AcDbSpline> byVertices(fitSplineAlongCurve(c.object(), {false, 36}));
    ASSERT_TRUE(byVertices);
    ASSERT_EQ(byVertices->numFitPoints(), 5);
    for (int i = 0; i < 5; ++i) {
        AcGePoint3d p;
        byVertices->getFitPointAt(i, p);
        EXPECT_TRUE(p.isEqualTo({five[i].x, five[i].y, 0})) << i;
    }
    std::unique_ptr<AcDbSpline> divided(fitSplineAlongCurve(c.object(), {true, 12}));
    ASSERT_TRUE(divided);
    EXPECT_EQ(divided->numFitPoints(), 12) << "the resampled end point is not repeated";
}

TEST_F(PolylineTest, FitSplineOfAClosedCurveEndsWhereItStarts) {
    AcDbObjectId id = addLw({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
    std::unique_ptr<AcDbSpline> s(fitSplineAlongCurve(c.object(), {false, 36}));
    ASSERT_TRUE(s);
    ASSERT_EQ(s->numFitPoints(), 5);
    AcGePoint3d first, last;
    s->getFitPointAt(0, first);
    s->getFitPointAt(4, last);
    EXPECT_TRUE(first.isEqualTo(last));
}

TEST_F(PolylineTest, SplineToPolylineToSplineRoundTripStaysOnTheCurve) {
    AcGePoint3dArray fit;
    for (int i = 0; i < 8; ++i) fit.append(AcGePoint3d(10 * i, 6 * std::cos(i * 0.9), 0));
    AcDbObjectId id = add(new AcDbSpline(fit));
    run(&s2pCommand, L"ALL\n\n40\n");
    run(&p2sCommand, L"ALL\n\nY\n200\n");
    AcDbObjectPointer<AcDbSpline> original(id, AcDb::kForRead, true);
    AcDbObjectPointer<AcDbSpline> back(only(L"SPLINE"), AcDb::kForRead);
    ASSERT_TRUE(back);
    EXPECT_LT(deviation(original.object(), back.object()), 0.05);
    EXPECT_LT(deviation(back.object(), original.object()), 0.05);
}
