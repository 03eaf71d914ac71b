#include "formula/polyline_through_points.h"

#include <cmath>

#include "frame/append.h"

namespace {

bool sharesOneZ(const AcGePoint3d* points, int n) {
    for (int i = 1; i < n; ++i)
        if (std::abs(points[i].z - points[i - 1].z) > 0.0001) return false;
    return true;
}

}  // namespace

AcDbCurve* newPolylineThroughPoints(AcDbDatabase* database, const AcGePoint3d* points, int n, bool closed) {
    if (n < 2 || !points) return nullptr;
    AcDbCurve* curve = nullptr;
    if (sharesOneZ(points, n)) {
        auto* polyline = new AcDbPolyline(static_cast<unsigned>(n));
        for (int i = 0; i < n; ++i) polyline->addVertexAt(static_cast<unsigned>(i), points[i].convert2d());
        polyline->setElevation(points[0].z);
        polyline->setClosed(closed);
        curve = polyline;
    } else {
        AcGePoint3dArray vertices(n);
        for (int i = 0; i < n; ++i) vertices.append(points[i]);
        curve = new AcDb3dPolyline(AcDb::k3dCubicSplinePoly, vertices, false);
    }
    curve->setDatabaseDefaults(database);
    return curve;
}

bool addPolylineThroughPoints(const AcGePoint3d* points, int n, bool closed, AcDbObjectId referenceId,
                              AcDbObjectId& id) {
    id = AcDbObjectId();
    AcDbDatabase* database = referenceId.isNull() ? acdbHostApplicationServices()->workingDatabase()
                                                  : referenceId.database();
    AcDbCurve* polyline = newPolylineThroughPoints(database, points, n, closed);
    if (!polyline) return false;
    if (appendBesideEntity(database, polyline, referenceId, id) != Acad::eOk) {
        delete polyline;
        return false;
    }
    return true;
}
