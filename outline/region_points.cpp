#include "outline/region_points.h"

#include <algorithm>
#include <cstdint>

namespace {

struct RegionSums {
    int64_t columns = 0, rows = 0, count = 0;
};

// Steps of the searches in their order: right, left, down, up.
constexpr int kSearch[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// One search from (column, row) along the step, over the inner cells, counting the cells that hold the label
// (hits) and the others (misses); once there are two hits, the next miss ends it. More than two hits move the
// point into the middle of what was met and settle it; a single hit moves the point just past it, and the
// next search starts from there; two hits ended by a miss settle the point where it is, outside the region
// (BOUNDARY then finds another area or none, and the command goes on).
bool searchSettles(int label, const LabelGrid& grid, int dc, int dr, int& column, int& row) {
    int misses = 0, hits = 0;
    bool ended = false;
    for (int c = column + dc, r = row + dr; c >= 1 && c <= grid.width() && r >= 1 && r <= grid.height();
         c += dc, r += dr) {
        if (grid.at(c, r) == label) {
            ++hits;
        } else if (hits >= 2) {
            ended = true;
            break;
        } else {
            ++misses;
        }
    }
    int by = 0;
    if (hits > 2) by = misses + hits / 2;
    else if (hits == 1) by = misses + 1;
    column += dc * by;
    row += dr * by;
    return hits > 2 || ended;
}

}  // namespace

void findRegionPoints(int regionCount, const LabelGrid& grid, PixelChain& points) {
    if (regionCount < 2) return;
    std::vector<RegionSums> sums(static_cast<size_t>(regionCount));
    for (int r = 1; r <= grid.height(); ++r) {
        for (int c = 1; c <= grid.width(); ++c) {
            const int label = grid.at(c, r);
            if (label < 0 || label >= regionCount) continue;
            RegionSums& s = sums[static_cast<size_t>(label)];
            s.columns += c;
            s.rows += r;
            ++s.count;
        }
    }
    for (int label = 1; label < regionCount; ++label) {
        const RegionSums& s = sums[static_cast<size_t>(label)];
        if (s.count == 0) continue;
        int column = static_cast<int>(s.columns / s.count), row = static_cast<int>(s.rows / s.count);
        if (grid.at(column, row) != label)
            for (const auto& step : kSearch)
                if (searchSettles(label, grid, step[0], step[1], column, row)) break;
        column = std::clamp(column, 0, grid.width() + 1);
        row = std::clamp(row, 0, grid.height() + 1);
        points.push_back({column, row});
    }
}
