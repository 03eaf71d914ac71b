// PLBLENDS: the morph of samples, the reference placement, the colour shading and the orientation tests
// against closed forms, and the command's answers and refusals through a script.
#include <cmath>
#include <string>

#include "frame/language.h"
#include "shaping/blends.h"
#include "shaping/blends_command.h"
#include "unit/drawing_fixture.h"

namespace {

void expectPoint(const AcGePoint3d& p, const AcGePoint3d& q, const std::string& what) {
    EXPECT_NEAR(p.x, q.x, 1e-9) << what;
    EXPECT_NEAR(p.y, q.y, 1e-9) << what;
    EXPECT_NEAR(p.z, q.z, 1e-9) << what;
}

// A horizontal segment's samples and a quarter circle's (radius 10 about (0,20)), five each.
const std::vector<AcGePoint3d> kLine = {{0, 0, 0}, {2.5, 0, 0}, {5, 0, 0}, {7.5, 0, 0}, {10, 0, 0}};
std::vector<AcGePoint3d> quarterArc() {
    std::vector<AcGePoint3d> pts;
    for (int i = 0; i < 5; ++i) {
        const double t = M_PI / 2 * i / 4;
        pts.emplace_back(10 * std::cos(M_PI - t), 20 + 10 * std::sin(M_PI - t), 4);
    }
    return pts;
}

}  // namespace

TEST(BlendMorph, EndsAreTheSamplesAndTheFamilyIsSpacedByTheLaw) {
    const auto arc = quarterArc();
    const AcGeVector3d none(0, 0, 0);
    const auto atFirst = morphSamples(kLine, arc, 0, none, none);
    const auto atSecond = morphSamples(kLine, arc, 1, none, none);
    ASSERT_EQ(atFirst.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        expectPoint(atFirst[i], kLine[i], "f = 0 is the first curve");
        expectPoint(atSecond[i], arc[i], "f = 1 is the second curve");
    }
    // The shifts fade linearly along the curve: all of the start shift at 0, half of each at the middle.
    const auto shifted = morphSamples(kLine, kLine, 0, AcGeVector3d(0, 8, 0), AcGeVector3d(4, 0, 0));
    expectPoint(shifted[0], {0, 8, 0}, "start shift");
    expectPoint(shifted[2], {7, 4, 0}, "half of each");
    expectPoint(shifted[4], {14, 0, 0}, "end shift");

    struct Case {
        int count;
        double a;
        std::vector<double> fractions;
    } cases[] = {
        {1, 0, {0.5}},
        {3, 1, {1 / 64.0, 8 / 64.0, 27 / 64.0}},
        {3, -1, {1 - 27 / 64.0, 1 - 8 / 64.0, 1 - 1 / 64.0}},
    };
    for (const Case& c : cases) {
        const auto family = blendFamily(kLine, arc, c.count, c.a, nullptr, nullptr);
        ASSERT_EQ(family.size(), c.fractions.size());
        for (size_t j = 0; j < family.size(); ++j)
            for (size_t i = 0; i < 5; ++i)
                expectPoint(family[j][i], kLine[i] + (arc[i] - kLine[i]) * c.fractions[j],
                            "count " + std::to_string(c.count) + " curve " + std::to_string(j));
    }
}

TEST(BlendMorph, ReferencesHoldTheStartsAndTheEnds) {
    const auto arc = quarterArc();
    // Start side: a line from the first's start (0,0) to the second's (-10,20) bent out to x = -30; end side a
    // straight line from (10,0) to (0,30) at z 4.
    const ReferencePath start = [](double f) {
        return AcGePoint3d(-10 * f - 30 * std::sin(M_PI * f), 20 * f, 0);
    };
    const ReferencePath end = [](double f) { return AcGePoint3d(10 - 10 * f, 30 * f, 4); };
    const ReferencePath absent;
    const auto family = blendFamily(kLine, arc, 4, 0.5, &start, &end);
    const auto startOnly = blendFamily(kLine, arc, 4, 0.5, &start, &absent);
    ASSERT_EQ(family.size(), 4u);
    for (int j = 0; j < 4; ++j) {
        const double f = std::pow((j + 1) / 5.0, 2);
        const std::string what = "curve " + std::to_string(j);
        expectPoint(family[j].front(), start(f), what + " starts on the start reference");
        expectPoint(family[j].back(), end(f), what + " ends on the end reference");
        const AcGePoint3d plainMiddle = kLine[2] + (arc[2] - kLine[2]) * f;
        const AcGePoint3d plainEnd = kLine[4] + (arc[4] - kLine[4]) * f;
        const AcGeVector3d halfShifts =
            ((start(f) - (kLine[0] + (arc[0] - kLine[0]) * f)) + (end(f) - plainEnd)) * 0.5;
        expectPoint(family[j][2], plainMiddle + halfShifts, what + " middle moves by half of each shift");
        expectPoint(startOnly[j].front(), start(f), what + " with the start reference only");
        expectPoint(startOnly[j].back(), plainEnd, what + " keeps its plain end");
    }
}

TEST(BlendColour, ShadesFromTheFirstColourToTheSecond) {
    AcCmColor red, blue, white, same;
    red.setColorIndex(1);
    blue.setColorIndex(5);
    white.setColorIndex(7);
    same.setColorIndex(5);
    const AcCmColor orange(250, 100, 0), teal(0, 128, 128);
    struct Case {
        AcCmColor a, b;
        int j, count;
        int r, g, bl;
        const char* why;
    } cases[] = {
        {red, blue, 0, 1, 127, 0, 127, "index colours through the table, halfway"},
        {red, blue, 2, 3, 63, 0, 191, "whole parts at 3/4"},
        {orange, teal, 0, 4, 200, 105, 25, "true colours at 1/5"},
        {white, orange, 1, 2, 251, 151, 85, "index 7 is white"},
    };
    for (const Case& c : cases) {
        const AcCmColor shade = shadeColor(c.a, c.b, c.j, c.count);
        EXPECT_TRUE(shade.isByColor()) << c.why;
        EXPECT_EQ(shade.red(), c.r) << c.why;
        EXPECT_EQ(shade.green(), c.g) << c.why;
        EXPECT_EQ(shade.blue(), c.bl) << c.why;
    }
    const AcCmColor kept = shadeColor(blue, same, 3, 8);
    EXPECT_TRUE(kept.isByACI());
    EXPECT_EQ(kept.colorIndex(), 5) << "equal colours stay as they are";
}

TEST(BlendOrientation, WhichWayCurvesAndReferencesRun) {
    const CurveEnds a{{0, 0, 0}, {10, 0, 0}}, b{{0, 20, 0}, {10, 20, 0}};
    struct Case {
        CurveEnds reference;
        bool startSide;
        const char* why;
    } cases[] = {
        {{{0, 1, 0}, {0, 19, 0}}, true, "from the first's start to the second's"},
        {{{0, 19, 0}, {0, 1, 0}}, true, "either end may be the near one"},
        {{{10, 1, 0}, {10, 19, 0}}, false, "at the ends"},
        {{{0, 18, 0}, {10, 19, 0}}, false, "touching the second curve's start only"},
        {{{0, 10, 0}, {10, 10, 0}}, false, "a tie is not strictly nearer"},
    };
    for (const Case& c : cases) EXPECT_EQ(isStartSideReference(c.reference, a, b), c.startSide) << c.why;
    EXPECT_TRUE(runsLeftward({{5, 0, 0}, {-5, 9, 0}}));
    EXPECT_FALSE(runsLeftward({{-5, 0, 0}, {5, -9, 0}}));
    EXPECT_TRUE(pickedNearEnd(a, {9, 0, 0}));
    EXPECT_FALSE(pickedNearEnd(a, {5, 0, 0})) << "the middle keeps the curve as it is";
    EXPECT_TRUE(startsFarFrom({{0, 19, 0}, {0, 1, 0}}, a.start));
    EXPECT_FALSE(startsFarFrom({{0, 1, 0}, {0, 19, 0}}, a.start));
}

// ---- the command through a script ----

class BlendsCommand : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        setChineseLanguage(false);
    }
    // The splines the command added: (start, end, colour) of each, in drawing order.
    struct Added {
        AcGePoint3d start, end;
        AcCmColor color;
    };
    std::vector<Added> splines() const {
        std::vector<Added> out;
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<AcDbSpline> s(id, AcDb::kForRead);
            if (!s) continue;
            Added a;
            s->getStartPoint(a.start);
            s->getEndPoint(a.end);
            a.color = s->color();
            out.push_back(a);
        }
        return out;
    }
    AcDbObjectId addLine(AcGePoint3d s, AcGePoint3d e, int aci = 256) {
        auto* line = new AcDbLine(s, e);
        line->setDatabaseDefaults(db.get());
        if (aci != 256) line->setColorIndex(static_cast<int16_t>(aci));
        return appendEntity(*db, line, AcDbObjectId());
    }
};

TEST_F(BlendsCommand, PicksOrientTheCurvesAndTheCountIsAskedAgainAbove100) {
    // Two lines drawn in opposite directions, both picked at their left ends: the family is uncrossed.
    addLine({0, 0, 0}, {10, 0, 0}, 1);
    addLine({20, 40, 0}, {0, 40, 0}, 5);
    const std::wstring out = run(&plblendsCommand, L"1,0\n1,40\n\n101\n3\n0\n");
    const size_t firstAsk = out.find(L"Number of gradient curves");
    ASSERT_NE(firstAsk, std::wstring::npos) << std::string(out.begin(), out.end());
    EXPECT_NE(out.find(L"Number of gradient curves", firstAsk + 1), std::wstring::npos) << "asked again";
    const auto added = splines();
    ASSERT_EQ(added.size(), 3u) << std::string(out.begin(), out.end());
    EXPECT_EQ(modelSpace().size(), 5u) << "the working copies stay out of the drawing";
    for (int j = 0; j < 3; ++j) {
        const double f = (j + 1) / 4.0;
        expectPoint(added[j].start, {0, 40 * f, 0}, "left ends together");
        expectPoint(added[j].end, {10 + 10 * f, 40 * f, 0}, "right ends together");
        EXPECT_EQ(added[j].color.red(), static_cast<int>(255 * (1 - f)));
        EXPECT_EQ(added[j].color.blue(), static_cast<int>(255 * f));
    }
    run(&plblendsCommand, L"1,0\n1,40\n\n\n\n");
    EXPECT_EQ(splines().size(), 3u + 16) << "16 by default";
}

TEST_F(BlendsCommand, AReferenceAtTheSecondCurvesEndIsTurnedAndHoldsTheEnds) {
    addLine({0, 0, 0}, {10, 0, 0});
    addLine({0, 20, 0}, {10, 20, 0});
    // Drawn from the second curve's end out to (30,10) and back to the first's end: it is the end-side
    // reference, turned round in the drawing to run from the first curve's end.
    const AcDbObjectId ref = addLw({{10, 20}, {30, 10}, {10, 0}});
    run(&plblendsCommand, L"5,0\n5,20\n20,15\n\n1\n0\n");
    const auto added = splines();
    ASSERT_EQ(added.size(), 1u);
    expectPoint(added[0].start, {0, 10, 0}, "the start is the plain halfway point");
    expectPoint(added[0].end, {30, 10, 0}, "the end is halfway along the reference");
    AcDbObjectPointer<AcDbCurve> turned(ref, AcDb::kForRead);
    AcGePoint3d refStart;
    turned->getStartPoint(refStart);
    expectPoint(refStart, {10, 0, 0}, "reversed in the drawing");
}

TEST_F(BlendsCommand, RefusalsDrawNothing) {
    addLine({0, 0, 0}, {10, 0, 0});
    auto* text = new AcDbText(AcGePoint3d(0, 30, 0), L"not a curve", AcDbObjectId(), 2, 0);
    add(text);
    struct Case {
        const wchar_t* script;
        const wchar_t* message;
    } cases[] = {
        {L"\n", L"\nSelected nothing."},
        {L"5,0\n\n", L"\nSelected nothing."},
        {L"5,0\n1,31\n\n\n\n", L"\nError: not a curve selected."},
    };
    for (const Case& c : cases) {
        const std::wstring out = run(&plblendsCommand, c.script);
        EXPECT_NE(out.find(c.message), std::wstring::npos) << std::string(out.begin(), out.end());
        EXPECT_EQ(modelSpace().size(), 2u);
    }
}
