// Areas enclosed by flat curves: loops around picked points, islands, dead ends, tolerances; areas against
// closed forms and, for random overlapping circles, against a second geometry library.
#include <gtest/gtest.h>

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
int arcCount(const BulgePolyline& pl) {
    int n = 0;
    for (const Vertex2& v : pl.v) n += v.bulge != 0;
    return n;
}

}  // namespace

TEST(PlanarFaces, SquareWithCircleIslandGivesOuterLoopThenIslandAndNothingOutside) {
    Segs s;
    addRect(s, 0, 0, 10, 10);
    addCircle(s, 5, 5, 2);
    PlanarFaces faces(s, 1e-8);
    auto ring = faces.loopsAround({1, 1});
    ASSERT_EQ(ring.size(), 2u);
    EXPECT_TRUE(ring[0].closed && ring[1].closed);
    EXPECT_NEAR(areaOf(ring[0]), 100, 1e-9);
    EXPECT_EQ(ring[0].v.size(), 4u);
    EXPECT_NEAR(areaOf(ring[1]), 4 * M_PI, 1e-9);  // the island, counter-clockwise, as two arcs
    EXPECT_EQ(arcCount(ring[1]), 2);
    auto disk = faces.loopsAround({5, 5});  // the centre: on the chords of both halves, at their ends' height
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_NEAR(areaOf(disk[0]), 4 * M_PI, 1e-9);
    EXPECT_TRUE(faces.loopsAround({20, 3}).empty());
    EXPECT_TRUE(faces.loopsAround({-1e-3, 5}).empty());
}

TEST(PlanarFaces, TwoOverlappingCirclesGiveLensAndCrescentsOfArcs) {
    Segs s;
    addCircle(s, 0, 0, 1);
    addCircle(s, 1, 0, 1);
    PlanarFaces faces(s, 1e-9);
    double lens = 2 * M_PI / 3 - std::sqrt(3) / 2;
    struct Pick {
        AcGePoint2d p;
        double area;
    } picks[] = {{{0.5, 0.1}, lens}, {{-0.5, 0.2}, M_PI - lens}, {{1.5, -0.3}, M_PI - lens}};
    for (const Pick& k : picks) {
        auto loops = faces.loopsAround(k.p);
        ASSERT_EQ(loops.size(), 1u) << k.p.x;
        EXPECT_NEAR(areaOf(loops[0]), k.area, 1e-9) << k.p.x;
        EXPECT_EQ(arcCount(loops[0]), int(loops[0].v.size())) << "every piece stays an arc";
    }
}

TEST(PlanarFaces, LinesDividingARectangleMakeOneAreaPerSide) {
    Segs s;
    addRect(s, 0, 0, 10, 6);
    addLine(s, 0, 3, 10, 3);  // across
    addLine(s, 5, 3, 5, 6);   // the T's stem, up to the top edge
    PlanarFaces faces(s, 1e-8);
    EXPECT_EQ(faces.areaCount(), 3u);
    auto bottom = faces.loopsAround({2, 1});
    ASSERT_EQ(bottom.size(), 1u);
    EXPECT_NEAR(areaOf(bottom[0]), 30, 1e-9);
    EXPECT_EQ(bottom[0].v.size(), 4u) << "the cross line cut at the stem is one side again";
    for (double x : {2.0, 8.0}) {
        auto top = faces.loopsAround({x, 5});
        ASSERT_EQ(top.size(), 1u);
        EXPECT_NEAR(areaOf(top[0]), 15, 1e-9);
    }
}

TEST(PlanarFaces, DeadEndsFloatingLinesAndBridgesBoundNothing) {
    Segs s;
    addRect(s, 0, 0, 10, 10);
    addLine(s, 0, 5, 3, 5);   // dead end from the left side
    addLine(s, 6, 1, 8, 2);   // floating
    addCircle(s, 5, 6, 1);    // an island joined to the bottom side by a bridge
    addLine(s, 5, 0, 5, 5);
    PlanarFaces faces(s, 1e-8);
    auto loops = faces.loopsAround({1, 1});
    ASSERT_EQ(loops.size(), 2u);
    EXPECT_NEAR(areaOf(loops[0]), 100, 1e-9);
    EXPECT_EQ(loops[0].v.size(), 4u);
    EXPECT_NEAR(areaOf(loops[1]), M_PI, 1e-9);
}

TEST(PlanarFaces, NestedGroupsAreIslandsOnlyOfTheAreaRightAroundThem) {
    Segs s;
    addRect(s, 0, 0, 10, 10);
    addCircle(s, 5, 5, 4);
    addCircle(s, 5, 5, 1);
    addRect(s, 0.2, 0.2, 0.6, 0.6);  // a second island in the corner
    PlanarFaces faces(s, 1e-8);
    auto corner = faces.loopsAround({0.1, 5});
    ASSERT_EQ(corner.size(), 3u);
    EXPECT_NEAR(areaOf(corner[0]), 100, 1e-9);
    double islands = areaOf(corner[1]) + areaOf(corner[2]);
    EXPECT_NEAR(islands, 16 * M_PI + 0.16, 1e-9);
    auto ringArea = faces.loopsAround({5, 8});
    ASSERT_EQ(ringArea.size(), 2u);
    EXPECT_NEAR(areaOf(ringArea[0]), 16 * M_PI, 1e-9);
    EXPECT_NEAR(areaOf(ringArea[1]), M_PI, 1e-9);
}

TEST(PlanarFaces, HalfCirclesJoinedEndToEndEncloseTheDiskAsTwoBulges) {
    Segs s;
    s.push_back(Segment2::fromArc({2, 3}, 3, 0, M_PI));
    s.push_back(Segment2::fromArc({2, 3}, 3, 2 * M_PI, -M_PI));  // drawn the other way round
    PlanarFaces faces(s, 1e-8);
    auto loops = faces.loopsAround({2, 3});
    ASSERT_EQ(loops.size(), 1u);
    ASSERT_EQ(loops[0].v.size(), 2u);
    EXPECT_NEAR(std::fabs(loops[0].v[0].bulge), 1, 1e-12);
    EXPECT_NEAR(areaOf(loops[0]), 9 * M_PI, 1e-9);
}

TEST(PlanarFaces, EndsWithinTheToleranceMeetAndTangentCurvesTouch) {
    // Corners left open by 1e-10: closed at a tolerance of 1e-8, open at 1e-11.
    Segs s;
    addLine(s, 0, 0, 10, 0);
    addLine(s, 10, 1e-10, 10, 10);
    addLine(s, 10 - 1e-10, 10, 0, 10);
    addLine(s, 0, 10, 0, 1e-10);
    EXPECT_NEAR(areaOf(PlanarFaces(s, 1e-8).loopsAround({5, 5}).at(0)), 100, 1e-7);
    EXPECT_TRUE(PlanarFaces(s, 1e-11).loopsAround({5, 5}).empty());

    // A circle standing on the bottom side and a line tangent to its top: one group, areas cut at the touches.
    Segs t;
    addRect(t, 0, 0, 10, 10);
    addCircle(t, 5, 2, 2);
    addLine(t, 0, 4, 10, 4);
    PlanarFaces faces(t, 1e-8);
    auto below = faces.loopsAround({1, 1});
    ASSERT_EQ(below.size(), 1u);
    EXPECT_NEAR(areaOf(below[0]), (40 - 4 * M_PI) / 2, 1e-7);
    auto disk = faces.loopsAround({5, 2});
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_NEAR(areaOf(disk[0]), 4 * M_PI, 1e-7);
    auto above = faces.loopsAround({5, 7});
    ASSERT_EQ(above.size(), 1u);
    EXPECT_NEAR(areaOf(above[0]), 60, 1e-7);
}

TEST(PlanarFaces, OverlappingAndRepeatedPiecesCountOnce) {
    Segs s;
    addRect(s, 0, 0, 10, 10);
    addRect(s, 0, 0, 10, 10);        // drawn twice
    addLine(s, 2, 0, 12, 0);         // overlapping the bottom side and running past it
    s.push_back(Segment2::fromArc({5, 5}, 2, 0, M_PI));  // half of the island drawn twice over
    addCircle(s, 5, 5, 2);
    PlanarFaces faces(s, 1e-8);
    auto loops = faces.loopsAround({1, 1});
    ASSERT_EQ(loops.size(), 2u);
    EXPECT_NEAR(areaOf(loops[0]), 100, 1e-9);
    EXPECT_NEAR(areaOf(loops[1]), 4 * M_PI, 1e-9);
}

namespace {

// Runs faces_ref.py on the JSON input: per pick, the area inside the outer ring of the face holding it (0 when
// unbounded) and the face's hole count.
std::vector<std::pair<double, int>> shapelyFaces(const std::string& json) {
    std::string in = "/tmp/cvx_faces_" + std::to_string(getpid()) + ".json";
    std::ofstream(in) << json;
    std::vector<std::pair<double, int>> ref;
    if (FILE* p = popen(("/usr/bin/python3 " CVX_SOURCE_DIR "/tests/unit/curves/faces_ref.py " + in).c_str(), "r")) {
        double area;
        int holes;
        while (std::fscanf(p, "%lf %d", &area, &holes) == 2) ref.push_back({area, holes});
        pclose(p);
    }
    std::remove(in.c_str());
    return ref;
}

// Our loops around each pick against the reference: nothing where it finds an unbounded face, else the outer
// loop's area and one island per hole. Returns how many picks were enclosed.
int compareWithShapely(const PlanarFaces& faces, const std::vector<AcGePoint2d>& picks,
                       const std::vector<std::pair<double, int>>& ref, double areaTol) {
    EXPECT_EQ(ref.size(), picks.size()) << "the shapely reference did not run";
    int enclosed = 0;
    for (size_t i = 0; i < std::min(picks.size(), ref.size()); ++i) {
        auto loops = faces.loopsAround(picks[i]);
        if (ref[i].first == 0) {
            EXPECT_TRUE(loops.empty()) << "pick " << i;
            continue;
        }
        ++enclosed;
        if (loops.empty()) {
            ADD_FAILURE() << "no loops around pick " << i;
            continue;
        }
        EXPECT_NEAR(areaOf(loops[0]), ref[i].first, areaTol) << "pick " << i;
        EXPECT_EQ(int(loops.size()) - 1, ref[i].second) << "islands of pick " << i;
    }
    return enclosed;
}

}  // namespace

TEST(PlanarFacesVsShapely, RandomOverlappingCirclesGiveTheAreaAroundEachPick) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> U(0, 1);
    auto rounded = [&](double lo, double span) { return std::round((lo + span * U(rng)) * 1e4) / 1e4; };
    Segs s;
    std::ostringstream js;
    js.precision(17);
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
    // The reference's circles are 2048-gons: their areas fall short by some 1e-6 of a disk.
    EXPECT_GT(compareWithShapely(PlanarFaces(s, 1e-8), picks, shapelyFaces(js.str()), 1e-4), 20);
}

TEST(PlanarFacesVsShapely, RandomLinesWithDanglesBridgesAndTriangleIslandsGiveTheFaceAroundEachPick) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> U(0, 1);
    auto rounded = [&](double lo, double span) { return std::round((lo + span * U(rng)) * 1e4) / 1e4; };
    Segs s;
    std::ostringstream js;
    js.precision(17);
    js << "{\"lines\":[";
    auto line = [&](double x0, double y0, double x1, double y1) {
        js << (s.empty() ? "" : ",") << "[" << x0 << "," << y0 << "," << x1 << "," << y1 << "]";
        addLine(s, x0, y0, x1, y1);
    };
    line(0, 0, 10, 0), line(10, 0, 10, 10), line(10, 10, 0, 10), line(0, 10, 0, 0);
    for (int i = 0; i < 30; ++i) {
        double x = rounded(-1, 12), y = rounded(-1, 12), a = 2 * M_PI * U(rng), l = rounded(1, 5);
        line(x, y, std::round((x + l * std::cos(a)) * 1e4) / 1e4, std::round((y + l * std::sin(a)) * 1e4) / 1e4);
    }
    for (int i = 0; i < 8; ++i) {  // small triangles, some lying free in a face
        double x = rounded(0.5, 9), y = rounded(0.5, 9);
        line(x, y, x + 0.3, y), line(x + 0.3, y, x, y + 0.2), line(x, y + 0.2, x, y);
    }
    std::vector<AcGePoint2d> picks;
    js << "],\"picks\":[";
    for (int i = 0; i < 60; ++i) {
        picks.push_back({rounded(-1, 12), rounded(-1, 12)});
        js << (i ? "," : "") << "[" << picks.back().x << "," << picks.back().y << "]";
    }
    js << "]}";
    EXPECT_GT(compareWithShapely(PlanarFaces(s, 1e-9), picks, shapelyFaces(js.str()), 1e-9), 30);
}
