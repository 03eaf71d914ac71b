// Parallel projection of a curve onto a plane. Lines stay lines; arcs and circles stay so on a parallel plane
// and become elliptical arcs otherwise; ellipses stay ellipses, splines splines; polylines become lightweight
// polylines (a spline where arcs would turn elliptical).
#include "curves/project.h"
#include "db/curve_entities.h"
#include "db/curve_eval.h"

using namespace cvx::geom;

namespace {
// A chain of straight pieces lying in the plane as a lightweight polyline.
AcDbPolyline* flatPolyline(const Nurbs& n, const AcGeVector3d& normal) {
    AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
    PlacedPolyline pl;
    pl.normal = normal;
    pl.poly.closed = n.closed;
    size_t count = n.closed && n.ctrl.size() > 1 ? n.ctrl.size() - 1 : n.ctrl.size();
    for (size_t i = 0; i < count; ++i) {
        AcGePoint3d q = toPlane * n.ctrl[i];
        pl.elevation = q.z;
        pl.poly.v.push_back({q.convert2d(), 0});
    }
    return cvxNewPolyline(pl);
}
}  // namespace

Acad::ErrorStatus AcDbCurve::getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& dir,
                                               AcDbCurve*& projected) const {
    projected = nullptr;
    if (dir.isZeroLength() || plane.normal().isZeroLength() || dir.isPerpendicularTo(plane.normal()))
        return Acad::eInvalidInput;
    CvxCurve c;
    if (!cvxCurveOf(this, c)) return Acad::eDegenerateGeometry;
    std::optional<Curve> r = project(c.g, plane, dir.normal());
    if (!r) return Acad::eDegenerateGeometry;  // the curve is seen edge-on
    const Nurbs* n = std::get_if<Nurbs>(&*r);
    bool polyline = AcDbPolyline::cast(this) || AcDb2dPolyline::cast(this) || AcDb3dPolyline::cast(this);
    projected = polyline && n && n->degree == 1 ? flatPolyline(*n, plane.normal().normal()) : cvxNewCurve(*r);
    projected->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projected) const {
    return getProjectedCurve(plane, plane.normal(), projected);
}
