#include "vectorize/image_filters.h"

#include <algorithm>
#include <cmath>

namespace {

bool readable(const CImage& image) {
    const int bpp = image.GetBPP();
    return !image.IsNull() && (bpp == 8 || bpp == 24 || bpp == 32);
}

// Cuts towards zero.
int truncated(double v) { return static_cast<int>(v); }

}  // namespace

PixelColor readPixel(const CImage& image, int x, int y) {
    if (image.GetBPP() == 8) {
        const COLORREF c = image.GetPixel(x, y);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
    const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(x, y));
    return {p[2], p[1], p[0]};
}

void writePixel(CImage& image, int x, int y, PixelColor color) {
    if (image.GetBPP() == 8) {
        image.SetPixel(x, y, RGB(color.red, color.green, color.blue));
        return;
    }
    auto* p = static_cast<BYTE*>(image.GetPixelAddress(x, y));
    p[0] = static_cast<BYTE>(color.blue);
    p[1] = static_cast<BYTE>(color.green);
    p[2] = static_cast<BYTE>(color.red);
}

void applyThreshold(CImage& image, int threshold, bool invert) {
    if (!readable(image)) return;
    const int t = std::clamp(threshold, 5, 250);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const PixelColor c = readPixel(image, x, y);
            int v = c.red + c.green + c.blue - 3 * t;
            if (invert) v = -v;
            const int level = v < 1 ? 0 : 255;
            writePixel(image, x, y, {level, level, level});
        }
    }
}

GradientSteps gradientSteps(int level) {
    const int n = std::max(level, 1);
    const int k = 100 / n;
    return {360 / n, k, truncated((k - 12) / 1.4 + 23.0)};
}

PixelColor quantizeColor(PixelColor color, int level) {
    const GradientSteps steps = gradientSteps(level);
    const double r = color.red / 255.0, g = color.green / 255.0, bl = color.blue / 255.0;
    const double mx = std::max({r, g, bl}), mn = std::min({r, g, bl}), delta = mx - mn;
    double h = 0, s = 0, b = 0;
    if (mx > 0) {
        b = mx;
        s = 1 - mn / mx;
    }
    if (delta > 0) {
        if (mx == r) h = 60 * (g - bl) / delta + (bl > g ? 360 : 0);
        else if (mx == g) h = 60 * (bl - r) / delta + 120;
        else h = 60 * (r - g) / delta + 240;
    }
    const int q = steps.hueStep, k = steps.saturationStep, m = steps.valueStep;
    const double hq = truncated(h / q + 0.5) * q;
    const double sq = truncated(s * 100 / k + 0.5) * k / 100.0;
    const double bq = truncated(b * 100 / m + 0.5) * m / 100.0;
    double out[3] = {bq, bq, bq};
    if (sq != 0) {
        int sector = static_cast<int>(std::floor(hq / 60));
        const double f = hq / 60 - sector;
        sector %= 6;
        const double p = (1 - sq) * bq, qq = (1 - f * sq) * bq, u = (1 - (1 - f) * sq) * bq;
        const double table[6][3] = {{bq, u, p}, {qq, bq, p}, {p, bq, u}, {p, qq, bq}, {u, p, bq}, {bq, p, qq}};
        std::copy(table[sector], table[sector] + 3, out);
    }
    // A value rounded up past 1 (3 steps of 38 hundredths, say) gives full brightness.
    auto channel = [](double v) { return std::min(truncated(255 * v), 255); };
    return {channel(out[0]), channel(out[1]), channel(out[2])};
}

void applyColorGradient(CImage& image, int level) {
    if (!readable(image)) return;
    for (int y = 1; y < image.GetHeight() - 1; ++y)
        for (int x = 1; x < image.GetWidth() - 1; ++x)
            writePixel(image, x, y, quantizeColor(readPixel(image, x, y), level));
}
