#include "polyline/resample.h"

#include "polyline/polyline_points.h"

namespace {
constexpr double kShortestCurve = 0.0001;
}

bool resampleCurve(const AcDbCurve* curve, std::vector<AcGePoint3d>& points, int count) {
    points.clear();
    if (count < 2) return false;
    const double length = curveLength(curve);  // 0 for a null curve or one without an end parameter
    if (length < kShortestCurve) return false;
    for (int k = 0; k < count; ++k) {
        AcGePoint3d p;
        if (curve->getPointAtDist(k * length / (count - 1), p) == Acad::eOk) points.push_back(p);
    }
    AcGePoint3d end;
    if (curve->getEndPoint(end) == Acad::eOk) points.push_back(end);
    return !points.empty();
}
