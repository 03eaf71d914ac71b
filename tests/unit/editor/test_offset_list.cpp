// OFFSET from scripts (sides, Through, refusals, the kept distance) and LIST's text for the kinds and
// properties the end-to-end test does not draw.
#include <algorithm>
#include <cmath>

#include "editor/command_line.h"
#include "editor/commands/list_text.h"
#include "editor/sysvars.h"
#include "unit/drawing_fixture.h"

using namespace cvx::editor;
using cvx::editor::commands::listText;

class OffsetList : public DrawingTest {
protected:
    using DrawingTest::add;
    // Added with the drawing's defaults, then given its own colour.
    AcDbObjectId add(AcDbEntity* e, const AcCmColor& c) {
        AcDbObjectId id = add(e);
        AcDbObjectPointer<AcDbEntity>(id, AcDb::kForWrite)->setColor(c);
        return id;
    }
};

namespace {
bool has(const std::vector<std::wstring>& lines, const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
}  // namespace

TEST_F(OffsetList, OffsetSidesThroughAndRefusals) {
    add(new AcDbLine({0, 0, 0}, {10, 0, 0}));
    add(new AcDbCircle({20, 0, 0}, AcGeVector3d::kZAxis, 2));
    add(new AcDbText({0, 20, 0}, L"not a curve", AcDbObjectId(), 1));
    auto& script = answers(
        L"OFFSET 1.5 5,0 5,3 5,0 5,-1\n0.5,20.5\n\n"  // left and right of the line; the text is refused
        L"OFFSET T 22,0 25,0\n\n"                      // a circle through a point 3 outside it
        L"OFFSET\n\n");                                // Enter takes Through again, then ends
    runCommandLoop();
    EXPECT_FALSE(script.failed()) << script.error();
    std::wstring printed = takeTranscript();
    EXPECT_NE(printed.find(L"Cannot offset that object."), std::wstring::npos);
    EXPECT_NE(printed.find(L"Specify offset distance or [Through] <Through>: "), std::wstring::npos);
    auto ids = modelSpace();
    ASSERT_EQ(ids.size(), 6u);
    AcDbObjectPointer<AcDbLine> up(ids[3], AcDb::kForRead), down(ids[4], AcDb::kForRead);
    ASSERT_TRUE(up && down);
    EXPECT_TRUE(up->startPoint().isEqualTo({0, 1.5, 0}));
    EXPECT_TRUE(down->endPoint().isEqualTo({10, -1.5, 0}));
    AcDbObjectPointer<AcDbCircle> ring(ids[5], AcDb::kForRead);
    ASSERT_TRUE(ring);
    EXPECT_NEAR(ring->radius(), 5, 1e-12);
    EXPECT_EQ(getSysVar(L"OFFSETDIST")->real, -1);
}

TEST_F(OffsetList, ListTextOfOtherKindsAndProperties) {
    AcDbArc* arc = new AcDbArc({1, 2, 0}, 3, 350 * M_PI / 180, 10 * M_PI / 180);
    AcCmColor trueColour;
    trueColour.setRGB(10, 20, 30);
    std::vector<std::wstring> lines = listText(AcDbObjectPointer<AcDbArc>(add(arc, trueColour), AcDb::kForRead).object());
    EXPECT_EQ(lines[0], L"ARC  layer: \"0\"");
    EXPECT_TRUE(has(lines, L"colour: true colour 10,20,30"));
    EXPECT_TRUE(has(lines, L"space: Model space"));
    EXPECT_TRUE(has(lines, L"start angle: 350"));
    EXPECT_TRUE(has(lines, L"end angle: 10"));
    EXPECT_TRUE(has(lines, L"total angle: 20"));

    auto* part = new AcDbEllipse({0, 0, 0}, AcGeVector3d::kZAxis, {4, 0, 0}, 0.5, 0, M_PI / 2);
    AcCmColor red;
    red.setColorIndex(1);
    lines = listText(AcDbObjectPointer<AcDbEllipse>(add(part, red), AcDb::kForRead).object());
    EXPECT_TRUE(has(lines, L"colour: index 1"));
    EXPECT_TRUE(has(lines, L"end angle: 90"));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::wstring& l) { return l.rfind(L"area", 0) == 0; }));

    auto* text = new AcDbText({1, 1, 0}, L"Hello", AcDbObjectId(), 2.5, M_PI / 6);
    AcCmColor byBlock;
    byBlock.setByBlock();
    lines = listText(AcDbObjectPointer<AcDbText>(add(text, byBlock), AcDb::kForRead).object());
    EXPECT_TRUE(has(lines, L"colour: ByBlock"));
    EXPECT_TRUE(has(lines, L"text: Hello"));
    EXPECT_TRUE(has(lines, L"height: 2.5"));
    EXPECT_TRUE(has(lines, L"rotation: 30"));

    AcDbHatch* hatch = new AcDbHatch;
    AcGePoint2dArray square;
    for (AcGePoint2d p : {AcGePoint2d(0, 0), AcGePoint2d(2, 0), AcGePoint2d(2, 2), AcGePoint2d(0, 2)}) square.append(p);
    hatch->appendLoop(AcDbHatch::kExternal, square, AcGeDoubleArray());
    lines = listText(AcDbObjectPointer<AcDbHatch>(add(hatch), AcDb::kForRead).object());
    EXPECT_TRUE(has(lines, L"loops: 1"));
    EXPECT_TRUE(has(lines, L"area: 4"));

    AcDbPoint loose({1, 2, 3});
    lines = listText(&loose);
    EXPECT_TRUE(has(lines, L"handle: none"));
    EXPECT_TRUE(has(lines, L"at point: X=1  Y=2  Z=3"));
}
