// PLMAP4 and its pieces: the Coons patch, the sample-count law, fence orientation, arc-length sampling, and the
// command's dialogue in a drawing.
#include <cmath>
#include <iterator>
#include <utility>

#include "frame/language.h"
#include "shaping/fence_map.h"
#include "shaping/fence_map_command.h"
#include "shaping/sample_by_length.h"
#include "unit/drawing_fixture.h"

namespace {

AcGePoint3d lerp(const AcGePoint3d& a, const AcGePoint3d& b, double t) { return a + (b - a) * t; }

void expectNear(const AcGePoint3d& got, const AcGePoint3d& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-9) << what;
    EXPECT_NEAR(got.y, want.y, 1e-9) << what;
    EXPECT_NEAR(got.z, want.z, 1e-9) << what;
}

}  // namespace

// With straight sides the patch is the bilinear blend of the four corners, also outside the unit square; a
// bulge of the top alone moves points by v times the bulge.
TEST(CoonsPatch, StraightSidesGiveTheBilinearBlendAndABulgeScalesWithHeight) {
    const AcGePoint3d bs(0, 0, 0), be(10, 1, 2), ts(-1, 6, 0), te(12, 8, -3);
    for (auto [u, v] : {std::pair{0.0, 0.0}, {1.0, 1.0}, {0.25, 0.75}, {0.5, 0.1}, {1.5, 0.5}, {0.3, 2.0}}) {
        FencePatchInput in{lerp(ts, te, u), lerp(bs, be, u), lerp(bs, ts, v), lerp(be, te, v), ts, te, bs, be};
        const AcGePoint3d bilinear = lerp(lerp(bs, be, u), lerp(ts, te, u), v);
        expectNear(coonsPoint(u, v, in), bilinear, "straight sides");
        const AcGeVector3d bulge(0, 3 * std::sin(M_PI * u), 1);
        in.top += bulge;
        expectNear(coonsPoint(u, v, in), bilinear + bulge * v, "bulging top");
    }
}

TEST(FenceLaw, SampleCountFollowsLengthWithinSixAndThirtySix) {
    struct Case {
        double length, reference;
        int n;
    };
    for (const Case& c : {Case{0.001, 10, 6}, Case{0.6, 10, 6}, Case{0.79, 10, 7}, Case{1.234, 10, 12},
                          Case{3.5999, 10, 35}, Case{3.6, 10, 36}, Case{500, 10, 36}, Case{1, 0, 36}})
        EXPECT_EQ(fenceSampleCount(c.length, c.reference), c.n) << c.length << " / " << c.reference;
}

TEST(FenceBoxes, CornersInAnyOrderAndMirroredParameters) {
    const FenceBox a = fenceBoxFromCorners({10, 5, 2}, {0, 0, 7});
    expectNear(a.topLeft, {0, 5, 2}, "top left takes the first z");
    expectNear(a.bottomRight, {10, 0, 2}, "bottom right");
    const AcGePoint2d inside = fenceParameters(a, {3, 1, 0}), left = fenceParameters(a, {-3, -1, 0});
    EXPECT_DOUBLE_EQ(inside.x, 0.3);
    EXPECT_DOUBLE_EQ(inside.y, 0.2);
    EXPECT_DOUBLE_EQ(left.x, inside.x) << "left of the box maps like its mirror image";
    EXPECT_DOUBLE_EQ(left.y, inside.y) << "below the box likewise";
}

// The fence drawn the canonical way, then each curve turned round alone and all at once.
TEST(FenceOrientation, EachWrongWayCurveIsTurnedRound) {
    const AcGePoint3d bl(0, 0, 0), br(10, 0, 0), tl(0, 5, 0), tr(10, 5, 0);
    const FenceEnds canonical{tl, tr, bl, br, bl, tl, br, tr};
    struct Case {
        FenceEnds ends;
        FenceReversals want;
    };
    const Case cases[] = {
        {canonical, {false, false, false, false}},
        {{tr, tl, bl, br, bl, tl, br, tr}, {true, false, false, false}},
        {{tl, tr, br, bl, bl, tl, br, tr}, {false, true, false, false}},
        {{tl, tr, bl, br, tl, bl, br, tr}, {false, false, true, false}},
        {{tl, tr, bl, br, bl, tl, tr, br}, {false, false, false, true}},
        {{tr, tl, br, bl, tl, bl, tr, br}, {true, true, true, true}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const FenceReversals r = fenceReversals(cases[i].ends);
        EXPECT_EQ(r.top, cases[i].want.top) << "case " << i;
        EXPECT_EQ(r.bottom, cases[i].want.bottom) << "case " << i;
        EXPECT_EQ(r.left, cases[i].want.left) << "case " << i;
        EXPECT_EQ(r.right, cases[i].want.right) << "case " << i;
    }
    EXPECT_DOUBLE_EQ(fenceReferenceLength(canonical), 10);
}

TEST(SampleByLength, EqualStepsEndPointAndRefusals) {
    AcDbLine line({0, 0, 0}, {10, 0, 0});
    std::vector<AcGePoint3d> pts;
    ASSERT_TRUE(sampleCurveByLength(&line, 5, pts));
    ASSERT_EQ(pts.size(), 5u);
    for (int i = 0; i < 5; ++i) expectNear(pts[i], {2.5 * i, 0, 0}, "line");
    ASSERT_TRUE(sampleCurveByLength(&line, 3, pts));
    EXPECT_EQ(pts.size(), 16u) << "fewer than 4 means 16";

    AcDbArc arc({1, 2, 0}, 4, 0, M_PI);  // equal lengths are equal angles
    ASSERT_TRUE(sampleCurveByLength(&arc, 7, pts));
    for (int i = 0; i < 7; ++i)
        expectNear(pts[i], {1 + 4 * std::cos(M_PI * i / 6), 2 + 4 * std::sin(M_PI * i / 6), 0}, "arc");

    AcDbLine tiny({0, 0, 0}, {0.00005, 0, 0});
    EXPECT_FALSE(sampleCurveByLength(&tiny, 8, pts));
    EXPECT_TRUE(pts.empty());
    EXPECT_FALSE(sampleCurveByLength(nullptr, 8, pts));
}

// In a drawing: the box (0,0)-(10,5) and a fence on its sides.
class FenceMapTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        setChineseLanguage(false);
    }
    std::wstring run(const std::wstring& script) {
        answers(script);
        cvx::editor::takeTranscript();
        plmap4Command();
        source.reset();
        return cvx::editor::takeTranscript();
    }
    AcDbObjectId line(AcGePoint3d a, AcGePoint3d b) { return add(new AcDbLine(a, b)); }
    static AcGePoint3d startOf(AcDbObjectId id) {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        AcGePoint3d p;
        c->getStartPoint(p);
        return p;
    }
    // The sides of the box (0,0)-(10,5) as a fence of lines, top and left drawn the wrong way round.
    void boxFence() {
        top = line({10, 5, 0}, {0, 5, 0});
        bottom = line({0, 0, 0}, {10, 0, 0});
        left = line({0, 5, 0}, {0, 0, 0});
        right = line({10, 0, 0}, {10, 5, 0});
    }
    AcDbObjectId top, bottom, left, right;
};

// Once the top and left are turned round, the fence on the box's own sides gives back every sample.
TEST_F(FenceMapTest, FenceOnTheBoxSidesReproducesTheSamples) {
    boxFence();
    AcDbArc arc({5, 2, 0}, 2, 0.3, 2.5);
    AcDbObjectPointer<AcDbCurve> t(top, AcDb::kForRead), b(bottom, AcDb::kForRead), l(left, AcDb::kForRead),
        r(right, AcDb::kForRead);
    const FenceCurves fence{t.object(), b.object(), l.object(), r.object()};
    orientFence(fence);
    std::vector<AcGePoint3d> samples;
    ASSERT_TRUE(sampleCurveByLength(&arc, 9, samples));
    const std::vector<AcGePoint3d> mapped = mapPointsToFence(9, fenceBoxFromCorners({0, 0, 0}, {10, 5, 0}), &arc, fence);
    ASSERT_EQ(mapped.size(), samples.size());
    for (size_t i = 0; i < mapped.size(); ++i) expectNear(mapped[i], samples[i], "identity");
    EXPECT_TRUE(mapPointsToFence(9, fenceBoxFromCorners({0, 0, 0}, {10, 0.00001, 0}), &arc, fence).empty())
        << "a flat box maps nothing";
}

// A missed fence pick or an empty selection ends the command with its message and draws nothing (thin boxes
// and non-curve fences: see the script test).
TEST_F(FenceMapTest, MissedPicksAndEmptySelectionsEndCleanly) {
    boxFence();
    line({2, 1, 0}, {8, 3, 0});
    EXPECT_NE(run(L"L\n\n0,0 10,5\n5,5 5,0 0,2.5 50,50\n").find(L"Selected nothing."), std::wstring::npos);
    EXPECT_NE(run(L"\n").find(L"No Curve selected."), std::wstring::npos);
    EXPECT_EQ(modelSpace().size(), 5u);
    expectNear(startOf(top), {10, 5, 0}, "no fence curve turned round");
}
