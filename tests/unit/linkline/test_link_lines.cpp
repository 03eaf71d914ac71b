// Drawing link lines: end directions, shapes found at the picked points, and the reactors attached.
#include <regex>

#include "cvx/wide.h"
#include "linkline/link_commands.h"
#include "linkline/link_key.h"
#include "linkline/linked_shape.h"
#include "link_fixture.h"

using LinkLines = LinkTest;

TEST_F(LinkLines, StraightLinksPointAlongTheAxisTowardsTheEnd) {
    answers(L"0,0 0,50\n10,0 40,0\n0,0 30,-20\n");
    linkLine00();  // E straight above S: not to the right, so both ends point left
    linkLine90();  // S.y == E.y: both ends point up
    linkLine90();  // S above E: both ends point down
    auto ids = splines();
    ASSERT_EQ(ids.size(), 3u);
    Fit a = fitOf(ids[0]), b = fitOf(ids[1]), c = fitOf(ids[2]);
    EXPECT_EQ(a.startTangent, AcGeVector3d(-1, 0, 0));
    EXPECT_EQ(a.endTangent, AcGeVector3d(-1, 0, 0));
    EXPECT_EQ(b.startTangent, AcGeVector3d(0, 1, 0));
    EXPECT_EQ(b.endTangent, AcGeVector3d(0, 1, 0));
    EXPECT_EQ(c.startTangent, AcGeVector3d(0, -1, 0));
    EXPECT_EQ(c.end, AcGePoint3d(30, -20, 0));
    AcDbObjectPointer<AcDbSpline> s(ids[0], AcDb::kForRead);
    EXPECT_TRUE(s->color().isByLayer());
    EXPECT_TRUE(s->getPersistentReactors().isEmpty());
}

TEST_F(LinkLines, ACancelledOrEmptyAnswerDrawsNothing) {
    answers(L"0,0\n\n");
    linkLine00();
    linkLineAuto();
    EXPECT_TRUE(splines().empty());
    const std::wstring said = cvx::editor::takeTranscript();
    EXPECT_NE(said.find(L"Please specify the end point>>"), std::wstring::npos);  // the first command asked
    EXPECT_EQ(said.rfind(L"Please specify the end point>>"), said.find(L"Please specify the end point>>"));
}

TEST_F(LinkLines, PromptsFollowTheLanguage) {
    setChineseLanguage(true);
    answers(L"0,0 10,10\n");
    linkLine00();
    std::wstring said = cvx::editor::takeTranscript();
    EXPECT_NE(said.find(L"请指定起点>>"), std::wstring::npos);
    EXPECT_NE(said.find(L"请指定终点>>"), std::wstring::npos);
}

TEST_F(LinkLines, ShapesAreFoundByTheirSideMidpoints) {
    AcDbObjectId c = circle(0, 0, 10);
    add(new AcDbLine(AcGePoint3d(-50, 10, 0), AcGePoint3d(50, 10, 0)));  // not closed: never a shape
    AcDbObjectId found;
    EXPECT_EQ(findLinkedShape(AcGePoint3d(0, 10, 0), found), kTopSide);
    EXPECT_EQ(found, c);
    EXPECT_EQ(findLinkedShape(AcGePoint3d(0, -10.15, 0), found), kBottomSide);  // within (20 + 20) / 100
    EXPECT_EQ(findLinkedShape(AcGePoint3d(-10, 0, 0), found), kLeftSide);
    EXPECT_EQ(findLinkedShape(AcGePoint3d(10, 0, 0), found), kRightSide);
    EXPECT_EQ(findLinkedShape(AcGePoint3d(7.07, 7.07, 0), found), kNoSide);
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(findLinkedShape(AcGePoint3d(0, -10.5, 0), found), kNoSide);
}

TEST_F(LinkLines, AnOpenPolylineIsNoShapeAClosedOneIs) {
    auto* open = new AcDbPolyline();
    open->addVertexAt(0, AcGePoint2d(100, 0));
    open->addVertexAt(1, AcGePoint2d(140, 0));
    open->addVertexAt(2, AcGePoint2d(140, 20));
    add(open);
    AcDbObjectId found;
    EXPECT_EQ(findLinkedShape(AcGePoint3d(140, 10, 0), found), kNoSide);
    auto* closed = new AcDbPolyline();
    closed->addVertexAt(0, AcGePoint2d(-100, 0));
    closed->addVertexAt(1, AcGePoint2d(-60, 0));
    closed->addVertexAt(2, AcGePoint2d(-60, 20));
    closed->addVertexAt(3, AcGePoint2d(-100, 20));
    closed->setClosed(true);
    AcDbObjectId id = add(closed);
    EXPECT_EQ(findLinkedShape(AcGePoint3d(-60, 10, 0), found), kRightSide);
    EXPECT_EQ(found, id);
}

TEST_F(LinkLines, AutoLinksLeaveAndEnterShapesSquareToTheirSides) {
    AcDbObjectId a = circle(0, 0, 10), b = circle(60, 40, 10);
    answers(L"0,10 50,40\n");
    linkLineAuto();
    auto ids = splines();
    ASSERT_EQ(ids.size(), 1u);
    Fit f = fitOf(ids[0]);
    EXPECT_EQ(f.startTangent, AcGeVector3d(0, 1, 0));  // up, out of the first circle's top
    EXPECT_EQ(f.endTangent, AcGeVector3d(1, 0, 0));    // right, into the second circle's left side
    for (AcDbObjectId shape : {a, b}) {
        AcDbObjectPointer<AcDbCircle> c(shape, AcDb::kForRead);
        AcDbObjectIdArray reactors = c->getPersistentReactors();
        ASSERT_EQ(reactors.length(), 1);
        AcDbObjectPointer<LinkLineToNotify> r(reactors[0], AcDb::kForRead);
        EXPECT_TRUE(r);
    }
}

TEST_F(LinkLines, PointsAreTypedInTheCurrentUcs) {
    // The UCS moved to 100,50 and turned a quarter left: its X runs along the world's Y.
    ASSERT_EQ(acedCommand(RTSTR, L"UCS", RTSTR, L"O", RTSTR, L"100,50", 0), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, L"UCS", RTSTR, L"Z", RTSTR, L"90", 0), RTNORM);
    AcDbObjectId shape = circle(100, 50, 10);
    answers(L"0,0 20,0\n10,0 40,0\n");
    linkLine00();     // rightwards in the UCS: up in the world
    linkLineAuto();   // from the circle's world top, which the UCS calls 10,0
    auto ids = splines();
    ASSERT_EQ(ids.size(), 2u);
    Fit straight = fitOf(ids[0]), automatic = fitOf(ids[1]);
    EXPECT_TRUE(straight.start.isEqualTo({100, 50, 0}));
    EXPECT_TRUE(straight.end.isEqualTo({100, 70, 0}));
    EXPECT_TRUE(straight.startTangent.isEqualTo({0, 1, 0}));
    EXPECT_TRUE(automatic.start.isEqualTo({100, 60, 0}));
    EXPECT_TRUE(automatic.end.isEqualTo({100, 90, 0}));
    EXPECT_TRUE(automatic.startTangent.isEqualTo({0, 1, 0}));  // square out of the circle's top
    AcDbObjectPointer<AcDbCircle> c(shape, AcDb::kForRead);
    EXPECT_EQ(c->getPersistentReactors().length(), 1);
}

TEST_F(LinkLines, AnEndOnNoShapeTakesTheDominantDirection) {
    // margin = VIEWSIZE / 20 = 10
    answers(L"0,0 25,3\n0,0 -25,3\n0,0 5,-30\n0,0 5,30\n0,0 5,5\n");
    for (int i = 0; i < 5; ++i) linkLineAuto();
    auto ids = splines();
    ASSERT_EQ(ids.size(), 5u);
    const AcGeVector3d want[] = {{1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 1, 0}};
    for (int i = 0; i < 5; ++i) {
        Fit f = fitOf(ids[static_cast<size_t>(i)]);
        EXPECT_EQ(f.startTangent, want[i]) << i;
        EXPECT_EQ(f.endTangent, want[i]) << i;
    }
}

TEST_F(LinkLines, ReactorsLiveInTheLinkDictionaryOnePerShape) {
    AcDbObjectId a = circle(0, 0, 10);
    answers(L"0,10 0,-10\n10,0 50,0\n");
    linkLineAuto();  // both ends on the same circle: one reactor
    linkLineAuto();  // the circle carries a reactor already: none added
    AcDbDictionary* named = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(named, AcDb::kForRead), Acad::eOk);
    AcDbObjectId dictId;
    ASSERT_EQ(named->getAt(L"CVX_DICT", dictId), Acad::eOk);
    named->close();
    AcDbObjectPointer<AcDbDictionary> dict(dictId, AcDb::kForRead);
    ASSERT_EQ(dict->numEntries(), 1);
    const std::wregex keyShape(L"\\{C-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{11}");
    EXPECT_TRUE(std::regex_match(dict->entries()[0].key, keyShape)) << cvxToUtf8(dict->entries()[0].key);
    AcDbObjectPointer<AcDbCircle> c(a, AcDb::kForRead);
    EXPECT_EQ(c->getPersistentReactors().length(), 1);
    EXPECT_EQ(c->getPersistentReactors()[0], dict->entries()[0].id);
}

TEST(LinkKeys, TheGuidTextIsCutToThirtyEightCharacters) {
    const std::array<uint8_t, 16> guid = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0,
                                          0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(linkKeyOf(guid), L"{C-12345678-9ABC-DEF0-0123-456789ABCDE");
    EXPECT_NE(newLinkKey(), newLinkKey());
}
