// PLBLENDS: the morph of samples, the reference placement, the colour shading and the start-side test against
// closed forms; the count prompt and the refusals through a script (the drawn family is checked end to end).
#include <cmath>
#include <string>

#include "frame/language.h"
#include "shaping/blends.h"
#include "shaping/blends_command.h"
#include "unit/drawing_fixture.h"

namespace {

void expectPoint(const AcGePoint3d& p, const AcGePoint3d& q, const std::string& what) {
    EXPECT_NEAR(p.distanceTo(q), 0, 1e-9) << what << ": " << p.x << "," << p.y << "," << p.z;
}

// Five samples of a segment along X and of a quarter circle (radius 10 about (0,20), at z 4).
const std::vector<AcGePoint3d> kLine = {{0, 0, 0}, {2.5, 0, 0}, {5, 0, 0}, {7.5, 0, 0}, {10, 0, 0}};
std::vector<AcGePoint3d> quarterArc() {
    std::vector<AcGePoint3d> pts;
    for (int i = 0; i < 5; ++i) pts.emplace_back(-10 * std::cos(M_PI / 8 * i), 20 + 10 * std::sin(M_PI / 8 * i), 4);
    return pts;
}

}  // namespace

TEST(BlendMorph, FamilyRunsFromTheFirstSamplesToTheSecondByTheLaw) {
    const auto arc = quarterArc();
    const AcGeVector3d none(0, 0, 0);
    const auto atFirst = morphSamples(kLine, arc, 0, none, none), atSecond = morphSamples(kLine, arc, 1, none, none);
    for (size_t i = 0; i < 5; ++i) {
        expectPoint(atFirst[i], kLine[i], "f = 0");
        expectPoint(atSecond[i], arc[i], "f = 1");
    }
    struct Case {
        int count;
        double a;
        std::vector<double> fractions;
    } cases[] = {{1, 0, {0.5}}, {3, 1, {1 / 64.0, 8 / 64.0, 27 / 64.0}}, {2, -0.5, {1 - 4 / 9.0, 1 - 1 / 9.0}}};
    for (const Case& c : cases) {
        const auto family = blendFamily(kLine, arc, c.count, c.a, nullptr, nullptr);
        ASSERT_EQ(family.size(), c.fractions.size());
        for (size_t j = 0; j < family.size(); ++j)
            for (size_t i = 0; i < 5; ++i)
                expectPoint(family[j][i], kLine[i] + (arc[i] - kLine[i]) * c.fractions[j], "curve " + std::to_string(j));
    }
}

TEST(BlendMorph, ReferencesHoldTheStartsAndTheEndsAndTheShiftFadesBetween) {
    const auto arc = quarterArc();
    const ReferencePath start = [](double f) { return AcGePoint3d(-10 * f - 30 * std::sin(M_PI * f), 20 * f, 0); };
    const ReferencePath end = [](double f) { return AcGePoint3d(10 - 10 * f, 30 * f, 4); };
    const ReferencePath absent;
    const auto both = blendFamily(kLine, arc, 4, 0.5, &start, &end);
    const auto startOnly = blendFamily(kLine, arc, 4, 0.5, &start, &absent);
    ASSERT_EQ(both.size(), 4u);
    for (int j = 0; j < 4; ++j) {
        const double f = std::pow((j + 1) / 5.0, 2);
        const AcGePoint3d plainStart = kLine[0] + (arc[0] - kLine[0]) * f, plainEnd = kLine[4] + (arc[4] - kLine[4]) * f;
        const AcGePoint3d plainMiddle = kLine[2] + (arc[2] - kLine[2]) * f;
        expectPoint(both[j].front(), start(f), "on the start reference");
        expectPoint(both[j].back(), end(f), "on the end reference");
        expectPoint(both[j][2], plainMiddle + ((start(f) - plainStart) + (end(f) - plainEnd)) * 0.5, "half of each");
        expectPoint(startOnly[j].back(), plainEnd, "no end reference: the plain end");
    }
}

TEST(BlendColour, ShadesFromTheFirstColourToTheSecond) {
    AcCmColor red, blue, white;
    red.setColorIndex(1);
    blue.setColorIndex(5);
    white.setColorIndex(7);
    struct Case {
        AcCmColor a, b;
        int j, count, r, g, bl;
    } cases[] = {
        {red, blue, 0, 1, 127, 0, 127},                                 // index colours through the table
        {red, blue, 2, 3, 63, 0, 191},                                  // whole parts at 3/4
        {AcCmColor(250, 100, 0), AcCmColor(0, 128, 128), 0, 4, 200, 105, 25},  // true colours at 1/5
        {white, AcCmColor(250, 100, 0), 1, 2, 251, 151, 85},            // index 7 is white
    };
    for (const Case& c : cases) {
        const AcCmColor shade = shadeColor(c.a, c.b, c.j, c.count);
        EXPECT_TRUE(shade.isByColor());
        EXPECT_EQ(shade.rgb(), static_cast<uint32_t>(c.r << 16 | c.g << 8 | c.bl)) << c.j << "/" << c.count;
    }
    const AcCmColor kept = shadeColor(blue, blue, 3, 8);
    EXPECT_EQ(kept.colorIndex(), 5) << "equal colours stay as they are";
}

TEST(BlendOrientation, StartSideReferenceIsStrictlyNearestTheFirstStart) {
    const CurveEnds a{{0, 0, 0}, {10, 0, 0}}, b{{0, 20, 0}, {10, 20, 0}};
    struct Case {
        CurveEnds reference;
        bool startSide;
    } cases[] = {
        {{{0, 19, 0}, {0, 1, 0}}, true},     // either end may be the near one
        {{{10, 1, 0}, {10, 19, 0}}, false},  // at the ends
        {{{0, 18, 0}, {10, 19, 0}}, false},  // touching the second curve's start only
        {{{0, 10, 0}, {10, 10, 0}}, false},  // a tie is not strictly nearer
    };
    for (const Case& c : cases) EXPECT_EQ(isStartSideReference(c.reference, a, b), c.startSide) << c.reference.start.y;
}

class BlendsCommand : public DrawingTest {};

TEST_F(BlendsCommand, CountAskedAgainAbove100AndRefusalsDrawNothing) {
    setChineseLanguage(false);
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    add(new AcDbText(AcGePoint3d(0, 30, 0), L"not a curve", AcDbObjectId(), 2, 0));
    struct Case {
        const wchar_t* script;
        const wchar_t* message;
        int times;
        size_t entities;
    } cases[] = {
        {L"\n", L"\nSelected nothing.", 1, 2},
        {L"5,0\n\n", L"\nSelected nothing.", 1, 2},
        {L"5,0\n1,31\n\n\n\n", L"\nError: not a curve selected.", 1, 2},
        {L"5,0\n5,0\n\n101\n3\n0\n", L"Number of gradient curves", 2, 5},  // asked again; the line onto itself
    };
    for (const Case& c : cases) {
        const std::wstring out = run(&plblendsCommand, c.script);
        int times = 0;
        for (size_t at = out.find(c.message); at != std::wstring::npos; at = out.find(c.message, at + 1)) ++times;
        EXPECT_EQ(times, c.times) << std::string(out.begin(), out.end());
        EXPECT_EQ(modelSpace().size(), c.entities);
    }
}
