#include "polyline/spline_conversion.h"

#include "polyline/placement.h"
#include "polyline/polyline_points.h"
#include "polyline/resample.h"

namespace {

constexpr int kMaxPolylineSegments = 10000;

// Adds the new curve beside the source and erases the source; deletes the new curve when it cannot be added.
bool replaceBy(AcDbEntity* source, AcDbEntity* replacement) {
    AcDbObjectId id;
    if (appendResult(replacement, nullptr, source, id) != Acad::eOk) {
        delete replacement;
        return false;
    }
    eraseOpenEntity(source);
    return true;
}

}  // namespace

bool replaceSplineByPolyline(AcDbEntity* entity, int precision) {
    const auto* spline = AcDbSpline::cast(entity);
    AcDbCurve* polyline = nullptr;
    if (!spline || spline->toPolyline(polyline, precision, kMaxPolylineSegments) != Acad::eOk || !polyline)
        return false;
    return replaceBy(entity, polyline);
}

AcDbSpline* fitSplineAlongCurve(const AcDbCurve* curve, const FitPointRule& rule) {
    std::vector<AcGePoint3d> points;
    if (rule.divideEqually) resampleCurve(curve, points, rule.count);
    else points = readPolylinePoints(curve).points;
    if (points.empty()) resampleCurve(curve, points, rule.count);
    if (points.empty()) return nullptr;
    if (curve->isClosed()) points.push_back(points.front());
    // A spline cannot pass twice through one point in a row: resampling repeats the end point.
    AcGePoint3dArray fit;
    for (const AcGePoint3d& p : points)
        if (fit.isEmpty() || !fit.last().isEqualTo(p)) fit.append(p);
    if (curve->isClosed() && fit.length() > 1 && !fit.last().isEqualTo(fit.first())) fit.append(fit.first());
    auto* spline = new AcDbSpline(fit, 4, 0.0);
    if (spline->isNull()) {
        delete spline;
        return nullptr;
    }
    return spline;
}

bool replaceCurveBySpline(AcDbEntity* entity, const FitPointRule& rule) {
    const auto* curve = AcDbCurve::cast(entity);
    if (!curve) return false;
    AcDbSpline* spline = nullptr;
    if (curve->getSpline(spline) != Acad::eOk || !spline) spline = fitSplineAlongCurve(curve, rule);
    if (!spline) return false;
    return replaceBy(entity, spline);
}
