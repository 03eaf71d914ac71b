#include "shaping/batch_intersect.h"

#include <algorithm>
#include <utility>

#include "cvx/dbobject.h"

namespace {

constexpr double kSamePoint = 0.0001;

void appendCrossings(const AcDbCurve& a, const AcDbCurve& b, std::vector<AcGePoint3d>& out) {
    AcGePoint3dArray points;
    if (a.intersectWith(&b, AcDb::kOnBothOperands, points) != Acad::eOk) return;
    for (int k = 0; k < points.length(); ++k) out.push_back(points[k]);
}

}  // namespace

std::vector<AcGePoint3d> mutualIntersections(const AcDbObjectIdArray& ids) {
    std::vector<AcGePoint3d> out;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbCurve> first(ids[i], AcDb::kForRead);
        if (!first) continue;
        for (int j = i + 1; j < ids.length(); ++j) {
            AcDbObjectPointer<AcDbCurve> second(ids[j], AcDb::kForRead);
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

std::vector<AcGePoint3d> uniquePoints(const std::vector<AcGePoint3d>& points) {
    std::vector<AcGePoint3d> kept;
    for (const AcGePoint3d& p : points) {
        const bool seen = std::any_of(kept.begin(), kept.end(),
                                      [&](const AcGePoint3d& q) { return p.distanceTo(q) < kSamePoint; });
        if (!seen) kept.push_back(p);
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
