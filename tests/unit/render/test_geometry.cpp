// Where lines, circles, points, polylines and block contents land in the picture.
#include <cmath>

#include "picture.h"

namespace {
// True when a pixel of the colour lies within one pixel of (x, y).
bool near(const Picture& pic, double x, double y, uint32_t rgb) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int px = int(std::floor(x)) + dx, py = int(std::floor(y)) + dy;
            if (px >= 0 && py >= 0 && px < pic.width() && py < pic.height() && pic.at(px, py) == rgb) return true;
        }
    return false;
}
}  // namespace

TEST_F(RenderTest, CirclePixelsLieAtTheRadiusAllAround) {
    add(colored(new AcDbCircle({2, -1, 0}, {0, 0, 1}, 6), 1));
    auto pic = png();
    int n = 0;
    pic->forEach(kRed, [&](int x, int y) {
        ++n;
        EXPECT_NEAR(std::hypot(x + 0.5 - 120, y + 0.5 - 110), 60, 1.0) << x << "," << y;
    });
    EXPECT_GT(n, 300);
    for (int a = 0; a < 360; a += 5)
        EXPECT_TRUE(near(*pic, 120 + 60 * std::cos(a * M_PI / 180), 110 - 60 * std::sin(a * M_PI / 180), kRed)) << a;
    EXPECT_EQ(pic->at(0, 0), 0x000000u);
}

TEST_F(RenderTest, MappingPutsLineEndsOnTheirPixels) {
    AcGePoint3d a(-3.33, 4.17, 0), b(7.71, -2.2, 0);
    add(colored(new AcDbLine(a, b), 3));
    add(colored(new AcDbCircle({30, 12, 0}, {0, 0, 1}, 1), 3));
    opt.viewHeight = 0;  // the drawing's extents
    opt.width = 300;
    opt.height = 180;
    cvx::ViewMapping m;
    std::string error;
    ASSERT_TRUE(cvxRenderMapping(db.get(), opt, m, &error)) << error;
    auto pic = png();
    for (const AcGePoint3d& p : {a, b}) {
        AcGePoint2d px = m.worldToPixel(p.convert2d());
        EXPECT_EQ(pic->at(int(px.x), int(px.y)), kGreen) << px.x << "," << px.y;
        AcGePoint2d back = m.pixelToWorld(px);
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
    }
    // The extents (line start to circle top right) fill the picture up to the margin.
    AcGePoint2d lo = m.worldToPixel({-3.33, 13}), hi = m.worldToPixel({31, -2.2});
    double usedW = hi.x - lo.x, usedH = hi.y - lo.y;
    EXPECT_TRUE(std::fabs(usedW - 300 / 1.1) < 1.5 || std::fabs(usedH - 180 / 1.1) < 1.5) << usedW << " " << usedH;
    EXPECT_GE(lo.x, 0);
    EXPECT_LE(hi.x, 300);
}

TEST_F(RenderTest, PointModesDrawTheirSymbols) {
    db->setPdmode(3);
    db->setPdsize(4);  // drawing units: arms reach 2 units = 20 pixels from the centre
    add(colored(new AcDbPoint({1, 1, 0}), 2));
    auto cross = png("cross.png");
    for (int t = -18; t <= 18; t += 2) {
        EXPECT_TRUE(near(*cross, 110 + t, 90 - t, kYellow)) << t;
        EXPECT_TRUE(near(*cross, 110 + t, 90 + t, kYellow)) << t;
    }
    EXPECT_FALSE(near(*cross, 120, 90, kYellow));  // no plus arms
    EXPECT_FALSE(near(*cross, 110, 80, kYellow));
    EXPECT_FALSE(near(*cross, 110 + 25, 90 - 25, kYellow));

    db->setPdmode(2 + 32);
    db->setPdsize(-10);  // 10% of the 20-unit view: 2 units, circle radius 10 pixels
    auto plusCircle = png("plus.png");
    EXPECT_TRUE(near(*plusCircle, 110 + 10, 90, kYellow));
    EXPECT_TRUE(near(*plusCircle, 110, 90 - 10, kYellow));
    EXPECT_TRUE(near(*plusCircle, 110 + 7.07, 90 - 7.07, kYellow));  // on the circle
    EXPECT_FALSE(near(*plusCircle, 110 + 4, 90 - 4, kYellow));

    db->setPdmode(1);
    EXPECT_EQ(png("none.png")->count(kYellow), 0);
    db->setPdmode(0);
    EXPECT_EQ(png("dot.png")->count(kYellow), 1);
}

TEST_F(RenderTest, BlockReferencesTransformAndPassOnColourAndLayer) {
    AcDbObjectId arrow = newBlock(L"ARROW");
    auto* shaft = new AcDbLine({0, 0, 0}, {5, 0, 0});
    AcCmColor byBlock;
    byBlock.setByBlock();
    shaft->setColor(byBlock);
    add(shaft, arrow);
    add(new AcDbCircle({5, 0, 0}, {0, 0, 1}, 0.5), arrow);  // layer 0, by layer: takes the insert's layer

    AcDbObjectId green = newLayer(L"GREENLAYER", 3);
    auto* ref = new AcDbBlockReference({-2, -3, 0}, arrow);
    ref->setRotation(M_PI / 2);
    ref->setColorIndex(1);
    ref->setLayer(green);
    add(ref);

    // Nested: a block holding a by-block insert of ARROW, inserted at half size in blue.
    AcDbObjectId outer = newBlock(L"OUTER");
    auto* inner = new AcDbBlockReference({0, 0, 0}, arrow);
    inner->setColor(byBlock);
    add(inner, outer);
    auto* ref2 = new AcDbBlockReference({3, 5, 0}, outer);
    ref2->setScaleFactors(AcGeScale3d(0.5));
    ref2->setColorIndex(5);
    add(ref2);

    auto pic = png();
    for (int y = 82; y <= 128; y += 4) EXPECT_TRUE(near(*pic, 80, y, kRed)) << y;  // shaft turned upwards
    EXPECT_FALSE(near(*pic, 100, 70, kRed));                                       // not along +X
    EXPECT_TRUE(near(*pic, 85, 80, kGreen));                                       // head at (-2, 2)
    EXPECT_TRUE(near(*pic, 80, 75, kGreen));
    for (int x = 132; x <= 152; x += 4) EXPECT_TRUE(near(*pic, x, 50, kBlue)) << x;
    EXPECT_TRUE(near(*pic, 155 + 2.5, 50, kWhite));  // head on layer 0 all the way up: layer 0 is white
    EXPECT_FALSE(near(*pic, 175, 50, kBlue));  // half size: ends at x = 5.5
}

TEST_F(RenderTest, HiddenEntitiesAndLayersAreNotDrawn) {
    AcDbObjectId off = newLayer(L"OFF", 1), frozen = newLayer(L"FROZEN", 1);
    {
        AcDbLayerTableRecord* rec = nullptr;
        ASSERT_EQ(acdbOpenObject(rec, off, AcDb::kForWrite), Acad::eOk);
        rec->setIsOff(true);
        rec->close();
        ASSERT_EQ(acdbOpenObject(rec, frozen, AcDb::kForWrite), Acad::eOk);
        rec->setIsFrozen(true);
        rec->close();
    }
    auto* l1 = colored(new AcDbLine({-5, 1, 0}, {5, 1, 0}), 1);
    l1->setLayer(off);
    add(l1);
    auto* l2 = colored(new AcDbLine({-5, 2, 0}, {5, 2, 0}), 1);
    l2->setVisibility(AcDb::kInvisible);
    add(l2);
    // An insert on a frozen layer hides everything; on an off layer only its layer-0 contents.
    AcDbObjectId blk = newBlock(L"B");
    add(colored(new AcDbLine({0, 0, 0}, {5, 0, 0}), 1), blk);
    auto* onOther = colored(new AcDbLine({0, 1, 0}, {5, 1, 0}), 3);
    onOther->setLayer(newLayer(L"VISIBLE", 3));
    add(onOther, blk);
    auto* r1 = new AcDbBlockReference({-5, -5, 0}, blk);
    r1->setLayer(frozen);
    add(r1);
    auto* r2 = new AcDbBlockReference({-5, -8, 0}, blk);
    r2->setLayer(off);
    add(r2);

    auto pic = png();
    EXPECT_EQ(pic->count(kRed), 0);
    int green = 0;
    pic->forEach(kGreen, [&](int, int y) {
        ++green;
        EXPECT_NEAR(y, 170, 1);  // only the line at y = -7 of the insert on the off layer
    });
    EXPECT_GT(green, 40);
}

TEST_F(RenderTest, PolylineWidthsAndBulges) {
    auto* wide = colored(new AcDbPolyline, 2);
    wide->addVertexAt(0, {-5, 5});
    wide->addVertexAt(1, {5, 5});
    wide->setConstantWidth(2);
    add(wide);
    auto* taper = colored(new AcDbPolyline, 3);
    taper->addVertexAt(0, {-5, -2}, 0, 0, 4);
    taper->addVertexAt(1, {5, -2});
    add(taper);
    auto* bulged = colored(new AcDbPolyline, 5);
    bulged->addVertexAt(0, {0, -6}, 1.0);  // half circle, counter-clockwise: below the chord
    bulged->addVertexAt(1, {6, -6});
    add(bulged);

    auto pic = png();
    auto column = [&](int x, uint32_t rgb) {
        int n = 0;
        for (int y = 0; y < 200; ++y) n += pic->at(x, y) == rgb;
        return n;
    };
    EXPECT_NEAR(column(100, kYellow), 20, 1);
    EXPECT_NEAR(column(75, kGreen), 10, 1.5);   // a quarter along: width 1
    EXPECT_NEAR(column(125, kGreen), 30, 1.5);  // three quarters: width 3
    EXPECT_TRUE(near(*pic, 130, 190, kBlue));   // (3, -9): the arc's far point
    EXPECT_FALSE(near(*pic, 130, 130, kBlue));  // (3, -3) would be the other side
}

TEST_F(RenderTest, AClosedPolylineOfTwoArcsIsDrawnAllRound) {
    auto* circle = colored(new AcDbPolyline, 1);
    circle->addVertexAt(0, {-4, 0}, 1.0);
    circle->addVertexAt(1, {4, 0}, 1.0);
    circle->setClosed(true);
    add(circle);
    auto pic = png();
    EXPECT_TRUE(near(*pic, 100, 140, kRed));  // (0, -4): the first arc
    EXPECT_TRUE(near(*pic, 100, 60, kRed));   // (0, 4): the closing arc
}
