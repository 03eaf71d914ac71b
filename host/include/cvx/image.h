// CImage: a device-independent bitmap with 8 (indexed, with a colour table), 24 (blue, green, red)
// or 32 (blue, green, red, fourth byte) bits per pixel. Rows are padded to 4 bytes. As with DIBs, an image
// created with a positive height is stored bottom-up: GetBits() points at the top row (y = 0) and
// GetPitch() is negative; a negative height gives a top-down image with a positive pitch. Pixel (x, y)
// lies at GetBits() + y * GetPitch() + x * bytes per pixel in both cases.
//
// Load reads BMP, PNG, JPEG and GIF (the format is found from the file's content) into a bottom-up image:
//   BMP: 1, 4 and 8 bits → 8-bit indexed with the file's colour table; 24 → 24; 32 → 32; other BMP
//        variants (16-bit, bit fields) → 24, or 32 when they carry alpha;
//   PNG, JPEG: grey → 8-bit indexed with a grey ramp; colour → 24; with alpha → 32 with alpha channel
//        (palette PNGs are expanded to colour);
//   GIF: the first frame → 8-bit indexed with the frame's colours (transparency is dropped).
// Save writes by the file's extension: ".bmp" (same depth, colour table kept), ".png" (8-bit expanded to
// colour; 32-bit keeps alpha only with an alpha channel) and ".jpg"/".jpeg"; anything else fails.
// Failures return E_FAIL and set the last error; bad files never crash.
#pragma once

#include <memory>
#include <vector>

#include "cvx/dc.h"
#include "cvx/win.h"

namespace cvx {
struct ImageAccess;
}

class CImage {
public:
    enum : DWORD { createAlphaChannel = 0x01 };

    CImage();
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // A new image; the old one is destroyed first. 8-bit images start with a grey-ramp colour table,
    // all pixels 0. Fails (FALSE) for other depths, a zero size or more than 1 GiB of pixels.
    BOOL Create(int width, int height, int bpp, DWORD flags = 0);
    void Destroy();
    bool IsNull() const { return mData.empty(); }
    bool IsDIBSection() const { return !IsNull(); }
    bool IsIndexed() const { return mBpp == 8; }
    bool HasAlphaChannel() const { return mAlpha; }

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetBPP() const { return mBpp; }
    int GetPitch() const { return mTopDown ? mStride : -mStride; }
    void* GetBits();
    const void* GetBits() const;
    void* GetPixelAddress(int x, int y);
    const void* GetPixelAddress(int x, int y) const;

    // CLR_INVALID outside the image. Setting an 8-bit pixel picks the nearest entry of the colour table.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    void SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b) { SetPixel(x, y, RGB(r, g, b)); }
    void SetPixelIndexed(int x, int y, int index);

    // 256 for 8-bit images, 0 otherwise. Entries outside the table are left alone.
    int GetMaxColorTableEntries() const { return mBpp == 8 ? 256 : 0; }
    void GetColorTable(UINT first, UINT count, RGBQUAD* colors) const;
    void SetColorTable(UINT first, UINT count, const RGBQUAD* colors);

    HRESULT Load(LPCWSTR path);
    HRESULT Save(LPCWSTR path) const;

    // A drawing context on the image; every GetDC is matched by a ReleaseDC.
    HDC GetDC() const;
    void ReleaseDC() const;

    // Copies the image (or a part) into a drawing context, stretched to the target rectangle, using the
    // context's stretch mode (see dc.h).
    BOOL StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, DWORD rop = SRCCOPY) const;
    BOOL StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc, int hSrc,
                    DWORD rop = SRCCOPY) const;
    BOOL StretchBlt(HDC dest, const RECT& rectDest, DWORD rop = SRCCOPY) const;
    BOOL BitBlt(HDC dest, int xDest, int yDest, DWORD rop = SRCCOPY) const;
    // Draw copies as StretchBlt with SRCCOPY (alpha is copied, not blended).
    BOOL Draw(HDC dest, int xDest, int yDest, int wDest, int hDest) const;
    BOOL Draw(HDC dest, int xDest, int yDest) const;
    BOOL Draw(HDC dest, const RECT& rectDest) const;

private:
    friend struct cvx::ImageAccess;

    std::vector<BYTE> mData;
    int mWidth = 0, mHeight = 0, mBpp = 0, mStride = 0;
    bool mTopDown = false;
    bool mAlpha = false;
    bool mTableGiven = false;  // the colour table was set or loaded, not just the default
    std::vector<RGBQUAD> mTable;
    mutable std::unique_ptr<CvxDrawContext> mDC;
    mutable int mDCCount = 0;
};
