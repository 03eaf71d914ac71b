// Hatches: solid areas with islands, and pattern lines cut by the loops.
#include <cmath>
#include <numeric>

#include "picture.h"
#include "render/hatch.h"

using cvx::render::patternSegments;

namespace {
std::vector<AcGePoint2d> square(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

double totalLength(const std::vector<cvx::render::Segment>& segs) {
    double sum = 0;
    for (const auto& [a, b] : segs) sum += a.distanceTo(b);
    return sum;
}

AcDbHatch::Loop polyLoop(const std::vector<AcGePoint2d>& pts) {
    AcDbHatch::Loop loop;
    loop.type = AcDbHatch::kPolyline;
    loop.vertices = pts;
    loop.bulges.assign(pts.size(), 0.0);
    return loop;
}
}  // namespace

TEST(HatchPattern, LinesInsideLoopsWithAHole) {
    std::vector<std::vector<AcGePoint2d>> loops{square(0, 0, 10, 10), square(3, 3, 7, 7)};
    AcDbHatch::PatternLine horizontal;
    horizontal.base = {0, 0.5};
    horizontal.offset = {0, 1};
    auto segs = patternSegments(loops, horizontal);
    // Ten lines at y = 0.5 .. 9.5; four of them cross the hole.
    EXPECT_EQ(segs.size(), 6u + 2 * 4u);
    EXPECT_NEAR(totalLength(segs), 10 * 10 - 4 * 4, 1e-9);

    // Diagonal lines: total length approaches area / spacing.
    AcDbHatch::PatternLine diagonal;
    diagonal.angle = M_PI / 4;
    diagonal.offset = AcGeVector2d(-1, 1) * (0.1 / std::sqrt(2.0));
    EXPECT_NEAR(totalLength(patternSegments(loops, diagonal)), 84 / 0.1, 84 / 0.1 * 0.01);

    // Dashes: 0.5 on, 0.5 off halves the ink; a family needing too many lines is left out.
    horizontal.dashes = {0.5, -0.5};
    EXPECT_NEAR(totalLength(patternSegments(loops, horizontal)), 42, 1.0);
    horizontal.offset = {0, 1e-6};
    EXPECT_TRUE(patternSegments(loops, horizontal).empty());
}

TEST_F(RenderTest, SolidHatchFillsAroundItsIslands) {
    auto* hatch = colored(new AcDbHatch, 1);
    hatch->insertLoopAt(0, polyLoop(square(-8, -8, 8, 8)));
    hatch->insertLoopAt(1, polyLoop(square(-3, -3, 3, 3)));
    AcDbHatch::Loop circle;  // an edge loop: a whole circle
    AcDbHatch::Edge edge;
    edge.type = AcDbHatch::kCirArc;
    edge.center = {5, -5};
    edge.radius = 2;
    edge.startAngle = 0;
    edge.endAngle = 2 * M_PI;
    circle.edges.push_back(edge);
    hatch->insertLoopAt(2, circle);
    add(hatch);

    auto pic = png();
    EXPECT_EQ(pic->at(150, 50), kRed);    // (5, 5)
    EXPECT_EQ(pic->at(100, 100), 0u);     // the square hole
    EXPECT_EQ(pic->at(150, 150), 0u);     // the round hole at (5, -5)
    EXPECT_EQ(pic->at(150, 176), kRed);   // (5, -7.5): between the round hole and the edge
    EXPECT_EQ(pic->at(10, 10), 0u);       // outside
    double area = 16 * 16 - 6 * 6 - M_PI * 4;
    EXPECT_NEAR(pic->count(kRed), area * 100, area * 100 * 0.02);
}

TEST_F(RenderTest, PatternHatchDrawsItsBoundaryAndLines) {
    auto* hatch = colored(new AcDbHatch, 3);
    hatch->setPattern(AcDbHatch::kPreDefined, L"ANSI31");
    hatch->insertLoopAt(0, polyLoop(square(-8, -8, 8, 8)));
    add(hatch);
    auto pic = png();
    EXPECT_EQ(pic->at(20, 100), kGreen);  // left edge of the boundary
    EXPECT_EQ(pic->at(100, 180), kGreen); // bottom edge: y = -8 is the top border of row 180
    // Along the middle row the 45-degree lines, 3.175 apart, cross 16 / (3.175 * sqrt 2) = 3.56 times.
    int runs = 0;
    for (int x = 23; x < 177; ++x) runs += pic->at(x, 100) == kGreen && pic->at(x - 1, 100) != kGreen;
    EXPECT_GE(runs, 3);
    EXPECT_LE(runs, 4);
}
