#include "db/curve_entities.h"

#include <cmath>

#include "db/entity_transform.h"

using namespace cvx::geom;

namespace {

AcDbCurve* newArc(const Arc& a) {
    if (a.isFull()) return new AcDbCircle(a.center, a.normal, a.radius);
    double s = cvxAngleInPlane(a.pointAt(a.startAngle) - a.center, a.normal);
    double e = wrapAngle(s + a.sweep(), 0);
    return new AcDbArc(a.center, a.normal, a.radius, s, e);
}

AcDbCurve* newEllipse(const Ellipse& e) {
    AcGeVector3d n = e.normal.normal();
    AcGeVector3d major = e.majorAxis - n * e.majorAxis.dotProduct(n);  // exactly in the plane
    auto* out = new AcDbEllipse(e.center, n, major, std::min(e.radiusRatio, 1.0));
    if (!e.isFull()) {
        double s = wrapAngle(e.startParam, 0);
        out->setStartParam(s);
        out->setEndParam(s + (e.endParam - e.startParam));
    }
    return out;
}

}  // namespace

AcDbSpline* cvxNewSpline(const Nurbs& n) {
    AcGePoint3dArray ctrl;
    AcGeDoubleArray knots, weights;
    ctrl.vec() = n.ctrl;
    knots.vec() = n.knots;
    weights.vec() = n.weights;
    return new AcDbSpline(n.degree, n.isRational(), n.closed, n.periodic, ctrl, knots, weights);
}

AcDbPolyline* cvxNewPolyline(const PlacedPolyline& pl) {
    auto* out = new AcDbPolyline(static_cast<unsigned>(pl.poly.v.size()));
    for (size_t i = 0; i < pl.poly.v.size(); ++i)
        out->addVertexAt(static_cast<unsigned>(i), pl.poly.v[i].pt, pl.poly.v[i].bulge);
    out->setClosed(pl.poly.closed);
    out->setElevation(pl.elevation);
    out->setNormal(pl.normal);
    return out;
}

AcDb2dPolyline* cvxNew2dPolyline(const PlacedPolyline& pl) {
    AcGePoint3dArray pts;
    AcGeDoubleArray bulges;
    for (const Vertex2& v : pl.poly.v) {
        pts.append(AcGePoint3d(v.pt.x, v.pt.y, pl.elevation));
        bulges.append(v.bulge);
    }
    auto* out = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, pl.elevation, pl.poly.closed, 0, 0, &bulges);
    out->setNormal(pl.normal);
    return out;
}

AcDb3dPolyline* cvxNew3dPolyline(const std::vector<AcGePoint3d>& pts, bool closed) {
    AcGePoint3dArray arr;
    arr.vec() = pts;
    return new AcDb3dPolyline(AcDb::k3dSimplePoly, arr, closed);
}

AcDbCurve* cvxNewCurve(const Curve& g) {
    if (auto* l = std::get_if<Line>(&g)) return new AcDbLine(l->start, l->end);
    if (auto* a = std::get_if<Arc>(&g)) return newArc(*a);
    if (auto* e = std::get_if<Ellipse>(&g)) return newEllipse(*e);
    if (auto* n = std::get_if<Nurbs>(&g)) return cvxNewSpline(*n);
    return cvxNewPolyline(std::get<PlacedPolyline>(g));
}
