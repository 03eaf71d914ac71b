// PL2OLD, OLDPL2LW, PLDD and the PEDIT batch edits PLGXK, PLCLOSE, PLOPEN; the message of a command that finds
// nothing to work on.
#include <utility>

#include "frame/sysvars.h"
#include "polyline/commands.h"
#include "polyline_fixture.h"

namespace {
uint64_t handleOf(AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    return e ? e->handle().value() : 0;
}
}  // namespace

TEST_F(PolylineTest, Pl2OldConvertsEveryLightweightPolylineKeepingItsHandle) {
    std::vector<AcDbObjectId> ids = {addLw({{0, 0}, {10, 0}, {10, 10}}, true, 1.5), addLw({{20, 0}, {30, 5}}),
                                     addLw({{40, 0}, {50, 5}, {60, 0}})};
    std::vector<uint64_t> handles;
    for (AcDbObjectId id : ids) handles.push_back(handleOf(id));
    std::wstring out = run(&pl2oldCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nProcessed <3 > curve(s) OK."), std::wstring::npos) << out;
    for (size_t i = 0; i < ids.size(); ++i) {
        AcDbObjectPointer<AcDb2dPolyline> pl(ids[i], AcDb::kForRead);
        ASSERT_TRUE(pl) << "the id now holds a 2D polyline";
        EXPECT_EQ(pl->handle().value(), handles[i]);
    }
    PolylinePoints first = pointsOf(ids[0]);
    EXPECT_TRUE(first.closed);
    EXPECT_EQ(first.points.size(), 3u);
    EXPECT_DOUBLE_EQ(first.width, 1.5);
}

TEST_F(PolylineTest, OldPl2LwConvertsTwoDAndLeavesThreeDAlone) {
    AcDbObjectId p2 = add2d({{0, 0}, {10, 0}, {10, 10}}, true);
    AcDbObjectId p3 = add3d({{0, 0, 0}, {1, 1, 1}});
    const uint64_t h2 = handleOf(p2);
    std::wstring out = run(&oldpl2lwCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nProcessed <1 > curve(s) OK."), std::wstring::npos) << out;
    AcDbObjectPointer<AcDbPolyline> lw(p2, AcDb::kForRead);
    ASSERT_TRUE(lw);
    EXPECT_EQ(lw->handle().value(), h2);
    EXPECT_TRUE(lw->isClosed());
    EXPECT_EQ(lw->numVerts(), 3u);
    lw.close();
    AcDbObjectPointer<AcDb3dPolyline> still3d(p3, AcDb::kForRead);
    EXPECT_TRUE(still3d);
}

// With only a text in the drawing, each command says that nothing it takes was selected.
TEST_F(PolylineTest, CommandsSayWhenNothingTheyTakeWasSelected) {
    add(new AcDbText({0, 0, 0}, L"hello"));
    const std::pair<void (*)(), const wchar_t*> cases[] = {{&pl2oldCommand, L"No Polyline selected.\n"},
                                                           {&oldpl2lwCommand, L"No Polyline2D selected.\n"},
                                                           {&plddCommand, L"No PLINE selected.\n"},
                                                           {&chbjCommand, L"\nNo hatch entities selected!"}};
    for (const auto& [command, message] : cases)
        EXPECT_NE(run(command, L"ALL\n\n").find(message), std::wstring::npos) << message;
}

TEST_F(PolylineTest, PlddReversesEveryCurveKind) {
    AcDbObjectId line = add(new AcDbLine({0, 0, 0}, {10, 5, 0}));
    AcDbObjectId lw = addLw({{0, 0}, {10, 0}, {10, 10}});
    AcDbObjectId arc = add(new AcDbArc({0, 0, 0}, 5, 0, M_PI / 2));
    std::wstring out = run(&plddCommand, L"ALL\n\n");
    EXPECT_NE(out.find(L"\nProcessed <3 > curve(s) OK."), std::wstring::npos) << out;
    AcDbObjectPointer<AcDbLine> l(line, AcDb::kForRead);
    EXPECT_TRUE(l->startPoint().isEqualTo({10, 5, 0}));
    EXPECT_TRUE(l->endPoint().isEqualTo({0, 0, 0}));
    EXPECT_TRUE(pointsOf(lw).points.front().isEqualTo({10, 10, 0}));
    AcDbObjectPointer<AcDbCurve> a(arc, AcDb::kForRead);
    AcGePoint3d start;
    a->getStartPoint(start);
    EXPECT_TRUE(start.isEqualTo({0, 5, 0}, AcGeTol()));
}

TEST_F(PolylineTest, PlgxkSetsTheWidthOfEverySelectedPolylineAndACancelledWidthIsZero) {
    AcDbObjectId lw = addLw({{0, 0}, {10, 0}});
    AcDbObjectId p2 = add2d({{0, 5}, {10, 5}});
    run(&plgxkCommand, L"ALL\n\n2.5\n");
    EXPECT_DOUBLE_EQ(pointsOf(lw).width, 2.5);
    EXPECT_DOUBLE_EQ(pointsOf(p2).width, 2.5);
    EXPECT_EQ(getSysVarShort(L"CMDECHO"), 1) << "echo is back on after the batch edit";
    run(&plgxkCommand, L"ALL\n\n\n");
    EXPECT_DOUBLE_EQ(pointsOf(lw).width, 0);
}

TEST_F(PolylineTest, PlcloseAndPlopen) {
    AcDbObjectId open = addLw({{0, 0}, {10, 0}, {10, 10}});
    AcDbObjectId closed = add3d({{0, 0, 0}, {10, 0, 1}, {10, 10, 2}}, true);
    run(&plcloseCommand, L"ALL\n\n");
    EXPECT_TRUE(pointsOf(open).closed);
    EXPECT_TRUE(pointsOf(closed).closed) << "already closed stays closed";
    run(&plopenCommand, L"ALL\n\n");
    EXPECT_FALSE(pointsOf(open).closed);
    EXPECT_FALSE(pointsOf(closed).closed);
    run(&plopenCommand, L"ALL\n\n");
    EXPECT_FALSE(pointsOf(open).closed) << "already open stays open";
}
