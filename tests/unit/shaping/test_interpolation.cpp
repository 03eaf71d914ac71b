// PLINT and PLARR: the density law, the anchor vertex, the series and the grid against closed forms, and the
// commands' answers and refusals through a script.
#include <cmath>
#include <string>

#include "frame/language.h"
#include "shaping/density_law.h"
#include "shaping/interpolation.h"
#include "shaping/interpolation_commands.h"
#include "unit/drawing_fixture.h"

namespace {

LwVertices shape(std::vector<AcGePoint3d> pts, std::vector<double> bulges, bool closed = false) {
    return {std::move(pts), std::move(bulges), closed};
}

void expectPoint(const AcGePoint3d& p, double x, double y, double z, const char* what) {
    EXPECT_NEAR(p.x, x, 1e-9) << what;
    EXPECT_NEAR(p.y, y, 1e-9) << what;
    EXPECT_NEAR(p.z, z, 1e-9) << what;
}

}  // namespace

TEST(DensityLaw, ClosedForms) {
    struct Case {
        double t, a, expected;
    } cases[] = {
        {0.3, 0, 0.3},  {0.3, 1, 0.027},      {0.3, -1, 1 - 0.343}, {0.5, 0.5, 0.25},
        {0.5, -0.5, 0.75}, {0, -1, 0},        {1, 1, 1},            {0.2, 0.25, std::pow(0.2, 1.5)},
    };
    for (const Case& c : cases) EXPECT_NEAR(accelerate(c.t, c.a), c.expected, 1e-12) << c.t << " " << c.a;
}

TEST(AnchorVertex, StartFirstThenStrictlyNearerToTheEnd) {
    const std::vector<AcGePoint3d> v = {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
    struct Case {
        AcGePoint3d start, end;
        int expected;
        const char* why;
    } cases[] = {
        {{11, 5, 0}, {100, 100, 0}, 1, "nearest to the start"},
        {{11, 5, 0}, {29, 1, 0}, 3, "the end is nearer to vertex 3 than the start to any"},
        {{5, 0, 0}, {100, 0, 0}, 0, "a tie with the start keeps the earlier vertex"},
        {{20, 3, 0}, {0, 0, 0}, 2, "vertex 0 is not measured against the end"},
        {{20, 3, 0}, {10, 3, 0}, 2, "an equal distance to the end does not win"},
    };
    for (const Case& c : cases) EXPECT_EQ(anchorVertex(v, c.start, c.end), c.expected) << c.why;
    EXPECT_EQ(anchorVertex({}, {0, 0, 0}, {1, 1, 1}), 0);
}

TEST(InterpolationSeries, SpacingBulgesAndClosedFlag) {
    const LwVertices a = shape({{0, 0, 0}, {10, 0, 0}}, {0, 1}, true);
    const LwVertices b = shape({{0, 20, 4}, {10, 40, 4}}, {0.5, -1}, false);
    // One polyline with no acceleration: exactly halfway, bulges too; closed because the first one is.
    auto one = interpolationSeries(a, b, 1, 0, nullptr);
    ASSERT_EQ(one.size(), 1u);
    expectPoint(one[0].points[0], 0, 10, 2, "halfway, start");
    expectPoint(one[0].points[1], 10, 20, 2, "halfway, end");
    EXPECT_NEAR(one[0].bulges[0], 0.25, 1e-12);
    EXPECT_NEAR(one[0].bulges[1], 0, 1e-12);
    EXPECT_TRUE(one[0].closed);
    EXPECT_FALSE(interpolationSeries(b, a, 1, 0, nullptr)[0].closed);
    // Full acceleration: fractions ((j+1)/4)^3, crowded towards the first; full deceleration mirrors them.
    auto fast = interpolationSeries(a, b, 3, 1, nullptr);
    auto slow = interpolationSeries(a, b, 3, -1, nullptr);
    ASSERT_EQ(fast.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        const double t = (j + 1) / 4.0;
        EXPECT_NEAR(fast[j].points[0].y, 20 * t * t * t, 1e-9) << j;
        EXPECT_NEAR(slow[j].points[0].y, 20 * (1 - std::pow(1 - t, 3)), 1e-9) << j;
    }
}

TEST(InterpolationArray, GridMixesXByColumnAndYByRow) {
    const LwVertices a = shape({{0, 0, 0}, {1, 0, 0}}, {0, 0.2});
    const LwVertices b = shape({{100, 50, 8}, {101, 50, 8}}, {0, 0.6});
    // 2 x 2: only the two mixed corners, column 0 row 1 first.
    auto corners = interpolationArray(a, b, 2, 2, 0);
    ASSERT_EQ(corners.size(), 2u);
    expectPoint(corners[0].points[0], 0, 50, 4, "X of the first, Y of the second, Z the mean");
    expectPoint(corners[1].points[0], 100, 0, 4, "X of the second, Y of the first");
    EXPECT_NEAR(corners[1].bulges[1], 0.4, 1e-12);
    // 3 rows x 4 columns with acceleration: R C - 2 shapes, columns outer; fractions through the law.
    auto grid = interpolationArray(a, b, 3, 4, 1);
    ASSERT_EQ(grid.size(), 10u);
    const double fc = std::pow(1 / 3.0, 3), fr = std::pow(0.5, 3);
    // Index 2 of the list is column 1 row 0 (column 0 gives rows 1 and 2 only); index 3 is column 1 row 1.
    expectPoint(grid[2].points[0], 100 * fc, 0, 8 * fc / 2, "column 1, row 0");
    expectPoint(grid[3].points[0], 100 * fc, 50 * fr, 8 * (fc + fr) / 2, "column 1, row 1");
    EXPECT_TRUE(interpolationArray(a, b, 1, 5, 0).empty());
}

// ---- the commands through a script ----

class InterpolationCommand : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        setChineseLanguage(false);
    }
    // The polylines the command added (after the first `inputs` entities of model space).
    std::vector<LwVertices> added(size_t inputs) const {
        std::vector<LwVertices> out;
        const auto ids = modelSpace();
        for (size_t i = inputs; i < ids.size(); ++i) {
            AcDbObjectPointer<AcDbPolyline> pl(ids[i], AcDb::kForRead);
            if (pl) out.push_back(readLwVertices(*pl.object()));
        }
        return out;
    }
};

TEST_F(InterpolationCommand, PlintClampsTheAccelerationAndFollowsAReferenceLine) {
    addLw({{0, 0}, {10, 0}});
    addLw({{0, 40}, {10, 40}}, true);
    auto* line = new AcDbLine(AcGePoint3d(30, 0, 0), AcGePoint3d(30, 40, 0));
    add(line);
    // 101 is asked again; 250 acts as 100. Vertex 1 is nearer the line's start (20 against 30): it rides on it.
    const std::wstring out = run(&plintCommand, L"0,0\n0,40\n101\n3\n250\n30,20\n");
    const size_t firstAsk = out.find(L"Number of Interpolation");
    ASSERT_NE(firstAsk, std::wstring::npos);
    EXPECT_NE(out.find(L"Number of Interpolation", firstAsk + 1), std::wstring::npos) << "asked again after 101";
    auto series = added(3);
    ASSERT_EQ(series.size(), 3u) << std::string(out.begin(), out.end());
    for (int j = 0; j < 3; ++j) {
        const double f = std::pow((j + 1) / 4.0, 3);
        expectPoint(series[j].points[1], 30, 40 * f, 0, "on the reference");
        expectPoint(series[j].points[0], 20, 40 * f, 0, "moved with it");
        EXPECT_FALSE(series[j].closed) << "the first polyline is open";
    }
}

TEST_F(InterpolationCommand, RefusalsDrawNothing) {
    addLw({{0, 0}, {10, 0}});
    addLw({{0, 40}, {10, 40}, {20, 40}});
    struct Case {
        void (*command)();
        const wchar_t* script;
        const wchar_t* message;
    } cases[] = {
        {&plintCommand, L"0,0\n0,40\n", L"cannot be interpolated."},
        {&plarrCommand, L"0,0\n0,40\n\n\n", L"cannot be interpolated."},
        {&plintCommand, L"\n", L"\nSelected nothing."},
        {&plarrCommand, L"0,0\n\n", L"No LWPOLYLINE selected."},
    };
    for (const Case& c : cases) {
        const std::wstring out = run(c.command, c.script);
        EXPECT_NE(out.find(c.message), std::wstring::npos) << std::string(out.begin(), out.end());
        EXPECT_EQ(modelSpace().size(), 2u);
    }
}

TEST_F(InterpolationCommand, PlarrDefaultsAndClampsOfTheGridSize) {
    addLw({{0, 0}, {10, 0}});
    addLw({{50, 40}, {60, 40}});
    run(&plarrCommand, L"0,0\n50,40\n\n\n\n");
    EXPECT_EQ(added(2).size(), 9u * 12 - 2) << "9 rows and 12 columns by default";
    run(&plarrCommand, L"0,0\n50,40\n1\n5000\n0\n");
    // Rows clamped up to 2, columns down to 1000: 1998 more.
    EXPECT_EQ(added(2).size(), 9u * 12 - 2 + 2 * 1000 - 2);
}
