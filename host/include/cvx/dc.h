// Drawing contexts: an HDC draws into a CImage (CImage::GetDC); CDC is the class form of the same calls.
// Coordinates are pixels with y downward; rectangles exclude their right and bottom edges.
//
// Stretching takes, for each target pixel, the source pixel under its centre (nearest neighbour) in
// every stretch mode. Only SRCCOPY is supported. Colours are converted between depths; into an 8-bit
// image they go to the nearest colour-table entry, except that an 8-bit image whose colour table was
// never set takes the table of an 8-bit source and receives its indices unchanged.
#pragma once

#include "cvx/win.h"

struct CvxDrawContext;
typedef CvxDrawContext* HDC;

#define SRCCOPY 0x00CC0020u

#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_DELETESCANS COLORONCOLOR

#define PS_SOLID 0
#define PS_NULL 5

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);

    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = RGB(0, 0, 0);
};

class CBrush {
public:
    CBrush() = default;  // a hollow brush: shapes are not filled
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);

    bool m_solid = false;
    COLORREF m_color = RGB(255, 255, 255);
};

class CDC {
public:
    CDC() = default;
    // The CDC of a drawing context, owned by the context.
    static CDC* FromHandle(HDC dc);
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();

    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    // Filled with the selected brush, outlined with the selected pen (inside the bounding rectangle).
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT rect);
    // The pen or brush used until the next selection; returns the one selected before (a pen of width 1
    // in black and a white solid brush at first). The object's values are taken at the time of the call.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop);

    HDC m_hDC = nullptr;
};

int SetStretchBltMode(HDC dc, int mode);  // returns the previous mode, 0 for a bad context
int GetStretchBltMode(HDC dc);
BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);  // the colour set, CLR_INVALID outside
COLORREF GetPixel(HDC dc, int x, int y);
BOOL Ellipse(HDC dc, int x1, int y1, int x2, int y2);
