// Parameters, points, distances and derivatives of every curve kind: round trips, closed-form lengths and
// finite differences.
#include <gtest/gtest.h>

#include "kinds.h"

using namespace svc;

namespace {

// Parameters strictly inside the range, away from polyline vertices and knots.
std::vector<double> innerParams(const AcDbCurve* c) {
    double a, b;
    c->getStartParam(a);
    c->getEndParam(b);
    std::vector<double> out;
    for (double f : {0.013, 0.137, 0.291, 0.433, 0.577, 0.719, 0.861, 0.987}) out.push_back(a + (b - a) * f);
    return out;
}

double sampledLength(const AcDbCurve* c, int n) {
    double a, b, len = 0;
    c->getStartParam(a);
    c->getEndParam(b);
    AcGePoint3d prev, p;
    c->getPointAtParam(a, prev);
    for (int i = 1; i <= n; ++i) {
        c->getPointAtParam(a + (b - a) * i / n, p);
        len += p.distanceTo(prev);
        prev = p;
    }
    return len;
}

}  // namespace

TEST(Params, RoundTripsOnEveryKind) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        double a, b, len;
        ASSERT_EQ(c->getStartParam(a), Acad::eOk);
        ASSERT_EQ(c->getEndParam(b), Acad::eOk);
        ASSERT_LT(a, b);
        ASSERT_EQ(c->getDistAtParam(b, len), Acad::eOk);
        AcGePoint3d s, e, p;
        c->getStartPoint(s);
        c->getEndPoint(e);
        c->getPointAtParam(a, p);
        EXPECT_TRUE(samePoint(s, p, 1e-12 * len));
        c->getPointAtParam(b, p);
        EXPECT_TRUE(samePoint(e, p, 1e-12 * len));
        for (double t : innerParams(c.get())) {
            ASSERT_EQ(c->getPointAtParam(t, p), Acad::eOk);
            double t2, d, t3, d2;
            ASSERT_EQ(c->getParamAtPoint(p, t2), Acad::eOk);
            EXPECT_NEAR(t2, t, 1e-7 * (b - a));
            ASSERT_EQ(c->getDistAtParam(t, d), Acad::eOk);
            ASSERT_EQ(c->getParamAtDist(d, t3), Acad::eOk);
            EXPECT_NEAR(t3, t, 1e-8 * (b - a));
            AcGePoint3d q;
            ASSERT_EQ(c->getPointAtDist(d, q), Acad::eOk);
            EXPECT_TRUE(samePoint(p, q, 1e-8 * len));
            ASSERT_EQ(c->getDistAtPoint(p, d2), Acad::eOk);
            EXPECT_NEAR(d2, d, 1e-8 * len);
        }
        // the length is the limit of the inscribed chains (the count divides every polyline's segment count)
        double chain = sampledLength(c.get(), 20160);
        EXPECT_GE(len, chain * (1 - 1e-12));
        EXPECT_NEAR(len, chain, 1e-5 * len);
    }
}

TEST(Params, DerivativesMatchFiniteDifferences) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        double a, b;
        c->getStartParam(a);
        c->getEndParam(b);
        double h = 1e-5 * (b - a);
        for (double t : innerParams(c.get())) {
            AcGePoint3d p0, p1;
            AcGeVector3d d1, d2, d1a, d1b, atPoint;
            c->getPointAtParam(t - h, p0);
            c->getPointAtParam(t + h, p1);
            ASSERT_EQ(c->getFirstDeriv(t, d1), Acad::eOk);
            EXPECT_TRUE(((p1 - p0) / (2 * h) - d1).length() <= 1e-6 * (1 + d1.length()));
            c->getFirstDeriv(t - h, d1a);
            c->getFirstDeriv(t + h, d1b);
            ASSERT_EQ(c->getSecondDeriv(t, d2), Acad::eOk);
            EXPECT_TRUE(((d1b - d1a) / (2 * h) - d2).length() <= 1e-5 * (1 + d2.length()));
            AcGePoint3d p;
            c->getPointAtParam(t, p);
            ASSERT_EQ(c->getFirstDeriv(p, atPoint), Acad::eOk);
            EXPECT_TRUE((atPoint - d1).length() <= 1e-6 * d1.length());
        }
    }
}

TEST(Params, BadInputIsRefused) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        double a, b, len, out;
        c->getStartParam(a);
        c->getEndParam(b);
        c->getDistAtParam(b, len);
        AcGePoint3d p;
        AcGeVector3d v;
        EXPECT_EQ(c->getPointAtParam(b + 0.01 * (b - a), p), Acad::eInvalidInput);
        EXPECT_EQ(c->getPointAtParam(a - 0.01 * (b - a), p), Acad::eInvalidInput);
        EXPECT_EQ(c->getFirstDeriv(b + 0.5 * (b - a), v), Acad::eInvalidInput);
        EXPECT_EQ(c->getDistAtParam(a - 1, out), Acad::eInvalidInput);
        EXPECT_EQ(c->getPointAtDist(len * 1.01, p), Acad::eInvalidInput);
        EXPECT_EQ(c->getPointAtDist(-0.01 * len, p), Acad::eInvalidInput);
        EXPECT_EQ(c->getParamAtDist(len * 1.5, out), Acad::eInvalidInput);
        // a point beside the curve, seen from the middle
        double mid = 0.5 * (a + b);
        AcGePoint3d m;
        c->getPointAtParam(mid, m);
        c->getFirstDeriv(mid, v);
        AcGeVector3d off = v.perpVector().normal() * (1e-4 * len);
        EXPECT_EQ(c->getParamAtPoint(m + off, out), Acad::eInvalidInput);
        EXPECT_EQ(c->getDistAtPoint(m + off, out), Acad::eInvalidInput);
        // ends: the exact length is reachable
        EXPECT_EQ(c->getPointAtDist(len, p), Acad::eOk);
        AcGePoint3d e;
        c->getEndPoint(e);
        EXPECT_TRUE(samePoint(p, e, 1e-9 * len));
    }
    AcDbPolyline empty;
    double t;
    EXPECT_EQ(empty.getStartParam(t), Acad::eDegenerateGeometry);
    AcDbSpline none;
    AcGePoint3d p;
    EXPECT_EQ(none.getPointAtDist(0, p), Acad::eDegenerateGeometry);
}

TEST(Params, HostParameterConventions) {
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0));
    double a, b;
    line.getEndParam(b);
    EXPECT_DOUBLE_EQ(b, 5.0);  // distance
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 5.5, 1.2);
    arc.getStartParam(a);
    arc.getEndParam(b);
    EXPECT_DOUBLE_EQ(a, 5.5);
    EXPECT_NEAR(b, 1.2 + 2 * M_PI, 1e-12);  // the end follows the start
    double d;
    arc.getDistAtParam(b, d);
    EXPECT_NEAR(d, 2.0 * (1.2 + 2 * M_PI - 5.5), 1e-12);  // exact arc length
    AcGePoint3d p;
    arc.getPointAtParam(2 * M_PI, p);
    EXPECT_NEAR(p.x, 2, 1e-12);  // the angle itself
    AcDbCircle circle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 3);
    circle.getEndParam(b);
    EXPECT_NEAR(b, 2 * M_PI, 1e-15);
    circle.getDistAtParam(b, d);
    EXPECT_NEAR(d, 6 * M_PI, 1e-12);
    // polyline: vertex index plus the fraction of the arc's angle
    std::unique_ptr<AcDbPolyline> pl(lwpoly({{0, 0, 1.0}, {2, 0, 0}, {2, 2, 0}}, false));
    pl->getPointAtParam(0.5, p);  // half way round a clockwise... half circle below the chord (bulge 1: ccw)
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, -1, 1e-12);
    pl->getDistAtParam(1.5, d);
    EXPECT_NEAR(d, M_PI + 1, 1e-12);
    pl->getParamAtPoint(AcGePoint3d(2, 1.5, 0), a);
    EXPECT_NEAR(a, 1.75, 1e-12);
}

TEST(Params, EllipsePerimeterMatchesTheSeries) {
    // Gauss-Kummer: P = pi (a + b) sum (binom(1/2, n))^2 h^n, h = ((a - b) / (a + b))^2
    for (double ratio : {1.0, 0.7, 0.3, 0.05}) {
        double A = 5, B = 5 * ratio, h = std::pow((A - B) / (A + B), 2), sum = 0, coef = 1, hn = 1;
        for (int n = 0; n < 4000; ++n) {
            sum += coef * coef * hn;
            coef *= (0.5 - n) / (n + 1);
            hn *= h;
        }
        AcDbEllipse e(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, A), ratio);
        double end, len;
        e.getEndParam(end);
        e.getDistAtParam(end, len);
        EXPECT_NEAR(len, M_PI * (A + B) * sum, 1e-9 * len) << ratio;
        double area;
        e.getArea(area);
        EXPECT_NEAR(area, M_PI * A * B, 1e-12 * area);
    }
}

TEST(Params, ClosestPointsBeatDenseSamples) {
    for (auto& [name, c] : everyKind()) {
        SCOPED_TRACE(name);
        double a, b, len;
        c->getStartParam(a);
        c->getEndParam(b);
        c->getDistAtParam(b, len);
        std::vector<AcGePoint3d> samples;
        for (int i = 0; i <= 4000; ++i) {
            AcGePoint3d p;
            c->getPointAtParam(a + (b - a) * i / 4000, p);
            samples.push_back(p);
        }
        srand(7);
        for (int k = 0; k < 20; ++k) {
            AcGePoint3d q = samples[size_t(rand()) % samples.size()] +
                            AcGeVector3d(rand() % 100 - 50, rand() % 100 - 50, rand() % 100 - 50) * (len / 100);
            AcGePoint3d at;
            ASSERT_EQ(c->getClosestPointTo(q, at), Acad::eOk);
            double t;
            EXPECT_EQ(c->getParamAtPoint(at, t), Acad::eOk);  // on the curve
            double best = INFINITY;
            for (const auto& s : samples) best = std::min(best, s.distanceTo(q));
            EXPECT_LE(at.distanceTo(q), best + 1e-9 * len);
            EXPECT_GE(at.distanceTo(q), best - len / 4000);  // samples miss by at most their spacing
        }
    }
}

TEST(Params, ClosestPointsExtendedAndAlongADirection) {
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0));
    AcGePoint3d at;
    line.getClosestPointTo(AcGePoint3d(5, 1, 0), at, false);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(2, 0, 0), 1e-12));
    line.getClosestPointTo(AcGePoint3d(5, 1, 0), at, true);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(5, 0, 0), 1e-12));
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 0, M_PI / 2);
    arc.getClosestPointTo(AcGePoint3d(-3, 0, 0), at, true);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(-1, 0, 0), 1e-12));
    arc.getClosestPointTo(AcGePoint3d(-3, 0, 0), at, false);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(0, 1, 0), 1e-12));
    // seen along a slanted direction, the line in a raised plane looks like it passes through the point
    AcDbLine high(AcGePoint3d(0, -5, 10), AcGePoint3d(0, 5, 10));
    high.getClosestPointTo(AcGePoint3d(5, 3, 5), AcGeVector3d(1, 0, 1), at);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(0, 3, 10), 1e-12));
    // a circle seen from above along Z: the nearest point in the view
    AcDbCircle circle(AcGePoint3d(0, 0, 7), AcGeVector3d::kZAxis, 2);
    circle.getClosestPointTo(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, at);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(M_SQRT2, M_SQRT2, 7), 1e-9));
    std::unique_ptr<AcDbPolyline> pl(lwpoly({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}}, false));
    pl->getClosestPointTo(AcGePoint3d(5, -1, -9), AcGeVector3d(0, 0, 1), at);
    EXPECT_TRUE(samePoint(at, AcGePoint3d(4, 0, 0), 1e-9));
    EXPECT_EQ(pl->getClosestPointTo(AcGePoint3d(), AcGeVector3d(), at), Acad::eInvalidInput);
}
