// CHBJ: hatch loops of every kind back as red entities, from hatches built here. The same loops read from a
// drawing written by another program are checked against that program's geometry in the end-to-end test
// (tests/e2e/test_polyline_tools.py).
#include <cmath>

#include "cvx/gecurve2d.h"
#include "polyline/commands.h"
#include "polyline/hatch_boundary.h"
#include "polyline_fixture.h"

namespace {

struct Ends {
    AcGePoint3d start, mid, end;
};

// Start, middle (by parameter) and end of a curve entity.
Ends endsOf(const AcDbEntity* e) {
    const auto* c = AcDbCurve::cast(e);
    Ends r;
    if (!c) return r;
    double s = 0, t = 0;
    c->getStartParam(s);
    c->getEndParam(t);
    c->getPointAtParam(s, r.start);
    c->getPointAtParam((s + t) / 2, r.mid);
    c->getPointAtParam(t, r.end);
    return r;
}

// The hatch's pieces, with every entity checked to be red and in the XY plane.
std::vector<BoundaryPiece> piecesOf(AcDbHatch& hatch) {
    std::vector<BoundaryPiece> pieces = hatchBoundaryPieces(&hatch);
    for (const BoundaryPiece& p : pieces) {
        if (!p.entity) continue;
        EXPECT_EQ(p.entity->colorIndex(), 1);
        AcDbExtents box;
        p.entity->getGeomExtents(box);
        EXPECT_NEAR(box.minPoint().z, 0, 1e-6);
        EXPECT_NEAR(box.maxPoint().z, 0, 1e-6);
    }
    return pieces;
}

void appendEdges(AcDbHatch& hatch, std::vector<std::unique_ptr<AcGeCurve2d>> edges) {
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;
    for (auto& e : edges) {
        ptrs.append(e.get());
        types.append(e->type() == AcGe::kLineSeg2d    ? AcDbHatch::kLine
                     : e->type() == AcGe::kCircArc2d  ? AcDbHatch::kCirArc
                     : e->type() == AcGe::kEllipArc2d ? AcDbHatch::kEllArc
                                                      : AcDbHatch::kSpline);
    }
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, ptrs, types), Acad::eOk);
}

template <typename T>
const T* as(const BoundaryPiece& p) {
    return T::cast(p.entity.get());
}

}  // namespace

TEST(HatchBoundary, RectanglePolylineLoopGivesAnOpenPolylineOfItsCorners) {
    AcDbHatch hatch;
    AcGePoint2dArray corners;
    for (auto p : {AcGePoint2d(0, 0), AcGePoint2d(10, 0), AcGePoint2d(10, 5), AcGePoint2d(0, 5)}) corners.append(p);
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, corners, AcGeDoubleArray()), Acad::eOk);
    auto pieces = piecesOf(hatch);
    ASSERT_EQ(pieces.size(), 1u);
    const auto* pl = as<AcDbPolyline>(pieces[0]);
    ASSERT_TRUE(pl);
    EXPECT_FALSE(pl->isClosed());
    ASSERT_EQ(pl->numVerts(), 4u);
    AcGePoint2d p;
    pl->getPointAt(2, p);
    EXPECT_TRUE(p.isEqualTo({10, 5}));
}

TEST(HatchBoundary, PolylineLoopKeepsItsBulges) {
    AcDbHatch hatch;
    AcGePoint2dArray v;
    AcGeDoubleArray b;
    for (auto p : {AcGePoint2d(0, 0), AcGePoint2d(10, 0), AcGePoint2d(10, 10)}) v.append(p);
    for (double x : {0.0, 1.0, -0.5}) b.append(x);
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kPolyline, v, b), Acad::eOk);
    auto pieces = piecesOf(hatch);
    const auto* pl = as<AcDbPolyline>(pieces.at(0));
    ASSERT_TRUE(pl);
    double bulge = 0;
    pl->getBulgeAt(1, bulge);
    EXPECT_DOUBLE_EQ(bulge, 1.0);
    pl->getBulgeAt(2, bulge);
    EXPECT_DOUBLE_EQ(bulge, -0.5);
}

TEST(HatchBoundary, FullCircleEdgeGivesACircleAndHalfCircleWithLineGivesArcAndLine) {
    AcDbHatch circleHatch;
    std::vector<std::unique_ptr<AcGeCurve2d>> one;
    one.emplace_back(new AcGeCircArc2d({5, 5}, 3));
    appendEdges(circleHatch, std::move(one));
    auto pieces = piecesOf(circleHatch);
    ASSERT_EQ(pieces.size(), 1u);
    const auto* circle = as<AcDbCircle>(pieces[0]);
    ASSERT_TRUE(circle) << "a full turn is a circle, not an arc";
    EXPECT_TRUE(circle->center().isEqualTo({5, 5, 0}));
    EXPECT_DOUBLE_EQ(circle->radius(), 3);

    AcDbHatch half;
    std::vector<std::unique_ptr<AcGeCurve2d>> two;
    two.emplace_back(new AcGeCircArc2d({0, 0}, 10, 0, M_PI));
    two.emplace_back(new AcGeLineSeg2d({-10, 0}, {10, 0}));
    appendEdges(half, std::move(two));
    pieces = piecesOf(half);
    ASSERT_EQ(pieces.size(), 2u);
    ASSERT_TRUE(as<AcDbArc>(pieces[0]));
    Ends arc = endsOf(pieces[0].entity.get());
    EXPECT_TRUE(arc.mid.isEqualTo({0, 10, 0}, AcGeTol()));
    ASSERT_TRUE(as<AcDbLine>(pieces[1]));
    EXPECT_TRUE(as<AcDbLine>(pieces[1])->startPoint().isEqualTo({-10, 0, 0}));
}

TEST(HatchBoundary, ClockwiseArcsTraceTheSameGroundAsTheirEdge) {
    // A clockwise half circle from (10,0) down through (0,-10) to (-10,0).
    AcDbHatch hatch;
    std::vector<std::unique_ptr<AcGeCurve2d>> edges;
    auto* cw = new AcGeCircArc2d({0, 0}, 10, 0, M_PI, AcGeVector2d::kXAxis, true);
    const AcGePoint2d edgeMid = cw->evalPoint(M_PI / 2);
    edges.emplace_back(cw);
    edges.emplace_back(new AcGeLineSeg2d({-10, 0}, {10, 0}));
    appendEdges(hatch, std::move(edges));
    auto pieces = piecesOf(hatch);
    ASSERT_TRUE(as<AcDbArc>(pieces.at(0)));
    Ends arc = endsOf(pieces[0].entity.get());
    EXPECT_NEAR(edgeMid.y, -10, 1e-9) << "the edge itself runs below";
    EXPECT_TRUE(arc.mid.isEqualTo({0, -10, 0}, AcGeTol())) << arc.mid.x << "," << arc.mid.y;
}

TEST(HatchBoundary, EllipticalArcsInBothDirections) {
    AcDbHatch hatch;
    std::vector<std::unique_ptr<AcGeCurve2d>> edges;
    // Counter-clockwise upper half of an ellipse 20 x 10 about (0,0); clockwise lower half of one 10 x 5 about (-10,0).
    edges.emplace_back(new AcGeEllipArc2d({0, 0}, {1, 0}, {0, 1}, 20, 10, 0, M_PI));
    edges.emplace_back(new AcGeEllipArc2d({-10, 0}, {1, 0}, {0, -1}, 10, 5, M_PI, 2 * M_PI));
    auto* cwEdge = static_cast<AcGeEllipArc2d*>(edges[1].get());
    const AcGePoint2d cwStart = cwEdge->evalPoint(M_PI), cwMid = cwEdge->evalPoint(1.5 * M_PI),
                      cwEnd = cwEdge->evalPoint(2 * M_PI);
    appendEdges(hatch, std::move(edges));
    auto pieces = piecesOf(hatch);
    ASSERT_EQ(pieces.size(), 2u);
    ASSERT_TRUE(as<AcDbEllipse>(pieces[0]));
    ASSERT_TRUE(as<AcDbEllipse>(pieces[1]));
    Ends upper = endsOf(pieces[0].entity.get());
    EXPECT_TRUE(upper.start.isEqualTo({20, 0, 0}, AcGeTol()));
    EXPECT_TRUE(upper.mid.isEqualTo({0, 10, 0}, AcGeTol()));
    EXPECT_TRUE(upper.end.isEqualTo({-20, 0, 0}, AcGeTol()));
    // The recovered ellipse runs counter-clockwise over the same ground: its ends are the edge's, swapped.
    Ends lower = endsOf(pieces[1].entity.get());
    EXPECT_TRUE(lower.mid.isEqualTo({cwMid.x, cwMid.y, 0}, AcGeTol())) << lower.mid.x << "," << lower.mid.y;
    EXPECT_TRUE(lower.start.isEqualTo({cwEnd.x, cwEnd.y, 0}, AcGeTol()));
    EXPECT_TRUE(lower.end.isEqualTo({cwStart.x, cwStart.y, 0}, AcGeTol()));
}

TEST(HatchBoundary, SplineEdgesFromNurbsDataAndFromFitData) {
    AcDbHatch hatch;
    std::vector<std::unique_ptr<AcGeCurve2d>> edges;
    AcGePoint2dArray ctrl;
    for (auto p : {AcGePoint2d(0, 0), AcGePoint2d(10, 20), AcGePoint2d(30, 20), AcGePoint2d(40, 0)}) ctrl.append(p);
    AcGeDoubleArray weights;
    for (double w : {1.0, 2.0, 2.0, 1.0}) weights.append(w);
    AcGeDoubleArray k;
    for (double x : {0, 0, 0, 0, 1, 1, 1, 1}) k.append(x);
    auto* rational = new AcGeNurbCurve2d(3, AcGeKnotVector(k), ctrl, weights);
    const AcGePoint2d rationalMid = rational->evalPoint(0.5);
    edges.emplace_back(rational);
    AcGePoint2dArray fit;
    for (auto p : {AcGePoint2d(40, 0), AcGePoint2d(30, -10), AcGePoint2d(10, -5), AcGePoint2d(0, 0)}) fit.append(p);
    edges.emplace_back(new AcGeNurbCurve2d(fit, AcGeVector2d(-1, -1), AcGeVector2d(-1, 1)));
    appendEdges(hatch, std::move(edges));
    auto pieces = piecesOf(hatch);
    ASSERT_EQ(pieces.size(), 2u);
    const auto* nurbs = as<AcDbSpline>(pieces[0]);
    ASSERT_TRUE(nurbs);
    EXPECT_TRUE(nurbs->isRational());
    EXPECT_FALSE(nurbs->hasFitData());
    EXPECT_TRUE(endsOf(nurbs).mid.isEqualTo({rationalMid.x, rationalMid.y, 0}, AcGeTol()));
    const auto* fitted = as<AcDbSpline>(pieces[1]);
    ASSERT_TRUE(fitted);
    ASSERT_EQ(fitted->numFitPoints(), 4);
    for (int i = 0; i < 4; ++i) {
        AcGePoint3d p, on;
        fitted->getFitPointAt(i, p);
        EXPECT_TRUE(p.isEqualTo({fit[i].x, fit[i].y, 0}));
        fitted->getClosestPointTo(p, on);
        EXPECT_LT(on.distanceTo(p), 1e-9) << "the spline runs through its fit points";
    }
}

TEST_F(PolylineTest, ChbjOnTwoHatchesKeepsThemAndAddsBothBoundaries) {
    for (double x : {0.0, 50.0}) {
        auto* hatch = new AcDbHatch;
        AcGePoint2dArray v;
        for (auto p : {AcGePoint2d(x, 0), AcGePoint2d(x + 10, 0), AcGePoint2d(x + 10, 10), AcGePoint2d(x, 10)}) v.append(p);
        hatch->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, v, AcGeDoubleArray());
        add(hatch);
    }
    run(&chbjCommand, L"ALL\n\n");
    int hatches = 0, polylines = 0;
    for (AcDbObjectId id : modelSpace()) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        hatches += AcDbHatch::cast(e.object()) != nullptr;
        if (AcDbPolyline::cast(e.object())) {
            ++polylines;
            EXPECT_EQ(e->colorIndex(), 1);
        }
    }
    EXPECT_EQ(hatches, 2);
    EXPECT_EQ(polylines, 2);
}
