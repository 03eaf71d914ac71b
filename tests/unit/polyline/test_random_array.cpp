// PLRNDArray: the step laws of the path, and copies of the selection moved along it.
#include <cmath>

#include "polyline/commands.h"
#include "polyline/random_array.h"
#include "polyline_fixture.h"

namespace {

std::function<int()> fixedDraws(std::vector<int> draws) {
    auto next = std::make_shared<size_t>(0);
    return [draws, next] { return draws[(*next)++ % draws.size()]; };
}

ArrayPathSettings law(ArrayStepLaw l, int total, double spacing = 1, double angleDegrees = 0, int group = 10) {
    return {total, spacing, angleDegrees * M_PI / 180, l, group};
}

// The start points of every line in model space, in drawing order.
std::vector<AcGePoint3d> lineStarts(const std::vector<AcDbObjectId>& ids) {
    std::vector<AcGePoint3d> starts;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbLine> l(id, AcDb::kForRead);
        if (l) starts.push_back(l->startPoint());
    }
    return starts;
}

}  // namespace

TEST(ArrayPath, HalfWaveTurnsFromAlongTheDirectionToAcrossIt) {
    const std::vector<AcGePoint3d> p = arrayPath(law(ArrayStepLaw::kHalfWave, 12), {});
    ASSERT_EQ(p.size(), 12u);
    EXPECT_TRUE(p[0].isEqualTo(AcGePoint3d::kOrigin));
    EXPECT_NEAR(p[1].x, std::cos(M_PI / 20), 1e-12);
    double x = 0;
    for (int j = 1; j < 12; ++j) {
        x += std::cos((j % 10) / 10.0 * M_PI / 2);
        EXPECT_NEAR(p[j].x, x, 1e-12) << j;
        EXPECT_EQ(p[j].y, 0) << "angle 0 keeps every copy on the X axis";
    }
    // Along 90 degrees the half wave gives sin steps in Y and (nearly) nothing in X.
    const std::vector<AcGePoint3d> up = arrayPath(law(ArrayStepLaw::kHalfWave, 3, 2, 90), {});
    EXPECT_NEAR(up[1].y, 2 * std::sin(M_PI / 20), 1e-12);
    EXPECT_NEAR(up[2].x, 0, 1e-12);
}

TEST(ArrayPath, TheOtherLaws) {
    // Random: a draw d gives a step of (d mod 100 + 50) / 150 of the spacing, in X and Y alike.
    std::vector<AcGePoint3d> p = arrayPath(law(ArrayStepLaw::kRandom, 4, 3, 45), fixedDraws({0, 99, 250}));
    const double c = std::cos(M_PI / 4) * 3;
    EXPECT_NEAR(p[1].x, c * 50 / 150, 1e-12);
    EXPECT_NEAR(p[2].x - p[1].x, c * 149 / 150, 1e-12);
    EXPECT_NEAR(p[3].y - p[2].y, c * 100 / 150, 1e-12);
    // Full wave: |cos| and |sin| over half a turn per group.
    p = arrayPath(law(ArrayStepLaw::kFullWave, 8, 1, 0, 10), {});
    EXPECT_NEAR(p[7].x - p[6].x, std::fabs(std::cos(0.7 * M_PI)), 1e-12);
    // Exponential: nothing on the step that starts a group, exp(0) = 1 on the next.
    p = arrayPath(law(ArrayStepLaw::kExponential, 13, 1, 0, 10), {});
    EXPECT_NEAR(p[1].x, 1, 1e-12);
    EXPECT_NEAR(p[3].x - p[2].x, std::exp(2 * 3.0 / 3), 1e-9);
    EXPECT_NEAR(p[10].x, p[9].x, 1e-12);
    // Logarithmic: log10(t + 1).
    p = arrayPath(law(ArrayStepLaw::kLogarithmic, 3, 2), {});
    EXPECT_NEAR(p[2].x - p[1].x, 2 * std::log10(3.0), 1e-12);
    EXPECT_EQ(arrayPath(law(ArrayStepLaw::kRandom, 1), fixedDraws({1})).size(), 1u);
}

TEST_F(PolylineTest, RndArrayCopiesAlongAHalfWave) {
    add(new AcDbLine({0, 0, 0}, {0, 5, 0}));
    run(&plrndarrayCommand, L"ALL\n\n4\n1\n0\n2\n10\n");
    const std::vector<AcGePoint3d> starts = lineStarts(modelSpace());
    ASSERT_EQ(starts.size(), 4u) << "the source and three copies";
    EXPECT_NEAR(starts[1].x, std::cos(M_PI / 20), 1e-12);
    for (const AcGePoint3d& s : starts) EXPECT_NEAR(s.y, 0, 1e-12);
    EXPECT_NEAR(starts[3].x - starts[2].x, std::cos(0.3 * M_PI / 2), 1e-12);
}

TEST_F(PolylineTest, RndArrayClampsModeAndGroupAndMakesNoCopyOfOne) {
    add(new AcDbLine({0, 0, 0}, {0, 5, 0}));
    run(&plrndarrayCommand, L"ALL\n\n1\n1\n0\n1\n");
    EXPECT_EQ(modelSpace().size(), 1u) << "a total of 1 makes no copy";
    run(&plrndarrayCommand, L"ALL\n\n2\n1\n0\n9\n500\n");  // mode 9 is 5, group 500 is 100
    std::vector<AcGePoint3d> starts = lineStarts(modelSpace());
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_NEAR(starts[1].x, std::log10(2.0), 1e-12);
    run(&plrndarrayCommand, L"ALL\n\n2\n1\n0\n2\n5\n");  // group 5 is 10
    starts = lineStarts(modelSpace());
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_NEAR(starts[2].x, std::cos(M_PI / 20), 1e-12);
    run(&plrndarrayCommand, L"ALL\n\n3\n");  // cancelled at the spacing
    EXPECT_EQ(modelSpace().size(), 4u);
    EXPECT_NE(run(&plrndarrayCommand, L"\n").find(L"No Curve selected.\n"), std::wstring::npos);
}
