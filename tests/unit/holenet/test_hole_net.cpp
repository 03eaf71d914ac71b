// The hole net of small synthetic pictures: the grid, the measure of white, black and grey cells on every
// depth, the rows rule, and the holes drawn into a drawing in each shape.
#include <cmath>

#include "holenet/hole_drawing.h"
#include "holenet/hole_net.h"
#include "unit/drawing_fixture.h"

namespace {

// An image of the depth whose pixels all hold the colour (8-bit: a grey-ramp index, so only greys).
void fill(CImage& image, int w, int h, int bpp, COLORREF colour) {
    image.Create(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.SetPixel(x, y, colour);
}

TEST(HoleNet, RowsTextKeepsTwentyFourToTenTwentyFourElseSeventyTwo) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"72", 72}, {L"24", 24}, {L"1024", 1024}, {L" 100 ", 100}, {L"10", 72}, {L"23", 72}, {L"1025", 72},
        {L"2000", 72}, {L"-50", 72}, {L"", 72}, {L"abc", 72}, {L"1e3", 72}, {L"40.5", 72}, {L"99999999999", 72}};
    for (const auto& [text, rows] : cases) EXPECT_EQ(netRowsFromText(text), rows) << text;
}

TEST(HoleNet, GridOfSeventyTwoRowsOnAWidePictureHasSquareCellsOfHeightOverRows) {
    CImage image;
    image.Create(1024, 512, 24);  // black
    const HoleNet net = computeHoleNet(image, 72, false);
    EXPECT_DOUBLE_EQ(net.cell, 512.0 / 72);
    EXPECT_EQ(net.gridRows, 72);
    EXPECT_EQ(net.gridColumns, 144);
    ASSERT_EQ(net.holes.size(), 72u * 144u);
    const NetHole& last = net.holes.back();
    EXPECT_DOUBLE_EQ(last.x, 143 * net.cell + net.cell / 2);
    EXPECT_DOUBLE_EQ(last.y, 71 * net.cell + net.cell / 2);
    EXPECT_DOUBLE_EQ(last.measure, net.cell);  // black: the full cell

    // More rows than pixels: one row per pixel.
    image.Create(30, 20, 24);
    EXPECT_EQ(computeHoleNet(image, 72, false).gridRows, 20);
}

TEST(HoleNet, MeasureFollowsDarknessOrBrightnessOnEveryDepth) {
    struct Case {
        COLORREF colour;
        double dark;  // 1 - mean channel / 255
    } cases[] = {{RGB(255, 255, 255), 0.0}, {RGB(0, 0, 0), 1.0}, {RGB(102, 102, 102), 0.6}, {RGB(51, 102, 153), 0.6}};
    for (int bpp : {8, 24, 32}) {
        for (const Case& c : cases) {
            if (bpp == 8 && GetRValue(c.colour) != GetBValue(c.colour)) continue;  // a grey ramp holds greys only
            SCOPED_TRACE("bpp " + std::to_string(bpp) + " darkness " + std::to_string(c.dark));
            CImage image;
            fill(image, 100, 50, bpp, c.colour);  // 24 rows: cells of 50/24 pixels, not whole
            for (bool invert : {false, true}) {
                const HoleNet net = computeHoleNet(image, 24, invert);
                ASSERT_EQ(net.holes.size(), 24u * 48u);
                // Each cell reads the 3 x 3 pixels at offsets below c = 50/24 and divides their sum by c^2.
                const double c2 = (50.0 / 24) * (50.0 / 24), m = 9 * (1 - c.dark) / c2;
                for (const NetHole& h : net.holes)
                    ASSERT_NEAR(h.measure, (invert ? m : 1 - m) * net.cell, 1e-12);
            }
        }
    }
    CImage other;  // 1-, 4- and 16-bit pictures cannot be made here; an empty one stands for them
    EXPECT_TRUE(computeHoleNet(other, 72, false).holes.empty());
}

TEST(HoleNet, CellsReadTheirOwnPixelsTopRowFirst) {
    CImage image;
    fill(image, 96, 48, 24, RGB(255, 255, 255));
    for (int y = 0; y < 24; ++y)  // the top left quarter black
        for (int x = 0; x < 48; ++x) image.SetPixel(x, y, RGB(0, 0, 0));
    const HoleNet net = computeHoleNet(image, 24, false);  // cells of 2 pixels, 48 columns
    ASSERT_EQ(net.gridColumns, 48);
    for (const NetHole& h : net.holes) {
        const bool black = h.x < 48 && h.y < 24;
        ASSERT_DOUBLE_EQ(h.measure, black ? 2.0 : 0.0) << h.x << "," << h.y;
    }
}

class HoleDrawing : public DrawingTest {
protected:
    // A black 40 x 24 picture in 24 rows (one pixel cells), drawn 12 units high from (100, 50).
    std::vector<AcDbObjectId> draw(HoleShape shape, AcDbObjectId pattern = AcDbObjectId()) {
        CImage image;
        image.Create(40, 24, 24);
        net = computeHoleNet(image, 24, false);
        const size_t before = modelSpace().size();
        EXPECT_EQ(drawHoleNet(net, at, shape, pattern), 24 * 40);
        std::vector<AcDbObjectId> all = modelSpace();
        return {all.begin() + static_cast<long>(before), all.end()};
    }
    // The box of an entity.
    static AcDbExtents box(AcDbObjectId id) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        AcDbExtents ext;
        e->getGeomExtents(ext);
        return ext;
    }
    HoleNet net;
    NetPlacement at{AcGePoint3d(100, 50, 0), 12, 24, 50};
};

TEST_F(HoleDrawing, BlackCellsGiveCirclesOfDiameterElevenTenthsOfTheRowHeight) {
    const std::vector<AcDbObjectId> ids = draw(HoleShape::Circle);
    ASSERT_EQ(ids.size(), 960u);
    AcDbObjectPointer<AcDbCircle> first(ids.front(), AcDb::kForRead), last(ids.back(), AcDb::kForRead);
    ASSERT_TRUE(first && last);
    EXPECT_NEAR(first->radius() * 2, 1.1 * 12 / 24, 1e-12);
    // Cell (0, 0) is the top left one: half a cell in from the left and top edge of the 20 x 12 picture.
    EXPECT_TRUE(first->center().isEqualTo(AcGePoint3d(100.25, 61.75, 0)));
    EXPECT_TRUE(last->center().isEqualTo(AcGePoint3d(119.75, 50.25, 0)));
}

TEST_F(HoleDrawing, SquaresDiamondsAndSelectedShapesAreCentredAndSizedByTheRadius) {
    const double q = 1 * (12.0 / 24) * 55 / 100;  // one pixel's measure, half a unit per pixel, size 50
    // The pattern: a 4 x 2 rectangle far away, whose (4 + 2) / 4 = 1.5 is scaled to the radius.
    struct Case {
        HoleShape shape;
        double halfWidth, halfHeight;  // of the box around the first hole
    } cases[] = {{HoleShape::Square, q, q}, {HoleShape::Diamond, q, q}, {HoleShape::Selected, 2 * q / 1.5, q / 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.shape));
        DrawingTest::TearDown();
        DrawingTest::SetUp();
        AcDbObjectId pattern = addLw({{-50, -50}, {-46, -50}, {-46, -48}, {-50, -48}}, true);
        const std::vector<AcDbObjectId> ids = draw(c.shape, pattern);
        ASSERT_EQ(ids.size(), 960u);
        const AcDbExtents ext = box(ids.front());
        const AcGePoint3d lo = ext.minPoint(), hi = ext.maxPoint();
        EXPECT_NEAR((lo.x + hi.x) / 2, 100.25, 1e-9);
        EXPECT_NEAR((lo.y + hi.y) / 2, 61.75, 1e-9);
        EXPECT_NEAR((hi.x - lo.x) / 2, c.halfWidth, 1e-9);
        EXPECT_NEAR((hi.y - lo.y) / 2, c.halfHeight, 1e-9);
        AcDbObjectPointer<AcDbPolyline> pl(ids.front(), AcDb::kForRead);
        ASSERT_TRUE(pl);
        EXPECT_TRUE(pl->isClosed());
        EXPECT_EQ(pl->numVerts(), 4u);
        AcGePoint3d v0;
        pl->getPointAt(0, v0);
        if (c.shape == HoleShape::Diamond) {
            EXPECT_TRUE(v0.isEqualTo(AcGePoint3d(100.25 + q, 61.75, 0)));
        }
    }
}

TEST_F(HoleDrawing, SelectedShapeWithoutAPatternFallsBackAndWhiteCellsGetEmptyHoles) {
    const std::vector<AcDbObjectId> ids = draw(HoleShape::Selected);
    AcDbObjectPointer<AcDbCircle> circle(ids.front(), AcDb::kForRead);
    EXPECT_TRUE(circle);

    CImage white;
    fill(white, 40, 24, 24, RGB(255, 255, 255));
    // White cells get their holes too, empty ones; one of a cell size that is not whole (below 0) as well.
    EXPECT_EQ(drawHoleNet(computeHoleNet(white, 24, false), at, HoleShape::Circle, AcDbObjectId()), 24 * 40);
    fill(white, 50, 25, 24, RGB(255, 255, 255));
    const HoleNet light = computeHoleNet(white, 24, false);
    ASSERT_LT(light.holes.front().measure, 0);
    const size_t before = modelSpace().size();
    EXPECT_EQ(drawHoleNet(light, at, HoleShape::Circle, AcDbObjectId()), static_cast<int>(light.holes.size()));
    AcDbObjectPointer<AcDbCircle> empty(modelSpace()[before], AcDb::kForRead);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->radius(), 0.0);
}

}  // namespace
