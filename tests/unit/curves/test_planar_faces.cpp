// Areas enclosed by flat curves: loops around picked points, islands, dead ends, tolerances; areas against
// closed forms and, for random overlapping circles, against a second geometry library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include <unistd.h>

#include "curves/planar_faces.h"

using namespace cvx::geom;

namespace {

using Segs = std::vector<Segment2>;

void addRect(Segs& s, double x0, double y0, double x1, double y1) {
    AcGePoint2d p[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (int i = 0; i < 4; ++i) s.push_back(Segment2::line(p[i], p[(i + 1) % 4]));
}
void addCircle(Segs& s, double cx, double cy, double r) { s.push_back(Segment2::fromArc({cx, cy}, r, 0.3, 2 * M_PI)); }
void addLine(Segs& s, double x0, double y0, double x1, double y1) { s.push_back(Segment2::line({x0, y0}, {x1, y1})); }

double areaOf(const BulgePolyline& pl) { return signedArea(pl); }

// What a pick should give: the outer loop's area, then the islands' areas in increasing order (none: no loop);
// the outer loop's vertex count (0: not checked) and whether all its pieces are arcs.
struct Pick {
    AcGePoint2d p;
    std::vector<double> areas;
    size_t vertices = 0;
    bool arcs = false;
};

void expectPicks(const Segs& s, double tol, const std::vector<Pick>& picks) {
    PlanarFaces faces(s, tol);
    for (const Pick& k : picks) {
        SCOPED_TRACE(testing::Message() << "pick " << k.p.x << "," << k.p.y);
        std::vector<BulgePolyline> loops = faces.loopsAround(k.p);
        ASSERT_EQ(loops.size(), k.areas.size());
        if (loops.empty()) continue;
        std::vector<double> areas;
        for (const BulgePolyline& l : loops) {
            EXPECT_TRUE(l.closed);
            areas.push_back(areaOf(l));  // counter-clockwise: positive
        }
        std::sort(areas.begin() + 1, areas.end());
        for (size_t i = 0; i < areas.size(); ++i) EXPECT_NEAR(areas[i], k.areas[i], 1e-7);
        if (k.vertices) {
            EXPECT_EQ(loops[0].v.size(), k.vertices);
        }
        for (const Vertex2& v : loops[0].v) EXPECT_TRUE(!k.arcs || v.bulge != 0);
    }
}

}  // namespace

TEST(PlanarFaces, IslandsNestedGroupsAndPointsOutside) {
    Segs s;
    addRect(s, 0, 0, 10, 10);
    addCircle(s, 5, 5, 4);
    addCircle(s, 5, 5, 1);
    addRect(s, 0.2, 0.2, 0.6, 0.6);  // a second island in the corner
    expectPicks(s, 1e-8, {{{0.1, 5}, {100, 0.16, 16 * M_PI}, 4},
                          {{5, 8}, {16 * M_PI, M_PI}, 0, true},      // the small circle is the ring's island only
                          {{5, 5}, {M_PI}, 2, true},                 // the centre: on both halves' chords
                          {{20, 3}, {}},
                          {{-1e-3, 5}, {}}});
}

TEST(PlanarFaces, OverlappingCirclesGiveLensAndCrescentsOfArcsAndHalfCirclesAreTwoBulges) {
    Segs s;
    addCircle(s, 0, 0, 1);
    addCircle(s, 1, 0, 1);
    s.push_back(Segment2::fromArc({2, 5}, 3, 0, M_PI));
    s.push_back(Segment2::fromArc({2, 5}, 3, 2 * M_PI, -M_PI));  // drawn the other way round
    double lens = 2 * M_PI / 3 - std::sqrt(3) / 2;
    expectPicks(s, 1e-9, {{{0.5, 0.1}, {lens}, 0, true},
                          {{-0.5, 0.2}, {M_PI - lens}, 0, true},
                          {{1.5, -0.3}, {M_PI - lens}, 0, true},
                          {{2, 5}, {9 * M_PI}, 2, true}});
}

TEST(PlanarFaces, DividingLinesMakeOneAreaPerSideAndDeadEndsBridgesAndRepeatsBoundNothing) {
    Segs s;
    addRect(s, 0, 0, 10, 6);
    addLine(s, 0, 3, 10, 3);  // across
    addLine(s, 5, 3, 5, 6);   // the T's stem, up to the top side
    addLine(s, 0, 1, 3, 1);   // dead end from the left side
    addLine(s, 6, 1, 8, 2);   // floating
    addRect(s, 0, 0, 10, 6);  // drawn twice
    addLine(s, 2, 0, 12, 0);  // overlapping the bottom side and running past it
    expectPicks(s, 1e-8, {{{2, 2}, {30}, 4}, {{2, 5}, {15}, 4}, {{8, 5}, {15}, 4}});

    Segs b;
    addRect(b, 0, 0, 10, 10);
    addCircle(b, 5, 6, 1);  // an island joined to the bottom side by a bridge
    addLine(b, 5, 0, 5, 5);
    b.push_back(Segment2::fromArc({5, 6}, 1, 0, M_PI));  // half of it drawn twice over
    expectPicks(b, 1e-8, {{{1, 1}, {100, M_PI}, 4}});
}

TEST(PlanarFaces, ALongPieceAcrossAFieldOfSmallOnesCutsEachItCrosses) {
    // 1,600 small squares and one line along their diagonal row: it splits each of the 40 it runs through
    // and none of the others, however the candidate pairs are found.
    Segs s;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 40; ++j) addRect(s, i, j, i + 0.5, j + 0.5);
    addLine(s, -1, -1.25, 41, 40.75);
    PlanarFaces faces(s, 1e-9);
    EXPECT_EQ(faces.areaCount(), 1640u);
    for (auto [p, area] : {std::pair{AcGePoint2d(20.4, 20.1), 0.03125}, {AcGePoint2d(20.1, 20.4), 0.21875}}) {
        std::vector<BulgePolyline> part = faces.loopsAround(p);  // the corner cut off, and the rest
        ASSERT_EQ(part.size(), 1u);
        EXPECT_NEAR(signedArea(part[0]), area, 1e-12);
    }
}

TEST(PlanarFaces, EndsWithinTheToleranceMeetAndTangentCurvesTouch) {
    // Corners left open by 1e-10: closed at a tolerance of 1e-8, open at 1e-11.
    Segs s;
    addLine(s, 0, 0, 10, 0);
    addLine(s, 10, 1e-10, 10, 10);
    addLine(s, 10 - 1e-10, 10, 0, 10);
    addLine(s, 0, 10, 0, 1e-10);
    expectPicks(s, 1e-8, {{{5, 5}, {100}}});
    expectPicks(s, 1e-11, {{{5, 5}, {}}});

    // A circle standing on the bottom side and a line tangent to its top: the areas part at the touches.
    Segs t;
    addRect(t, 0, 0, 10, 10);
    addCircle(t, 5, 2, 2);
    addLine(t, 0, 4, 10, 4);
    expectPicks(t, 1e-8, {{{1, 1}, {(40 - 4 * M_PI) / 2}}, {{5, 2}, {4 * M_PI}}, {{5, 7}, {60}}});
}

TEST(PlanarFacesVsShapely, RandomOverlappingCirclesGiveTheAreaAndIslandsAroundEachPick) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> U(0, 1);
    auto rounded = [&](double lo, double span) { return std::round((lo + span * U(rng)) * 1e4) / 1e4; };
    Segs s;
    std::ostringstream js;
    js << "{\"circles\":[";
    for (int i = 0; i < 14; ++i) {
        double cx = rounded(0, 10), cy = rounded(0, 10), r = rounded(1, 2.5);
        addCircle(s, cx, cy, r);
        js << (i ? "," : "") << "[" << cx << "," << cy << "," << r << "]";
    }
    std::vector<AcGePoint2d> picks;
    js << "],\"picks\":[";
    for (int i = 0; i < 40; ++i) {
        picks.push_back({rounded(-2, 14), rounded(-2, 14)});
        js << (i ? "," : "") << "[" << picks.back().x << "," << picks.back().y << "]";
    }
    js << "]}";
    // The reference: per pick the area inside the outer ring of the face holding it (0: unbounded) and its holes.
    std::string in = "/tmp/cvx_faces_" + std::to_string(getpid()) + ".json";
    std::ofstream(in) << js.str();
    std::vector<std::pair<double, int>> ref;
    if (FILE* p = popen(("/usr/bin/python3 " CVX_SOURCE_DIR "/tests/unit/curves/faces_ref.py " + in).c_str(), "r")) {
        double area;
        int holes;
        while (std::fscanf(p, "%lf %d", &area, &holes) == 2) ref.push_back({area, holes});
        pclose(p);
    }
    std::remove(in.c_str());
    ASSERT_EQ(ref.size(), picks.size()) << "the shapely reference did not run";

    PlanarFaces faces(s, 1e-8);
    int enclosed = 0;
    for (size_t i = 0; i < picks.size(); ++i) {
        auto loops = faces.loopsAround(picks[i]);
        ASSERT_EQ(loops.empty(), ref[i].first == 0) << "pick " << i;
        if (loops.empty()) continue;
        ++enclosed;
        // The reference's circles are 2048-gons: their areas fall short by some 1e-6 of a disk.
        EXPECT_NEAR(areaOf(loops[0]), ref[i].first, 1e-4) << "pick " << i;
        EXPECT_EQ(int(loops.size()) - 1, ref[i].second) << "islands of pick " << i;
    }
    EXPECT_GT(enclosed, 20);
}
