#include "shaping/sample_by_length.h"

namespace {
constexpr double kShortestCurve = 0.0001;
constexpr int kDefaultSamples = 16;
}  // namespace

double curveLengthAlong(const AcDbCurve* curve) {
    double endParam = 0, length = 0;
    if (!curve || curve->getEndParam(endParam) != Acad::eOk || curve->getDistAtParam(endParam, length) != Acad::eOk)
        return 0;
    return length;
}

bool sampleCurveByLength(const AcDbCurve* curve, int n, std::vector<AcGePoint3d>& points) {
    points.clear();
    const double length = curveLengthAlong(curve);
    if (!curve || length < kShortestCurve) return false;
    if (n < 4) n = kDefaultSamples;
    points.assign(static_cast<size_t>(n), AcGePoint3d::kOrigin);
    const double step = length / (n - 1);
    for (int i = 0; i < n; ++i) curve->getPointAtDist(i * step, points[static_cast<size_t>(i)]);
    curve->getEndPoint(points.back());
    return true;
}
