// Selection sets: every method, filters, and the set functions.
#include <algorithm>

#include "unit/drawing_fixture.h"

namespace {

std::vector<AcDbObjectId> members(const ads_name ss) {
    std::vector<AcDbObjectId> ids;
    int32_t n = 0;
    acedSSLength(ss, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name e;
        AcDbObjectId id;
        acedSSName(ss, i, e);
        acdbGetObjectId(id, e);
        ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<AcDbObjectId> sorted(std::vector<AcDbObjectId> v) {
    std::sort(v.begin(), v.end());
    return v;
}

AcDbPolyline* square(double x, double y, double size, bool closed) {
    auto* p = new AcDbPolyline;
    p->addVertexAt(0, {x, y});
    p->addVertexAt(1, {x + size, y});
    p->addVertexAt(2, {x + size, y + size});
    p->addVertexAt(3, {x, y + size});
    p->setClosed(closed);
    return p;
}

}  // namespace

class Selection : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        line = add(new AcDbLine({0, 0, 0}, {10, 0, 0}));
        circle = add(new AcDbCircle({20, 0, 0}, AcGeVector3d::kZAxis, 2));
        poly = add(square(30, -2, 4, true));
        arc = add(new AcDbArc({0, 20, 0}, 5, 0, M_PI));
    }
    AcDbObjectId line, circle, poly, arc;
};

TEST_F(Selection, WindowTakesWhatLiesInsideCrossingWhatTouches) {
    ads_name ss;
    ads_point a = {-1, -3, 0}, b = {21, 3, 0};
    ASSERT_EQ(acedSSGet(L"_W", a, b, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line}));  // the circle reaches x = 22
    ASSERT_EQ(acedSSGet(L"C", a, b, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line, circle}));
    // A crossing window in the empty middle of the circle touches nothing.
    ads_point c = {19.5, -0.5, 0}, d = {20.5, 0.5, 0};
    EXPECT_EQ(acedSSGet(L"_C", c, d, nullptr, ss), RTERROR);
    // The arc's box reaches down to y = 20 but its curve only the ends; a window over the middle misses it.
    ads_point e = {-1, 19, 0}, f = {1, 21, 0};
    EXPECT_EQ(acedSSGet(L"_C", e, f, nullptr, ss), RTERROR);
}

TEST_F(Selection, PolygonsAllLastAndPrevious) {
    ads_point p1 = {-5, -5, 0}, p2 = {25, -5, 0}, p3 = {25, 5, 0}, p4 = {-5, 5, 0};
    resbuf* poly1 = acutBuildList(RTPOINT, p1, RTPOINT, p2, RTPOINT, p3, RTPOINT, p4, 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_WP", poly1, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line, circle}));
    ads_point t1 = {31, -10, 0}, t2 = {33, -10, 0}, t3 = {32, 0, 0};
    resbuf* tri = acutBuildList(RTPOINT, t1, RTPOINT, t2, RTPOINT, t3, 0);
    ASSERT_EQ(acedSSGet(L"_CP", tri, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({poly}));
    ASSERT_EQ(acedSSGet(L"P", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({poly}));
    ASSERT_EQ(acedSSGet(L"_L", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({arc}));
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss).size(), 4u);
    acutRelRb(poly1);
    acutRelRb(tri);
}

TEST_F(Selection, FiltersByTypeLayerColourAndLogic) {
    {
        AcDbObjectPointer<AcDbEntity> c(circle, AcDb::kForWrite);
        c->setColorIndex(1);
    }
    ads_name ss;
    resbuf* types = acutBuildList(-4, L"<or", RTDXF0, L"CIRCLE", RTDXF0, L"*POLYLINE", -4, L"or>", 0);
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, types, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({circle, poly}));
    resbuf* red = acutBuildList(62, 1, 0);
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, red, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({circle}));
    resbuf* notLineOnLayer0 = acutBuildList(8, L"0", -4, L"<not", RTDXF0, L"LINE,ARC", -4, L"not>", 0);
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, notLineOnLayer0, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({circle, poly}));
    resbuf* andBoth = acutBuildList(-4, L"<and", RTDXF0, L"CIRCLE", 62, 2, -4, L"and>", 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, andBoth, ss), RTERROR);
    resbuf* bigRadius = acutBuildList(RTDXF0, L"CIRCLE,ARC", -4, L">", 40, 3.0, 0);
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, bigRadius, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({arc}));
    resbuf* unbalanced = acutBuildList(-4, L"<or", RTDXF0, L"CIRCLE", 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, unbalanced, ss), RTERROR);
    for (resbuf* rb : {types, red, notLineOnLayer0, andBoth, bigRadius, unbalanced}) acutRelRb(rb);
}

TEST_F(Selection, InteractiveAnswers) {
    // Pick the line, window-select the circle, add all, remove the arc by a pick, then end.
    answers(L"5,0\nW 17,-3 23,3\nALL\nR\n5,20\n\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line, circle, poly}));
    std::wstring printed = cvx::editor::takeTranscript();
    EXPECT_NE(printed.find(L"Select objects: 5,0\n1 found\n"), std::wstring::npos) << std::string(printed.begin(), printed.end());
    EXPECT_NE(printed.find(L"Remove objects: 5,20\n1 found, 1 removed, 3 total"), std::wstring::npos);
}

TEST_F(Selection, PickFindsASpaceCurveWhereItShowsFromAbove) {
    // A steep 3D polyline: its plan view is the segment y = 40, x 0..20, but the point of the curve nearest to
    // (5,40,0) in space lies near its start, far from the pick in plan.
    AcGePoint3dArray pts;
    for (AcGePoint3d p : {AcGePoint3d(0, 40, 0), AcGePoint3d(10, 40, 100), AcGePoint3d(20, 40, 0)}) pts.append(p);
    AcDbObjectId steep = add(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts, false));
    answers(L"5,40\n\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({steep}));
}

TEST_F(Selection, InteractiveImplicitWindowsAndPolygons) {
    // A miss starts a window: left to right is a window, right to left a crossing.
    answers(L"-1,-3 21,3\n\n23,3 19,-3\n\nCP 29,-10 31,-10 30,0\n\n\n");
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line}));
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({circle}));
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({poly}));
}

TEST_F(Selection, SingleModeFilterAndInvalidAnswers) {
    // Single mode ends after the first answer that selects; the filter turns the circle's window away.
    answers(L"W 17,-3 23,3\n5,0\n");
    ads_name ss;
    resbuf* lines = acutBuildList(RTDXF0, L"LINE", 0);
    ASSERT_EQ(acedSSGet(L"_:S", nullptr, nullptr, lines, ss), RTNORM);
    EXPECT_EQ(members(ss), sorted({line}));
    acutRelRb(lines);
    auto& script = answers(L"QQ\n");
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
    EXPECT_NE(script.error().find(L"test.scr:1: *Invalid selection*"), std::wstring::npos);
}

TEST_F(Selection, SetFunctionsAndEntityNames) {
    ads_name empty, e, ss;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, empty), RTNORM);
    int32_t n = -1;
    acedSSLength(empty, &n);
    EXPECT_EQ(n, 0);
    acdbGetAdsName(e, circle);
    ASSERT_EQ(acedSSAdd(e, empty, ss), RTNORM);
    ASSERT_EQ(acedSSAdd(e, ss, ss), RTNORM);  // no duplicates
    acedSSLength(ss, &n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(acedSSMemb(e, ss), RTNORM);
    EXPECT_EQ(acedSSDel(e, ss), RTNORM);
    EXPECT_EQ(acedSSDel(e, ss), RTERROR);
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    EXPECT_EQ(acedSSFree(ss), RTERROR);
    EXPECT_EQ(acedSSLength(ss, &n), RTERROR);

    ads_name first, next, last;
    ASSERT_EQ(acdbEntNext(nullptr, first), RTNORM);
    ASSERT_EQ(acdbEntNext(first, next), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, next);
    EXPECT_EQ(id, circle);
    ASSERT_EQ(acdbEntDel(next), RTNORM);  // erase the circle: the walk skips it
    ASSERT_EQ(acdbEntNext(first, next), RTNORM);
    acdbGetObjectId(id, next);
    EXPECT_EQ(id, poly);
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    acdbGetObjectId(id, last);
    EXPECT_EQ(id, arc);
    acdbGetAdsName(e, arc);
    ASSERT_EQ(acdbEntDel(e), RTNORM);
    acdbEntLast(last);
    acdbGetObjectId(id, last);
    EXPECT_EQ(id, poly);
}
