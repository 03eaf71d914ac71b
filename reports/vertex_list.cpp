#include "reports/vertex_list.h"

#include <algorithm>
#include <cmath>

#include "polyline/polyline_points.h"

namespace {

constexpr double kSameX = 0.0001;

std::vector<AcGePoint3d> ends(const AcDbCurve* curve) {
    AcGePoint3d start, end;
    curve->getStartPoint(start);
    curve->getEndPoint(end);
    return {start, end};
}

}  // namespace

namespace {

std::optional<std::vector<AcGePoint3d>> listedVertices(const AcDbEntity* entity) {
    if (const auto* lw = AcDbPolyline::cast(entity)) {
        std::vector<AcGePoint3d> out;
        for (unsigned int i = 0; i < lw->numVerts(); ++i) {
            AcGePoint3d p;
            if (lw->getPointAt(i, p) == Acad::eOk) out.push_back(p);
        }
        return out;
    }
    if (const auto* heavy = AcDbHeavyPolyline::cast(entity)) {
        std::vector<AcGePoint3d> out;
        readHeavyVertices(heavy, out);
        return out;
    }
    if (const auto* spline = AcDbSpline::cast(entity)) {
        std::vector<AcGePoint3d> out;
        for (int i = 0; i < spline->numFitPoints(); ++i) {
            AcGePoint3d p;
            if (spline->getFitPointAt(i, p) == Acad::eOk) out.push_back(p);
        }
        return out;
    }
    if (const auto* ellipse = AcDbEllipse::cast(entity)) {
        if (ellipse->isClosed()) return std::nullopt;
        return ends(ellipse);
    }
    if (AcDbLine::cast(entity) || AcDbArc::cast(entity)) return ends(AcDbCurve::cast(entity));
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<AcGePoint3d>> reportVertices(const AcDbEntity* entity, bool lowerLeft) {
    std::optional<std::vector<AcGePoint3d>> points = listedVertices(entity);
    if (points && lowerLeft) startAtLowerLeft(*points);
    return points;
}

void startAtLowerLeft(std::vector<AcGePoint3d>& points) {
    if (points.size() < 2) return;
    const AcGePoint3d& first = points.front();
    const AcGePoint3d& last = points.back();
    const bool sameX = std::fabs(first.x - last.x) < kSameX;
    if ((!sameX && first.x > last.x) || (sameX && first.y > last.y)) std::reverse(points.begin(), points.end());
}
