// Parallel curves. A positive distance goes to the right of the direction of travel seen from the plane
// normal's tip: outside of a counter-clockwise closed curve, and a larger radius for arcs and circles.
// Lines stay lines, arcs and circles stay arcs and circles, ellipses and splines become splines, and polylines
// become polylines of the same kind (arcs kept, round outer joins; a 3D polyline takes its joins as short
// straight pieces). Where nothing is left (a radius would vanish) the result is empty.
#include <cmath>

#include "curves/offset.h"
#include "db/curve_entities.h"
#include "db/curve_eval.h"

using namespace cvx::geom;

namespace {

// The normal a curve is offset about when the caller names none.
AcGeVector3d ownNormal(const AcDbCurve* e, const CvxCurve& c) {
    if (auto* l = AcDbLine::cast(e)) return l->normal();
    if (auto* a = std::get_if<Arc>(&c.g)) return a->normal;
    if (auto* el = std::get_if<Ellipse>(&c.g)) return el->normal;
    if (auto* pl = std::get_if<PlacedPolyline>(&c.g)) return pl->normal;
    AcGeVector3d n;
    cvxPlaneOfPoints(std::get<Nurbs>(c.g).ctrl, n);
    if (auto* s = AcDbSpline::cast(e); s && n.dotProduct(s->planeNormal()) < 0) n = -n;
    return n;
}

// A 3D polyline's vertices of an offset path: arcs become chords within a small fraction of the distance.
std::vector<AcGePoint3d> chain(const BulgePolyline& pl, const AcGeMatrix3d& toWorld, double d) {
    std::vector<AcGePoint3d> pts;
    auto put = [&](const AcGePoint2d& p) { pts.push_back(toWorld * AcGePoint3d(p.x, p.y, 0)); };
    for (const Segment2& s : segments(pl)) {
        if (pts.empty()) put(s.start);
        int n = 1;
        if (s.arc) {
            double step = 2 * std::acos(std::max(-1.0, 1 - 1e-4 * std::fabs(d) / s.radius));
            n = std::max(1, int(std::ceil(std::fabs(s.sweep) / std::min(step, M_PI / 16))));
        }
        for (int k = 1; k <= n; ++k) put(s.pointAt(double(k) / n));
    }
    if (pl.closed && pts.size() > 1) pts.pop_back();
    return pts;
}

Acad::ErrorStatus offsetCurves(const AcDbCurve* e, const AcGeVector3d& normal, double d, AcDbVoidPtrArray& out) {
    CvxCurve c;
    if (!cvxCurveOf(e, c)) return Acad::eDegenerateGeometry;
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    std::vector<AcDbCurve*> made;
    if (auto* l = std::get_if<Line>(&c.g)) {
        auto r = offset(*l, d, normal.normal());
        if (!r) return Acad::eInvalidInput;
        made.push_back(cvxNewCurve(*r));
    } else {
        AcGeVector3d own = ownNormal(e, c);
        if (auto* n = std::get_if<Nurbs>(&c.g)) {
            AcGeVector3d pn;
            int planarity = cvxPlaneOfPoints(n->ctrl, pn);
            if (planarity == AcDb::kNonPlanar) return Acad::eNotApplicable;
            if (planarity == AcDb::kLinear && (n->endPoint() - n->startPoint()).isPerpendicularTo(normal)) own = normal;
        }
        if (!own.isParallelTo(normal, AcGeTol())) return Acad::eNotApplicable;
        if (own.dotProduct(normal) < 0) d = -d;  // seen from the other side, right and left swap
        if (auto* a = std::get_if<Arc>(&c.g)) {
            if (auto r = offset(*a, d)) made.push_back(cvxNewCurve(*r));
        } else if (auto* el = std::get_if<Ellipse>(&c.g)) {
            if (auto r = offset(*el, d)) made.push_back(cvxNewSpline(*r));
        } else if (auto* pl = std::get_if<PlacedPolyline>(&c.g)) {
            for (const BulgePolyline& r : offset(pl->poly, d)) {
                PlacedPolyline placed{r, pl->elevation, pl->normal};
                made.push_back(AcDb2dPolyline::cast(e) ? static_cast<AcDbCurve*>(cvxNew2dPolyline(placed))
                                                       : cvxNewPolyline(placed));
            }
        } else if (AcDb3dPolyline::cast(e)) {
            const Nurbs& n = std::get<Nurbs>(c.g);
            AcGeVector3d x = arbitraryXAxis(own), y = own.crossProduct(x);
            AcGeMatrix3d toWorld;
            toWorld.setCoordSystem(n.ctrl[0], x, y, own);
            BulgePolyline flat;
            flat.closed = n.closed;
            size_t count = n.closed ? n.ctrl.size() - 1 : n.ctrl.size();
            for (size_t i = 0; i < count; ++i) {
                AcGeVector3d v = n.ctrl[i] - n.ctrl[0];
                flat.v.push_back({AcGePoint2d(v.dotProduct(x), v.dotProduct(y)), 0});
            }
            for (const BulgePolyline& r : offset(flat, d))
                made.push_back(cvxNew3dPolyline(chain(r, toWorld, d), r.closed));
        } else {
            if (auto r = offset(std::get<Nurbs>(c.g), d, own)) made.push_back(cvxNewSpline(*r));
        }
    }
    // A lightweight polyline of one width keeps it on either side.
    double width = 0;
    const auto* source = AcDbPolyline::cast(e);
    const bool keepWidth = source && source->getConstantWidth(width) == Acad::eOk && width > 0;
    for (AcDbCurve* m : made) {
        m->setPropertiesFrom(e);
        if (auto* pl = AcDbPolyline::cast(m); pl && keepWidth) pl->setConstantWidth(width);
        out.append(m);
    }
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus AcDbCurve::getOffsetCurves(double dist, AcDbVoidPtrArray& curves) const {
    CvxCurve c;
    if (!cvxCurveOf(this, c)) return Acad::eDegenerateGeometry;
    return offsetCurves(this, ownNormal(this, c), dist, curves);
}

Acad::ErrorStatus AcDbCurve::getOffsetCurvesGivenPlaneNormal(const AcGeVector3d& normal, double dist,
                                                             AcDbVoidPtrArray& curves) const {
    return offsetCurves(this, normal, dist, curves);
}
