// Tracing a region's outer edge, and choosing a point inside every region.
#include <gtest/gtest.h>

#include "outline/region_points.h"
#include "outline/region_trace.h"
#include "outline_fixture.h"

namespace {

std::vector<std::pair<int, int>> pairsOf(const PixelChain& chain) {
    std::vector<std::pair<int, int>> out;
    for (const POINT& p : chain) out.emplace_back(p.x, p.y);
    return out;
}

}  // namespace

TEST(Trace, WalksClockwiseOnScreenFromTheTopLeftWithTheRegionOnItsRight) {
    const LabelGrid grid = gridOf({
        "........",
        ".5555...",
        ".5555...",
        ".5555...",
        "........",
    });
    PixelChain chain;
    traceRegionBoundary(5, grid, chain);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2},
                                                        {4, 3}, {3, 3}, {2, 3}, {1, 3}, {1, 2}};
    EXPECT_EQ(pairsOf(chain), expected);
    PixelChain none;
    traceRegionBoundary(7, grid, none);
    EXPECT_TRUE(none.empty());
}

TEST(Trace, PixelsOfThePicturesOutermostRingAreNotRecorded) {
    const LabelGrid grid = gridOf({
        "11111",
        "11111",
        "11...",
        "11...",
    });
    PixelChain chain;
    traceRegionBoundary(1, grid, chain);
    const std::vector<std::pair<int, int>> expected = {{3, 1}, {2, 1}, {1, 2}};
    EXPECT_EQ(pairsOf(chain), expected);
}

TEST(Trace, AOnePixelRegionAndALongWindingOneEndWithinTheStepLimit) {
    PixelChain single;
    traceRegionBoundary(1, gridOf({"....", ".1..", "....", "...."}), single);
    EXPECT_EQ(pairsOf(single), (std::vector<std::pair<int, int>>{{1, 1}}));

    // A winding corridor of some 800 cells: walking round it would take far more than 20 (W + H) looks.
    std::vector<std::string> rows;
    int cells = 0;
    for (int y = 0; y < 41; ++y) {
        std::string row(41, '.');
        if (y % 2 == 0) row.replace(1, 39, std::string(39, '1'));
        else row[(y / 2) % 2 == 0 ? 39 : 1] = '1';
        for (char c : row) cells += c == '1';
        rows.push_back(row);
    }
    PixelChain chain;
    traceRegionBoundary(1, gridOf(rows), chain);
    EXPECT_GT(chain.size(), 100u);
    EXPECT_LT(chain.size(), static_cast<size_t>(cells)) << "stopped long before the way back";
}

TEST(RegionPoints, TheCentroidWhenInsideElseWhereTheSearchesLeadIt) {
    // A frame around a square: the frame's centroid falls in the square. To the right it meets the frame once
    // (moved onto it, searching on), to the left once more (moved across to the left bar), downwards three
    // times (moved half way down what it met, settled). The square keeps its centroid.
    const LabelGrid framed = gridOf({
        "111111111",
        "1.......1",
        "1.22222.1",
        "1.22222.1",
        "1.22222.1",
        "1.......1",
        "111111111",
    });
    PixelChain points;
    findRegionPoints(3, framed, points);
    EXPECT_EQ(pairsOf(points), (std::vector<std::pair<int, int>>{{1, 5}, {5, 4}}));

    // A C whose centroid (4,4) lies in its opening: nothing to the right; to the left exactly two region cells
    // then a miss, which settles the point where it is, outside the C.
    const LabelGrid c = gridOf({
        ".........",
        ".1111111.",
        ".11......",
        ".11......",
        ".11......",
        ".1111111.",
        ".........",
    });
    PixelChain inC;
    findRegionPoints(2, c, inC);
    EXPECT_EQ(pairsOf(inC), (std::vector<std::pair<int, int>>{{4, 4}}));
    // With a bar three cells thick (centroid (5,4)) the search settles one cell into it.
    const LabelGrid thick = gridOf({
        "...........",
        ".111111111.",
        ".111.......",
        ".111.......",
        ".111.......",
        ".111111111.",
        "...........",
    });
    PixelChain inThick;
    findRegionPoints(2, thick, inThick);
    EXPECT_EQ(pairsOf(inThick), (std::vector<std::pair<int, int>>{{4, 4}}));
}

TEST(RegionPoints, RegionsWithoutCellsAndCountsBelowTwoGiveNoPoints) {
    const LabelGrid grid = gridOf({"..3", "..."});
    PixelChain points;
    findRegionPoints(1, grid, points);
    EXPECT_TRUE(points.empty());
    findRegionPoints(4, grid, points);
    EXPECT_EQ(pairsOf(points), (std::vector<std::pair<int, int>>{{3, 1}}));
}
