#include "editor/ucs.h"

namespace cvx::editor {

bool Ucs::isWorld() const {
    return origin.isEqualTo(AcGePoint3d::kOrigin) && xAxis.isEqualTo(AcGeVector3d::kXAxis) &&
           yAxis.isEqualTo(AcGeVector3d::kYAxis);
}

AcGeMatrix3d Ucs::toWorld() const {
    return AcGeMatrix3d().setCoordSystem(origin, xAxis, yAxis, xAxis.crossProduct(yAxis));
}

bool Ucs::fromThreePoints(const AcGePoint3d& o, const AcGePoint3d& onX, const AcGePoint3d& onXY, Ucs& out) {
    AcGeVector3d x = onX - o, v = onXY - o;
    AcGeVector3d z = x.crossProduct(v);
    if (x.isZeroLength() || z.isZeroLength()) return false;
    out.origin = o;
    out.xAxis = x.normal();
    out.yAxis = z.crossProduct(x).normal();
    return true;
}

}  // namespace cvx::editor
