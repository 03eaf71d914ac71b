// The affect tools: the fading laws against closed forms, a rigid entity's transformation, and PLAFFECT and
// plAffectMoveX on small drawings (the click tool's rounds are driven by the script test).
#include <cmath>

#include "formula/output_mode.h"
#include "shaping/affect_commands.h"
#include "shaping/affect_law.h"
#include "unit/drawing_fixture.h"

namespace {

constexpr double kHalfPi = M_PI / 2;

AcGePoint3d centreOf(AcDbObjectId id) {
    AcDbObjectPointer<AcDbCircle> c(id, AcDb::kForRead);
    return c ? c->center() : AcGePoint3d(1e9, 1e9, 1e9);
}
double radiusOf(AcDbObjectId id) {
    AcDbObjectPointer<AcDbCircle> c(id, AcDb::kForRead);
    return c ? c->radius() : -1;
}

}  // namespace

TEST(AffectLaw, FalloffTurnAndScaleAtKeyDistances) {
    struct Case {
        double r, weight, rigidScale, turn;  // d = 4, s = 0.5
    };
    for (const Case& c :
         {Case{0, 1, 0, 0.5 * kHalfPi}, Case{1, std::pow(0.75, 1.5), std::sqrt(std::sin(M_PI / 8)), 0.375 * kHalfPi},
          Case{2, std::sqrt(0.125), std::sqrt(std::sqrt(0.5)), 0.25 * kHalfPi}, Case{4, 0, 1, 0}, Case{5, 0, 1, 0}}) {
        EXPECT_NEAR(affectWeight(c.r, 4), c.weight, 1e-12) << c.r;
        EXPECT_NEAR(affectRigidScale(c.r, 4), c.rigidScale, 1e-12) << c.r;
        EXPECT_NEAR(affectTurn(c.r, 4, 0.5), c.turn, 1e-12) << c.r;
        // pushed away from the crossing, by half of d·s at full weight; nothing at d and beyond
        EXPECT_NEAR(affectPush(3, 3 - c.r, c.r, 4, 0.5), c.weight, 1e-12) << c.r;
        EXPECT_NEAR(affectPush(3, 3 + c.r + 1e-9, c.r, 4, 0.5), -c.weight, 1e-6) << c.r;
    }
    EXPECT_DOUBLE_EQ(affectQuarterTurn(4, 4), kHalfPi);
}

TEST(AffectLaw, StrengthClampAndDistanceFloor) {
    EXPECT_DOUBLE_EQ(affectStrength(0), 0.1);
    EXPECT_DOUBLE_EQ(affectStrength(3), 0.3);
    EXPECT_DOUBLE_EQ(affectStrength(25), 1.0);
    EXPECT_DOUBLE_EQ(affectDistance(0.001, 100), 50) << "under VIEWSIZE / 50 gives half the view";
    EXPECT_DOUBLE_EQ(affectDistance(2, 100), 2) << "VIEWSIZE / 50 itself is kept";
    EXPECT_DOUBLE_EQ(affectDistance(7, 100), 7);
}

// Scale, then move, then turn, all about the centre: a point of the entity followed by hand.
TEST(AffectLaw, RigidTransformationComposesScaleMoveTurnAboutTheCentre) {
    const AcGePoint3d centre(10, 5, 0), crossing(12, 5, 0), p(11, 5, 0);
    const double scale = std::sqrt(std::sin(M_PI / 4)), push = -std::sqrt(0.125), turn = M_PI / 8;
    AffectSettings all{0.5, 4, true, true, true};
    const AcGePoint3d got = affectRigidMatrix(centre, 2, &crossing, all) * p;
    const double along = scale + push;  // from the centre, before the turn
    EXPECT_NEAR(got.x, 10 + along * std::cos(turn), 1e-12);
    EXPECT_NEAR(got.y, 5 + along * std::sin(turn), 1e-12);

    AffectSettings moveOnly{0.5, 4, true, false, false};
    EXPECT_NEAR((affectRigidMatrix(centre, 2, &crossing, moveOnly) * p).x, 11 + push, 1e-12);
    const AcGePoint3d atEdge(14, 5, 0);
    EXPECT_TRUE(affectRigidMatrix(centre, 4, &atEdge, all).isEqualTo(AcGeMatrix3d::kIdentity))
        << "exactly d away: no scale, no push, no turn";
    EXPECT_TRUE(affectRigidMatrix(centre, 4.5, nullptr, all).isEqualTo(AcGeMatrix3d::kIdentity)) << "out of reach";
    const AcGePoint3d onCurve = affectRigidMatrix(centre, 0, nullptr, all) * p;
    EXPECT_NEAR(onCurve.x, 10 + kSmallestRigidScale, 1e-12) << "centred on the curve: shrunk to a dot";
}

TEST(AffectLaw, FollowShiftFadesTowardsTheFarEndOfTheRange) {
    // curve point 5 right of the centre, range [-1, 1]: R = 6, r = 5
    EXPECT_NEAR(followCurveShift({0, 5, 0}, {5, 5, 0}, 5, -1, 1), 5.0 / 6, 1e-12);
    EXPECT_NEAR(followCurveShift({0, 5, 0}, {-3, 5, 0}, -3, -1, 1), -0.75, 1e-12) << "R = 4, r = 3";
    EXPECT_NEAR(followCurveShift({0, 5, 0}, {5, 5, 0}, 5, -1e9, 1e9), 5, 1e-6) << "no falloff: the full offset";
    EXPECT_EQ(followCurveShift({0, 5, 0}, {5, 9, 0}, 5, -1, 1), 0) << "r beyond R";
}

TEST(AffectLaw, ClickFactorsAndTheTenthFloor) {
    struct Case {
        double r;
        bool enlarge, strong, inside;
        double g;
    };
    const double x = kHalfPi / 3;  // r = 1 with d = 3
    for (const Case& c :
         {Case{1, true, true, false, 1 + 0.25 * std::cos(x)}, Case{1, true, false, false, 1 + 0.1 * std::cos(x)},
          Case{1, false, true, false, 0.5 + 0.5 * std::sin(x)}, Case{1, false, false, false, 0.9 + 0.1 * std::sin(x)},
          Case{2, true, true, true, 1.25}, Case{2, true, false, true, 1.1}, Case{2, false, true, true, 0.5},
          Case{2, false, false, true, 0.9}, Case{3, false, true, false, 1.0}, Case{0, true, true, false, 1.25}})
        EXPECT_NEAR(clickScaleFactor(c.r, 3, c.enlarge, c.strong, c.inside), c.g, 1e-12)
            << c.r << c.enlarge << c.strong << c.inside;
    EXPECT_FALSE(clickScaleAllowed(0.09, 0.5));
    EXPECT_TRUE(clickScaleAllowed(0.09, 1.25)) << "a tiny entity may still grow";
    EXPECT_TRUE(clickScaleAllowed(0.1, 0.5));
}

class AffectCommands : public DrawingTest {};

// A vertical influence line at x = 0; circles at 2 and 6 with d = 4, s = 0.5, move and scale, rigid.
TEST_F(AffectCommands, PlaffectPushesAndScalesRigidEntitiesWithinReachOnly) {
    add(new AcDbLine({0, -10, 0}, {0, 10, 0}));
    const AcDbObjectId near = add(new AcDbCircle({2, 0, 0}, AcGeVector3d::kZAxis, 0.5));
    const AcDbObjectId far = add(new AcDbCircle({6, 1, 0}, AcGeVector3d::kZAxis, 0.5));
    run(&plAffectCommand, L"0,5\n\n2.5,0\n6.5,1\n\n5\n4\nY\nN\nY\nY\n");
    const AcGePoint3d c = centreOf(near);
    EXPECT_NEAR(c.x, 2 + std::sqrt(0.125), 1e-9) << "pushed away from the line";
    EXPECT_NEAR(c.y, 0, 1e-9);
    EXPECT_NEAR(radiusOf(near), 0.5 * std::sqrt(std::sqrt(0.5)), 1e-9);
    EXPECT_TRUE(centreOf(far).isEqualTo({6, 1, 0}));
    EXPECT_DOUBLE_EQ(radiusOf(far), 0.5);
}

// Not rigid: a slanted polyline across the influence line is drawn again (as a polyline here) through 36
// samples, each pushed along its row away from the line.
TEST_F(AffectCommands, PlaffectBendsACurveThatIsNotRigid) {
    add(new AcDbLine({0, -10, 0}, {0, 10, 0}));
    const AcDbObjectId source = addLw({{-3, -3}, {3, 3}});
    setSplineOutput(false);
    run(&plAffectCommand, L"0,5\n\n2,2\n\n5\n2\n\n\n\nN\n");
    setSplineOutput(true);
    EXPECT_TRUE(source.isErased());
    const std::vector<AcDbObjectId> ids = modelSpace();
    ASSERT_EQ(ids.size(), 2u);
    AcDbObjectPointer<AcDbPolyline> bent(ids[1], AcDb::kForRead);
    ASSERT_TRUE(bent);
    ASSERT_EQ(bent->numVerts(), 36u);
    for (unsigned i = 0; i < 36; ++i) {
        const double t = -3 + 6.0 * i / 35, r = std::abs(t);  // sample (t, t), its row meets the line at (0, t)
        const double push = 0.5 * 2 * 0.5 * (r < 2 ? std::pow((2 - r) / 2, 1.5) : 0);
        AcGePoint2d v;
        bent->getPointAt(i, v);
        EXPECT_NEAR(v.x, t + (t > 0 ? push : -push), 1e-9) << i;
        EXPECT_NEAR(v.y, t, 1e-9) << i;
    }
}

// A column of circles under the top end of a slanted line, the effect fading: each moves by its share
// offset / (offset + 1) (range [-1, 1]: R = offset + 1, r = offset). Without falloff see the script test.
TEST_F(AffectCommands, MoveXWithFalloffShiftsTheColumnByFadedShares) {
    add(new AcDbLine({10, 0, 0}, {0, 10, 0}));
    std::vector<AcDbObjectId> column;
    for (double y : {2.0, 5.0, 8.0}) column.push_back(add(new AcDbCircle({0, y, 0}, AcGeVector3d::kZAxis, 1)));
    run(&plAffectMoveXCommand, L"5,5\nW -2,0 2,10\n\nY\n");
    for (AcDbObjectId id : column) {
        const double offset = 10 - centreOf(id).y;
        EXPECT_NEAR(centreOf(id).x, offset / (offset + 1), 1e-9) << offset;
    }
}
