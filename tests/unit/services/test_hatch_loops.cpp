// Hatch loops read back as the caller gave them: polyline loops as vertices and bulges or as line and arc
// edges, edge loops as their curves; the edges chain end to start and lie where the loop's geometry says.
#include <gtest/gtest.h>

#include <memory>

#include "cvx/gecurve2d.h"
#include "kinds.h"

namespace {

using Curves = std::vector<std::unique_ptr<AcGeCurve2d>>;

Curves edgesOf(const AcDbHatch& h, int index, std::vector<int>& types) {
    int loopType = 0;
    AcGeVoidPointerArray ptrs;
    AcGeIntArray edgeTypes;
    EXPECT_EQ(h.getLoopAt(index, loopType, ptrs, edgeTypes), Acad::eOk);
    Curves out;
    for (void* p : ptrs) out.emplace_back(static_cast<AcGeCurve2d*>(p));
    types.assign(edgeTypes.begin(), edgeTypes.end());
    return out;
}

AcGePoint2d startOf(const AcGeCurve2d& c) {
    double s, e;
    c.getInterval(s, e);
    return c.evalPoint(s);
}
AcGePoint2d endOf(const AcGeCurve2d& c) {
    double s, e;
    c.getInterval(s, e);
    return c.evalPoint(e);
}
AcGePoint2d middleOf(const AcGeCurve2d& c) {
    double s, e;
    c.getInterval(s, e);
    return c.evalPoint((s + e) / 2);
}

// Each edge starts where the one before ends, and the last ends where the first starts.
void expectChained(const Curves& edges) {
    ASSERT_FALSE(edges.empty());
    for (size_t i = 0; i < edges.size(); ++i) {
        const AcGeCurve2d& next = *edges[(i + 1) % edges.size()];
        EXPECT_LT(endOf(*edges[i]).distanceTo(startOf(next)), 1e-9) << "edge " << i;
    }
}

// The middle of a bulge arc from a to b: off the chord's middle by the sagitta, to the right for a positive bulge.
AcGePoint2d bulgeMiddle(const AcGePoint2d& a, const AcGePoint2d& b, double bulge) {
    AcGeVector2d chord = b - a;
    AcGeVector2d right(chord.y, -chord.x);
    return a + chord * 0.5 + right * (bulge / 2);
}

}  // namespace

TEST(HatchLoops, PolylineLoopWithBulgesInBothForms) {
    std::vector<AcGePoint2d> pts{{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    std::vector<double> bulge{0, 0.5, 0, -0.4};
    AcGePoint2dArray verts;
    AcGeDoubleArray bulges;
    for (size_t i = 0; i < pts.size(); ++i) verts.append(pts[i]), bulges.append(bulge[i]);
    AcDbHatch h;
    ASSERT_EQ(h.appendLoop(AcDbHatch::kExternal, verts, bulges), Acad::eOk);

    int type = 0;
    AcGePoint2dArray v;
    AcGeDoubleArray b;
    ASSERT_EQ(h.getLoopAt(0, type, v, b), Acad::eOk);
    EXPECT_TRUE(type & AcDbHatch::kPolyline);
    EXPECT_TRUE(type & AcDbHatch::kExternal);
    ASSERT_EQ(v.length(), 4);
    ASSERT_EQ(b.length(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(v[i].isEqualTo(pts[size_t(i)]));
        EXPECT_DOUBLE_EQ(b[i], bulge[size_t(i)]);
    }

    std::vector<int> types;
    Curves edges = edgesOf(h, 0, types);
    EXPECT_EQ(types, (std::vector<int>{AcDbHatch::kLine, AcDbHatch::kCirArc, AcDbHatch::kLine, AcDbHatch::kCirArc}));
    ASSERT_EQ(edges.size(), 4u);
    expectChained(edges);
    for (size_t i = 0; i < 4; ++i) {
        const AcGePoint2d &a = pts[i], &z = pts[(i + 1) % 4];
        EXPECT_LT(startOf(*edges[i]).distanceTo(a), 1e-9) << i;
        EXPECT_LT(middleOf(*edges[i]).distanceTo(bulgeMiddle(a, z, bulge[i])), 1e-9) << i;
    }
    EXPECT_TRUE(static_cast<AcGeCircArc2d&>(*edges[3]).isClockWise());
    EXPECT_FALSE(static_cast<AcGeCircArc2d&>(*edges[1]).isClockWise());
}

TEST(HatchLoops, EdgeLoopOfEveryEdgeKind) {
    // line, counter-clockwise arc, line, clockwise arc (a notch), half an ellipse, and a fit spline back home
    AcGePoint2dArray fit;
    for (AcGePoint2d p : {AcGePoint2d(2, 7), AcGePoint2d(1, 5), AcGePoint2d(0.5, 3), AcGePoint2d(0, 0)}) fit.append(p);
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;
    auto add = [&](AcGeCurve2d* c, int t) { ptrs.append(c), types.append(t); };
    add(new AcGeLineSeg2d({0, 0}, {6, 0}), AcDbHatch::kLine);
    add(new AcGeCircArc2d({6, 2}, 2, -M_PI / 2, 0), AcDbHatch::kCirArc);
    add(new AcGeLineSeg2d({8, 2}, {8, 5}), AcDbHatch::kLine);
    add(new AcGeCircArc2d({8, 7}, 2, M_PI / 2, M_PI, AcGeVector2d::kXAxis, true), AcDbHatch::kCirArc);
    add(new AcGeEllipArc2d({4, 7}, {1, 0}, {0, 1}, 2, 1, 0, M_PI), AcDbHatch::kEllArc);
    add(new AcGeNurbCurve2d(fit, AcGeVector2d(), AcGeVector2d()), AcDbHatch::kSpline);
    AcDbHatch h;
    ASSERT_EQ(h.appendLoop(AcDbHatch::kExternal, ptrs, types), Acad::eOk);
    for (void* p : ptrs) delete static_cast<AcGeCurve2d*>(p);

    std::vector<int> got;
    Curves edges = edgesOf(h, 0, got);
    EXPECT_EQ(got, std::vector<int>(types.begin(), types.end()));
    ASSERT_EQ(edges.size(), 6u);
    expectChained(edges);
    std::vector<AcGePoint2d> starts{{0, 0}, {6, 0}, {8, 2}, {8, 5}, {6, 7}, {2, 7}};
    std::vector<AcGePoint2d> middles{{3, 0}, {6 + M_SQRT2, 2 - M_SQRT2}, {8, 3.5}, {8 - M_SQRT2, 7 - M_SQRT2}, {4, 8}};
    for (size_t i = 0; i < starts.size(); ++i) EXPECT_LT(startOf(*edges[i]).distanceTo(starts[i]), 1e-9) << i;
    for (size_t i = 0; i < middles.size(); ++i) EXPECT_LT(middleOf(*edges[i]).distanceTo(middles[i]), 1e-9) << i;
    auto& spline = static_cast<AcGeNurbCurve2d&>(*edges[5]);
    ASSERT_TRUE(spline.hasFitData());
    ASSERT_EQ(spline.numFitPoints(), 4);
    for (int i = 0; i < 4; ++i) {
        AcGePoint2d p;
        spline.getFitPointAt(i, p);
        EXPECT_TRUE(p.isEqualTo(fit[i]));
    }

    // an edge loop has no vertices to give; indices outside the loops are refused
    int loopType = 0;
    AcGePoint2dArray v;
    AcGeDoubleArray b;
    EXPECT_EQ(h.getLoopAt(0, loopType, v, b), Acad::eInvalidInput);
    EXPECT_EQ(h.getLoopAt(1, loopType, v, b), Acad::eInvalidIndex);
    AcGeVoidPointerArray none;
    AcGeIntArray noTypes;
    EXPECT_EQ(h.getLoopAt(-1, loopType, none, noTypes), Acad::eInvalidIndex);
    EXPECT_TRUE(none.isEmpty());
}
