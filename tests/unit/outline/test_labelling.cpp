// Labelling the background regions of a picture: the colour tolerance, joining, numbering and the 16-bit limit.
#include <gtest/gtest.h>

#include "outline_fixture.h"

namespace {

// Every background cell of the grid, as its label; ring cells must stay -1.
void expectRing(const LabelGrid& grid) {
    for (int c = 0; c < grid.width() + 2; ++c) {
        ASSERT_EQ(grid.at(c, 0), -1);
        ASSERT_EQ(grid.at(c, grid.height() + 1), -1);
    }
    for (int r = 0; r < grid.height() + 2; ++r) {
        ASSERT_EQ(grid.at(0, r), -1);
        ASSERT_EQ(grid.at(grid.width() + 1, r), -1);
    }
}

}  // namespace

TEST(Labelling, EachChannelWithin32OfTheBackgroundCountsAsBackgroundAtEveryDepth) {
    const int ref = 100;
    const int shades[] = {ref + 32, ref - 32, ref + 33, ref - 33, ref};
    for (int bpp : {8, 24, 32}) {
        CImage image;
        image.Create(5, 4, bpp);
        for (int x = 0; x < 5; ++x) {
            const int s = shades[x];
            image.SetPixel(x, 0, RGB(s, s, s));
            if (bpp == 8) continue;  // an indexed picture holds greys only
            image.SetPixel(x, 1, RGB(s, ref, ref));
            image.SetPixel(x, 2, RGB(ref, s, ref));
            image.SetPixel(x, 3, RGB(ref, ref, s));
        }
        const int rows = bpp == 8 ? 1 : 4;
        LabelGrid grid(5, 4);
        labelBackgroundRegions(ref, ref, ref, image, grid, kBackgroundTolerance);
        for (int y = 0; y < rows; ++y) {
            EXPECT_GE(grid.at(1, y + 1), 1) << bpp << " bits, row " << y;
            EXPECT_GE(grid.at(2, y + 1), 1) << bpp << " bits, row " << y;
            EXPECT_EQ(grid.at(3, y + 1), 0) << bpp << " bits, row " << y;
            EXPECT_EQ(grid.at(4, y + 1), 0) << bpp << " bits, row " << y;
            EXPECT_GE(grid.at(5, y + 1), 1) << bpp << " bits, row " << y;
        }
        expectRing(grid);
    }
}

TEST(Labelling, RegionsAreJoinedNumberedWithoutGapsAndCountedWithTheInk) {
    // An arch whose inside the first pass labels afresh, joined to the outside below its legs; a closed box
    // with an inner area; a comb whose gaps open downwards.
    int k = 0;
    LabelGrid grid = labelled({
        "..................",
        ".####....######...",
        ".#..#....#....#...",
        ".#..#....#....#...",
        ".........######...",
        "..................",
        "..#.#.#.#.........",
        "..#.#.#.#.........",
        "..................",
    }, &k);
    EXPECT_EQ(k, 3) << "ink, the outside, the inside of the box";
    for (int r = 1; r <= grid.height(); ++r) {
        for (int c = 1; c <= grid.width(); ++c) {
            const bool insideBox = r >= 3 && r <= 4 && c >= 11 && c <= 14;
            if (grid.at(c, r) != 0) {
                EXPECT_EQ(grid.at(c, r), insideBox ? 2 : 1) << c << "," << r;
            }
        }
    }
    expectRing(grid);
}

TEST(Labelling, CornersJoinOnlyUpRightAndNotFromTheFirstColumn) {
    // Touching at an upper-right corner joins (row 1); not for a pixel of the first column (row 3), and never
    // at an upper-left corner (row 4).
    int k = 0;
    LabelGrid grid = labelled({
        "####.",
        "###.#",
        "#.###",
        ".####",
        "#.###",
    }, &k);
    EXPECT_EQ(k, 5);
    EXPECT_EQ(grid.at(5, 1), 1);
    EXPECT_EQ(grid.at(4, 2), 1);
    EXPECT_EQ(grid.at(2, 3), 2);
    EXPECT_EQ(grid.at(1, 4), 3);
    EXPECT_EQ(grid.at(2, 5), 4);
}

TEST(Labelling, NoBackgroundAndUnreadableDepthsGiveOnlyInk) {
    int k = 0;
    LabelGrid grid = labelled({"###", "###"}, &k);
    EXPECT_EQ(k, 1);
    EXPECT_EQ(grid.at(2, 2), 0);
    CImage image;
    LabelGrid wrongSize(7, 7);
    drawPicture(image, {"...", "..."});
    EXPECT_EQ(labelBackgroundRegions(255, 255, 255, image, wrongSize, kBackgroundTolerance), 0);
}

TEST(Labelling, ManyFirstPassLabelsThatMergeFitIn16Bits) {
    // Every three rows start a new label at the right edge, joined to the left column one row later: some
    // 33000 labels in the first pass, one region in the end.
    std::vector<std::string> rows;
    for (int i = 0; i < 33000; ++i) {
        rows.push_back(".##");
        rows.push_back(".#.");
        rows.push_back("...");
    }
    int k = 0;
    LabelGrid grid = labelled(rows, &k);
    EXPECT_EQ(k, 2);
    for (int r = 1; r <= grid.height(); ++r) {
        for (int c = 1; c <= 3; ++c) {
            if (rows[r - 1][c - 1] == '.') {
                ASSERT_EQ(grid.at(c, r), 1) << c << "," << r;
            }
        }
    }
}

TEST(Labelling, RegionsBeyondTheLargestLabelAreLeftUnlabelled) {
    // 200 x 200 single background pixels: 40000 regions, numbered in scan order.
    std::vector<std::string> rows(400, std::string(400, '#'));
    for (int y = 0; y < 400; y += 2)
        for (int x = 0; x < 400; x += 2) rows[y][x] = '.';
    int k = 0;
    LabelGrid grid = labelled(rows, &k);
    EXPECT_EQ(k, kLargestLabel + 1);
    auto cellOfRegion = [&](int n) { return std::pair{((n - 1) % 200) * 2 + 1, ((n - 1) / 200) * 2 + 1}; };
    auto [c1, r1] = cellOfRegion(kLargestLabel);
    EXPECT_EQ(grid.at(c1, r1), kLargestLabel);
    auto [c2, r2] = cellOfRegion(kLargestLabel + 1);
    EXPECT_EQ(grid.at(c2, r2), -1);
    EXPECT_EQ(grid.at(399, 399), -1);
    EXPECT_EQ(grid.at(2, 1), 0);
}
