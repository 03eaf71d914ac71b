#include "outline/region_trace.h"

namespace {

// Steps (column, row) of the directions 1..8: right, down-right, down, down-left, left, up-left, up, up-right.
constexpr int kStep[9][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

}  // namespace

std::vector<RegionStart> regionStarts(const LabelGrid& grid, int count) {
    std::vector<RegionStart> starts(static_cast<size_t>(count > 0 ? count : 0));
    int found = 0;
    for (int r = 1; r <= grid.height() && found < count; ++r) {
        for (int c = 1; c <= grid.width(); ++c) {
            const int label = grid.at(c, r);
            if (label < 0 || label >= count || starts[static_cast<size_t>(label)].row) continue;
            starts[static_cast<size_t>(label)] = {c, r};
            ++found;
        }
    }
    return starts;
}

void traceRegionBoundary(int label, const LabelGrid& grid, PixelChain& chain) {
    const int w = grid.width(), h = grid.height();
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c)
            if (grid.at(c, r) == label) return traceRegionBoundaryFrom(label, {c, r}, grid, chain);
}

void traceRegionBoundaryFrom(int label, RegionStart start, const LabelGrid& grid, PixelChain& chain) {
    const int w = grid.width(), h = grid.height();
    const int startColumn = start.column, startRow = start.row;
    if (!startRow) return;
    auto record = [&](int c, int r) {
        if (c >= 2 && c < w && r >= 2 && r < h) chain.push_back({c - 1, r - 1});
    };
    record(startColumn, startRow);
    int column = startColumn, row = startRow, direction = 1;
    const long long lastStep = 20LL * (w + h);
    for (long long step = 0; step < lastStep; ++step) {
        const int c = column + kStep[direction][0], r = row + kStep[direction][1];
        if (c == startColumn && r == startRow) return;
        if (c >= 0 && c <= w + 1 && r >= 0 && r <= h + 1 && grid.at(c, r) == label) {
            column = c;
            row = r;
            record(c, r);
            direction -= 2;
            if (direction < 1) direction += 8;
        } else {
            direction = direction % 8 + 1;
        }
    }
}
