#include "vectorize/color_regions.h"

#include <cstdlib>
#include <vector>

#include "vectorize/image_filters.h"

namespace {

constexpr int kMergeRounds = 50000;

bool similarColors(const PixelColor& p, const PixelColor& q, int limit) {
    return std::abs(p.red - q.red) < limit && std::abs(p.green - q.green) < limit && std::abs(p.blue - q.blue) < limit;
}

// Labels of the pixels while regions are made, wider than the grid's cells. Every pixel holds a first-pass
// label (the outermost ring label 0, which the first pass never gives out otherwise than by copying it), renamed
// through a table instead of rewriting the cells: a pixel's current label is the end of its chain of renamings.
// The ring is renamed like any other label, so a background that reaches the picture's edge joins up with the
// rest of its region and every round of merging takes away one label.
class RegionLabels {
public:
    RegionLabels(const CImage& image, int limit)
        : mW(image.GetWidth()), mH(image.GetHeight()), mLimit(limit),
          mCells(static_cast<size_t>(mW) * static_cast<size_t>(mH), 0) {
        mColors.reserve(mCells.size());
        for (int y = 0; y < mH; ++y)
            for (int x = 0; x < mW; ++x) mColors.push_back(readPixel(image, x, y));
    }

    void firstPass() {
        int32_t counter = 0;
        for (int y = 1; y < mH - 1; ++y) {
            for (int x = 1; x < mW - 1; ++x) {
                int32_t& cell = at(x, y);
                if (x == 1 && y == 1) {
                    cell = 1;
                    counter = 2;
                } else if (similar(x, y, x, y - 1)) {
                    cell = at(x, y - 1);
                } else if (similar(x, y, x - 1, y)) {
                    cell = at(x - 1, y);
                } else if (similar(x, y, x + 1, y - 1)) {
                    cell = at(x + 1, y - 1);
                } else {
                    cell = ++counter;
                }
            }
        }
        mRename.resize(static_cast<size_t>(counter) + 1);
        for (size_t i = 0; i < mRename.size(); ++i) mRename[i] = static_cast<int32_t>(i);
    }

    void merge() {
        int startRow = mH - 2;
        for (int round = 0; round < kMergeRounds; ++round) {
            int32_t a = 0, b = 0;
            bool found = false;
            for (int y = startRow; y >= 1 && !found; --y) {
                for (int x = mW - 2; x >= 1; --x) {
                    a = label(x - 1, y);
                    b = label(x, y);
                    if (a != b && similar(x - 1, y, x, y)) {
                        found = true;
                        startRow = y;
                        break;
                    }
                }
            }
            if (!found) return;
            // The pixels of the label that gives way take the other.
            const int32_t from = a == 1 ? b : a, to = a == 1 ? 1 : b;
            mRename[static_cast<size_t>(from)] = to;
        }
    }

    int compact(LabelGrid& grid) {
        std::vector<int32_t> number(mRename.size(), -1);
        for (int y = 0; y < mH; ++y)
            for (int x = 0; x < mW; ++x) number[static_cast<size_t>(label(x, y))] = 0;
        int32_t next = 0;
        for (size_t l = 0; l < number.size(); ++l)
            if (number[l] == 0) number[l] = next++;
        for (int y = 0; y < mH; ++y) {
            for (int x = 0; x < mW; ++x) {
                const int32_t n = number[static_cast<size_t>(label(x, y))];
                grid.at(x + 1, y + 1) = static_cast<int16_t>(n <= kLargestLabel ? n : -1);
            }
        }
        return next <= kLargestLabel ? next : kLargestLabel + 1;
    }

private:
    int32_t& at(int x, int y) { return mCells[static_cast<size_t>(y) * static_cast<size_t>(mW) + static_cast<size_t>(x)]; }
    const PixelColor& color(int x, int y) const {
        return mColors[static_cast<size_t>(y) * static_cast<size_t>(mW) + static_cast<size_t>(x)];
    }
    bool similar(int x1, int y1, int x2, int y2) const { return similarColors(color(x1, y1), color(x2, y2), mLimit); }
    int32_t label(int x, int y) {
        int32_t v = at(x, y);
        while (mRename[static_cast<size_t>(v)] != v) {
            int32_t& next = mRename[static_cast<size_t>(v)];
            next = mRename[static_cast<size_t>(next)];
            v = next;
        }
        return v;
    }
    int mW, mH, mLimit;
    std::vector<int32_t> mCells;
    std::vector<PixelColor> mColors;
    std::vector<int32_t> mRename;
};

}  // namespace

bool isSimilarColor(const CImage& image, POINT a, POINT b, int limit) {
    return similarColors(readPixel(image, a.x, a.y), readPixel(image, b.x, b.y), limit);
}

int makeColorRegion(const CImage& image, LabelGrid& grid, int limit) {
    const int bpp = image.GetBPP();
    if (image.IsNull() || (bpp != 8 && bpp != 24 && bpp != 32) || grid.width() != image.GetWidth() ||
        grid.height() != image.GetHeight())
        return 0;
    RegionLabels labels(image, limit);
    labels.firstPass();
    labels.merge();
    return labels.compact(grid);
}

void findRegionOutline(int label, const LabelGrid& grid, PixelChain& chain) { traceRegionBoundary(label, grid, chain); }
