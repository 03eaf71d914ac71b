// Curve services against closed-form values and round trips. Closest points and the offsets of lines, arcs and
// ellipses are checked through the entities in tests/unit/services.
#include <gtest/gtest.h>

#include "curves/arc_length.h"
#include "curves/closest_point.h"
#include "curves/fit.h"
#include "curves/intersect.h"
#include "curves/nurbs_from.h"
#include "curves/offset.h"
#include "curves/project.h"
#include "curves/spline_fit_polyline.h"
#include "curves/tessellate.h"
#include "cvx/gecurve2d.h"

using namespace cvx::geom;

namespace {
double ellipsePerimeterSeries(double a, double b) {  // Gauss-Kummer series
    double h = (a - b) * (a - b) / ((a + b) * (a + b)), sum = 1, term = 1;
    for (int n = 1; n < 200; ++n) {
        double c = (0.5 - (n - 1)) / n;  // binomial(1/2, n) by recurrence
        term *= c;
        sum += term * term * std::pow(h, n);
    }
    return M_PI * (a + b) * sum;
}
}  // namespace

TEST(Fit, PassesThroughEveryPointWithTheGivenEndTangents) {
    std::vector<AcGePoint3d> pts = {{0, 0, 0}, {2, 1, 0}, {3, 4, 1}, {7, 3, 0}, {8, -1, 2}, {10, 0, 0}};
    FitResult f = fitCubic(pts, {0, 1, 0}, {1, 1, 0});
    ASSERT_TRUE(f.ok());
    ASSERT_TRUE(f.curve.isValid());
    for (size_t i = 0; i < pts.size(); ++i)
        EXPECT_LT(f.curve.pointAt(f.curve.knots[3 + i]).distanceTo(pts[i]), 1e-12) << i;
    EXPECT_TRUE(f.curve.derivAt(f.curve.startParam()).normal().isEqualTo({0, 1, 0}, AcGeTol()));
    EXPECT_TRUE(f.curve.derivAt(f.curve.endParam()).normal().isEqualTo(AcGeVector3d(1, 1, 0).normal(), AcGeTol()));
    EXPECT_NEAR(f.curve.knots[4], std::sqrt(5.0), 1e-15);  // chord length
}

TEST(Fit, ClosedCurveMeetsItselfSmoothlyAndBadInputFails) {
    std::vector<AcGePoint3d> pts = {{0, 0, 0}, {4, 0, 0}, {5, 3, 0}, {1, 4, 0}};
    FitResult f = fitCubic(pts, {}, {}, true);
    ASSERT_TRUE(f.ok());
    EXPECT_TRUE(f.curve.startPoint().isEqualTo(f.curve.endPoint()));
    EXPECT_TRUE(f.curve.derivAt(f.curve.startParam()).isEqualTo(f.curve.derivAt(f.curve.endParam()), AcGeTol()));
    EXPECT_FALSE(fitCubic({{1, 1, 1}}).ok());
    EXPECT_FALSE(fitCubic({{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {2, 0, 0}}).ok());
    EXPECT_FALSE(fitCubic({{0, 0, 0}, {NAN, 0, 0}}).ok());
    FitResult two = fitCubic({{0, 0, 0}, {3, 4, 0}});
    ASSERT_TRUE(two.ok());
    EXPECT_LT(two.curve.pointAt(2.5).distanceTo({1.5, 2, 0}), 1e-12);
}

TEST(ArcLength, EllipsePerimeterMatchesTheSeriesAndCircleNurbsIsExact) {
    for (double ratio : {1.0, 0.5, 0.1, 0.01}) {
        Ellipse e{{1, 2, 3}, {0, 0, 1}, {4, 0, 0}, ratio};
        double ref = ellipsePerimeterSeries(4, 4 * ratio);
        EXPECT_NEAR(length(e), ref, 1e-9 * ref) << ratio;
        EXPECT_NEAR(length(toNurbs(e)), ref, 1e-9 * ref) << ratio;
    }
    Arc a = Arc::fromEntity({0, 0, 0}, 2, {0, 0, 1}, 0.5, 2.0);
    EXPECT_NEAR(length(toNurbs(a)), 3.0, 1e-12);
}

TEST(ArcLength, ParamAtLengthInvertsLengthAtParam) {
    Ellipse e{{0, 0, 0}, {0, 0, 1}, {5, 0, 0}, 0.3, 0.2, 5.5};
    FitResult f = fitCubic({{0, 0, 0}, {1, 2, 0}, {4, 1, 1}, {6, 5, 0}});
    for (double frac : {0.0, 0.1, 0.37, 0.5, 0.93, 1.0}) {
        double t = e.startParam + (e.endParam - e.startParam) * frac, back;
        ASSERT_TRUE(paramAtLength(e, lengthBetween(e, e.startParam, t), back));
        EXPECT_NEAR(back, t, 1e-9);
        const Nurbs& c = f.curve;
        double u = c.startParam() + (c.endParam() - c.startParam()) * frac;
        ASSERT_TRUE(paramAtLength(c, lengthBetween(c, c.startParam(), u), back));
        EXPECT_NEAR(back, u, 1e-9);
    }
    double t;
    EXPECT_FALSE(paramAtLength(e, length(e) * 1.01, t));
    // A changed curve is measured afresh, not from the lengths of the curve measured before it.
    Nurbs moved = f.curve;
    moved.ctrl[2].y += 3;
    const double half = length(moved) / 2;
    // Distances asked in any order (each may be measured on from the one before).
    for (double d : {half, half * 1.001, half * 0.5, half * 1.5}) {
        ASSERT_TRUE(paramAtLength(moved, d, t));
        EXPECT_NEAR(lengthBetween(moved, moved.startParam(), t), d, 1e-9) << d;
    }
}

TEST(Polyline, AreaLengthAndParamsWithBulges) {
    // 4 x 4 square whose right side is a half circle bulging outwards
    BulgePolyline pl{{{{0, 0}, 0}, {{4, 0}, 1}, {{4, 4}, 0}, {{0, 4}, 0}}, true};
    EXPECT_NEAR(signedArea(pl), 16 + M_PI * 2, 1e-12);
    EXPECT_NEAR(signedArea(reversed(pl)), -(16 + M_PI * 2), 1e-12);
    EXPECT_NEAR(length(pl), 12 + 2 * M_PI, 1e-12);
    EXPECT_TRUE(pointAtParam(pl, 1.5).isEqualTo({6, 2}));  // half of the arc's angle
    EXPECT_NEAR(lengthAtParam(pl, 1.5), 4 + M_PI, 1e-12);
    EXPECT_NEAR(paramAtLength(pl, 4 + M_PI), 1.5, 1e-12);
    double param;
    AcGePoint2d q = closestPoint(pl, {9, 2}, &param);
    EXPECT_TRUE(q.isEqualTo({6, 2}));
    EXPECT_NEAR(param, 1.5, 1e-12);
    Segment2 s = Segment2::fromArc({0, 0}, 1, 0, -M_PI / 2);  // bulge <-> arc
    EXPECT_NEAR(s.bulge(), std::tan(-M_PI / 8), 1e-15);
    Segment2 back = Segment2::fromBulge(s.start, s.end, s.bulge());
    EXPECT_TRUE(back.center.isEqualTo({0, 0}));
}

TEST(Offset, InwardOffsetSplitsANeckAndVanishes) {
    // dumbbell: two 10 x 10 squares joined by a neck 2 high
    BulgePolyline pl{{{{0, 0}, 0}, {{10, 0}, 0}, {{10, 4}, 0}, {{14, 4}, 0}, {{14, 0}, 0}, {{24, 0}, 0},
                      {{24, 10}, 0}, {{14, 10}, 0}, {{14, 6}, 0}, {{10, 6}, 0}, {{10, 10}, 0}, {{0, 10}, 0}},
                     true};
    std::vector<BulgePolyline> in = offset(pl, -1.5);
    ASSERT_EQ(in.size(), 2u);
    // each lobe: a 7 x 7 square plus the bump into the neck between the round ends around the neck's corners
    double bump = 2 * (1.5 - 0.5 * std::sqrt(1.25) - 1.125 * std::asin(2.0 / 3));
    for (const auto& r : in) EXPECT_NEAR(signedArea(r), 49 + bump, 1e-9);
    EXPECT_TRUE(offset(pl, -6).empty());
    std::vector<BulgePolyline> out = offset(pl, 1);
    ASSERT_EQ(out.size(), 1u);
    // area + perimeter * d + sectors of the convex corners (turning 4 x 90 + 2 pi) - squares at the 4 concave ones
    EXPECT_NEAR(signedArea(out[0]), 208 + 84 + 2 * M_PI - 4, 1e-9);
}

TEST(Intersect, ClosedFormPairsTangentsAnd3D) {
    Line l{{-5, 2, 0}, {5, 2, 0}};
    Arc c = Arc::circle({0, 0, 0}, 2);
    auto t = intersect(l, c);  // tangent touch
    ASSERT_EQ(t.size(), 1u);
    EXPECT_TRUE(t[0].isEqualTo({0, 2, 0}, AcGeTol()));
    auto two = intersect(Line{{5, 1, 0}, {-5, 1, 0}}, c);  // sorted along the line
    ASSERT_EQ(two.size(), 2u);
    EXPECT_NEAR(two[0].x, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(two[1].x, -std::sqrt(3.0), 1e-12);
    auto cc = intersect(Arc::circle({0, 0, 0}, 2), Arc::circle({3, 0, 0}, 1));  // outer tangent circles
    ASSERT_EQ(cc.size(), 1u);
    EXPECT_TRUE(cc[0].isEqualTo({2, 0, 0}, AcGeTol()));
    // a vertical circle through the horizontal one: two true 3D points; shifted, it touches at one
    auto v = intersect(Arc::circle({0, 0, 0}, 2), Arc::circle({0, 0, 0}, 2, {0, 1, 0}));
    ASSERT_EQ(v.size(), 2u);
    for (const auto& p : v) {
        EXPECT_NEAR(p.z, 0, 1e-12);
        EXPECT_NEAR(p.distanceTo({0, 0, 0}), 2, 1e-12);
    }
    auto one = intersect(Arc::circle({0, 0, 0}, 2), Arc::circle({0.5, 0, 1}, 1.5, {0, 1, 0}));
    EXPECT_TRUE(one.empty());  // the shifted circle misses the plane line at the circle
    auto touch = intersect(Arc::circle({0, 0, 0}, 2), Arc::circle({0.5, 0, 0}, 1.5, {0, 1, 0}));
    ASSERT_EQ(touch.size(), 1u);
    EXPECT_TRUE(touch[0].isEqualTo({2, 0, 0}, AcGeTol()));
    // skew lines miss, a line through the circle's plane hits once
    EXPECT_TRUE(intersect(Line{{0, 0, 0}, {1, 0, 0}}, Line{{0, 1, 1}, {0, 2, 1}}).empty());
    EXPECT_EQ(intersect(Line{{2, 0, -1}, {2, 0, 1}}, c).size(), 1u);
    // a square polyline crossing the circle at its corner vertices counts each point once
    PlacedPolyline sq{{{{{-2, 0}, 0}, {{0, -2}, 0}, {{2, 0}, 0}, {{0, 2}, 0}}, true}};
    EXPECT_EQ(intersect(sq, c).size(), 4u);
}

TEST(Intersect, EllipseAndNurbsBySubdivision) {
    Ellipse e{{0, 0, 0}, {0, 0, 1}, {4, 0, 0}, 0.5};
    auto h = intersect(e, Line{{-6, 1, 0}, {6, 1, 0}});
    ASSERT_EQ(h.size(), 2u);  // x = +-4 sqrt(1 - 1/4)
    for (const auto& p : h) EXPECT_NEAR(std::fabs(p.x), 4 * std::sqrt(0.75), 1e-9);
    EXPECT_EQ(intersect(e, Line{{-6, 2, 0}, {6, 2, 0}}).size(), 1u);  // tangent at the top
    auto ec = intersect(e, Arc::circle({0, 0, 0}, 3));
    EXPECT_EQ(ec.size(), 4u);
    for (const auto& p : ec) EXPECT_NEAR(p.distanceTo({0, 0, 0}), 3, 1e-9);
    FitResult f = fitCubic({{-5, -3, 0}, {-2, 3, 0}, {1, -3, 0}, {4, 3, 0}});
    auto fn = intersect(f.curve, Line{{-6, 0, 0}, {6, 0, 0}});
    EXPECT_EQ(fn.size(), 3u);
    for (size_t i = 1; i < fn.size(); ++i) EXPECT_LT(fn[i - 1].x, fn[i].x);
    for (const auto& p : fn) EXPECT_NEAR(p.y, 0, 1e-9);
}

TEST(Intersect, CurvesRunningTogetherMeetAtTheEndsOfTheSharedStretch) {
    Ellipse e{{10, 5, 0}, {0, 0, 1}, {4, 1, 0}, 0.5};
    Ellipse upper = e;  // the half from 0 to pi: it shares that half with the whole ellipse
    upper.endParam = M_PI;
    FitResult f = fitCubic({{-5, -3, 0}, {-2, 3, 0}, {1, -3, 0}, {4, 3, 0}, {7, 1, 0}});
    Nurbs left, right;
    ASSERT_TRUE(splitAt(f.curve, 0.5 * (f.curve.startParam() + f.curve.endParam()), left, right));
    struct Case {
        const char* what;
        Curve a, b;
        std::vector<AcGePoint3d> ends;
    } cases[] = {
        {"the same whole ellipse", e, e, {e.pointAt(0)}},
        {"half an ellipse on the whole", upper, e, {e.pointAt(0), e.pointAt(M_PI)}},
        {"the whole ellipse under half of it", e, upper, {e.pointAt(0), e.pointAt(M_PI)}},
        {"the same spline", f.curve, f.curve, {f.curve.startPoint(), f.curve.endPoint()}},
        {"the first half of a spline on it", left, f.curve, {left.startPoint(), left.endPoint()}},
    };
    for (const Case& c : cases) {
        std::vector<AcGePoint3d> got = intersect(c.a, c.b);
        ASSERT_EQ(got.size(), c.ends.size()) << c.what;
        for (const AcGePoint3d& end : c.ends)
            EXPECT_TRUE(std::any_of(got.begin(), got.end(), [&](const AcGePoint3d& p) { return p.distanceTo(end) < 1e-6; }))
                << c.what;
    }
    // A crossing beside a shared stretch still counts: the spline's second half against the first, which
    // meet only at the split point, and the line through the overlapping ellipses.
    EXPECT_EQ(intersect(left, right).size(), 1u);
    EXPECT_EQ(intersect(e, Line{{0, 5, 0}, {20, 5, 0}}).size(), 2u);
}

TEST(SplineFitPolyline, CubicAndQuadraticVertices) {
    std::vector<AcGePoint3d> cv = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {0, 8, 0}};
    auto open = splineFitVertices(cv, 3, false, 8);
    ASSERT_EQ(open.size(), 2u * 8 + 1);  // 5 vertices, cubic: 2 spans
    EXPECT_TRUE(open.front().isEqualTo(cv.front()));
    EXPECT_TRUE(open.back().isEqualTo(cv.back()));
    auto closed = splineFitVertices(cv, 3, true, 8);
    ASSERT_EQ(closed.size(), 5u * 8);
    // a uniform periodic cubic passes through (P0 + 4 P1 + P2) / 6 at its knots
    AcGePoint3d k = AcGePoint3d::kOrigin + (cv[0].asVector() + cv[1].asVector() * 4 + cv[2].asVector()) / 6;
    bool found = false;
    for (const auto& p : closed) found |= p.isEqualTo(k);
    EXPECT_TRUE(found);
    auto quad = splineFitVertices(cv, 2, false, 4);
    EXPECT_EQ(quad.size(), 3u * 4 + 1);
    EXPECT_TRUE(quad[4].isEqualTo({4, 2, 0}));  // quadratic: knot point is the midpoint of the leg
}

TEST(Tessellate, DeviationShrinksWithPrecisionAndRespectsTheLimit) {
    Nurbs c = toNurbs(Arc::circle({0, 0, 0}, 10));
    double last = INFINITY;
    for (int prec : {1, 5, 20, 60}) {
        auto pts = toPolyline(c, prec, 10000);
        double worst = 0;
        for (size_t i = 1; i < pts.size(); ++i) {
            AcGePoint3d m = pts[i - 1] + (pts[i] - pts[i - 1]) * 0.5;
            worst = std::max(worst, 10 - m.distanceTo({0, 0, 0}));
        }
        EXPECT_LT(worst, last);
        EXPECT_LE(worst, chordTolerance(c, prec) * 1.0001);
        last = worst;
    }
    EXPECT_LE(toPolyline(c, 99, 50).size(), 51u);
}

TEST(Project, CircleStaysArcOnParallelPlaneAndBecomesEllipseOtherwise) {
    Arc a = Arc::fromEntity({1, 2, 5}, 3, {0, 0, 1}, 0.2, 2.0);
    auto onXY = project(a, AcGePlane::kXYPlane, {1, 1, -1});
    ASSERT_TRUE(onXY && std::holds_alternative<Arc>(*onXY));
    EXPECT_NEAR(std::get<Arc>(*onXY).center.z, 0, 1e-12);
    AcGePlane tilted({0, 0, 0}, {0, 1, 1});
    auto el = project(a, tilted, {0, 0, 1});
    ASSERT_TRUE(el && std::holds_alternative<Ellipse>(*el));
    const Ellipse& e = std::get<Ellipse>(*el);
    for (double t : {0.2, 1.0, 2.0}) {  // end points and an inner point map onto the ellipse
        AcGePoint3d p = a.pointAt(t).project(tilted, {0, 0, 1});
        EXPECT_LT(e.pointAt(e.paramOf(p)).distanceTo(p), 1e-9);
    }
    EXPECT_TRUE(e.pointAt(e.startParam).isEqualTo(a.pointAt(0.2).project(tilted, {0, 0, 1}), AcGeTol()));
    EXPECT_FALSE(project(a, AcGePlane::kYZPlane, {0, 1, 0}));  // direction lies in the plane
}

TEST(GeCurve2d, EdgeClassesEvaluate) {
    AcGeCircArc2d arc({1, 1}, 2, 0, M_PI / 2, AcGeVector2d::kXAxis, true);
    EXPECT_TRUE(arc.endPoint().isEqualTo({1, -1}));
    AcGeEllipArc2d el({0, 0}, {0, 1}, {-1, 0}, 4, 2);
    EXPECT_TRUE(el.evalPoint(M_PI / 2).isEqualTo({-2, 0}));
    EXPECT_TRUE(el.isClosed());
    AcGePoint2dArray fit{{0, 0}, {1, 2}, {3, 1}};
    AcGeNurbCurve2d n(fit, {1, 0}, {0, -1});
    ASSERT_TRUE(n.hasFitData());
    EXPECT_EQ(n.numFitPoints(), 3);
    EXPECT_EQ(n.numControlPoints(), 5);
    double s, e;
    n.getInterval(s, e);
    AcGePoint2d end;
    ASSERT_TRUE(n.hasEndPoint(end));
    EXPECT_TRUE(end.isEqualTo({3, 1}));
    std::unique_ptr<AcGeCurve2d> copy(n.copy());
    EXPECT_EQ(copy->type(), AcGe::kNurbCurve2d);
}
