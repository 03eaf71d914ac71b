// The pieces of makeOutline and INOFFSET that work on the drawing: the picture of the view, the zoom, the
// choice among boundaries, the rough outline and the hiding of what lies inside it, the offset questions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cvx/files.h"
#include "cvx/profile.h"
#include "cvx/registry.h"
#include "cvx/wide.h"
#include "frame/extents.h"
#include "frame/registry_values.h"
#include "outline/boundary_choice.h"
#include "outline/entity_lists.h"
#include "outline/figure_view.h"
#include "outline/inner_offset.h"
#include "outline/region_points.h"
#include "outline/rough_outline.h"
#include "outline/view_image.h"
#include "outline_fixture.h"

namespace fs = std::filesystem;
using OutlineSteps = OutlineTest;

TEST_F(OutlineSteps, TempNamesAreLowerCasedTakeTheExtensionAndAreRemovedWithTheirReservation) {
    const fs::path folder = fs::temp_directory_path() / ("CurvixOutline-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", folder.c_str(), 1);
    const std::wstring a = makeTempFileName(L".PNG"), b = makeTempFileName(L".PNG");
    EXPECT_NE(a, b);
    for (const std::wstring& name : {a, b}) {
        EXPECT_EQ(name.substr(name.size() - 4), L".PNG");
        EXPECT_NE(name.find(L"curvixoutline-"), std::wstring::npos) << "the folder is lower-cased too";
        std::ofstream(cvxNativePath(name.c_str())) << "picture";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4)
        << "the pictures land in the real folder beside their reservations";
    deleteTempFile(a);
    deleteTempFile(b);
    EXPECT_TRUE(fs::is_empty(folder));
    if (old) ::setenv("TMPDIR", saved.c_str(), 1);
    else ::unsetenv("TMPDIR");
    fs::remove_all(folder);
}

TEST_F(OutlineSteps, TheBackgroundColourComesFromTheHostsProfile) {
    DWORD color = 1, r = 1, g = 1, b = 1;
    getBackgroundColor(color, r, g, b);
    EXPECT_EQ(color, 0u) << "no profile: black";
    cvxEnsureHostProfile();
    // The key as the host documents it, found by walking the registry.
    const std::wstring release = std::wstring(kCvxHostKey) + L"\\R18.2";
    const std::wstring profiles =
        release + L"\\" + readRegString(HKEY_CURRENT_USER, release.c_str(), L"CurVer") + L"\\Profiles";
    const std::wstring window =
        profiles + L"\\" + readRegString(HKEY_CURRENT_USER, profiles.c_str(), nullptr) + L"\\Drawing Window";
    ASSERT_TRUE(writeRegDword(HKEY_CURRENT_USER, window.c_str(), L"Background", 0x00C08040));
    ASSERT_EQ(cvxHostBackgroundColor(), 0x00C08040u);
    getBackgroundColor(color, r, g, b);
    EXPECT_EQ(color, 0x00C08040u);
    EXPECT_EQ(r, 0x40u);
    EXPECT_EQ(g, 0x80u);
    EXPECT_EQ(b, 0xC0u);
}

TEST_F(OutlineSteps, OneEnclosedAreaOnThePictureOfTheViewGivesOnePointInsideIt) {
    addSquare(20, 10, 70, 50);
    int regions = 0;
    auto grid = labelCurrentView(regions);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->width(), 800);
    EXPECT_EQ(regions, 3) << "the ink, the outside, the inside";
    PixelChain points;
    findRegionPoints(regions, *grid, points);
    ASSERT_EQ(points.size(), 2u);
    ads_point world;
    ASSERT_TRUE(acedCoordFromPixelToWorld(0, points[1], world));
    EXPECT_GT(world[0], 20);
    EXPECT_LT(world[0], 70);
    EXPECT_GT(world[1], 10);
    EXPECT_LT(world[1], 50);
}

TEST_F(OutlineSteps, AFigureWithOnePercentRoomOnEverySideIsNotZoomed) {
    const AcDbExtents figure({0, 0, 0}, {100, 50, 0});
    EXPECT_FALSE(figureNeedsZoom(figure, {-1, -0.5, 0}, {101, 50.5, 0}));
    EXPECT_TRUE(figureNeedsZoom(figure, {-0.9, -0.5, 0}, {101, 50.5, 0}));
    EXPECT_TRUE(figureNeedsZoom(figure, {-1, -0.4, 0}, {101, 50.5, 0}));
    EXPECT_TRUE(figureNeedsZoom(figure, {-1, -0.5, 0}, {100.9, 50.5, 0}));
    EXPECT_TRUE(figureNeedsZoom(figure, {-1, -0.5, 0}, {101, 50.4, 0}));

    // The default view shows (0,0)-(100,75): a small figure inside stays as it is, a larger one is zoomed to.
    AcGePoint3d lo, hi;
    zoomToFigure(AcDbExtents({10, 10, 0}, {60, 40, 0}));
    currentViewExtents(lo, hi);
    EXPECT_NEAR(lo.x, 0, 1e-9);
    EXPECT_NEAR(hi.y, 75, 1e-9);
    zoomToFigure(AcDbExtents({-50, 0, 0}, {150, 20, 0}));
    currentViewExtents(lo, hi);
    EXPECT_LE(lo.x, -50 - 2 + 1e-6);
    EXPECT_GE(hi.x, 150 + 2 - 1e-6);
    EXPECT_FALSE(figureNeedsZoom(AcDbExtents({-50, 0, 0}, {150, 20, 0}), lo, hi));
}

TEST_F(OutlineSteps, TheLargestBoundaryIsKeptRedAndWideTheRectanglesAndSmallerOnesGo) {
    const AcDbExtents rectangle({0, 0, 0}, {100, 75, 0});
    const AcDbObjectId alongRectangle = addSquare(0.0005, -0.0005, 100, 75);
    const AcDbObjectId outline = addSquare(10, 10, 60, 40);
    const AcDbObjectId twin = addSquare(30, 20, 80, 50);  // the same area
    const AcDbObjectId island = addSquare(20, 20, 30, 30);
    const AcDbObjectId circle = add(new AcDbCircle({50, 50, 0}, AcGeVector3d::kZAxis, 5));
    keepLargestBoundary({alongRectangle, outline, twin, island, circle}, rectangle, 0.3);
    EXPECT_TRUE(alongRectangle.isErased());
    EXPECT_TRUE(island.isErased());
    EXPECT_TRUE(circle.isErased()) << "not a polyline: no area";
    for (AcDbObjectId id : {outline, twin}) {
        ASSERT_FALSE(id.isErased());
        AcDbObjectPointer<AcDbPolyline> pl(id, AcDb::kForRead);
        EXPECT_EQ(pl->colorIndex(), 1);
        double width = 0;
        pl->getConstantWidth(width);
        EXPECT_DOUBLE_EQ(width, 0.3);
    }
    // Without polylines, entities without area are all kept.
    const AcDbObjectId c2 = add(new AcDbCircle({50, 50, 0}, AcGeVector3d::kZAxis, 5));
    keepLargestBoundary({c2}, rectangle, 0.3);
    EXPECT_FALSE(c2.isErased());
}

TEST_F(OutlineSteps, ARoughOutlineNeedsMoreThanAHundredPoints) {
    // A rectangle of pixels, clockwise on screen, one point per pixel along its edges.
    auto chainOf = [](int n) {
        PixelChain chain;
        for (int i = 0; i < n; ++i) {
            const int side = i * 4 / n, k = i - side * n / 4, len = n / 4;
            const int x = side == 0 ? 100 + k * 4 : side == 1 ? 100 + len * 4 : side == 2 ? 100 + (len - k) * 4 : 100;
            const int y = side == 0 ? 100 : side == 1 ? 100 + k * 4 : side == 2 ? 100 + len * 4 : 100 + (len - k) * 4;
            chain.push_back({x, y});
        }
        return chain;
    };
    EXPECT_TRUE(makeRoughOutline(chainOf(100)).isNull());
    EXPECT_TRUE(modelSpace().empty());
    const AcDbObjectId rough = makeRoughOutline(chainOf(101));
    ASSERT_FALSE(rough.isNull());
    ASSERT_EQ(modelSpace().size(), 1u) << "the thinned polyline in place of the first";
    AcDbObjectPointer<AcDbPolyline> pl(rough, AcDb::kForRead);
    ASSERT_TRUE(pl);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_EQ(pl->colorIndex(), 1);
    EXPECT_LT(pl->numVerts(), 20u);
    double width = 0;
    pl->getConstantWidth(width);
    EXPECT_NEAR(width, 0.75, 1e-9) << "VIEWSIZE / 100";
}

TEST_F(OutlineSteps, ClosingInternalObjectsHidesTheCurvesWellInsideAndCountsTheIsolatedOnesToo) {
    // A rough outline drawn clockwise, as the trace makes it; VIEWSIZE / 50 = 1.5.
    const AcDbObjectId rough = addPolyline({{10, 10}, {10, 60}, {90, 60}, {90, 10}});
    const AcDbObjectId inside = add(new AcDbCircle({50, 35, 0}, AcGeVector3d::kZAxis, 5));
    const AcDbObjectId onEdge = add(new AcDbLine({10.5, 20, 0}, {10.5, 30, 0}));
    const AcDbObjectId outside = add(new AcDbCircle({95, 70, 0}, AcGeVector3d::kZAxis, 2));
    AcDbObjectIdArray temporary, hidden;
    hidden.append(outside);
    cvx::editor::takeTranscript();
    closeInternalObjects(rough, temporary, hidden);
    EXPECT_TRUE(rough.isErased());
    ASSERT_EQ(temporary.length(), 1);
    EXPECT_NEAR(extentsOf(temporary[0]).minPoint().x, 11.5, 1e-9) << "the offset lies inside";
    EXPECT_FALSE(visible(inside));
    EXPECT_TRUE(visible(onEdge)) << "within VIEWSIZE / 50 of the outline";
    EXPECT_FALSE(visible(outside));
    EXPECT_NE(cvx::editor::takeTranscript().find(L"Temporary closure of internal objects <2>."), std::wstring::npos);
}

TEST_F(OutlineSteps, IsolationHidesEverythingElseAndShowsItAgain) {
    const AcDbObjectId a = addSquare(0, 0, 10, 10), b = addSquare(20, 0, 30, 10);
    const AcDbObjectId alreadyHidden = addSquare(40, 0, 50, 10);
    setEntitiesVisible({alreadyHidden}, false);
    AcDbObjectIdArray hidden;
    hideOtherEntities({a}, hidden);
    EXPECT_TRUE(visible(a));
    EXPECT_FALSE(visible(b));
    setEntitiesVisible(hidden, true);
    EXPECT_TRUE(visible(b));
    EXPECT_FALSE(visible(alreadyHidden)) << "what was hidden before stays hidden";
}
