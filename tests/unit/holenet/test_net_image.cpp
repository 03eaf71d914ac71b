// The picture steps of the hole-net dialog: contrast and brightness on single pixel values of every depth,
// copies, and the resampling of a wide file.
#include <gtest/gtest.h>

#include <vector>

#include "holenet/net_image.h"

namespace {

// A one-pixel image of the depth holding the grey value (8-bit: the grey-ramp index).
void makeGrey(CImage& image, int bpp, BYTE v) {
    image.Create(1, 1, bpp, bpp == 32 ? DWORD(CImage::createAlphaChannel) : 0);
    auto* p = static_cast<BYTE*>(image.GetPixelAddress(0, 0));
    if (bpp == 8) {
        p[0] = v;
        return;
    }
    p[0] = p[1] = p[2] = v;
    if (bpp == 32) p[3] = 77;
}

TEST(NetImage, ContrastAndBrightnessMapEveryChannelAndDepthAlike) {
    struct Case {
        bool contrast;
        int position;
        BYTE in, out;
    } cases[] = {
        {true, 100, 100, 44},   // f = 3: (100 - 128) * 3 + 128
        {true, 100, 200, 255},  // clamped above
        {true, 100, 10, 0},     // clamped below
        {true, 60, 150, 167},   // f = 1.8: 167.6 truncated
        {true, 50, 150, 161},   // back at the middle: the upper half's 1.5
        {true, 25, 0, 64},      // f = 0.5 lowers the contrast
        {true, 25, 255, 191},
        {true, 0, 3, 128},      // no contrast left
        {false, 25, 200, 50},   // f = 0.25
        {false, 49, 100, 49},   // f = 0.49
        {false, 75, 101, 151},  // f = 1.5: 151.5
        {false, 75, 200, 255},
        {false, 100, 100, 200},
    };
    for (int bpp : {8, 24, 32}) {
        for (const Case& c : cases) {
            SCOPED_TRACE("bpp " + std::to_string(bpp) + " position " + std::to_string(c.position) + " value " +
                         std::to_string(c.in));
            CImage image;
            makeGrey(image, bpp, c.in);
            c.contrast ? applyContrast(image, c.position) : applyBrightness(image, c.position);
            const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(0, 0));
            EXPECT_EQ(p[0], c.out);
            if (bpp >= 24) {
                EXPECT_EQ(p[1], c.out);
                EXPECT_EQ(p[2], c.out);
            }
            if (bpp == 32) {
                EXPECT_EQ(p[3], 77);  // alpha stays
            }
        }
    }
}

TEST(NetImage, EightBitPixelsTakeTheNearestColourOfTheirOwnTable) {
    CImage image;
    image.Create(2, 1, 8);
    std::vector<RGBQUAD> table(256, RGBQUAD{255, 255, 255, 0});  // black, grey 90, then white
    table[0] = {0, 0, 0, 0};
    table[1] = {90, 90, 90, 0};
    image.SetColorTable(0, 256, table.data());
    static_cast<BYTE*>(image.GetPixelAddress(0, 0))[0] = 1;  // 90
    static_cast<BYTE*>(image.GetPixelAddress(1, 0))[0] = 2;  // 255
    applyBrightness(image, 100);  // 90 -> 180: nearer 255 than 90 in the table
    EXPECT_EQ(image.GetPixel(0, 0), RGB(255, 255, 255));
    applyBrightness(image, 20);   // 255 -> 51: nearer 90 (39 away) than 0 (51 away)
    EXPECT_EQ(image.GetPixel(0, 0), RGB(90, 90, 90));
}

TEST(NetImage, CopiesKeepSizeDepthTableAlphaAndPixels) {
    CImage source, copy;
    source.Create(3, 2, 8);
    RGBQUAD red{0, 0, 200, 0};
    source.SetColorTable(5, 1, &red);
    source.SetPixelIndexed(2, 1, 5);
    ASSERT_TRUE(copyNetImage(source, copy));
    EXPECT_EQ(copy.GetWidth(), 3);
    EXPECT_EQ(copy.GetHeight(), 2);
    EXPECT_EQ(copy.GetBPP(), 8);
    EXPECT_EQ(copy.GetPixel(2, 1), RGB(200, 0, 0));

    source.Create(2, 2, 32, CImage::createAlphaChannel);
    static_cast<BYTE*>(source.GetPixelAddress(1, 1))[3] = 9;
    ASSERT_TRUE(copyNetImage(source, copy));
    EXPECT_TRUE(copy.HasAlphaChannel());
    EXPECT_EQ(static_cast<const BYTE*>(copy.GetPixelAddress(1, 1))[3], 9);

    source.Destroy();
    ASSERT_TRUE(copyNetImage(source, copy));
    EXPECT_TRUE(copy.IsNull());
}

TEST(NetImage, WideFilesAreScaledDownToAThousandAndTwentyFourPixels) {
    CImage wide, base;
    wide.Create(2000, 1000, 24);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 2000; ++x) wide.SetPixel(x, y, x < 1000 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    ASSERT_TRUE(resampleForNet(wide, base));
    EXPECT_EQ(base.GetWidth(), 1024);
    EXPECT_EQ(base.GetHeight(), 512);
    EXPECT_EQ(base.GetBPP(), 24);
    EXPECT_EQ(base.GetPixel(500, 300), RGB(255, 0, 0));
    EXPECT_EQ(base.GetPixel(530, 300), RGB(0, 0, 255));

    CImage narrow;  // 700 x 333 fits and keeps its size; 1500 x 1001 keeps its proportion in whole pixels
    narrow.Create(700, 333, 8);
    ASSERT_TRUE(resampleForNet(narrow, base));
    EXPECT_EQ(base.GetWidth(), 700);
    EXPECT_EQ(base.GetHeight(), 333);
    EXPECT_EQ(base.GetBPP(), 8);
    narrow.Create(1500, 1001, 32);
    ASSERT_TRUE(resampleForNet(narrow, base));
    EXPECT_EQ(base.GetHeight(), 1024 * 1001 / 1500);
}

}  // namespace
