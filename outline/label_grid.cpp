#include "outline/label_grid.h"

#include <cstdlib>

namespace {

// Merging stops after this many joins; regions still apart then stay apart.
constexpr int kMergeRounds = 50000;

// One flag per pixel, row by row from the top: 1 for a pixel of background colour.
std::vector<uint8_t> backgroundMask(int red, int green, int blue, const CImage& image, int tolerance) {
    const int w = image.GetWidth(), h = image.GetHeight(), bpp = image.GetBPP();
    std::vector<uint8_t> mask(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    auto near = [&](int r, int g, int b) {
        return std::abs(r - red) <= tolerance && std::abs(g - green) <= tolerance && std::abs(b - blue) <= tolerance;
    };
    if (bpp != 8 && bpp != 24 && bpp != 32) return mask;
    const auto* first = static_cast<const BYTE*>(image.GetBits());
    const int pitch = image.GetPitch(), bytes = bpp / 8;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = first + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* out = &mask[static_cast<size_t>(y) * static_cast<size_t>(w)];
        for (int x = 0; x < w; ++x) {
            if (bpp == 8) {
                const COLORREF c = image.GetPixel(x, y);
                out[x] = near(GetRValue(c), GetGValue(c), GetBValue(c));
            } else {
                const BYTE* p = row + static_cast<ptrdiff_t>(bytes) * x;
                out[x] = near(p[2], p[1], p[0]);
            }
        }
    }
    return mask;
}

// Labels while they are wider than the grid's 16 bits: the first pass may hand out many more labels than the
// regions that remain after merging.
class Provisional {
public:
    Provisional(int w, int h) : mW(w), mH(h), mCells(static_cast<size_t>(w + 2) * static_cast<size_t>(h + 2), 0) {
        for (int c = 0; c < w + 2; ++c) at(c, 0) = at(c, h + 1) = -1;
        for (int r = 0; r < h + 2; ++r) at(0, r) = at(w + 1, r) = -1;
    }
    int32_t& at(int column, int row) {
        return mCells[static_cast<size_t>(row) * static_cast<size_t>(mW + 2) + static_cast<size_t>(column)];
    }

    // Row by row from the top, each from the left: a background pixel continues the label above it, else (but
    // not in the first column) the one to its left, else the one above-right; otherwise it starts a new one.
    // The first background pixel gets 1 and the next new label is 3.
    void firstPass(const std::vector<uint8_t>& background) {
        bool first = true;
        for (int y = 0; y < mH; ++y) {
            for (int x = 0; x < mW; ++x) {
                if (!background[static_cast<size_t>(y) * static_cast<size_t>(mW) + static_cast<size_t>(x)]) continue;
                const int c = x + 1, r = y + 1;
                int32_t& cell = at(c, r);
                if (first) {
                    cell = 1;
                    mCounter = 2;
                    first = false;
                    continue;
                }
                const int32_t up = at(c, r - 1), left = at(c - 1, r), upRight = at(c + 1, r - 1);
                if (y == 0) cell = left >= 1 ? left : ++mCounter;
                else if (up >= 1) cell = up;
                else if (x == 0) cell = ++mCounter;
                else if (left >= 1) cell = left;
                else if (upRight >= 1) cell = upRight;
                else cell = ++mCounter;
            }
        }
        mParent.resize(static_cast<size_t>(mCounter) + 1);
        for (size_t i = 0; i < mParent.size(); ++i) mParent[i] = static_cast<int32_t>(i);
    }

    // Joins labels that meet side by side. A round looks from the bottom row up (starting at the row of the
    // previous join), each row from the right, for a cell whose label differs from its left neighbour's; the
    // left label a takes the name of the right one b, except that label 1 keeps its name. Renaming is kept in
    // a table of names instead of rewriting the cells.
    void merge() {
        int startRow = mH;
        for (int round = 0; round < kMergeRounds; ++round) {
            int32_t a = 0, b = 0;
            bool found = false;
            for (int r = startRow; r >= 2 && !found; --r) {
                for (int c = mW; c >= 2; --c) {
                    b = nameAt(c, r);
                    if (b < 1) continue;
                    a = nameAt(c - 1, r);
                    if (a >= 1 && a != b) {
                        found = true;
                        startRow = r;
                        break;
                    }
                }
            }
            if (!found) return;
            if (a == 1) mParent[static_cast<size_t>(b)] = 1;
            else mParent[static_cast<size_t>(a)] = b;
        }
    }

    // Numbers the names in use 0, 1, 2, ... in increasing order and writes them into the grid; returns the
    // count (at most one past the largest label a cell can hold).
    int compact(LabelGrid& grid) {
        std::vector<int32_t> number(mParent.size(), -1);
        bool zeroUsed = false;
        for (int r = 1; r <= mH; ++r) {
            for (int c = 1; c <= mW; ++c) {
                const int32_t v = at(c, r);
                if (v == 0) zeroUsed = true;
                else number[static_cast<size_t>(find(v))] = 0;
            }
        }
        int32_t next = zeroUsed ? 1 : 0;
        for (size_t l = 1; l < number.size(); ++l)
            if (number[l] == 0) number[l] = next++;
        for (int r = 1; r <= mH; ++r) {
            for (int c = 1; c <= mW; ++c) {
                const int32_t v = at(c, r);
                const int32_t n = v == 0 ? 0 : number[static_cast<size_t>(find(v))];
                grid.at(c, r) = static_cast<int16_t>(n <= kLargestLabel ? n : -1);
            }
        }
        return next <= kLargestLabel ? next : kLargestLabel + 1;
    }

private:
    int32_t find(int32_t label) {
        while (mParent[static_cast<size_t>(label)] != label) {
            int32_t& p = mParent[static_cast<size_t>(label)];
            p = mParent[static_cast<size_t>(p)];
            label = p;
        }
        return label;
    }
    int32_t nameAt(int column, int row) {
        const int32_t v = at(column, row);
        return v >= 1 ? find(v) : v;
    }

    int mW, mH;
    std::vector<int32_t> mCells;
    std::vector<int32_t> mParent;
    int32_t mCounter = 0;
};

}  // namespace

LabelGrid::LabelGrid(int width, int height)
    : mWidth(width > 0 ? width : 0),
      mHeight(height > 0 ? height : 0),
      mCells(static_cast<size_t>(mWidth + 2) * static_cast<size_t>(mHeight + 2), 0) {
    for (int c = 0; c < mWidth + 2; ++c) at(c, 0) = at(c, mHeight + 1) = -1;
    for (int r = 0; r < mHeight + 2; ++r) at(0, r) = at(mWidth + 1, r) = -1;
}

int labelBackgroundRegions(int red, int green, int blue, const CImage& image, LabelGrid& grid, int tolerance) {
    const int w = image.GetWidth(), h = image.GetHeight();
    if (image.IsNull() || grid.width() != w || grid.height() != h) return 0;
    Provisional labels(w, h);
    labels.firstPass(backgroundMask(red, green, blue, image, tolerance));
    labels.merge();
    return labels.compact(grid);
}
