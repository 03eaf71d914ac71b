#include "cvx/image.h"
#include "scratch.h"

namespace {

// A 4 × 2 image whose pixel (x, y) has red 10·x + 100·y.
void makeSource(CImage& img, int bpp) {
    ASSERT_TRUE(img.Create(4, 2, bpp));
    if (bpp == 8) {
        RGBQUAD table[8];
        for (int i = 0; i < 8; ++i)
            table[i] = RGBQUAD{0, 0, BYTE(10 * (i % 4) + 100 * (i / 4)), 0};
        img.SetColorTable(0, 8, table);
        for (int i = 0; i < 8; ++i)
            img.SetPixelIndexed(i % 4, i / 4, i);
    } else {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                img.SetPixel(x, y, RGB(10 * x + 100 * y, 0, 0));
    }
}

}  // namespace

TEST(DrawContext, StretchingTakesTheNearestSourcePixel) {
    for (int bpp : {8, 24, 32}) {
        CImage src, big, small;
        makeSource(src, bpp);
        ASSERT_TRUE(big.Create(8, 4, bpp));
        HDC dc = big.GetDC();
        EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
        ASSERT_TRUE(src.StretchBlt(dc, 0, 0, 8, 4, SRCCOPY));
        big.ReleaseDC();
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(big.GetPixel(x, y), RGB(10 * (x / 2) + 100 * (y / 2), 0, 0)) << bpp << " " << x << "," << y;
        if (bpp == 8) {  // a fresh 8-bit target takes the source's table and indices
            EXPECT_EQ(*static_cast<BYTE*>(big.GetPixelAddress(7, 3)), 7);
        }

        // Halving keeps the pixels under the centres of the target pixels: columns 1 and 3, row 1.
        ASSERT_TRUE(small.Create(2, 1, 24));
        ASSERT_TRUE(StretchBlt(small.GetDC(), 0, 0, 2, 1, src.GetDC(), 0, 0, 4, 2, SRCCOPY));
        EXPECT_EQ(small.GetPixel(0, 0), RGB(110, 0, 0));
        EXPECT_EQ(small.GetPixel(1, 0), RGB(130, 0, 0));
    }
}

TEST(DrawContext, PartsClippingAndConversions) {
    CImage src, dst;
    makeSource(src, 24);
    ASSERT_TRUE(dst.Create(3, 3, 8));
    const RGBQUAD table[2] = {{0, 0, 0, 0}, {0, 0, 120, 0}};  // black and red 120
    dst.SetColorTable(0, 2, table);
    HDC dc = dst.GetDC();
    // Source column 2..3 of row 1 (reds 120, 130) to (2, 2) and beyond the right edge.
    ASSERT_TRUE(src.StretchBlt(dc, 2, 2, 2, 1, 2, 1, 2, 1));
    EXPECT_EQ(*static_cast<BYTE*>(dst.GetPixelAddress(2, 2)), 1);  // nearest to red 120
    EXPECT_EQ(*static_cast<BYTE*>(dst.GetPixelAddress(1, 2)), 0);  // untouched
    EXPECT_FALSE(src.StretchBlt(dc, 0, 0, 2, 2, 0x00EE0086));       // only SRCCOPY
    EXPECT_FALSE(src.StretchBlt(nullptr, 0, 0, 2, 2));
    EXPECT_FALSE(src.StretchBlt(dc, 0, 0, 0, 2));

    // Drawing an image onto itself shifted reads the pixels as they were before.
    CImage row;
    makeSource(row, 24);
    ASSERT_TRUE(row.BitBlt(row.GetDC(), 1, 0));
    EXPECT_EQ(row.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(row.GetPixel(3, 1), RGB(120, 0, 0));
}

TEST(DrawContext, FillsPixelsAndEllipses) {
    CImage img;
    ASSERT_TRUE(img.Create(21, 21, 24));
    CDC* dc = CDC::FromHandle(img.GetDC());
    dc->FillSolidRect(-5, -5, 100, 100, RGB(238, 238, 238));
    EXPECT_EQ(img.GetPixel(20, 20), RGB(238, 238, 238));
    EXPECT_EQ(dc->SetPixel(3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(dc->GetPixel(3, 4), RGB(1, 2, 3));
    EXPECT_EQ(dc->SetPixel(30, 4, RGB(1, 2, 3)), CLR_INVALID);

    CBrush red(RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    CBrush* oldBrush = dc->SelectObject(&red);
    CPen* oldPen = dc->SelectObject(&blue);
    ASSERT_TRUE(dc->Ellipse(0, 0, 21, 11));  // 21 wide, 11 high
    int fill = 0, ring = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            fill += img.GetPixel(x, y) == RGB(255, 0, 0);
            ring += img.GetPixel(x, y) == RGB(0, 0, 255);
        }
    }
    EXPECT_NEAR(fill + ring, 3.14159 * 10.5 * 5.5, 8);  // the area of the inscribed ellipse
    EXPECT_EQ(img.GetPixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(img.GetPixel(10, 0), RGB(0, 0, 255));
    EXPECT_EQ(img.GetPixel(0, 5), RGB(0, 0, 255));
    EXPECT_EQ(img.GetPixel(0, 0), RGB(238, 238, 238));
    EXPECT_EQ(img.GetPixel(10, 11), RGB(238, 238, 238));
    for (int x = 0; x < 21; ++x)  // symmetric left to right
        EXPECT_EQ(img.GetPixel(x, 2), img.GetPixel(20 - x, 2));

    EXPECT_EQ(dc->SelectObject(oldBrush), &red);
    EXPECT_EQ(dc->SelectObject(oldPen), &blue);
    img.ReleaseDC();
}
