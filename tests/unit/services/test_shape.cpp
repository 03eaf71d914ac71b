// Services that keep or reshape the geometry: reversal, splitting, spline forms, areas, planes and extents.
#include <gtest/gtest.h>

#include "kinds.h"

using namespace svc;

namespace {

std::vector<AcGePoint3d> samples(const AcDbCurve* c, int n) {
    double len;
    double b;
    c->getEndParam(b);
    c->getDistAtParam(b, len);
    std::vector<AcGePoint3d> out;
    for (int i = 0; i <= n; ++i) {
        AcGePoint3d p;
        c->getPointAtDist(len * i / n, p);
        out.push_back(p);
    }
    return out;
}

double lengthOf(const AcDbCurve* c) {
    double b, len;
    c->getEndParam(b);
    c->getDistAtParam(b, len);
    return len;
}

// Every sample of a lies on b.
void liesOn(const AcDbCurve* a, const AcDbCurve* b, double tol) {
    for (const AcGePoint3d& p : samples(a, 50)) {
        AcGePoint3d at;
        b->getClosestPointTo(p, at);
        EXPECT_LE(at.distanceTo(p), tol);
    }
}

}  // namespace

TEST(Reverse, EveryKindRunsBackOverTheSameShape) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        std::unique_ptr<AcDbCurve> r(AcDbCurve::cast(c->clone()));
        ASSERT_EQ(r->reverseCurve(), Acad::eOk);
        double len = lengthOf(c.get());
        EXPECT_NEAR(lengthOf(r.get()), len, 1e-9 * len);
        std::vector<AcGePoint3d> fwd = samples(c.get(), 40), back = samples(r.get(), 40);
        if (c->isClosed()) {  // a closed curve may start elsewhere: compare as point sets
            liesOn(r.get(), c.get(), 1e-8 * len);
            liesOn(c.get(), r.get(), 1e-8 * len);
            continue;
        }
        for (size_t i = 0; i < fwd.size(); ++i) EXPECT_TRUE(samePoint(fwd[i], back[back.size() - 1 - i], 1e-8 * len)) << i;
    }
}

TEST(Reverse, ClosedCurvesTurnTheirSenseOfRotation) {
    for (auto& [name, c] : everyKind()) {
        if (!c->isClosed() || !c->isPlanar()) continue;
        SCOPED_TRACE(name);
        std::unique_ptr<AcDbCurve> r(AcDbCurve::cast(c->clone()));
        r->reverseCurve();
        AcGePoint3d p;
        AcGeVector3d d1, d2;
        c->getPointAtDist(0.3 * lengthOf(c.get()), p);
        c->getFirstDeriv(p, d1);
        r->getFirstDeriv(p, d2);
        EXPECT_NEAR(d1.normal().dotProduct(d2.normal()), -1, 1e-9);
    }
    // bulges negate and move to the other end of their segment; widths swap
    std::unique_ptr<AcDbPolyline> pl(lwpoly({{0, 0, 0.5}, {4, 0, 0}, {4, 3, -0.25}, {0, 3, 0}}, false));
    pl->setWidthsAt(0, 1, 2);
    pl->reverseCurve();
    double b;
    pl->getBulgeAt(0, b);
    EXPECT_DOUBLE_EQ(b, 0.25);
    pl->getBulgeAt(2, b);
    EXPECT_DOUBLE_EQ(b, -0.5);
    double s, e;
    pl->getWidthsAt(2, s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 1);
    // a fit spline keeps fit points (reversed) and passes through them
    AcDbSpline fit(pts3({{0, 0, 0}, {1, 2, 0}, {3, 1, 0}, {4, 3, 0}}));
    fit.reverseCurve();
    AcGePoint3d f0;
    ASSERT_EQ(fit.numFitPoints(), 4);
    fit.getFitPointAt(0, f0);
    EXPECT_TRUE(samePoint(f0, AcGePoint3d(4, 3, 0), 0));
}

TEST(Split, PiecesCoverTheCurveAndMeetAtTheCuts) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        double a, b;
        c->getStartParam(a);
        c->getEndParam(b);
        AcGeDoubleArray at;
        at.append(a + 0.62 * (b - a));
        at.append(a + 0.25 * (b - a));
        AcDbVoidPtrArray pieces;
        ASSERT_EQ(c->getSplitCurves(at, pieces), Acad::eOk);
        ASSERT_EQ(pieces.length(), c->isClosed() ? 2 : 3);
        double total = 0;
        AcGePoint3d cut;
        c->getPointAtParam(at[1], cut);
        for (int i = 0; i < pieces.length(); ++i) {
            std::unique_ptr<AcDbCurve> piece(static_cast<AcDbCurve*>(pieces[i]));
            const AcRxClass* kind = name == "circle" ? AcDbArc::desc() : name == "helix" ? AcDbSpline::desc() : c->isA();
            EXPECT_EQ(piece->isA(), kind);
            total += lengthOf(piece.get());
            liesOn(piece.get(), c.get(), 1e-8 * lengthOf(c.get()));
            AcGePoint3d s;
            piece->getStartPoint(s);
            if (i == (c->isClosed() ? 0 : 1)) { EXPECT_TRUE(samePoint(s, cut, 1e-9 * lengthOf(c.get()))); }
        }
        EXPECT_NEAR(total, lengthOf(c.get()), 1e-8 * total);
    }
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcGeDoubleArray bad;
    bad.append(2.0);
    AcDbVoidPtrArray none;
    EXPECT_EQ(line.getSplitCurves(bad, none), Acad::eInvalidInput);
}

TEST(SplineForm, ExactForEveryKind) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        c->setColorIndex(3);
        AcDbSpline* s = nullptr;
        ASSERT_EQ(c->getSpline(s), Acad::eOk);
        std::unique_ptr<AcDbSpline> own(s);
        double len = lengthOf(c.get());
        EXPECT_NEAR(lengthOf(s), len, 1e-9 * len);
        liesOn(s, c.get(), 1e-9 * len);
        liesOn(c.get(), s, 1e-9 * len);
        EXPECT_EQ(s->colorIndex(), 3);
    }
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.1, 3.0);
    AcDbSpline* s;
    arc.getSpline(s);
    EXPECT_TRUE(s->isRational());
    EXPECT_EQ(s->degree(), 2);
    delete s;
}

TEST(Area, ClosedFormsAndSamples) {
    auto area = [](const AcDbCurve& c) {
        double a = -1;
        EXPECT_EQ(c.getArea(a), Acad::eOk);
        return a;
    };
    EXPECT_NEAR(area(AcDbCircle(AcGePoint3d(), AcGeVector3d(1, 2, 3), 2)), 4 * M_PI, 1e-12);
    EXPECT_NEAR(area(AcDbArc(AcGePoint3d(), 2, 0, M_PI / 2)), 2 * (M_PI / 2 - 1), 1e-12);  // closed by the chord
    // half an ellipse closed by its axis
    AcDbEllipse half(AcGePoint3d(), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0, M_PI);
    EXPECT_NEAR(area(half), M_PI * 4 * 2 / 2, 1e-12);
    // a 4 x 2 rectangle with half-discs on both short sides, then with one of them bitten out instead
    std::unique_ptr<AcDbPolyline> pl(lwpoly({{0, 0, 0}, {4, 0, 1}, {4, 2, 0}, {0, 2, 1}}, true));
    EXPECT_NEAR(area(*pl), 8 + M_PI, 1e-12);
    pl->setBulgeAt(3, -1);
    EXPECT_NEAR(area(*pl), 8, 1e-12);
    // the rational quarter circle closed by its chord; a tilted 3D square
    auto kinds = everyKind();
    for (auto& [name, c] : kinds)
        if (name == "spline-rational") { EXPECT_NEAR(area(*c), 4 * (M_PI / 4) - 2, 1e-12); }
    AcDb3dPolyline sq(AcDb::k3dSimplePoly, pts3({{0, 0, 0}, {3, 0, 0}, {3, 2, 2}, {0, 2, 2}}), true);
    EXPECT_NEAR(area(sq), 3 * std::sqrt(8.0), 1e-12);
    // the periodic spline against a fine polygon of its points
    for (auto& [name, c] : kinds) {
        if (name != "spline-periodic" && name != "2dpoly-spline") continue;
        double a, b;
        c->getStartParam(a);
        c->getEndParam(b);
        std::vector<AcGePoint3d> p(20001);
        for (int i = 0; i <= 20000; ++i) c->getPointAtParam(a + (b - a) * i / 20000, p[i]);
        double shoelace = 0;
        for (size_t i = 0; i + 1 < p.size(); ++i) shoelace += p[i].x * p[i + 1].y - p[i + 1].x * p[i].y;
        EXPECT_NEAR(area(*c), std::fabs(shoelace) / 2, 1e-6 * area(*c)) << name;
    }
}

TEST(Plane, PlanarityOfEachKind) {
    AcGePlane plane;
    int planarity = -1;
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        Acad::ErrorStatus es = c->getPlane(plane, planarity);
        bool flat = name != "3dpoly" && name != "3dpoly-spline" && name != "helix";
        EXPECT_EQ(es == Acad::eOk, flat);
        if (!flat) continue;
        EXPECT_EQ(planarity, name == "line" ? AcDb::kLinear : AcDb::kPlanar);
        for (const AcGePoint3d& p : samples(c.get(), 20)) EXPECT_NEAR(plane.distanceTo(p), 0, 1e-9);
    }
}

TEST(Extents, TightForPartialArcsEllipsesAndBulges) {
    AcDbExtents e;
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.1, 1.4);  // inside the first quadrant
    ASSERT_EQ(arc.getGeomExtents(e), Acad::eOk);
    EXPECT_NEAR(e.minPoint().x, 2 * std::cos(1.4), 1e-12);
    EXPECT_NEAR(e.maxPoint().y, 2 * std::sin(1.4), 1e-12);
    AcDbExtents ee;
    AcDbEllipse half(AcGePoint3d(), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0, M_PI);
    half.getGeomExtents(ee);
    EXPECT_NEAR(ee.minPoint().y, 0, 1e-12);
    EXPECT_NEAR(ee.maxPoint().y, 2, 1e-12);
    std::unique_ptr<AcDbPolyline> pl(lwpoly({{0, 0, 1}, {2, 0, 0}}, false));  // a half circle below the x axis
    AcDbExtents pe;
    pl->getGeomExtents(pe);
    EXPECT_NEAR(pe.maxPoint().y, 0, 1e-12);
    EXPECT_NEAR(pe.minPoint().y, -1, 1e-12);
}
