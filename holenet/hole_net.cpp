#include "holenet/hole_net.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

int netRowsFromText(const std::wstring& text) {
    size_t begin = text.find_first_not_of(L" \t"), end = text.find_last_not_of(L" \t");
    if (begin == std::wstring::npos) return kNetRowsDefault;
    const std::wstring digits = text.substr(begin, end - begin + 1);
    if (digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswdigit(c); }))
        return kNetRowsDefault;
    const int rows = std::stoi(digits);
    return rows >= kNetRowsMin && rows <= kNetRowsMax ? rows : kNetRowsDefault;
}

namespace {

// Blue + green + red of a pixel.
long channelSum(const CImage& image, int x, int y) {
    if (image.GetBPP() == 8) {
        const COLORREF c = image.GetPixel(x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c);
    }
    const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(x, y));
    return p[0] + p[1] + p[2];
}

}  // namespace

HoleNet computeHoleNet(const CImage& image, int rows, bool invert) {
    HoleNet net;
    const int w = image.GetWidth(), h = image.GetHeight(), bpp = image.GetBPP();
    if (image.IsNull() || (bpp != 8 && bpp != 24 && bpp != 32)) return net;
    net.rows = std::clamp(rows, 1, h);
    net.imageHeight = h;
    net.cell = static_cast<double>(h) / net.rows;
    const double c = net.cell;
    net.gridColumns = static_cast<int>(w / c);
    net.gridRows = static_cast<int>(h / c);
    const int span = static_cast<int>(std::ceil(c));  // pixel offsets 0 <= d < c
    net.holes.reserve(static_cast<size_t>(net.gridColumns) * static_cast<size_t>(net.gridRows));
    for (int r = 0; r < net.gridRows; ++r) {
        for (int j = 0; j < net.gridColumns; ++j) {
            long sum = 0;
            for (int dy = 0; dy < span; ++dy) {
                const int y = std::min(static_cast<int>(r * c + dy), h - 1);
                for (int dx = 0; dx < span; ++dx)
                    sum += channelSum(image, std::min(static_cast<int>(j * c + dx), w - 1), y);
            }
            // A cell reads ceil(c)^2 pixels but its sum is divided by c^2, the cell's area: where c is not
            // whole, a light cell's m goes past 1 and its measure below 0 (drawn as an empty hole).
            const double m = static_cast<double>(sum) / (c * c * 255.0 * 3.0);
            const double g = invert ? m : 1.0 - m;  // dark cells give large holes
            net.holes.push_back({j * c + c / 2, r * c + c / 2, g * c});
        }
    }
    return net;
}
