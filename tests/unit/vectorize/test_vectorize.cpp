// The in-process vectoriser: its two filters, the colour regions, and the run from regions to a placed block.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "unit/drawing_fixture.h"
#include "vectorize/color_regions.h"
#include "vectorize/image_filters.h"
#include "vectorize/outline_dialog.h"
#include "vectorize/vectorize_image.h"

namespace {

// A picture from rows of text; each letter names a colour of `palette`.
void paint(CImage& image, const std::vector<std::string>& rows, int bpp = 24) {
    image.Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), bpp);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            COLORREF c = RGB(255, 255, 255);  // 'w'
            switch (rows[y][x]) {
                case 'k': c = RGB(0, 0, 0); break;
                case 'g': c = RGB(128, 128, 128); break;
                case 'r': c = RGB(220, 30, 30); break;
                case 'b': c = RGB(30, 30, 220); break;
            }
            image.SetPixel(static_cast<int>(x), static_cast<int>(y), c);
        }
    }
}

// The region labels of the painted picture's pixel rows (ring cells excluded), as digits; k the region count.
std::vector<std::string> regionsOf(const std::vector<std::string>& picture, int& k) {
    CImage image;
    paint(image, picture);
    LabelGrid grid(image.GetWidth(), image.GetHeight());
    k = makeColorRegion(image, grid, kRegionColorLimit);
    std::vector<std::string> rows(grid.height());
    for (int r = 1; r <= grid.height(); ++r)
        for (int c = 1; c <= grid.width(); ++c) rows[r - 1] += static_cast<char>('0' + grid.at(c, r));
    return rows;
}

std::array<int, 3> rgb(const PixelColor& c) { return {c.red, c.green, c.blue}; }

}  // namespace

TEST(VectorizeFilters, ThresholdHoldsItsLimitsAndMakesBrightPixelsBlack) {
    struct Case {
        int threshold, red, green, blue;
        int expected;
    } cases[] = {
        {100, 100, 100, 100, 0},    // S = 3t: black
        {100, 100, 100, 99, 255},   // darker: white
        {3, 5, 5, 2, 255},          // S = 12 >= 9, but 3 counts as 5 (15)
        {3, 5, 5, 5, 0},
        {254, 255, 250, 250, 0},    // S = 755 < 762, but 254 counts as 250 (750)
        {254, 250, 250, 249, 255},
    };
    for (int bpp : {24, 32}) {
        for (const Case& c : cases) {
            CImage image;
            image.Create(1, 1, bpp);
            writePixel(image, 0, 0, {c.red, c.green, c.blue});
            if (bpp == 32) static_cast<BYTE*>(image.GetPixelAddress(0, 0))[3] = 77;
            applyThreshold(image, c.threshold, true);
            EXPECT_EQ(rgb(readPixel(image, 0, 0)), (std::array{c.expected, c.expected, c.expected}))
                << bpp << " bits, t " << c.threshold;
            if (bpp == 32) {
                EXPECT_EQ(static_cast<const BYTE*>(image.GetPixelAddress(0, 0))[3], 77);
            }
        }
    }
}

TEST(VectorizeFilters, GradientStepsAndColours) {
    const int q[] = {360, 180, 120, 90, 72, 60, 51, 45}, k[] = {100, 50, 33, 25, 20, 16, 14, 12},
              m[] = {85, 50, 38, 32, 28, 25, 24, 23};
    for (int n = 1; n <= 8; ++n) {
        const GradientSteps s = gradientSteps(n);
        EXPECT_EQ(s.hueStep, q[n - 1]) << n;
        EXPECT_EQ(s.saturationStep, k[n - 1]) << n;
        EXPECT_EQ(s.valueStep, m[n - 1]) << n;
    }
    struct Case {
        int level;
        PixelColor in, out;
    } cases[] = {
        {1, {10, 10, 10}, {0, 0, 0}},
        {1, {200, 200, 200}, {216, 216, 216}},
        {1, {200, 30, 30}, {216, 0, 0}},
        {1, {30, 30, 200}, {216, 0, 0}},    // hue 240 rounds to 360: red again
        {0, {30, 30, 200}, {216, 0, 0}},    // a level below 1 counts as 1
        {2, {0, 255, 0}, {0, 255, 255}},    // hue 120 rounds to 180
        {7, {255, 128, 0}, {244, 208, 4}},  // hue 30 rounds to 51, not 360/7
        {3, {255, 255, 255}, {255, 255, 255}},  // value 1 rounds to 3 x 0.38: held at full brightness
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rgb(quantizeColor(c.in, c.level)), rgb(c.out))
            << c.level << ": " << c.in.red << "," << c.in.green << "," << c.in.blue;
    }
    CImage image;
    paint(image, {"rrr", "rrr", "rrr"});
    applyColorGradient(image, 1);
    EXPECT_EQ(readPixel(image, 1, 1).red, 216);
    EXPECT_EQ(readPixel(image, 0, 0).red, 220);  // the outermost ring keeps its colours
    EXPECT_EQ(readPixel(image, 2, 1).green, 30);
}

TEST(VectorizeRegions, LabellingMergingAndNumbering) {
    struct Case {
        const char* what;
        std::vector<std::string> picture, labels;
        int k;
    } cases[] = {
        // One colour: one region, the outermost ring included.
        {"single colour", {"wwwww", "wwwww", "wwwww", "wwwww"}, {"00000", "00000", "00000", "00000"}, 1},
        // Unlike neighbours all start new labels (3, 4, 5 after 1): numbered 1 to 4 in order.
        {"all apart", {"gggggg", "gwkrbg", "gggggg"}, {"000000", "012340", "000000"}, 5},
        // The two arms of a U start apart and are joined in the bottom row; label 1 keeps its name.
        {"joined U", {"ggggggg", "gkwwwkg", "gkwwwkg", "gkkkkkg", "ggggggg"},
         {"0000000", "0122210", "0122210", "0111110", "0000000"}, 3},
        // Pixels like the ring above them share its label 0; the two ink arms join.
        {"like the ring", {"gggggg", "gkggkg", "gkkkkg", "gggggg"}, {"000000", "010010", "011110", "000000"}, 2},
    };
    for (const Case& c : cases) {
        int k = 0;
        EXPECT_EQ(regionsOf(c.picture, k), c.labels) << c.what;
        EXPECT_EQ(k, c.k) << c.what;
    }
}

TEST(VectorizeRegions, AFullSizeNoisyPictureKeepsTheLabelsThe16BitGridCanHold) {
    CImage image;
    image.Create(1024, 768, 24);
    unsigned state = 12345;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            state = state * 1103515245u + 12345u;
            image.SetPixel(x, y, RGB((state >> 8) & 0xff, (state >> 16) & 0xff, (state >> 24) & 0xff));
        }
    }
    LabelGrid grid(1024, 768);
    EXPECT_EQ(makeColorRegion(image, grid, kRegionColorLimit), kLargestLabel + 1);
    EXPECT_EQ(grid.at(1, 1), 0);
    EXPECT_EQ(grid.at(2, 2), 1);
    EXPECT_EQ(grid.at(1023, 767), -1);  // far past the first 32767 regions
}

// Shapes drawn on paper that runs out to the picture's edge, as scans and photos have it: the paper's pixels
// on the edge join the rest of the paper, and each shape, and each hole in one, is one region with one outline.
TEST(VectorizeRegions, ShapesOnPaperThatReachesTheEdgeGiveOneRegionAndOneOutlineEach) {
    struct Case {
        const char* what;
        std::vector<std::string> picture;
        int regions;  // the paper included
    } cases[] = {
        {"a U", {"wwwwwwwwww", "wwkwwwwkww", "wwkwwwwkww", "wwkwwwwkww", "wwkkkkkkww", "wwwwwwwwww"}, 2},
        {"a ring and its hole",
         {"wwwwwwwwww", "wwkkkkkkww", "wwkwwwwkww", "wwkwwwwkww", "wwkkkkkkww", "wwwwwwwwww"}, 3},
        {"a triangle",
         {"wwwwwwwwwww", "wwwwwrwwwww", "wwwwrrrwwww", "wwwrrrrrwww", "wwrrrrrrrww", "wwwwwwwwwww"}, 2},
        {"three shapes apart",
         {"wwwwwwwwwwwww", "wkkwwwbbwwwrw", "wkkwwwbbwwrrw", "wwwwwwwwwwwww", "wwwkkkkkkkwww", "wwwwwwwwwwwww"}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int k = 0;
        const std::vector<std::string> labels = regionsOf(c.picture, k);
        ASSERT_EQ(k, c.regions);
        // Pixels of one colour that touch share a label: the paper is one label, the edge ring included.
        for (size_t y = 0; y < labels.size(); ++y) {
            for (size_t x = 0; x < labels[y].size(); ++x) {
                if (c.picture[y][x] == 'w' && (x == 0 || y == 0 || y + 1 == labels.size())) {
                    EXPECT_EQ(labels[y][x], labels[0][0]) << x << "," << y;
                }
            }
        }
        CImage image;
        paint(image, c.picture);
        LabelGrid grid(image.GetWidth(), image.GetHeight());
        makeColorRegion(image, grid, kRegionColorLimit);
        const std::vector<RegionStart> starts = regionStarts(grid, k);
        for (int label = 0; label < k; ++label) {
            PixelChain fast, searched;
            traceRegionBoundaryFrom(label, starts[static_cast<size_t>(label)], grid, fast);
            findRegionOutline(label, grid, searched);
            EXPECT_EQ(fast.size(), searched.size()) << label;
        }
    }
}

TEST(VectorizeRegions, SimilarityIsStrictlyBelowTheLimitInEachChannel) {
    CImage image;
    image.Create(4, 1, 24);
    image.SetPixel(0, 0, RGB(100, 100, 100));
    image.SetPixel(1, 0, RGB(131, 69, 131));
    image.SetPixel(2, 0, RGB(100, 132, 100));
    image.SetPixel(3, 0, RGB(100, 100, 68));
    EXPECT_TRUE(isSimilarColor(image, {0, 0}, {1, 0}, 32));
    EXPECT_FALSE(isSimilarColor(image, {0, 0}, {2, 0}, 32));
    EXPECT_FALSE(isSimilarColor(image, {0, 0}, {3, 0}, 32));
}

namespace {

class RecordingView : public VectorizeView {
public:
    void showStatus(const wchar_t* text) override { statuses.push_back(text); }
    void markPreviewPixel(int x, int y) override { marks.push_back({x, y}); }
    void beginEditor() override { ++editorTurns; }
    void completeEditor() override { ++editorTurns; }
    std::vector<std::wstring> statuses;
    std::vector<POINT> marks;
    int editorTurns = 0;
};

class VectorizeRun : public DrawingTest {
protected:
    // Runs the vectoriser with the placement answers; returns the block reference made (null for none).
    AcDbObjectId vectorize(const CImage& image, const VectorizeSettings& settings, const std::wstring& script) {
        answers(script);
        VectorizePlacement placement;
        vectorizeImage(image, settings, view, placement);
        source.reset();
        for (AcDbObjectId id : modelSpace()) return id;
        return {};
    }
    // The polylines of the referenced block.
    std::vector<AcDbObjectId> blockEntities(AcDbObjectId referenceId) {
        AcDbObjectPointer<AcDbBlockReference> ref(referenceId, AcDb::kForRead);
        AcDbObjectPointer<AcDbBlockTableRecord> block(ref->blockTableRecord(), AcDb::kForRead);
        std::vector<AcDbObjectId> ids;
        for (AcDbObjectId id : block->entityIds())
            if (!id.isErased()) ids.push_back(id);
        return ids;
    }
    RecordingView view;
};

// A picture with one dark square of 3 x 3 pixels on a white background.
const std::vector<std::string> kSquare = {"wwwwwww", "wwwwwww", "wwkkkww", "wwkkkww", "wwkkkww", "wwwwwww"};

}  // namespace

TEST_F(VectorizeRun, ChainsShorterThanTheClutterLimitAreDroppedAndOptimisationZeroKeepsEveryPixel) {
    CImage image;
    paint(image, kSquare);
    LabelGrid grid(7, 6);
    ASSERT_EQ(makeColorRegion(image, grid, kRegionColorLimit), 2);  // the paper, out to the edge, and the square
    PixelChain square;
    findRegionOutline(1, grid, square);
    ASSERT_EQ(square.size(), 8u);  // the square's ring of pixels
    PixelChain paper;  // its outer edge is the picture's edge ring, which is never recorded
    findRegionOutline(0, grid, paper);
    ASSERT_TRUE(paper.empty());

    VectorizeSettings settings;
    settings.optimization = 0;
    settings.previewScale = 0.5;
    settings.clutter = 8;
    AcDbObjectId ref = vectorize(image, settings, L"0,0\n100\n");
    ASSERT_FALSE(ref.isNull());
    const auto kept = blockEntities(ref);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(view.marks.size(), square.size());
    EXPECT_EQ(view.marks.back().x, static_cast<int>(square.back().x * 0.5));
    AcDbObjectPointer<AcDbPolyline> pl(kept[0], AcDb::kForRead);
    ASSERT_EQ(pl->numVerts(), square.size());
    EXPECT_TRUE(pl->isClosed());
    for (unsigned i = 0; i < pl->numVerts(); ++i) {
        AcGePoint2d p;
        pl->getPointAt(i, p);
        EXPECT_EQ(p, AcGePoint2d(square[i].x, square[i].y)) << i;
    }
    EXPECT_EQ(view.statuses.front(), L"Begin makeColorRegion....");
    EXPECT_EQ(view.statuses[2], L"Begin findRegionOutline...1");
    EXPECT_EQ(view.statuses.back(), L"OK");
    EXPECT_EQ(view.editorTurns, 2);
    pl.close();

    settings.clutter = 9;
    db = std::make_unique<AcDbDatabase>(true);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    ref = vectorize(image, settings, L"0,0\n100\n");
    ASSERT_FALSE(ref.isNull());
    EXPECT_TRUE(blockEntities(ref).empty());
}

TEST_F(VectorizeRun, OptimisationSmoothsInTheBlockAndCancelledPlacementAsksAgain) {
    CImage image;
    paint(image, kSquare);
    VectorizeSettings settings;
    settings.clutter = 8;
    // A zero or negative height is refused by the prompt (a script that gives one stops there): nothing placed.
    for (const wchar_t* refused : {L"5,5\n0\n", L"5,5\n-3\n"})
        EXPECT_TRUE(vectorize(image, settings, refused).isNull()) << refused;
    const AcDbObjectId ref = vectorize(image, settings, L"0,0\n;@cancel\n5,5\n50\n");
    ASSERT_FALSE(ref.isNull());
    AcDbObjectPointer<AcDbBlockReference> reference(ref, AcDb::kForRead);
    EXPECT_EQ(reference->position(), AcGePoint3d(5, 55, 0));
    const auto kept = blockEntities(ref);
    ASSERT_EQ(kept.size(), 1u);
    for (AcDbObjectId id : kept) {
        AcDbObjectPointer<AcDb2dPolyline> smoothed(id, AcDb::kForRead);
        ASSERT_TRUE(smoothed) << "a smoothed polyline in place of the traced one";
        EXPECT_TRUE(smoothed->isClosed());
    }
}

TEST(VectorizePlacement, PixelsLandBelowTheTopEdgeScaledToTheHeight) {
    AcDbBlockReference reference;
    placePictureReference(reference, AcGePoint3d(0, 0, 0), 100, 200);
    const AcGeMatrix3d m = reference.blockTransform();
    EXPECT_TRUE(AcGePoint3d(0, 0, 0).transformBy(m).isEqualTo(AcGePoint3d(0, 100, 0)));
    EXPECT_TRUE(AcGePoint3d(100, 200, 0).transformBy(m).isEqualTo(AcGePoint3d(50, 0, 0)));
}

TEST(VectorizeDialogSizes, WorkingWidthAndPreviewFit) {
    struct Size {
        int w, h;
        bool quick;
        int expectedW, expectedH;
    } sizes[] = {
        {1024, 500, false, 1024, 500}, {1025, 500, false, 1024, 499}, {1025, 500, true, 1025, 500},
        {300, 200, false, 300, 200},
    };
    for (const Size& s : sizes) {
        const PictureSize got = workingSize(s.w, s.h, s.quick);
        EXPECT_EQ(got.width, s.expectedW) << s.w << (s.quick ? " quick" : "");
        EXPECT_EQ(got.height, s.expectedH) << s.w << (s.quick ? " quick" : "");
    }
    struct Fit {
        int w, h, areaW, areaH;
        int expectedW, expectedH;
        double scale;
    } fits[] = {
        {240, 160, 792, 538, 240, 160, 1.0},     // narrower than the area: as it is
        {1024, 500, 792, 538, 792, 386, 792.0 / 1024},  // fitted to the width
        {1024, 768, 792, 538, 717, 538, 538.0 / 768},   // then to the height
    };
    for (const Fit& f : fits) {
        const PreviewFit got = fitPreview(f.w, f.h, f.areaW, f.areaH);
        EXPECT_EQ(got.width, f.expectedW) << f.w << "x" << f.h;
        EXPECT_EQ(got.height, f.expectedH) << f.w << "x" << f.h;
        EXPECT_DOUBLE_EQ(got.scale, f.scale) << f.w << "x" << f.h;
    }
}
