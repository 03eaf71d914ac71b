// Drawing contexts on images: filling, pixels, ellipses and stretched copies.
#include "cvx/dc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "cvx/image.h"
#include "platform/image_access.h"

namespace {

CPen gDefaultPen;
CBrush gDefaultBrush(RGB(255, 255, 255));

bool usable(HDC dc) { return dc && dc->target && !dc->target->IsNull(); }

void fill(CImage& img, int x0, int y0, int x1, int y1, COLORREF color) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, img.GetWidth());
    y1 = std::min(y1, img.GetHeight());
    if (x0 >= x1 || y0 >= y1)
        return;
    int bytes = img.GetBPP() / 8;
    BYTE px[4] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
    if (bytes == 1)
        px[0] = cvx::ImageAccess::nearestIndex(img, color);
    for (int y = y0; y < y1; ++y) {
        auto* p = static_cast<BYTE*>(img.GetPixelAddress(x0, y));
        for (int x = x0; x < x1; ++x, p += bytes)
            std::memcpy(p, px, static_cast<size_t>(std::min(bytes, 3)));
    }
}

// Whether the centre of pixel (x, y) lies in the ellipse inscribed in [x1, x2) × [y1, y2), shrunk by
// `inset` pixels on every side.
bool inEllipse(int x, int y, double cx, double cy, double rx, double ry, double inset) {
    double a = rx - inset, b = ry - inset;
    if (a <= 0 || b <= 0)
        return false;
    double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
    return u * u + v * v <= 1.0;
}

// Maps source colours into an 8-bit target: through a table for 8-bit sources, cached otherwise.
class IndexMapper {
public:
    IndexMapper(const CImage& dst, const CImage& src) : mDst(dst), mSrc(src) {
        if (src.GetBPP() != 8 || dst.GetBPP() != 8)
            return;
        RGBQUAD a[256], b[256];
        src.GetColorTable(0, 256, a);
        dst.GetColorTable(0, 256, b);
        bool same = std::memcmp(a, b, sizeof a) == 0;
        for (int i = 0; i < 256; ++i)
            mTable[i] = same ? BYTE(i) : cvx::ImageAccess::nearestIndex(dst, RGB(a[i].rgbRed, a[i].rgbGreen, a[i].rgbBlue));
    }
    BYTE operator()(int x, int y) {
        if (mSrc.GetBPP() == 8)
            return mTable[*static_cast<const BYTE*>(mSrc.GetPixelAddress(x, y))];
        COLORREF c = mSrc.GetPixel(x, y);
        auto it = mCache.find(c);
        if (it == mCache.end())
            it = mCache.emplace(c, cvx::ImageAccess::nearestIndex(mDst, c)).first;
        return it->second;
    }

private:
    const CImage& mDst;
    const CImage& mSrc;
    BYTE mTable[256] = {};
    std::unordered_map<COLORREF, BYTE> mCache;
};

BOOL stretch(CImage& dst, int x, int y, int w, int h, const CImage& src, int xs, int ys, int ws, int hs, DWORD rop) {
    if (dst.IsNull() || src.IsNull() || w <= 0 || h <= 0 || ws <= 0 || hs <= 0 || rop != SRCCOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (dst.GetBPP() == 8 && src.GetBPP() == 8 && !cvx::ImageAccess::tableGiven(dst) && &dst != &src) {
        RGBQUAD table[256];
        src.GetColorTable(0, 256, table);
        dst.SetColorTable(0, 256, table);
    }
    // Reading and writing the same image: work from a snapshot of the source.
    CImage copy;
    const CImage* from = &src;
    if (&dst == &src) {
        copy.Create(src.GetWidth(), -src.GetHeight(), src.GetBPP());
        if (src.GetBPP() == 8) {
            RGBQUAD table[256];
            src.GetColorTable(0, 256, table);
            copy.SetColorTable(0, 256, table);
        }
        for (int r = 0; r < src.GetHeight(); ++r)
            std::memcpy(copy.GetPixelAddress(0, r), src.GetPixelAddress(0, r), static_cast<size_t>(std::abs(src.GetPitch())));
        from = &copy;
    }
    std::vector<int> column(static_cast<size_t>(w));
    for (int i = 0; i < w; ++i)
        column[static_cast<size_t>(i)] = xs + static_cast<int>(std::floor((i + 0.5) * ws / w));
    IndexMapper toIndex(dst, *from);
    int bytes = dst.GetBPP() / 8;
    for (int j = 0; j < h; ++j) {
        int ty = y + j, sy = ys + static_cast<int>(std::floor((j + 0.5) * hs / h));
        if (ty < 0 || ty >= dst.GetHeight() || sy < 0 || sy >= from->GetHeight())
            continue;
        for (int i = 0; i < w; ++i) {
            int tx = x + i, sx = column[static_cast<size_t>(i)];
            if (tx < 0 || tx >= dst.GetWidth() || sx < 0 || sx >= from->GetWidth())
                continue;
            auto* p = static_cast<BYTE*>(dst.GetPixelAddress(tx, ty));
            if (bytes == 1) {
                *p = toIndex(sx, sy);
            } else if (bytes == 4 && from->GetBPP() == 32) {
                std::memcpy(p, from->GetPixelAddress(sx, sy), 4);
            } else {
                COLORREF c = from->GetPixel(sx, sy);
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        }
    }
    return TRUE;
}

}  // namespace

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    m_style = style;
    m_width = std::max(width, 1);
    m_color = color;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    m_solid = true;
    m_color = color;
    return TRUE;
}

CDC* CDC::FromHandle(HDC dc) { return dc ? &dc->self : nullptr; }

BOOL CDC::Attach(HDC dc) {
    m_hDC = dc;
    return dc != nullptr;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    if (usable(m_hDC))
        fill(*m_hDC->target, x, y, x + cx, y + cy, color);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (rect)
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Ellipse(LPCRECT rect) { return rect && Ellipse(rect->left, rect->top, rect->right, rect->bottom); }

CPen* CDC::SelectObject(CPen* pen) {
    if (!m_hDC || !pen)
        return nullptr;
    CPen* old = m_hDC->selectedPen ? m_hDC->selectedPen : &gDefaultPen;
    m_hDC->pen = *pen;
    m_hDC->selectedPen = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!m_hDC || !brush)
        return nullptr;
    CBrush* old = m_hDC->selectedBrush ? m_hDC->selectedBrush : &gDefaultBrush;
    m_hDC->brush = *brush;
    m_hDC->selectedBrush = brush;
    return old;
}

int CDC::SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    return src && ::StretchBlt(m_hDC, x, y, w, h, src->m_hDC, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop) {
    return src && ::BitBlt(m_hDC, x, y, w, h, src->m_hDC, xSrc, ySrc, rop);
}

int SetStretchBltMode(HDC dc, int mode) {
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    int old = dc->stretchMode;
    dc->stretchMode = mode;
    return old;
}

int GetStretchBltMode(HDC dc) { return dc ? dc->stretchMode : 0; }

BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    if (!usable(dest) || !usable(src)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return stretch(*dest->target, x, y, w, h, *src->target, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop) {
    return StretchBlt(dest, x, y, w, h, src, xSrc, ySrc, w, h, rop);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!usable(dc) || x < 0 || y < 0 || x >= dc->target->GetWidth() || y >= dc->target->GetHeight())
        return CLR_INVALID;
    dc->target->SetPixel(x, y, color);
    return dc->target->GetPixel(x, y);
}

COLORREF GetPixel(HDC dc, int x, int y) { return usable(dc) ? dc->target->GetPixel(x, y) : CLR_INVALID; }

BOOL Ellipse(HDC dc, int x1, int y1, int x2, int y2) {
    if (!usable(dc))
        return FALSE;
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    CImage& img = *dc->target;
    double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0, rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
    bool outline = dc->pen.m_style != PS_NULL;
    double ring = outline ? dc->pen.m_width : 0;
    for (int y = std::max(y1, 0); y < std::min(y2, img.GetHeight()); ++y) {
        for (int x = std::max(x1, 0); x < std::min(x2, img.GetWidth()); ++x) {
            if (!inEllipse(x, y, cx, cy, rx, ry, 0))
                continue;
            if (outline && !inEllipse(x, y, cx, cy, rx, ry, ring))
                cvx::ImageAccess::put(img, x, y, dc->pen.m_color);
            else if (dc->brush.m_solid)
                cvx::ImageAccess::put(img, x, y, dc->brush.m_color);
        }
    }
    return TRUE;
}

// ---- the image side of drawing contexts ----

HDC CImage::GetDC() const {
    if (IsNull())
        return nullptr;
    if (!mDC) {
        mDC = std::make_unique<CvxDrawContext>();
        mDC->target = const_cast<CImage*>(this);
        mDC->brush = gDefaultBrush;
        mDC->self.m_hDC = mDC.get();
    }
    ++mDCCount;
    return mDC.get();
}

void CImage::ReleaseDC() const {
    if (mDCCount > 0)
        --mDCCount;
}

BOOL CImage::StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, DWORD rop) const {
    return StretchBlt(dest, xDest, yDest, wDest, hDest, 0, 0, mWidth, mHeight, rop);
}

BOOL CImage::StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                        int hSrc, DWORD rop) const {
    if (!usable(dest)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return stretch(*dest->target, xDest, yDest, wDest, hDest, *this, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL CImage::StretchBlt(HDC dest, const RECT& r, DWORD rop) const {
    return StretchBlt(dest, r.left, r.top, r.right - r.left, r.bottom - r.top, rop);
}

BOOL CImage::BitBlt(HDC dest, int xDest, int yDest, DWORD rop) const {
    return StretchBlt(dest, xDest, yDest, mWidth, mHeight, rop);
}

BOOL CImage::Draw(HDC dest, int xDest, int yDest, int wDest, int hDest) const {
    return StretchBlt(dest, xDest, yDest, wDest, hDest, SRCCOPY);
}

BOOL CImage::Draw(HDC dest, int xDest, int yDest) const { return BitBlt(dest, xDest, yDest, SRCCOPY); }

BOOL CImage::Draw(HDC dest, const RECT& r) const { return StretchBlt(dest, r, SRCCOPY); }
