// A drawing with every kind the renderer knows, each in its own colour: each must leave ink, and the
// picture is kept in the build folder for a look.
#include <set>

#include "picture.h"

namespace {
AcDbHatch::Loop polygonLoop(std::vector<AcGePoint2d> pts) {
    AcDbHatch::Loop loop;
    loop.type = AcDbHatch::kPolyline;
    loop.bulges.assign(pts.size(), 0.0);
    loop.vertices = std::move(pts);
    return loop;
}
}  // namespace

TEST_F(RenderTest, EveryKindLeavesInkInItsColour) {
    std::vector<int> colours;
    auto put = [&](AcDbEntity* e, int aci) {
        colours.push_back(aci);
        add(colored(e, aci));
    };
    put(new AcDbLine({0, 0, 0}, {10, 4, 0}), 1);
    put(new AcDbCircle({15, 2, 0}, {0, 0, 1}, 2), 2);
    put(new AcDbArc({22, 2, 0}, 2, 0, M_PI), 3);
    put(new AcDbEllipse({29, 2, 0}, {0, 0, 1}, {3, 0, 0}, 0.5, 0, 1.5 * M_PI), 4);

    auto* lw = new AcDbPolyline;
    lw->addVertexAt(0, {0, 8}, 0.5, 0.4, 0.4);
    lw->addVertexAt(1, {6, 8}, 0, 0.4, 0.4);
    lw->addVertexAt(2, {8, 12}, 0, 1.0, 0);
    lw->addVertexAt(3, {10, 12});
    put(lw, 5);

    auto* p2 = new AcDb2dPolyline;
    for (auto [x, y, type] : std::vector<std::tuple<double, double, AcDb::Vertex2dType>>{
             {13, 8, AcDb::k2dSplineFitVertex}, {200, 200, AcDb::k2dSplineCtlVertex}, {16, 12, AcDb::k2dSplineFitVertex},
             {19, 8, AcDb::k2dSplineFitVertex}}) {
        auto* v = new AcDb2dVertex({x, y, 0});
        v->setVertexType(type);
        p2->appendVertex(v);
    }
    put(p2, 6);
    AcGePoint3dArray pts3{{22, 8, 0}, {24, 12, 5}, {26, 8, -5}, {28, 12, 0}};
    put(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts3), 8);

    AcGePoint3dArray ctrl{{0, 16, 0}, {2, 20, 0}, {5, 14, 0}, {8, 20, 0}, {10, 16, 0}};
    AcGeDoubleArray knots{0, 0, 0, 0, 0.5, 1, 1, 1, 1}, weights;
    put(new AcDbSpline(3, false, false, false, ctrl, knots, weights), 20);
    auto* helix = new AcDbHelix;
    helix->setAxisPoint({15, 17, 0});
    helix->setStartPoint({17, 17, 0});
    helix->setTopRadius(1);
    helix->setTurns(3);
    helix->setTurnHeight(1);
    helix->createHelix();
    put(helix, 40);
    db->setPdmode(3 + 64);
    db->setPdsize(1.5);
    put(new AcDbPoint({22, 17, 0}), 60);
    put(new AcDbText({25, 16, 0}, L"Text \u4E2D\u6587", AcDbObjectId(), 1.5, 0.2), 80);
    auto* mt = new AcDbMText;
    mt->setLocation({0, 30, 0});
    mt->setTextHeight(1.2);
    mt->setContents(L"MTEXT first line\\Psecond \\Lline");
    put(mt, 120);

    auto* solid = new AcDbHatch;
    solid->insertLoopAt(0, polygonLoop({{12, 24}, {20, 24}, {20, 30}, {12, 30}}));
    solid->insertLoopAt(1, polygonLoop({{14, 26}, {18, 26}, {16, 29}}));
    put(solid, 140);
    auto* pattern = new AcDbHatch;
    pattern->setPattern(AcDbHatch::kPreDefined, L"ANSI31");
    pattern->setPatternScale(0.3);
    pattern->insertLoopAt(0, polygonLoop({{22, 24}, {30, 24}, {26, 30}}));
    put(pattern, 180);

    AcDbObjectId blk = newBlock(L"MARK");
    AcCmColor byBlock;
    byBlock.setByBlock();
    for (AcDbEntity* e : std::initializer_list<AcDbEntity*>{new AcDbCircle({0, 0, 0}, {0, 0, 1}, 1),
                                                            new AcDbLine({-1, -1, 0}, {1, 1, 0})}) {
        e->setColor(byBlock);
        add(e, blk);
    }
    auto* ref = new AcDbBlockReference({33, 27, 0}, blk);
    ref->setRotation(0.3);
    ref->setScaleFactors(AcGeScale3d(1.5));
    put(ref, 100);
    // Unknown kinds are passed over.
    add(new AcDbUnknownEntity(L"WIPEOUT"));

    opt.viewHeight = 0;
    opt.width = 800;
    opt.height = 640;
    opt.background = 0x212830;
    cvx::ViewMapping m;
    ASSERT_TRUE(cvxRenderMapping(db.get(), opt, m));
    EXPECT_LT(m.viewHeight(), 60);  // the skipped control vertex at (200, 200) is not part of the view
    auto pic = png();
    std::set<uint32_t> distinct;
    for (int aci : colours) distinct.insert(AcCmEntityColor::lookUpRGB(uint8_t(aci)));
    ASSERT_EQ(distinct.size(), colours.size());
    for (int aci : colours)
        EXPECT_GT(pic->count(AcCmEntityColor::lookUpRGB(uint8_t(aci)) & 0xFFFFFF), 10) << "colour " << aci;
    std::filesystem::copy_file(dir / "out.png", std::filesystem::path(CVX_BINARY_DIR) / "render_all_kinds.png",
                               std::filesystem::copy_options::overwrite_existing);
}
