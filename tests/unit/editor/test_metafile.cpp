// The host's metafile: glyph outlines placed as the drawing shows a text, and the file read back as written.
#include <cstdio>
#include <fstream>

#include "unit/drawing_fixture.h"
#include "editor/commands/metafile.h"

namespace mf = cvx::editor::metafile;

namespace {

// DejaVu Sans, read from the font file by a separate reader: cap height ('H') 1493 font units;
// 'I' one contour over x 201..403, y 0..1493; 'O' two contours over x 115..1497, y -29..1520.
struct GlyphCase {
    const wchar_t* text;
    size_t loops;
    double xMin, yMin, xMax, yMax;  // font units
};

class MetafileTest : public DrawingTest {};

TEST_F(MetafileTest, TextOutlinesHaveTheGlyphsLoopsAndBox) {
    const double cap = 1493, height = 10, wf = 0.5;
    const AcGePoint2d at(100, 50), corner(80, 90);  // the text's position, the view's upper-left corner
    for (const GlyphCase& g : {GlyphCase{L"I", 1, 201, 0, 403, 1493}, GlyphCase{L"O", 2, 115, -29, 1497, 1520}}) {
        auto* text = new AcDbText(AcGePoint3d(at.x, at.y, 0), g.text, AcDbObjectId(), height, 0);
        text->setWidthFactor(wf);
        AcDbObjectId id = add(text);
        mf::Picture pic = mf::pictureOf(*db, {id}, corner, 100, 60);
        EXPECT_DOUBLE_EQ(pic.width, 50);
        EXPECT_DOUBLE_EQ(pic.height, 30);
        ASSERT_EQ(pic.chains.size(), g.loops) << g.text;
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (const mf::Chain& c : pic.chains) {
            EXPECT_TRUE(c.closed);
            for (const AcGePoint2d& p : c.points) {
                // Back from metafile units (Y downwards from the corner) to drawing units.
                double x = corner.x + 2 * p.x, y = corner.y - 2 * p.y;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        }
        const double tol = 0.01 * height;
        EXPECT_NEAR(x0, at.x + g.xMin / cap * height * wf, tol) << g.text;
        EXPECT_NEAR(x1, at.x + g.xMax / cap * height * wf, tol) << g.text;
        EXPECT_NEAR(y0, at.y + g.yMin / cap * height, tol) << g.text;
        EXPECT_NEAR(y1, at.y + g.yMax / cap * height, tol) << g.text;
    }
}

TEST_F(MetafileTest, FileReadsBackAsWrittenAndDamageIsReported) {
    mf::Picture pic;
    pic.width = 40, pic.height = 30;
    pic.chains.push_back({{{1, 2}, {3.25, -4}, {5e-7, 6}}, true});
    pic.chains.push_back({{{0, 0}, {1e6, 7}}, false});
    pic.dots.push_back({8, 9});
    const std::string path = ::testing::TempDir() + "metafile_test.wmf";
    std::wstring error;
    ASSERT_TRUE(mf::writePicture(pic, path, error));
    mf::Picture back;
    ASSERT_TRUE(mf::readPicture(path, back, error)) << error;
    EXPECT_EQ(back.width, 40);
    ASSERT_EQ(back.chains.size(), 2u);
    EXPECT_TRUE(back.chains[0].closed);
    EXPECT_FALSE(back.chains[1].closed);
    EXPECT_EQ(back.chains[0].points[1].y, -4);
    EXPECT_EQ(back.chains[0].points[2].x, 5e-7);
    ASSERT_EQ(back.dots.size(), 1u);

    const char* damaged[] = {
        "",                                            // empty
        "WMF 1\nEND\n",                                // not this format
        "CVXMETAFILE 1\nLOOP 3\n0 0\n1 1\n",          // cut inside a chain
        "CVXMETAFILE 1\nLINE 2\n0 0\n1 x\nEND\n",     // a bad number
        "CVXMETAFILE 1\nLINE 1\n0 0\nEND\n",          // a chain of one point
        "CVXMETAFILE 1\nCIRCLE 0 0 1\nEND\n",         // unknown record
        "CVXMETAFILE 1\nDOT 0 nan\nEND\n",            // not finite
        "CVXMETAFILE 1\nFRAME 1 1\n",                 // no END
    };
    for (const char* text : damaged) {
        std::ofstream(path) << text;
        error.clear();
        EXPECT_FALSE(mf::readPicture(path, back, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    std::remove(path.c_str());
    EXPECT_FALSE(mf::readPicture(path, back, error));
}

}  // namespace
