// Bilingual prompts and output, system variables, type filters and the scale-factor record.
#include <cmath>

#include "frame/bilingual.h"
#include "frame/entity_color.h"
#include "frame/extents.h"
#include "frame/scale_xdata.h"
#include "frame/sysvars.h"
#include "frame/type_selection.h"
#include "frame_fixture.h"

using Bilingual = FrameTest;

TEST_F(Bilingual, AskYesNoTakesTheDefaultOnEmptyAndReadsTheKeyword) {
    answers(L"\n\nNo\nYes\nN\ny\n");
    EXPECT_TRUE(askYesNo(L"继续？", L"Go on?", true));
    EXPECT_FALSE(askYesNo(L"继续？", L"Go on?", false));
    EXPECT_FALSE(askYesNo(L"继续？", L"Go on?", true));
    EXPECT_TRUE(askYesNo(L"继续？", L"Go on?", false));
    EXPECT_FALSE(askYesNo(L"继续？", L"Go on?", true));
    EXPECT_TRUE(askYesNo(L"继续？", L"Go on?", false));
}

TEST_F(Bilingual, TheLanguageFlagPicksTheTextAndPercentSignsArePrinted) {
    printBilingual(L"中文 100%", L"English 100%");
    setChineseLanguage(true);
    printBilingual(L"中文 100%", L"English 100%");
    EXPECT_EQ(cvx::editor::takeTranscript(), L"English 100%中文 100%");
}

TEST_F(Bilingual, PromptsShowTheChosenTextAndReturnTheHostCode) {
    setChineseLanguage(true);
    answers(L"3,4\n7\n\n");
    AcGePoint3d p;
    ASSERT_EQ(getPointBilingual(nullptr, L"\n起点：", L"\nStart: ", p), RTNORM);
    EXPECT_EQ(p, AcGePoint3d(3, 4, 0));
    int n = 0;
    ASSERT_EQ(getIntBilingual(L"\n数量：", L"\nCount: ", n), RTNORM);
    EXPECT_EQ(n, 7);
    double d = 0;
    EXPECT_EQ(getDistBilingual(asDblArray(p), L"\n距离：", L"\nDistance: ", d), RTNONE);
    std::wstring shown = cvx::editor::takeTranscript();
    EXPECT_NE(shown.find(L"起点："), std::wstring::npos);
    EXPECT_NE(shown.find(L"数量："), std::wstring::npos);
    EXPECT_EQ(shown.find(L"Start"), std::wstring::npos);
}

TEST_F(Bilingual, MessageBoxesShowTheTextOfTheLanguage) {
    answers(L"");
    messageBoxBilingual(L"你好", L"Hello there");
    setChineseLanguage(true);
    messageBoxBilingual(L"你好", L"Hello there");
    std::wstring shown = cvx::editor::takeTranscript();
    EXPECT_NE(shown.find(L"Hello there"), std::wstring::npos);
    EXPECT_NE(shown.find(L"你好"), std::wstring::npos);
    EXPECT_NE(shown.find(L"Curvix[V"), std::wstring::npos);
}

using SystemVariables = FrameTest;

TEST_F(SystemVariables, ShortsRealsAndPointsReadOrReportFailure) {
    EXPECT_EQ(getSysVarShort(L"CMDECOH"), -999);
    EXPECT_EQ(getSysVarShort(L"VIEWSIZE"), -999);  // a real, not a short
    EXPECT_EQ(setSysVarShort(L"cmdecho", 0), RTNORM);
    EXPECT_EQ(getSysVarShort(L"CMDECHO"), 0);
    double size = 0;
    EXPECT_EQ(getSysVarReal(L"viewsize", size), 0);
    EXPECT_DOUBLE_EQ(size, cvx::editor::editorState().view.height);
    EXPECT_EQ(getSysVarReal(L"CLAYER", size), 3);
    AcGePoint2d centre;
    EXPECT_EQ(getSysVarPoint2d(L"VIEWCTR", centre), 0);
    EXPECT_DOUBLE_EQ(centre.x, cvx::editor::editorState().view.center.x);
    EXPECT_EQ(getSysVarPoint2d(L"NOSUCHVAR", centre), 3);
}

TEST_F(SystemVariables, ARefusedValueIsReportedOnlyWhenAsked) {
    answers(L"");
    EXPECT_NE(setSysVarShort(L"PICKBOX", 99), RTNORM);
    EXPECT_EQ(cvx::editor::takeTranscript().find(L"PICKBOX"), std::wstring::npos);
    EXPECT_EQ(setSysVarShortReported(L"PICKBOX", 99), 3);
    EXPECT_NE(cvx::editor::takeTranscript().find(L"Could not set system variable \"PICKBOX\"."), std::wstring::npos);
    EXPECT_EQ(setSysVarShortReported(L"PICKBOX", 5), 0);
}

using Selections = FrameTest;

TEST_F(Selections, TypeFiltersAreAPairOrADisjunction) {
    resbuf* one = entityTypeFilter({L"LWPOLYLINE"});
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->restype, 0);
    EXPECT_STREQ(one->resval.rstring, L"LWPOLYLINE");
    EXPECT_EQ(one->rbnext, nullptr);
    acutRelRb(one);

    resbuf* two = entityTypeFilter({L"POLYLINE", L"LWPOLYLINE"});
    std::vector<std::pair<int, std::wstring>> got;
    for (resbuf* rb = two; rb; rb = rb->rbnext) got.emplace_back(rb->restype, rb->resval.rstring);
    acutRelRb(two);
    std::vector<std::pair<int, std::wstring>> want = {
        {-4, L"<or"}, {0, L"POLYLINE"}, {0, L"LWPOLYLINE"}, {-4, L"or>"}};
    EXPECT_EQ(got, want);
}

TEST_F(Selections, SelectingByTypesKeepsOnlyThoseTypes) {
    add(new AcDbCircle(AcGePoint3d(10, 10, 0), AcGeVector3d::kZAxis, 5));
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(20, 20, 0)));
    add(new AcDbCircle(AcGePoint3d(30, 10, 0), AcGeVector3d::kZAxis, 5));
    answers(L"ALL\n\n");
    ads_name set;
    ASSERT_EQ(selectByTypes({L"CIRCLE"}, set), RTNORM);
    int32_t n = 0;
    acedSSLength(set, &n);
    EXPECT_EQ(n, 2);
    AcDbExtents box;
    selectionExtents(box, set);
    acedSSFree(set);
    EXPECT_EQ(box.minPoint(), AcGePoint3d(5, 5, 0));
    EXPECT_EQ(box.maxPoint(), AcGePoint3d(35, 15, 0));
}

using Geometry = FrameTest;

TEST_F(Geometry, IdArrayExtentsGrowTheGivenBoxAndSkipWhatDoesNotOpen) {
    AcDbObjectIdArray ids;
    ids.append(add(new AcDbLine(AcGePoint3d(1, 2, 0), AcGePoint3d(4, -3, 0))));
    ids.append(AcDbObjectId());
    AcDbExtents box(AcGePoint3d(-10, 0, 0), AcGePoint3d(-9, 1, 0));
    idArrayExtents(box, ids);
    EXPECT_EQ(box.minPoint(), AcGePoint3d(-10, -3, 0));
    EXPECT_EQ(box.maxPoint(), AcGePoint3d(4, 2, 0));
}

TEST_F(Geometry, TheViewBoxFollowsCentreHeightAndScreenShape) {
    auto& view = cvx::editor::editorState().view;
    view.center = AcGePoint2d(100, 50);
    view.height = 40;
    view.screenWidth = 800;
    view.screenHeight = 400;
    AcGePoint3d lo, hi;
    currentViewExtents(lo, hi);
    EXPECT_NEAR(lo.x, 60, 1e-9);  // half width = 800 * 40 / 400 / 2
    EXPECT_NEAR(hi.x, 140, 1e-9);
    EXPECT_NEAR(lo.y, 30, 1e-9);
    EXPECT_NEAR(hi.y, 70, 1e-9);
    AcGePoint3d vlo, vhi;
    ASSERT_TRUE(activeViewportExtents(vlo, vhi));
    EXPECT_NEAR(vhi.y - vlo.y, 40, 1e-9);
    EXPECT_NEAR((vlo.x + vhi.x) / 2, 100, 1e-9);
}

TEST_F(Geometry, WorldAndUserCoordinatesConvertBothWays) {
    ASSERT_EQ(acedCommand(RTSTR, L"UCS", RTSTR, L"O", RTSTR, L"10,20", 0), RTNORM);
    AcGePoint3d p(15, 25, 0);
    wcsToUcs(p);
    EXPECT_NEAR(p.x, 5, 1e-9);
    EXPECT_NEAR(p.y, 5, 1e-9);
    ucsToWcs(p);
    EXPECT_NEAR(p.x, 15, 1e-9);
    EXPECT_NEAR(p.y, 25, 1e-9);
}

TEST_F(Geometry, TheEffectiveColourComesFromTheEntityTheBlockRuleOrTheLayer) {
    {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(db->clayer(), AcDb::kForWrite);
        AcCmColor red;
        red.setColorIndex(1);
        layer->setColor(red);
    }
    auto* byLayer = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    auto* byBlock = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    auto* green = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbObjectId a = add(byLayer), b = add(byBlock), c = add(green);
    {
        AcDbObjectPointer<AcDbEntity> e(b, AcDb::kForWrite);
        e->setColorIndex(0);
        AcDbObjectPointer<AcDbEntity> f(c, AcDb::kForWrite);
        f->setColor(AcCmColor(0, 200, 0));
    }
    AcCmColor color;
    AcDbObjectPointer<AcDbEntity> ea(a, AcDb::kForRead), eb(b, AcDb::kForRead), ec(c, AcDb::kForRead);
    ASSERT_TRUE(effectiveColor(ea.object(), color));
    EXPECT_EQ(color.colorIndex(), 1);
    ASSERT_TRUE(effectiveColor(eb.object(), color));
    EXPECT_TRUE(color.isByACI());
    EXPECT_EQ(color.colorIndex(), 7);
    ASSERT_TRUE(effectiveColor(ec.object(), color));
    EXPECT_TRUE(color.isByColor());
    EXPECT_EQ(color.green(), 200);
}

using ScaleFactor = FrameTest;

TEST_F(ScaleFactor, ALaterFactorReplacesTheEarlierOne) {
    AcDbObjectId id = add(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
    {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        EXPECT_EQ(getScaleFactorXData(e.object()), 1.0);
    }
    for (double f : {0.5, 0.25}) {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenObject(e, id, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(setScaleFactorXData(e, f), Acad::eOk);  // closes the entity
    }
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    EXPECT_EQ(getScaleFactorXData(e.object()), 0.25);
    resbuf* xdata = e->xData(L"CRUVIX");
    int pairs = 0;
    for (resbuf* rb = xdata; rb; rb = rb->rbnext)
        if (rb->restype == 1000) ++pairs;
    acutRelRb(xdata);
    EXPECT_EQ(pairs, 1);
}

TEST_F(ScaleFactor, TinyOrMisplacedValuesReadAsOne) {
    AcDbObjectId id = add(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
    acdbRegApp(L"CRUVIX");
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
    resbuf* misplaced = acutBuildList(1001, L"CRUVIX", 1042, 3.0, 1000, L"ScaleFactor", 1040, 2.0, 0);
    e->setXData(misplaced);
    acutRelRb(misplaced);
    EXPECT_EQ(getScaleFactorXData(e.object()), 1.0);
    resbuf* tiny = acutBuildList(1001, L"CRUVIX", 1000, L"ScaleFactor", 1042, 0.00005, 0);
    e->setXData(tiny);
    acutRelRb(tiny);
    EXPECT_EQ(getScaleFactorXData(e.object()), 1.0);
}
