// Axes about a curve's origin: half-axis lengths and the tick step from the curve's extents, and the block
// of lines and values they make.
#include "formula/formula_axes.h"
#include "formula_fixture.h"

namespace {

FormulaAxes axesFor(double x0, double y0, double x1, double y1) {
    return formulaAxes(AcGePoint3d::kOrigin, AcDbExtents(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0)));
}

}  // namespace

TEST(FormulaAxes, HalfAxesReachTheExtentsOrATenthOfTheOtherSide) {
    FormulaAxes a = axesFor(-5, -8, 5, 2);
    EXPECT_DOUBLE_EQ(a.xPlus, 5);
    EXPECT_DOUBLE_EQ(a.xMinus, 5);
    EXPECT_DOUBLE_EQ(a.yPlus, 2);
    EXPECT_DOUBLE_EQ(a.yMinus, 8);
    EXPECT_EQ(a.step, 1);
    // Wholly left of and below the origin: the plus sides get a tenth of the minus ones.
    a = axesFor(-50, -30, -10, -20);
    EXPECT_DOUBLE_EQ(a.xPlus, 5);
    EXPECT_DOUBLE_EQ(a.xMinus, 50);
    EXPECT_DOUBLE_EQ(a.yPlus, 3);
    // Wholly right of and above it: no minus sides.
    a = axesFor(10, 20, 50, 30);
    EXPECT_DOUBLE_EQ(a.xMinus, 0);
    EXPECT_DOUBLE_EQ(a.yMinus, 0);
}

TEST(FormulaAxes, TheStepIsTheRoundNumberBothAxesHold) {
    EXPECT_EQ(axesFor(0, 0, 300, 120).step, 100);
    EXPECT_EQ(axesFor(0, 0, 300, 50).step, 10);    // Y has one digit in 50/10
    EXPECT_EQ(axesFor(0, 0, 300, 5).step, 1);      // Y has none
    EXPECT_EQ(axesFor(0, 0, 40000, 25000).step, 10000);
    // Both axes have two digits (90 and 40), but X's plus side does not hold 100: it proposes 1.
    EXPECT_EQ(axesFor(-900, 0, 50, 400).step, 1);
    // Far-out extents keep the step a power of ten that fits.
    EXPECT_EQ(axesFor(0, 0, 1e30, 1e30).step, 1000000000);
}

TEST_F(FormulaTest, AxesBlockHoldsLinesTicksAndValuesAboutTheOrigin) {
    AcDbObjectId lineId = appendEntity(*db, new AcDbLine(AcGePoint3d(5, 7, 0), AcGePoint3d(305, 127, 0)));
    AcDbObjectIdArray ids;
    ids.append(lineId);
    AcDbObjectId refId = drawFormulaAxes(AcGePoint3d(5, 7, 0), ids);
    AcDbObjectPointer<AcDbBlockReference> ref(refId, AcDb::kForRead);
    ASSERT_TRUE(ref);
    AcDbObjectPointer<AcDbBlockTableRecord> block(ref->blockTableRecord(), AcDb::kForRead);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->origin(), AcGePoint3d(5, 7, 0));
    std::vector<std::pair<AcGePoint3d, AcGePoint3d>> lines;
    std::vector<std::wstring> values;
    AcGePoint3d hundredAt;
    for (AcDbObjectId id : block->entityIds()) {
        if (AcDbObjectPointer<AcDbLine> l(id, AcDb::kForRead); l) lines.emplace_back(l->startPoint(), l->endPoint());
        if (AcDbObjectPointer<AcDbText> t(id, AcDb::kForRead); t) {
            values.emplace_back(t->textStringConst());
            EXPECT_DOUBLE_EQ(t->height(), 20);
            if (values.back() == L"100" && t->horizontalMode() == AcDb::kTextRight) hundredAt = t->alignmentPoint();
        }
    }
    // Step 100: X from the origin to 400 with ticks 0..300, Y to 200 with a tick at 100 only.
    ASSERT_EQ(lines.size(), 2u + 4u + 1u);
    EXPECT_EQ(lines[0].first, AcGePoint3d(5, 7, 0));
    EXPECT_EQ(lines[0].second, AcGePoint3d(405, 7, 0));
    EXPECT_EQ(lines[1].second, AcGePoint3d(5, 207, 0));
    EXPECT_EQ(lines[5].second, AcGePoint3d(305, 17, 0));   // ticks are a tenth of the step
    EXPECT_EQ(lines[6].first, AcGePoint3d(5, 107, 0));
    EXPECT_EQ(values, (std::vector<std::wstring>{L"0", L"100", L"200", L"300", L"100"}));
    EXPECT_EQ(hundredAt, AcGePoint3d(-5, 107, 0));
}

TEST_F(FormulaTest, NoAxesWithoutACurve) {
    EXPECT_TRUE(drawFormulaAxes(AcGePoint3d::kOrigin, AcDbObjectIdArray()).isNull());
    EXPECT_TRUE(modelSpace().empty());
}
