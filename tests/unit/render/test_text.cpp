// Text: where its ink lands for heights, alignments and rotation, and Chinese characters from the CJK font.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

#include "picture.h"
#include "render/text.h"

namespace {

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool empty() const { return x1 < 0; }
    double cx() const { return (x0 + x1 + 1) / 2.0; }
    double cy() const { return (y0 + y1 + 1) / 2.0; }
};

Box inkBox(const Picture& pic, uint32_t rgb) {
    Box b;
    pic.forEach(rgb, [&](int x, int y) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
    });
    return b;
}

constexpr const char* kLatinFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kCjkFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

// Advance width of a string in cap heights, straight from the font file; with inkOnly, less the blank
// space before the first letter and after the last.
double advanceInCapHeights(const wchar_t* s, bool inkOnly = false) {
    FT_Library lib;
    FT_Face face;
    EXPECT_EQ(FT_Init_FreeType(&lib), 0);
    EXPECT_EQ(FT_New_Face(lib, kLatinFont, 0, &face), 0);
    FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE);
    double cap = face->glyph->metrics.horiBearingY;
    double w = 0;
    for (const wchar_t* c = s; *c; ++c) {
        FT_Load_Char(face, FT_ULong(*c), FT_LOAD_NO_SCALE);
        const FT_Glyph_Metrics& m = face->glyph->metrics;
        w += m.horiAdvance;
        if (inkOnly && c == s) w -= m.horiBearingX;
        if (inkOnly && !c[1]) w -= m.horiAdvance - m.horiBearingX - m.width;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return w / cap;
}

// A glyph's ink as FreeType's own rasteriser draws it, scaled into an n x n grid over its ink box.
std::vector<bool> referenceGlyph(const char* font, FT_ULong code, int n, bool* found) {
    FT_Library lib;
    FT_Face face;
    std::vector<bool> grid(size_t(n * n), false);
    FT_Init_FreeType(&lib);
    *found = FT_New_Face(lib, font, 0, &face) == 0 && FT_Get_Char_Index(face, code) != 0;
    if (*found) {
        FT_Set_Pixel_Sizes(face, 0, 200);
        FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
        const FT_Bitmap& bm = face->glyph->bitmap;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                int bx = int((x + 0.5) * bm.width / n), by = int((y + 0.5) * bm.rows / n);
                grid[size_t(y * n + x)] = (bm.buffer[by * bm.pitch + bx / 8] >> (7 - bx % 8)) & 1;
            }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(lib);
    return grid;
}

std::vector<bool> inkGrid(const Picture& pic, uint32_t rgb, const Box& b, int n) {
    std::vector<bool> grid(size_t(n * n), false);
    int w = b.x1 - b.x0 + 1, h = b.y1 - b.y0 + 1;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            grid[size_t(y * n + x)] = pic.at(b.x0 + int((x + 0.5) * w / n), b.y0 + int((y + 0.5) * h / n)) == rgb;
    return grid;
}

}  // namespace

TEST_F(RenderTest, TextInkFillsItsBoxForEachAlignment) {
    auto* left = colored(new AcDbText({-8, 2, 0}, L"HELLO", AcDbObjectId(), 4, 0), 1);
    add(left);
    auto* mid = colored(new AcDbText({0, 0, 0}, L"HELLO", AcDbObjectId(), 2, 0), 3);
    mid->setHorizontalMode(AcDb::kTextMid);
    mid->setAlignmentPoint({0, -4, 0});
    add(mid);
    auto* up = colored(new AcDbText({-8, -9, 0}, L"HI", AcDbObjectId(), 2, M_PI / 2), 5);
    add(up);
    auto pic = png();

    double width = advanceInCapHeights(L"HELLO");
    Box r = inkBox(*pic, kRed);  // baseline at y = 2 (pixel 80), caps up to y = 6 (pixel 40)
    ASSERT_FALSE(r.empty());
    EXPECT_NEAR(r.y1 + 1, 80, 1.5);
    EXPECT_NEAR(r.y0, 40, 2.5);  // the O overshoots a little
    EXPECT_GE(r.x0, 20);  // after H's left side bearing, about 0.14 cap heights
    EXPECT_LE(r.x0, 28);
    EXPECT_LE(r.x1, 20 + width * 40 + 1);
    EXPECT_GE(r.x1, 20 + width * 40 - 6);

    Box g = inkBox(*pic, kGreen);  // centred on (0, -4): pixel (100, 140)
    EXPECT_NEAR(g.cx(), 100, 1.5);
    EXPECT_NEAR(g.cy(), 140, 1.5);
    EXPECT_NEAR(g.y1 - g.y0 + 1, 20, 2.5);

    Box b = inkBox(*pic, kBlue);  // turned a quarter: reads upwards, letters left of x = -8
    EXPECT_LE(b.x1 + 1, 21);
    EXPECT_NEAR(b.x0, 0, 1.5);
    EXPECT_NEAR(b.y1 + 1, 190, 3);
    EXPECT_GT(b.y1 - b.y0, 20);
}

TEST_F(RenderTest, MTextBreaksLinesAroundItsAttachmentPoint) {
    auto* m = colored(new AcDbMText, 2);
    m->setLocation({0, 0, 0});
    m->setTextHeight(2);
    m->setAttachment(AcDbMText::kMiddleCenter);
    m->setContents(L"{\\fArial|b1;HHHH}\\PHH");
    add(m);
    auto pic = png();
    Box y = inkBox(*pic, kYellow);
    // Two lines: cap height 2 plus one line spacing of 5/3 * 2, centred on the origin.
    double tall = (2 + 2 * 5.0 / 3) * 10;
    EXPECT_NEAR(y.y1 - y.y0 + 1, tall, 2);
    EXPECT_NEAR(y.cy(), 100, 1.5);
    EXPECT_NEAR(y.cx(), 100, 1.5);
    double hhhh = advanceInCapHeights(L"HHHH", true) * 20;
    EXPECT_NEAR(y.x1 - y.x0 + 1, hhhh, 1.5);  // the format codes are not drawn
    // The gap between the lines: a row through its middle has no ink.
    int gapRow = int(std::lround(y.y0 + 20 + (5.0 / 3 * 20 - 20) / 2));
    for (int x = y.x0; x <= y.x1; ++x) EXPECT_NE(pic->at(x, gapRow), kYellow);
}

TEST_F(RenderTest, ChineseTextDrawsTheGlyphFromTheCjkFont) {
    bool inLatin = true, inCjk = false;
    referenceGlyph(kLatinFont, 0x4E2D, 8, &inLatin);
    auto reference = referenceGlyph(kCjkFont, 0x4E2D, 24, &inCjk);
    ASSERT_FALSE(inLatin);  // the character must come from the fallback font
    ASSERT_TRUE(inCjk);

    add(colored(new AcDbText({-6, -6, 0}, L"\u4E2D", AcDbObjectId(), 10, 0), 1));
    opt.antialias = true;  // the shape must survive smoothing; only pure red counts as ink
    auto pic = png();
    Box b = inkBox(*pic, kRed);
    ASSERT_FALSE(b.empty());
    EXPECT_GT(b.x1 - b.x0, 60);
    auto drawn = inkGrid(*pic, kRed, b, 24);
    int same = 0;
    for (size_t i = 0; i < drawn.size(); ++i) same += drawn[i] == reference[i];
    EXPECT_GT(same, int(drawn.size() * 0.9)) << "the drawn character does not match the font's";
}

TEST_F(RenderTest, MTextInlineCodesChangeColourHeightAndStackFractions) {
    // "H" at height 2 in the entity's colour (yellow), then "H" in index colour 1 at twice the height, then a
    // stacked fraction in true colour green, then "%%d" as the degree sign in blue (BGR order in the code).
    auto* m = colored(new AcDbMText, 2);
    m->setLocation({-9, 0, 0});
    m->setTextHeight(2);
    m->setAttachment(AcDbMText::kBottomLeft);
    m->setContents(L"H{\\C1;\\H2x;H}{\\c65280;\\S1/2;}{\\c16711680;%%d}");
    add(m);
    auto pic = png();
    Box y = inkBox(*pic, kYellow), r = inkBox(*pic, kRed), g = inkBox(*pic, kGreen), b = inkBox(*pic, kBlue);
    ASSERT_FALSE(y.empty());
    ASSERT_FALSE(r.empty());
    ASSERT_FALSE(g.empty());
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(double(r.y1 - r.y0 + 1), 2.0 * (y.y1 - y.y0 + 1), 2.5);  // \H2x doubles the height
    EXPECT_NEAR(r.y1, y.y1, 1.5);                                        // on the same baseline
    EXPECT_GT(r.x0, y.x1);
    EXPECT_GT(g.x0, r.x1);
    // The fraction: numerator over denominator with a bar, the whole about a capital's height around it.
    EXPECT_LT(g.y0, y.y0 + 4);
    EXPECT_GT(g.y1, y.y1 - 1);
    EXPECT_GT(b.x0, g.x1);
    EXPECT_LT(b.y1, y.y1 - 5);  // the degree sign sits up high, it is no "%%d"
    auto runs = cvx::render::parseMText(L"a\\Pb{\\H0.5x;c}\\S3#4;", 2);
    ASSERT_EQ(runs.size(), 2u);
    ASSERT_EQ(runs[1].size(), 3u);
    EXPECT_DOUBLE_EQ(runs[1][1].height, 1);
    EXPECT_EQ(runs[1][2].top, L"3");
    EXPECT_EQ(runs[1][2].bottom, L"4");
    EXPECT_EQ(runs[1][2].stack, L'#');
}
