#include "shaping/affect_geometry.h"

std::optional<AcGePoint3d> firstCrossingOnSegment(const AcDbCurve* curve, const AcGePoint3d& from,
                                                  const AcGePoint3d& to) {
    if (from.isEqualTo(to)) return std::nullopt;
    const AcDbLine row(from, to);
    AcGePoint3dArray points;
    if (curve->intersectWith(&row, AcDb::kOnBothOperands, points) != Acad::eOk || points.isEmpty()) return std::nullopt;
    return points[0];
}

std::optional<AcGePoint3d> extentsCentre(const AcDbEntity* entity) {
    AcDbExtents ext;
    if (entity->getGeomExtents(ext) != Acad::eOk || !ext.isValid()) return std::nullopt;
    return AcGePoint3d::kOrigin + (ext.minPoint().asVector() + ext.maxPoint().asVector()) * 0.5;
}

std::optional<AcGePoint3d> closestPointOnCurve(const AcDbCurve* curve, const AcGePoint3d& p) {
    AcGePoint3d closest;
    if (curve->getClosestPointTo(p, closest, false) != Acad::eOk) return std::nullopt;
    return closest;
}

std::optional<AcGePoint3d> firstCrossingInRow(const AcDbCurve* curve, const AcGePoint3d& p, double reach) {
    return firstCrossingOnSegment(curve, AcGePoint3d(p.x - reach, p.y, p.z), AcGePoint3d(p.x + reach, p.y, p.z));
}

AcGePoint3d curveTopEnd(const AcDbCurve* curve) {
    AcGePoint3d start, end;
    curve->getStartPoint(start);
    curve->getEndPoint(end);
    return start.y > end.y ? start : end;
}

AcGePoint3d curvePointAtHeight(const AcDbCurve* curve, double y) {
    const AcGePoint3d top = curveTopEnd(curve);
    if (y > top.y) return top;
    AcDbExtents ext;
    AcGePoint3d start;
    if (curve->getGeomExtents(ext) != Acad::eOk || curve->getStartPoint(start) != Acad::eOk) return top;
    const auto crossing = firstCrossingOnSegment(curve, AcGePoint3d(ext.minPoint().x - 1000, y, start.z),
                                                 AcGePoint3d(ext.maxPoint().x + 1000, y, start.z));
    return crossing ? *crossing : top;
}
