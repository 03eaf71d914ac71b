// CImage: storage, pixel access and colour tables.
#include "cvx/image.h"

#include <cstring>

#include "platform/image_access.h"

namespace cvx {

BYTE ImageAccess::nearestIndex(const CImage& image, COLORREF color) {
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < static_cast<int>(image.mTable.size()); ++i) {
        const RGBQUAD& q = image.mTable[static_cast<size_t>(i)];
        long dr = q.rgbRed - GetRValue(color), dg = q.rgbGreen - GetGValue(color), db = q.rgbBlue - GetBValue(color);
        long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return static_cast<BYTE>(best);
}

void ImageAccess::put(CImage& image, int x, int y, COLORREF color) {
    auto* p = static_cast<BYTE*>(image.GetPixelAddress(x, y));
    if (image.mBpp == 8) {
        *p = nearestIndex(image, color);
    } else {
        p[0] = GetBValue(color);
        p[1] = GetGValue(color);
        p[2] = GetRValue(color);
    }
}

}  // namespace cvx

CImage::CImage() = default;

CImage::~CImage() = default;

BOOL CImage::Create(int width, int height, int bpp, DWORD flags) {
    Destroy();
    long long w = width, h = height < 0 ? -static_cast<long long>(height) : height;
    if (w <= 0 || h <= 0 || (bpp != 8 && bpp != 24 && bpp != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long stride = (w * bpp + 31) / 32 * 4;
    if (stride * h > (1LL << 30)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    mData.assign(static_cast<size_t>(stride * h), 0);
    mWidth = static_cast<int>(w);
    mHeight = static_cast<int>(h);
    mBpp = bpp;
    mStride = static_cast<int>(stride);
    mTopDown = height < 0;
    mAlpha = bpp == 32 && (flags & createAlphaChannel);
    if (bpp == 8) {
        mTable.resize(256);
        for (int i = 0; i < 256; ++i)
            mTable[static_cast<size_t>(i)] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    }
    return TRUE;
}

void CImage::Destroy() {
    mData.clear();
    mData.shrink_to_fit();
    mTable.clear();
    mWidth = mHeight = mBpp = mStride = 0;
    mTopDown = mAlpha = mTableGiven = false;
}

void* CImage::GetBits() { return IsNull() ? nullptr : GetPixelAddress(0, 0); }

const void* CImage::GetBits() const { return IsNull() ? nullptr : GetPixelAddress(0, 0); }

void* CImage::GetPixelAddress(int x, int y) {
    return const_cast<void*>(static_cast<const CImage*>(this)->GetPixelAddress(x, y));
}

const void* CImage::GetPixelAddress(int x, int y) const {
    if (IsNull())
        return nullptr;
    size_t row = static_cast<size_t>(mTopDown ? y : mHeight - 1 - y);
    return mData.data() + row * static_cast<size_t>(mStride) + static_cast<size_t>(x) * static_cast<size_t>(mBpp / 8);
}

COLORREF CImage::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return CLR_INVALID;
    const auto* p = static_cast<const BYTE*>(GetPixelAddress(x, y));
    if (mBpp == 8) {
        const RGBQUAD& q = mTable[*p];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return RGB(p[2], p[1], p[0]);
}

void CImage::SetPixel(int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < mWidth && y < mHeight)
        cvx::ImageAccess::put(*this, x, y, color);
}

void CImage::SetPixelIndexed(int x, int y, int index) {
    if (mBpp == 8 && x >= 0 && y >= 0 && x < mWidth && y < mHeight && index >= 0 && index < 256)
        *static_cast<BYTE*>(GetPixelAddress(x, y)) = static_cast<BYTE>(index);
}

void CImage::GetColorTable(UINT first, UINT count, RGBQUAD* colors) const {
    for (UINT i = 0; i < count && first + i < mTable.size(); ++i)
        colors[i] = mTable[first + i];
}

void CImage::SetColorTable(UINT first, UINT count, const RGBQUAD* colors) {
    for (UINT i = 0; i < count && first + i < mTable.size(); ++i)
        mTable[first + i] = colors[i];
    mTableGiven = mTableGiven || (count > 0 && first < mTable.size());
}
