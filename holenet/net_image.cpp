#include "holenet/net_image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The creation flag that keeps a source's alpha channel.
DWORD alphaFlag(const CImage& source) { return source.HasAlphaChannel() ? DWORD(CImage::createAlphaChannel) : 0; }

BYTE clampChannel(double v) { return static_cast<BYTE>(std::clamp(std::trunc(v), 0.0, 255.0)); }

// Applies the channel mapping to every pixel: directly on the colour bytes of 24- and 32-bit images, through
// the colours of the table for 8-bit images (each pixel gets the table entry nearest its mapped colour; equal
// indices map alike, so the mapping is found once per index).
template <class Map> void mapChannels(CImage& image, Map map) {
    if (image.IsNull()) return;
    const int w = image.GetWidth(), h = image.GetHeight(), bpp = image.GetBPP();
    if (bpp == 24 || bpp == 32) {
        const int step = bpp / 8;
        for (int y = 0; y < h; ++y) {
            auto* p = static_cast<BYTE*>(image.GetPixelAddress(0, y));
            for (int x = 0; x < w; ++x, p += step)
                for (int c = 0; c < 3; ++c) p[c] = map(p[c]);
        }
        return;
    }
    if (bpp != 8) return;
    std::vector<RGBQUAD> table(256);
    image.GetColorTable(0, 256, table.data());
    CImage probe;  // one pixel with the same table, to find nearest entries as the image's SetPixel does
    probe.Create(1, 1, 8);
    probe.SetColorTable(0, 256, table.data());
    BYTE remap[256];
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& q = table[static_cast<size_t>(i)];
        probe.SetPixel(0, 0, RGB(map(q.rgbRed), map(q.rgbGreen), map(q.rgbBlue)));
        remap[i] = *static_cast<const BYTE*>(probe.GetPixelAddress(0, 0));
    }
    for (int y = 0; y < h; ++y) {
        auto* p = static_cast<BYTE*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < w; ++x) p[x] = remap[p[x]];
    }
}

}  // namespace

bool copyNetImage(const CImage& source, CImage& dest) {
    if (&source == &dest) return true;
    if (source.IsNull()) {
        dest.Destroy();
        return true;
    }
    const int w = source.GetWidth(), h = source.GetHeight(), bpp = source.GetBPP();
    if (!dest.Create(w, h, bpp, alphaFlag(source))) return false;
    if (bpp <= 8) {
        std::vector<RGBQUAD> table(static_cast<size_t>(source.GetMaxColorTableEntries()));
        source.GetColorTable(0, static_cast<UINT>(table.size()), table.data());
        dest.SetColorTable(0, static_cast<UINT>(table.size()), table.data());
    }
    const size_t rowBytes = static_cast<size_t>(std::abs(source.GetPitch()));
    for (int y = 0; y < h; ++y) std::memcpy(dest.GetPixelAddress(0, y), source.GetPixelAddress(0, y), rowBytes);
    return true;
}

bool resampleForNet(const CImage& source, CImage& dest) {
    dest.Destroy();
    if (source.IsNull()) return false;
    const int width = std::min(source.GetWidth(), kNetImageMaxWidth);
    const int height = static_cast<int>(static_cast<long long>(width) * source.GetHeight() / source.GetWidth());
    if (height < 1 || !dest.Create(width, height, source.GetBPP(),
                                   alphaFlag(source)))
        return false;
    HDC dc = dest.GetDC();
    SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL copied = source.StretchBlt(dc, 0, 0, width, height, SRCCOPY);
    dest.ReleaseDC();
    if (!copied) dest.Destroy();
    return copied;
}

// Above the middle the factor grows from 1.5 to 3.0. Below it the slider lowers the contrast instead: the
// factor runs from 0 (every channel flat at 128) to 0.98 at 49, reaching the untouched picture at the middle.
double contrastFactor(int position) {
    const int c = std::clamp(position, 0, 100);
    return c >= 50 ? 1.5 * c / 50.0 : c / 50.0;
}

// 0 .. 0.49 darkens, 1.0 .. 2.0 brightens.
double brightnessFactor(int position) {
    const int b = std::clamp(position, 0, 100);
    return b < 50 ? b / 100.0 : b / 50.0;
}

void applyContrast(CImage& image, int position) {
    const double f = contrastFactor(position);
    mapChannels(image, [f](BYTE v) { return clampChannel((v - 128.0) * f + 128.0); });
}

void applyBrightness(CImage& image, int position) {
    const double f = brightnessFactor(position);
    mapChannels(image, [f](BYTE v) { return clampChannel(v * f); });
}
