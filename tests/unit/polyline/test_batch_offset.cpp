// PLOFFSET and the offset routine it shares: typed spacing lists, sides, clamps, cancels, orientation.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "polyline/batch_offset.h"
#include "polyline/commands.h"
#include "polyline_fixture.h"

namespace {

class BatchOffsetTest : public PolylineTest {
protected:
    // Radii of every circle in model space, ascending.
    std::vector<double> circleRadii() const {
        std::vector<double> radii;
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<AcDbCircle> c(id, AcDb::kForRead);
            if (c) radii.push_back(c->radius());
        }
        std::sort(radii.begin(), radii.end());
        return radii;
    }
    static double signedArea(const std::vector<AcGePoint3d>& p) {
        double a = 0;
        for (size_t i = 0; i < p.size(); ++i) {
            const AcGePoint3d& q = p[(i + 1) % p.size()];
            a += p[i].x * q.y - q.x * p[i].y;
        }
        return a / 2;
    }
    AcDbObjectId addLayer(const wchar_t* name) {
        AcDbLayerTable* layers = nullptr;
        db->getLayerTable(layers, AcDb::kForWrite);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        AcDbObjectId id;
        layers->add(id, rec);
        rec->close();
        layers->close();
        return id;
    }
};

void expectSpacings(const std::wstring& text, std::vector<double> expected) {
    OffsetSpacings d;
    ASSERT_TRUE(parseOffsetSpacings(text, d)) << text;
    expected.resize(kMaxOffsetCopies, expected.back());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_DOUBLE_EQ(d[i], expected[i]) << text << " entry " << i;
}

}  // namespace

TEST(OffsetSpacingList, MissingAndTinyEntriesRepeatTheOneBefore) {
    expectSpacings(L"2,1", {2, 1});
    expectSpacings(L"2,0,1", {2, 2, 1});
    expectSpacings(L"3,,1", {3, 3, 1});
    expectSpacings(L"5,0.00001", {5, 5});
    expectSpacings(L"1,2,3,4,5,6,7,8,9,10,11,12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
}

TEST(OffsetSpacingList, SeparatorsAndBlanks) {
    expectSpacings(L" 9\uFF0C2 / 1 ", {9, 2, 1});
    expectSpacings(L"1 . 5,2", {1.5, 2});
    expectSpacings(L"4/", {4, 4});
}

TEST(OffsetSpacingList, UnusableListsAreRefused) {
    OffsetSpacings d;
    for (const wchar_t* text : {L"", L"   ", L",1", L"0,1", L"-2,1", L"abc", L"0.00005"})
        EXPECT_FALSE(parseOffsetSpacings(text, d)) << text;
}

TEST_F(BatchOffsetTest, BothSidesWithAShortListOnTheCurrentLayerAndColour) {
    AcDbObjectId src = add(new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 10));
    {
        AcDbObjectPointer<AcDbEntity> e(src, AcDb::kForWrite);
        e->setColorIndex(1);
    }
    const AcDbObjectId layer = addLayer(L"Offsets");
    db->setClayer(layer);
    AcCmColor green;
    green.setColorIndex(3);
    db->setCecolor(green);

    run(&ploffsetCommand, L"ALL\n\nD\n3\nM\n2,1\n");
    const std::vector<double> expected = {6, 7, 8, 10, 12, 13, 14};
    std::vector<double> radii = circleRadii();
    ASSERT_EQ(radii.size(), expected.size());
    for (size_t i = 0; i < radii.size(); ++i) EXPECT_NEAR(radii[i], expected[i], 1e-9);
    for (AcDbObjectId id : modelSpace()) {
        if (id == src) continue;
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        EXPECT_EQ(e->layerId(), layer);
        EXPECT_EQ(e->colorIndex(), 3);
    }
}

TEST_F(BatchOffsetTest, SpacingsCountsAndSides) {
    add(new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 10));
    run(&ploffsetCommand, L"ALL\n\nO\n3\nM\n2,0,1\n");
    std::vector<double> radii = circleRadii();
    ASSERT_EQ(radii.size(), 4u);
    EXPECT_NEAR(radii[1], 12, 1e-9);
    EXPECT_NEAR(radii[2], 14, 1e-9);
    EXPECT_NEAR(radii[3], 15, 1e-9);

    SetUp();
    add(new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 100));
    run(&ploffsetCommand, L"ALL\n\nI\n25\n\n1.5\n");  // an empty distance answer asks again
    radii = circleRadii();
    ASSERT_EQ(radii.size(), 11u) << "25 copies work as 10";
    EXPECT_NEAR(radii[0], 85, 1e-9);
    EXPECT_NEAR(radii[9], 98.5, 1e-9);

    SetUp();
    add(new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 10));
    run(&ploffsetCommand, L"ALL\n\n\n\n4\n");  // both sides and one copy by default
    radii = circleRadii();
    ASSERT_EQ(radii.size(), 3u);
    EXPECT_NEAR(radii[0], 6, 1e-9);
    EXPECT_NEAR(radii[2], 14, 1e-9);
}

TEST_F(BatchOffsetTest, CancelsAndUnusableInputChangeNothing) {
    add(new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 10));
    for (const wchar_t* script : {L"ALL\n\n",                     // cancel at the side prompt
                                  L"ALL\n\nD\n1\n",               // cancel at the distance
                                  L"ALL\n\nD\n2\nM\n0,3\n",       // a list without a first spacing
                                  L"ALL\n\nD\n2\nM\n"}) {         // a cancelled list
        run(&ploffsetCommand, script);
        EXPECT_EQ(modelSpace().size(), 1u) << std::string(script, script + std::wcslen(script));
    }
    std::wstring out = run(&ploffsetCommand, L"ALL\n\nD\n2\nM\n");
    EXPECT_NE(out.find(L"\nInput parameter error."), std::wstring::npos) << out;
    SetUp();
    add(new AcDbText({0, 0, 0}, L"not a curve"));
    EXPECT_NE(run(&ploffsetCommand, L"ALL\n\n").find(L"No Curves selected.\n"), std::wstring::npos);
}

TEST_F(BatchOffsetTest, ClockwisePolylinesAreReversedSoOuterCopiesLieOutside) {
    const std::vector<AcGePoint2d> ccw = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<AcGePoint2d> cw(ccw.rbegin(), ccw.rend());
    for (bool lightweight : {true, false}) {
        SetUp();
        AcDbObjectId src = lightweight ? addLw(cw, true) : add2d(cw, true);
        run(&ploffsetCommand, L"ALL\n\nO\n1\n1\n");
        EXPECT_GT(signedArea(pointsOf(src).points), 0) << "the source keeps its new counter-clockwise direction";
        std::vector<AcDbObjectId> all = modelSpace();
        ASSERT_EQ(all.size(), 2u);
        AcDbObjectPointer<AcDbEntity> copy(all[1], AcDb::kForRead);
        AcDbExtents box;
        ASSERT_EQ(copy->getGeomExtents(box), Acad::eOk);
        EXPECT_NEAR(box.minPoint().x, -1, 1e-9) << "lightweight " << lightweight;
        EXPECT_NEAR(box.maxPoint().y, 11, 1e-9);
    }
}

// A survey drawing lies at eastings and northings of millions: its copies are those made at the origin, shifted.
TEST_F(BatchOffsetTest, PolylinesFarFromTheOriginGetTheOriginsCopiesShiftedOfTheSourcesWidth) {
    std::vector<std::vector<double>> boxesAt[2];
    const double shifts[2] = {0, 1e8};
    for (int k = 0; k < 2; ++k) {
        SetUp();
        const double o = shifts[k];
        const AcDbObjectId src =
            addLw({{o, o}, {o + 10, o}, {o + 10, o + 6}, {o + 4, o + 6}, {o + 4, o + 10}, {o, o + 10}}, true);
        {
            AcDbObjectPointer<AcDbPolyline> pl(src, AcDb::kForWrite);
            pl->setConstantWidth(0.1);
        }
        run(&ploffsetCommand, L"ALL\n\nD\n3\nM\n0.5,0.25\n");
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<AcDbEntity> copy(id, AcDb::kForRead);
            AcDbExtents box;
            ASSERT_EQ(copy->getGeomExtents(box), Acad::eOk);
            AcDbObjectPointer<AcDbPolyline> pl(id, AcDb::kForRead);
            double width = 0;
            ASSERT_TRUE(pl && pl->getConstantWidth(width) == Acad::eOk);
            EXPECT_EQ(width, 0.1) << "copies inside and outside keep the source's width";
            boxesAt[k].push_back({box.minPoint().x - o, box.minPoint().y - o, box.maxPoint().x - o,
                                  box.maxPoint().y - o});
        }
    }
    ASSERT_EQ(boxesAt[0].size(), 7u);  // the source and three copies on each side
    ASSERT_EQ(boxesAt[1].size(), boxesAt[0].size());
    for (size_t i = 0; i < boxesAt[0].size(); ++i)
        for (size_t j = 0; j < 4; ++j) EXPECT_NEAR(boxesAt[1][i][j], boxesAt[0][i][j], 1e-6) << i << " " << j;
}

TEST_F(BatchOffsetTest, OffsetCurveSkipsWhatCannotBeOffset) {
    OffsetSpacings d;
    d.fill(1);
    AcDbObjectId tiny = add(new AcDbLine({0, 0, 0}, {0.00005, 0, 0}));
    auto* helix = new AcDbHelix;
    helix->setAxisVector(AcGeVector3d::kZAxis);
    helix->setStartPoint({5, 0, 0});
    helix->setTopRadius(5);
    helix->setTurns(2);
    helix->setTurnHeight(3);
    helix->createHelix();
    AcDbObjectId spiral = add(helix);
    for (AcDbObjectId id : {tiny, spiral}) {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        EXPECT_EQ(offsetCurve(c.object(), d, 3, OffsetSide::kBoth), 0);
    }
    EXPECT_EQ(modelSpace().size(), 2u);
    // A line is left as drawn; a positive distance goes to the right of its direction.
    AcDbObjectId line = add(new AcDbLine({0, 0, 0}, {10, 0, 0}));
    AcDbObjectPointer<AcDbCurve> c(line, AcDb::kForRead);
    EXPECT_EQ(offsetCurve(c.object(), d, 2, OffsetSide::kOuter), 2);
    c.close();
    AcDbObjectPointer<AcDbLine> first(modelSpace()[3], AcDb::kForRead);
    EXPECT_NEAR(first->startPoint().y, -1, 1e-9);
}
