#include "linkline/curve_through_points.h"

#include <memory>

#include "frame/append.h"

namespace {

AcDbSpline* splineOfPolyline(const AcGePoint3dArray& points) {
    AcDb3dPolyline polyline(AcDb::k3dSimplePoly, points);
    AcDbSpline* spline = nullptr;
    if (polyline.getSpline(spline) != Acad::eOk) return nullptr;
    return spline;
}

AcDbSpline* fitSpline(const AcGePoint3dArray& points, const AcGeVector3d& startTangent,
                      const AcGeVector3d& endTangent) {
    if (!startTangent.isZeroLength() && !endTangent.isZeroLength())
        return new AcDbSpline(points, startTangent, endTangent, 4, 0.0);
    return new AcDbSpline(points, 4, 0.0);
}

}  // namespace

bool addCurveThroughPoints(int n, const AcGePoint3d* points, const AcCmColor& color, bool polyline,
                           const AcGeVector3d& startTangent, const AcGeVector3d& endTangent, AcDbObjectId& id) {
    id = AcDbObjectId();
    if (n < 2 || !points) return false;
    AcGePoint3dArray array(n);
    for (int i = 0; i < n; ++i) array.append(points[i]);
    std::unique_ptr<AcDbSpline> spline(polyline ? splineOfPolyline(array)
                                                : fitSpline(array, startTangent, endTangent));
    if (!spline || spline->isNull()) return false;  // no curve could be fitted
    spline->setColor(color);
    if (appendToWorkingSpace(spline.get(), id) != Acad::eOk) return false;
    spline.release();
    return true;
}
