#include "shaping/batch_intersect.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "cvx/dbobject.h"

namespace {

constexpr double kSamePoint = 0.0001;

void appendCrossings(const AcDbCurve& a, const AcDbCurve& b, std::vector<AcGePoint3d>& out) {
    AcGePoint3dArray points;
    if (a.intersectWith(&b, AcDb::kOnBothOperands, points) != Acad::eOk) return;
    for (int k = 0; k < points.length(); ++k) out.push_back(points[k]);
}

struct Extent {
    double x0, y0, z0, x1, y1, z1;
    int index;  // in the caller's list
};

// The extents of the curves that open, each grown by a margin that covers the intersection tolerance (which
// is relative to the curves' size and distance from the origin).
std::vector<Extent> extentsOf(const AcDbObjectIdArray& ids) {
    std::vector<Extent> out;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbCurve> curve(ids[i], AcDb::kForRead);
        if (!curve) continue;
        AcDbExtents box;
        Extent e{-INFINITY, -INFINITY, -INFINITY, INFINITY, INFINITY, INFINITY, i};
        if (curve->getGeomExtents(box) == Acad::eOk) {
            const AcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
            double margin = 1e-6 * (lo.distanceTo(hi) + std::fabs(lo.x) + std::fabs(lo.y) + std::fabs(lo.z) +
                                    std::fabs(hi.x) + std::fabs(hi.y) + std::fabs(hi.z)) + 1e-9;
            if (std::isfinite(margin))
                e = {lo.x - margin, lo.y - margin, lo.z - margin, hi.x + margin, hi.y + margin, hi.z + margin, i};
        }
        out.push_back(e);
    }
    return out;
}

// The pairs (i, j), i < j in list order, whose extents meet: a sweep over the boxes' x ranges, then the pairs
// put back in list order so that the points come out as a pair-by-pair search would give them.
std::vector<std::pair<int, int>> meetingPairs(std::vector<Extent> boxes) {
    std::sort(boxes.begin(), boxes.end(), [](const Extent& a, const Extent& b) { return a.x0 < b.x0; });
    std::vector<std::pair<int, int>> pairs;
    for (size_t a = 0; a < boxes.size(); ++a) {
        const Extent& p = boxes[a];
        for (size_t b = a + 1; b < boxes.size() && boxes[b].x0 <= p.x1; ++b) {
            const Extent& q = boxes[b];
            if (q.y0 > p.y1 || p.y0 > q.y1 || q.z0 > p.z1 || p.z0 > q.z1) continue;
            pairs.emplace_back(std::min(p.index, q.index), std::max(p.index, q.index));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

}  // namespace

std::vector<AcGePoint3d> mutualIntersections(const AcDbObjectIdArray& ids) {
    std::vector<AcGePoint3d> out;
    const std::vector<std::pair<int, int>> pairs = meetingPairs(extentsOf(ids));
    for (size_t k = 0; k < pairs.size();) {
        const int i = pairs[k].first;
        AcDbObjectPointer<AcDbCurve> first(ids[i], AcDb::kForRead);
        for (; k < pairs.size() && pairs[k].first == i; ++k) {
            if (!first) continue;
            AcDbObjectPointer<AcDbCurve> second(ids[pairs[k].second], AcDb::kForRead);
            if (second) appendCrossings(*first.object(), *second.object(), out);
        }
    }
    return out;
}

std::vector<AcGePoint3d> intersectionsWith(const AcDbCurve& curve, const AcDbObjectIdArray& others) {
    std::vector<AcGePoint3d> out;
    for (int i = 0; i < others.length(); ++i) {
        if (others[i] == curve.objectId()) continue;
        AcDbObjectPointer<AcDbCurve> other(others[i], AcDb::kForRead);
        if (other) appendCrossings(curve, *other.object(), out);
    }
    return out;
}

// Kept points hashed by cells of 16 times the merge distance: a point's near neighbours lie in its own cell,
// or in a next one where it lies within the merge distance of the cell's side, so most points look into one
// cell whatever the number of points.
std::vector<AcGePoint3d> uniquePoints(const std::vector<AcGePoint3d>& points) {
    constexpr double kCell = 16 * kSamePoint;
    using Cell = std::array<int64_t, 3>;
    auto hash = [](const Cell& c) {
        uint64_t h = uint64_t(c[0]) * 0x9E3779B97F4A7C15ull ^ uint64_t(c[1]) * 0xC2B2AE3D27D4EB4Full ^
                     uint64_t(c[2]) * 0x165667B19E3779F9ull;
        return h ^ (h >> 29);
    };
    // Open addressing: a slot holds a kept point's index, its cell found again from the point.
    size_t capacity = 16;
    while (capacity < 2 * points.size()) capacity *= 2;
    std::vector<uint32_t> slots(capacity, UINT32_MAX);
    std::vector<Cell> cellOfKept;
    std::vector<AcGePoint3d> kept;
    for (const AcGePoint3d& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
        Cell c;
        int lo[3], hi[3];  // the next cells to look into, per axis
        for (int k = 0; k < 3; ++k) {
            double f = std::clamp(std::floor(p[k] / kCell), -4e18, 4e18);
            c[k] = int64_t(f);
            lo[k] = p[k] - f * kCell < kSamePoint ? -1 : 0;
            hi[k] = (f + 1) * kCell - p[k] < kSamePoint ? 1 : 0;
        }
        bool seen = false;
        for (int dx = lo[0]; dx <= hi[0] && !seen; ++dx)
            for (int dy = lo[1]; dy <= hi[1] && !seen; ++dy)
                for (int dz = lo[2]; dz <= hi[2] && !seen; ++dz) {
                    const Cell n = {c[0] + dx, c[1] + dy, c[2] + dz};
                    for (size_t s = hash(n) & (capacity - 1); slots[s] != UINT32_MAX && !seen;
                         s = (s + 1) & (capacity - 1))
                        seen = cellOfKept[slots[s]] == n && p.distanceTo(kept[slots[s]]) < kSamePoint;
                }
        if (seen) continue;
        size_t s = hash(c) & (capacity - 1);
        while (slots[s] != UINT32_MAX) s = (s + 1) & (capacity - 1);
        slots[s] = uint32_t(kept.size());
        cellOfKept.push_back(c);
        kept.push_back(p);
    }
    return kept;
}

void orderAlongCurve(const AcDbCurve& curve, const AcGePoint3d& pickPoint, std::vector<AcGePoint3d>& points) {
    std::vector<std::pair<double, AcGePoint3d>> along;
    for (const AcGePoint3d& p : points) {
        double dist = 0;
        curve.getDistAtPoint(p, dist);
        along.emplace_back(dist, p);
    }
    std::stable_sort(along.begin(), along.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t k = 0; k < along.size(); ++k) points[k] = along[k].second;
    AcGePoint3d start, end;
    curve.getStartPoint(start);
    curve.getEndPoint(end);
    if (pickPoint.distanceTo(start) > pickPoint.distanceTo(end)) std::reverse(points.begin(), points.end());
}
