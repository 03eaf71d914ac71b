#include <cstdio>
#include <cstring>

#include "cvx/image.h"
#include "cvx/wide.h"
#include "scratch.h"

using ImageTest = ScratchTest;

namespace {

std::string pngTool(const std::string& args) {
    std::string cmd = "/usr/bin/python3 " CVX_SOURCE_DIR "/tests/unit/platform/pngtool.py " + args;
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        while (size_t n = fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::wstring wide(const std::filesystem::path& p) { return cvxFromUtf8(p.string()); }

COLORREF pattern(int x, int y) { return RGB(x * 40, y * 50, (x * 7 + y * 13) % 256); }

// A 5 × 3 image of the given depth holding `pattern` (8-bit: a table of 15 colours, pixel i gets entry i).
void makePatterned(CImage& img, int bpp, int heightSign = 1) {
    ASSERT_TRUE(img.Create(5, 3 * heightSign, bpp));
    if (bpp == 8) {
        RGBQUAD table[15];
        for (int i = 0; i < 15; ++i) {
            COLORREF c = pattern(i % 5, i / 5);
            table[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
        }
        img.SetColorTable(0, 15, table);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.SetPixel(x, y, pattern(x, y));
}

void expectPattern(const CImage& img) {
    ASSERT_EQ(img.GetWidth(), 5);
    ASSERT_EQ(img.GetHeight(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(img.GetPixel(x, y), pattern(x, y)) << x << "," << y;
}

}  // namespace

TEST_F(ImageTest, RowsAndPitchFollowTheDibLayout) {
    for (int bpp : {8, 24, 32}) {
        for (int sign : {1, -1}) {
            CImage img;
            makePatterned(img, bpp, sign);
            int stride = (5 * bpp + 31) / 32 * 4;
            EXPECT_EQ(img.GetPitch(), -sign * stride);  // positive height: bottom-up
            const auto* bits = static_cast<const BYTE*>(img.GetBits());
            // Bottom-up: the bottom row comes first in memory.
            const BYTE* first = sign > 0 ? bits + 2 * img.GetPitch() : bits;
            EXPECT_LE(first, bits);
            EXPECT_LE(first, bits + 2 * img.GetPitch());
            const BYTE* p = bits + 1 * img.GetPitch() + 3 * (bpp / 8);  // pixel (3, 1)
            EXPECT_EQ(p, img.GetPixelAddress(3, 1));
            COLORREF c = pattern(3, 1);
            if (bpp == 8) {
                EXPECT_EQ(*p, 8);  // entry 8 holds pattern(3, 1)
            } else {
                EXPECT_EQ(RGB(p[2], p[1], p[0]), c);
            }
        }
    }
    CImage bad;
    EXPECT_FALSE(bad.Create(4, 4, 16));
    EXPECT_FALSE(bad.Create(0, 4, 24));
    EXPECT_FALSE(bad.Create(100000, 100000, 32));
    EXPECT_TRUE(bad.IsNull());
    EXPECT_EQ(bad.GetPixel(0, 0), CLR_INVALID);
}

TEST_F(ImageTest, SavedFilesLoadBackWithTheSamePixels) {
    for (int bpp : {8, 24, 32}) {
        CImage img;
        makePatterned(img, bpp);
        for (const char* ext : {".bmp", ".png"}) {
            std::filesystem::path file = dir / ("img" + std::to_string(bpp) + ext);
            ASSERT_EQ(img.Save(wide(file).c_str()), S_OK);
            CImage back;
            ASSERT_EQ(back.Load(wide(file).c_str()), S_OK) << file;
            expectPattern(back);
            EXPECT_LT(back.GetPitch(), 0);  // loaded images are bottom-up
            bool bmp = std::string(ext) == ".bmp";
            EXPECT_EQ(back.GetBPP(), bmp ? bpp : 24) << file;
            if (bmp && bpp == 8) {
                RGBQUAD a[256], b[256];
                img.GetColorTable(0, 256, a);
                back.GetColorTable(0, 256, b);
                EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
                EXPECT_EQ(*static_cast<BYTE*>(back.GetPixelAddress(4, 2)), 14);
            }
        }
    }
    // The PNG as a second reader sees it: rows top-down, red green blue.
    std::string seen = pngTool("read " + (dir / "img24.png").string());
    EXPECT_EQ(seen.substr(0, 6), "5 3 3\n");
    char first[16];
    std::snprintf(first, sizeof first, "%02x%02x%02x", GetRValue(pattern(0, 0)), GetGValue(pattern(0, 0)),
                  GetBValue(pattern(0, 0)));
    EXPECT_EQ(seen.substr(6, 6), first);
    std::snprintf(first, sizeof first, "%02x%02x%02x", GetRValue(pattern(4, 2)), GetGValue(pattern(4, 2)),
                  GetBValue(pattern(4, 2)));
    EXPECT_EQ(seen.substr(6 + 2 * 45 - 6, 6), first);
}

TEST_F(ImageTest, AlphaIsKeptOnlyWithAnAlphaChannel) {
    CImage img;
    ASSERT_TRUE(img.Create(2, 1, 32, CImage::createAlphaChannel));
    auto* p = static_cast<BYTE*>(img.GetBits());
    const BYTE px[8] = {10, 20, 30, 40, 50, 60, 70, 255};
    std::memcpy(p, px, 8);
    ASSERT_EQ(img.Save(wide(dir / "a.png").c_str()), S_OK);
    EXPECT_EQ(pngTool("read " + (dir / "a.png").string()), "2 1 4\n1e140a28463c32ff\n");
    CImage back;
    ASSERT_EQ(back.Load(wide(dir / "a.png").c_str()), S_OK);
    EXPECT_EQ(back.GetBPP(), 32);
    EXPECT_TRUE(back.HasAlphaChannel());
    EXPECT_EQ(std::memcmp(back.GetBits(), px, 8), 0);

    ASSERT_EQ(img.Save(wide(dir / "a.bmp").c_str()), S_OK);  // BMP keeps all four bytes
    ASSERT_EQ(back.Load(wide(dir / "a.bmp").c_str()), S_OK);
    EXPECT_EQ(std::memcmp(back.GetBits(), px, 8), 0);
}

TEST_F(ImageTest, LoadsFilesFromOtherWriters) {
    // Grey and palette PNGs written by an independent encoder.
    pngTool("write " + (dir / "grey.png").string() + " grey 3 2 00407f80c0ff");
    CImage img;
    ASSERT_EQ(img.Load(wide(dir / "grey.png").c_str()), S_OK);
    EXPECT_EQ(img.GetBPP(), 8);
    EXPECT_EQ(img.GetPixel(1, 0), RGB(0x40, 0x40, 0x40));
    EXPECT_EQ(img.GetPixel(2, 1), RGB(255, 255, 255));
    pngTool("write " + (dir / "pal.png").string() + " palette 2 2 00010201");
    ASSERT_EQ(img.Load(wide(dir / "pal.png").c_str()), S_OK);
    EXPECT_EQ(img.GetBPP(), 24);
    EXPECT_EQ(img.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(img.GetPixel(0, 1), RGB(0, 0, 255));

    // A 3 × 2 BMP of 4 bits per pixel, bottom row first, written by hand.
    std::vector<BYTE> bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 40 + 16 * 4, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0,
                             2, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0, 0};
    for (int i = 0; i < 16; ++i)
        bmp.insert(bmp.end(), {BYTE(i), BYTE(i * 16), BYTE(255 - i), 0});  // blue, green, red
    bmp.insert(bmp.end(), {0x12, 0x30, 0, 0, 0xAB, 0xC0, 0, 0});  // bottom row 1 2 3, top row 10 11 12
    writeText(dir / "four.bmp", std::string(bmp.begin(), bmp.end()));
    ASSERT_EQ(img.Load(wide(dir / "four.bmp").c_str()), S_OK);
    EXPECT_EQ(img.GetBPP(), 8);
    EXPECT_EQ(*static_cast<BYTE*>(img.GetPixelAddress(0, 0)), 10);
    EXPECT_EQ(*static_cast<BYTE*>(img.GetPixelAddress(2, 1)), 3);
    EXPECT_EQ(img.GetPixel(1, 0), RGB(255 - 11, 11 * 16, 11));

    // A 2 × 2 GIF with four colours (LZW codes clear 0 1 2 3 end).
    const BYTE gif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x91, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255,
                        255, 255, 255, 0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 3, 0x44, 0x34, 0x05, 0, 0x3B};
    writeText(dir / "four.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
    ASSERT_EQ(img.Load(wide(dir / "four.gif").c_str()), S_OK);
    EXPECT_EQ(img.GetBPP(), 8);
    EXPECT_EQ(img.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(img.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(img.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(img.GetPixel(1, 1), RGB(255, 255, 255));

    // JPEG keeps a flat colour within the codec's loss.
    CImage flat;
    ASSERT_TRUE(flat.Create(16, 16, 24));
    flat.GetDC();
    CDC::FromHandle(flat.GetDC())->FillSolidRect(0, 0, 16, 16, RGB(200, 100, 50));
    flat.ReleaseDC();
    flat.ReleaseDC();
    ASSERT_EQ(flat.Save(wide(dir / "flat.JPG").c_str()), S_OK);
    ASSERT_EQ(img.Load(wide(dir / "flat.jpg").c_str()), S_OK);
    EXPECT_EQ(img.GetBPP(), 24);
    COLORREF c = img.GetPixel(8, 8);
    EXPECT_NEAR(GetRValue(c), 200, 3);
    EXPECT_NEAR(GetGValue(c), 100, 3);
    EXPECT_NEAR(GetBValue(c), 50, 3);
}

TEST_F(ImageTest, BadFilesFailCleanly) {
    CImage img;
    EXPECT_EQ(img.Load(wide(dir / "missing.png").c_str()), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    writeText(dir / "junk.png", "\x89PNG\r\n\x1a\n this is not a picture");
    EXPECT_TRUE(FAILED(img.Load(wide(dir / "junk.png").c_str())));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_TRUE(img.IsNull());

    CImage good;
    makePatterned(good, 8);
    ASSERT_EQ(good.Save(wide(dir / "cut.bmp").c_str()), S_OK);
    std::string bytes = readText(dir / "cut.bmp");
    writeText(dir / "cut.bmp", bytes.substr(0, bytes.size() - 5));  // rows cut short
    EXPECT_TRUE(FAILED(img.Load(wide(dir / "cut.bmp").c_str())));
    writeText(dir / "huge.bmp", bytes.substr(0, 18) + std::string("\xff\xff\xff\x7f", 4) + bytes.substr(22));
    EXPECT_TRUE(FAILED(img.Load(wide(dir / "huge.bmp").c_str())));
    EXPECT_TRUE(FAILED(good.Save(wide(dir / "x.tiff").c_str())));
    EXPECT_TRUE(FAILED(good.Save(wide(dir / "no" / "folder.png").c_str())));
}

TEST_F(ImageTest, IndexedPixelsUseTheColourTable) {
    CImage img;
    ASSERT_TRUE(img.Create(2, 2, 8));
    EXPECT_EQ(img.GetMaxColorTableEntries(), 256);
    EXPECT_EQ(img.GetPixel(0, 0), RGB(0, 0, 0));  // grey ramp, all pixels 0
    img.SetPixel(1, 1, RGB(100, 110, 120));
    EXPECT_EQ(*static_cast<BYTE*>(img.GetPixelAddress(1, 1)), 110);  // nearest grey
    const RGBQUAD table[3] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};  // red, green, blue
    img.SetColorTable(0, 3, table);
    img.SetPixel(0, 1, RGB(20, 200, 30));
    EXPECT_EQ(*static_cast<BYTE*>(img.GetPixelAddress(0, 1)), 1);
    EXPECT_EQ(img.GetPixel(0, 1), RGB(0, 255, 0));
    RGBQUAD got[2];
    img.GetColorTable(2, 2, got);
    EXPECT_EQ(got[0].rgbBlue, 255);
    EXPECT_EQ(got[1].rgbRed, 3);  // the ramp goes on after the three set entries

    CImage rgb;
    rgb.Create(1, 1, 24);
    EXPECT_EQ(rgb.GetMaxColorTableEntries(), 0);
}
