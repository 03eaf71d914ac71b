// makeOutline and INOFFSET as the user runs them: the thresholds that change their course, and the inner
// offsets at the typed distances.
#include <gtest/gtest.h>

#include <algorithm>

#include "outline/commands.h"
#include "outline/inner_offset.h"
#include "outline_fixture.h"

namespace {

class OutlineCommands : public OutlineTest {
protected:
    // n circles of radius 1 overlapping in a row: one connected figure.
    void addCircleRow(int n) {
        for (int i = 0; i < n; ++i) add(new AcDbCircle({0.5 * i, 0, 0}, AcGeVector3d::kZAxis, 1));
    }
    // Offsets a 100 x 100 square inward with the answers; returns the distances of the new curves from the
    // square's left side, ascending.
    std::vector<double> innerOffsets(const std::wstring& script) {
        SetUp();
        const AcDbObjectId square = addSquare(0, 0, 100, 100);
        ads_name set, name;
        acdbGetAdsName(name, square);
        acedSSAdd(name, nullptr, set);
        answers(script);
        askOffsetDistances(set);
        source.reset();
        acedSSFree(set);
        std::vector<double> distances;
        for (AcDbObjectId id : modelSpace())
            if (id != square) distances.push_back(extentsOf(id).minPoint().x);
        std::sort(distances.begin(), distances.end());
        return distances;
    }
};

const wchar_t* kTooComplex = L"The figure is too complex";
const wchar_t* kManyObjects = L"More objects selected";

}  // namespace

TEST_F(OutlineCommands, AThousandEntitiesGoStraightToBoundaryOneMoreGetARoughOutlineFirst) {
    addCircleRow(1000);
    std::wstring out = run(&makeOutlineCommand, L"ALL\n\n");
    EXPECT_EQ(out.find(kTooComplex), std::wstring::npos) << out;
    ASSERT_EQ(entitiesOf(L"LWPOLYLINE").size(), 1u) << "the outline alone: the view's rectangle is gone";
    AcDbObjectPointer<AcDbPolyline> outline(entitiesOf(L"LWPOLYLINE")[0], AcDb::kForRead);
    double width = 0;
    outline->getConstantWidth(width);
    EXPECT_DOUBLE_EQ(width, 0.02) << "the figure's height / 100";
    EXPECT_EQ(outline->colorIndex(), 1);
    outline.close();

    SetUp();
    addCircleRow(1001);
    out = run(&makeOutlineCommand, L"ALL\n\n\n");  // Enter accepts the rough outline
    EXPECT_NE(out.find(kTooComplex), std::wstring::npos) << out;
    const std::vector<AcDbObjectId> outlines = entitiesOf(L"LWPOLYLINE");
    ASSERT_EQ(outlines.size(), 1u);
    const AcDbExtents box = extentsOf(outlines[0]);
    EXPECT_NEAR(box.minPoint().x, -1, 1.5);
    EXPECT_NEAR(box.maxPoint().x, 501, 1.5);
    AcDbObjectPointer<AcDbPolyline> rough(outlines[0], AcDb::kForRead);
    EXPECT_EQ(rough->colorIndex(), 1);
    EXPECT_TRUE(rough->isClosed());
    rough.close();
    EXPECT_EQ(entitiesOf(L"CIRCLE").size(), 1001u);
    EXPECT_EQ(cvx::editor::editorState().shorts[L"CMDECHO"], 1);
}

TEST_F(OutlineCommands, NothingSelectedEndsBothCommands) {
    for (auto* command : {&makeOutlineCommand, &inoffsetCommand}) {
        const std::wstring out = run(command, L"\n");
        EXPECT_NE(out.find(L"No Entity selected.\n"), std::wstring::npos) << out;
        EXPECT_EQ(cvx::editor::editorState().shorts[L"CMDECHO"], 1) << "echo back on";
    }
    setChineseLanguage(true);
    EXPECT_NE(run(&makeOutlineCommand, L"\n").find(L"没有选择实体。"), std::wstring::npos);
}

TEST_F(OutlineCommands, InnerOffsetsAskBeforeWorkingOnMoreThanAHundredEntities) {
    const AcDbObjectId other = addSquare(200, 200, 210, 210);
    for (int i = 0; i < 100; ++i) add(new AcDbLine({0.0 + i * 0.5, 0, 0}, {0.0 + i * 0.5, 10, 0}));
    // The selection window leaves the square out; without enclosed areas the command ends after the picture.
    std::wstring out = run(&inoffsetCommand, L"W -1,-1 60,20\n\n");
    EXPECT_EQ(out.find(kManyObjects), std::wstring::npos) << out;
    EXPECT_TRUE(visible(other)) << "shown again";

    add(new AcDbLine({70, 0, 0}, {70, 10, 0}));
    out = run(&inoffsetCommand, L"W -1,-1 80,20\n\n\n");  // Enter declines
    EXPECT_NE(out.find(kManyObjects), std::wstring::npos) << out;
    EXPECT_TRUE(visible(other)) << "never hidden";
    EXPECT_EQ(modelSpace().size(), 102u);
}

TEST_F(OutlineCommands, OffsetsLieInsideAtTheCumulativeDistances) {
    EXPECT_EQ(innerOffsets(L"5\nM\n9,2,1\n"), (std::vector<double>{9, 11, 12, 13, 14}));
    EXPECT_EQ(innerOffsets(L"3\n2\n"), (std::vector<double>{2, 4, 6}));
    EXPECT_EQ(innerOffsets(L"3\nM\n5\uFF0C3/2\n"), (std::vector<double>{5, 8, 10}));
    EXPECT_EQ(innerOffsets(L"\n7\n"), (std::vector<double>{7})) << "one offset on Enter";
    EXPECT_EQ(innerOffsets(L"20\n1\n").size(), 10u);
    EXPECT_EQ(innerOffsets(L"2\n\n\n1.5\n"), (std::vector<double>{1.5, 3})) << "Enter asks the distance again";
}

TEST_F(OutlineCommands, CancelledOrUnusableDistancesOffsetNothing) {
    for (const wchar_t* script : {L"1\n0.00005\n", L"2\nM\n0,3\n", L"2\nM\n", L"1\n"})
        EXPECT_TRUE(innerOffsets(script).empty()) << std::string(script, script + std::wcslen(script));
}

TEST_F(OutlineCommands, IslandEdgesAreOffsetOutwardIntoTheirArea) {
    const AcDbObjectId outer = addSquare(0, 0, 100, 100);
    const AcDbObjectId island = addPolyline({{40, 40}, {40, 60}, {60, 60}, {60, 40}});  // clockwise
    ads_name outerName, islandName, boundaries, islands;
    acdbGetAdsName(outerName, outer);
    acdbGetAdsName(islandName, island);
    acedSSAdd(outerName, nullptr, boundaries);
    acedSSAdd(islandName, nullptr, islands);
    answers(L"2\n3\n");
    askOffsetDistances(boundaries, islands);
    source.reset();
    acedSSFree(boundaries);
    acedSSFree(islands);
    std::vector<double> lefts;
    for (AcDbObjectId id : modelSpace())
        if (id != outer && id != island) lefts.push_back(extentsOf(id).minPoint().x);
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts, (std::vector<double>{3, 6, 34, 37}));
}
