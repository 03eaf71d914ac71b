#include "polyline/divide.h"

#include <cmath>
#include <vector>

#include "formula/polyline_through_points.h"
#include "polyline/polyline_points.h"

namespace {

constexpr double kShortestCurve = 0.0001;
constexpr int kDefaultCount = 16;

// The points at the distances, the last replaced by the curve's end point, as a polyline beside the curve.
DivideResult addPolylineAtDistances(const AcDbCurve* curve, int n, double step) {
    std::vector<AcGePoint3d> points;
    for (int k = 0; k < n; ++k) {
        AcGePoint3d p;
        if (curve->getPointAtDist(k * step, p) == Acad::eOk) points.push_back(p);
    }
    AcGePoint3d end;
    if (points.size() < 2 || curve->getEndPoint(end) != Acad::eOk) return DivideResult::kFailed;
    points.back() = end;
    AcDbObjectId id;
    return addPolylineThroughPoints(points.data(), static_cast<int>(points.size()), curve->isClosed(),
                                    curve->objectId(), id)
               ? DivideResult::kAdded
               : DivideResult::kFailed;
}

}  // namespace

DivideResult divideCurveByCount(const AcDbCurve* curve, int count) {
    const double length = curveLength(curve);
    if (length < kShortestCurve) return DivideResult::kFailed;
    if (count < 4) count = kDefaultCount;
    return addPolylineAtDistances(curve, count, length / (count - 1));
}

DivideResult divideCurveByDistance(const AcDbCurve* curve, double spacing) {
    const double length = curveLength(curve);
    if (length < kShortestCurve || !(spacing > 0)) return DivideResult::kFailed;
    if (spacing > length * 0.25) return DivideResult::kTooShort;
    const int n = static_cast<int>(std::trunc(length / spacing + 1));
    return addPolylineAtDistances(curve, n, spacing);
}
