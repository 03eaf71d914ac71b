// Offsets and intersections compared with a second geometry library on random inputs.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "curves/intersect.h"
#include "curves/offset.h"
#include "shapely_check.h"

using namespace cvx::geom;

namespace {

// Flattened to a chord error far below the tolerances checked.
std::vector<AcGePoint2d> flatten(const BulgePolyline& pl, double chordErr, double maxStep = INFINITY) {
    std::vector<AcGePoint2d> pts;
    for (const Segment2& s : segments(pl)) {
        int n = std::max(1, int(std::ceil(s.length() / maxStep)));
        if (s.arc) n = std::max(n, int(std::ceil(std::fabs(s.sweep) / (2 * std::acos(1 - chordErr / s.radius)))));
        for (int k = 0; k < n; ++k) pts.push_back(s.pointAt(double(k) / n));
    }
    if (!pl.v.empty()) pts.push_back(pl.closed ? pl.v[0].pt : pl.v.back().pt);
    return pts;
}

// A star-shaped counter-clockwise polygon with some arc segments.
BulgePolyline randomLoop(std::mt19937& rng) {
    std::uniform_real_distribution<double> U(0, 1);
    int n = 6 + int(U(rng) * 8);
    BulgePolyline pl;
    pl.closed = true;
    for (int i = 0; i < n; ++i) {
        double a = 2 * M_PI * (i + 0.3 * U(rng)) / n, r = 10 * (0.55 + 0.45 * U(rng));
        double bulge = U(rng) < 0.5 ? (U(rng) - 0.5) * 0.6 : 0.0;
        pl.v.push_back({{r * std::cos(a), r * std::sin(a)}, bulge});
    }
    return pl;
}

}  // namespace

TEST(OffsetVsShapely, RandomClosedPolylinesWithArcsKeepTheDistanceAndMatchRoundBuffers) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> U(0, 1);
    std::ostringstream js;
    js << "{\"cases\":[";
    const int kCases = 16;
    for (int c = 0; c < kCases; ++c) {
        BulgePolyline pl = randomLoop(rng);
        double d = (c % 2 ? -1 : 1) * (0.3 + 2.2 * U(rng));
        std::vector<BulgePolyline> off = offset(pl, d);
        ASSERT_FALSE(off.empty()) << "case " << c;
        js << (c ? "," : "") << "{\"poly\":" << jsonPoints(flatten(pl, 1e-6)) << ",\"d\":" << d << ",\"ours\":[";
        for (size_t k = 0; k < off.size(); ++k) {
            EXPECT_TRUE(off[k].closed);
            js << (k ? "," : "") << jsonPoints(flatten(off[k], 1e-4, 0.15));
        }
        js << "]}";
    }
    js << "]}";
    std::vector<std::string> out = runShapely("buffer", js.str());
    ASSERT_EQ(out.size(), size_t(kCases));
    for (int c = 0; c < kCases; ++c) {
        std::istringstream in(out[c]);
        double dev, area, refArea;
        int rings, refRings;
        in >> dev >> rings >> refRings >> area >> refArea;
        EXPECT_LT(dev, 1e-6 * 20) << "case " << c;  // every point at the offset distance
        EXPECT_EQ(rings, refRings) << "case " << c;  // no loop kept or lost
        EXPECT_NEAR(area, refArea, 1e-4 * refArea) << "case " << c;
    }
}

TEST(IntersectVsShapely, RandomLinesArcsAndCircles) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> U(0, 1);
    std::vector<Curve> curves;
    std::vector<BulgePolyline> flat;  // same curves as polylines for flattening
    for (int i = 0; i < 24; ++i) {
        AcGePoint2d p(U(rng) * 10, U(rng) * 10);
        int kind = i % 3;
        if (kind == 0) {
            AcGePoint2d q(U(rng) * 10, U(rng) * 10);
            curves.push_back(Line{{p.x, p.y, 0}, {q.x, q.y, 0}});
            flat.push_back({{{p, 0}, {q, 0}}, false});
        } else {
            double r = 0.5 + 3 * U(rng), a0 = U(rng) * 2 * M_PI, sw = kind == 1 ? 0.3 + U(rng) * 5 : 2 * M_PI;
            Arc a = Arc::fromEntity({p.x, p.y, 0}, r, AcGeVector3d::kZAxis, a0, a0 + sw);
            curves.push_back(a);
            Segment2 h1 = Segment2::fromArc(p, r, a0, sw / 2), h2 = Segment2::fromArc(p, r, a0 + sw / 2, sw / 2);
            flat.push_back(fromSegments({h1, h2}, false));
        }
    }
    std::ostringstream js;
    js << "{\"curves\":[";
    for (size_t i = 0; i < flat.size(); ++i) js << (i ? "," : "") << jsonPoints(flatten(flat[i], 5e-8));
    js << "]}";
    std::vector<std::string> out = runShapely("intersect", js.str());
    ASSERT_EQ(out.size(), curves.size() * (curves.size() - 1) / 2);
    int total = 0;
    for (const std::string& line : out) {
        std::istringstream in(line);
        int i, j;
        in >> i >> j;
        std::vector<AcGePoint2d> ref;
        double x, y;
        while (in >> x >> y) ref.push_back({x, y});
        std::vector<AcGePoint3d> ours = intersect(curves[i], curves[j]);
        total += int(ours.size());
        ASSERT_EQ(ours.size(), ref.size()) << "pair " << i << " " << j;
        for (const AcGePoint2d& r : ref) {
            double best = INFINITY;
            for (const AcGePoint3d& p : ours) best = std::min(best, r.distanceTo(p.convert2d()));
            EXPECT_LT(best, 1e-6) << "pair " << i << " " << j;
        }
    }
    EXPECT_GT(total, 25);  // the random set really crosses
}
