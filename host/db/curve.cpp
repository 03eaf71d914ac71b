// The curve services every curve entity offers: parameters, points, distances, derivatives, closest points,
// plane, area and spline form. Each works on the entity's geometry (db/curve_eval.h).
#include <cmath>

#include "curves/nurbs_from.h"
#include "db/curve_entities.h"
#include "db/curve_eval.h"

using namespace cvx::geom;

namespace {
// Reads the curve; eDegenerateGeometry when the entity has no curve to work on.
Acad::ErrorStatus curveOf(const AcDbCurve* e, CvxCurve& c) {
    return cvxCurveOf(e, c) ? Acad::eOk : Acad::eDegenerateGeometry;
}

// The parameter of a point on the curve; eInvalidInput when it lies off the curve.
Acad::ErrorStatus paramOn(const CvxCurve& c, const AcGePoint3d& p, double& t) {
    AcGePoint3d at;
    t = c.nearest(p, false, at);
    if (at.distanceTo(p) > c.tolerance()) return Acad::eInvalidInput;
    if (c.closed && t > c.start && c.pointAt(c.start).distanceTo(p) <= c.tolerance()) t = c.start;
    return Acad::eOk;
}
}  // namespace

Acad::ErrorStatus AcDbCurve::getStartParam(double& p) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) p = c.start;
    return es;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double& p) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) p = c.end;
    return es;
}

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& p) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) p = c.pointAt(c.start);
    return es;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& p) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) p = c.pointAt(c.end);
    return es;
}

Acad::ErrorStatus AcDbCurve::getPointAtParam(double param, AcGePoint3d& p) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (!c.inRange(param)) return Acad::eInvalidInput;
    p = c.pointAt(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d& p, double& param) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    return es == Acad::eOk ? paramOn(c, p, param) : es;
}

Acad::ErrorStatus AcDbCurve::getDistAtParam(double param, double& dist) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (!c.inRange(param)) return Acad::eInvalidInput;
    dist = c.distAt(std::clamp(param, c.start, c.end));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getParamAtDist(double dist, double& param) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    return c.paramAtDist(dist, param) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d& p, double& dist) const {
    CvxCurve c;
    double t;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) es = paramOn(c, p, t);
    if (es == Acad::eOk) dist = c.distAt(t);
    return es;
}

Acad::ErrorStatus AcDbCurve::getPointAtDist(double dist, AcGePoint3d& p) const {
    CvxCurve c;
    double t;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (!c.paramAtDist(dist, t)) return Acad::eInvalidInput;
    p = c.pointAt(t);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(double param, AcGeVector3d& d) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (!c.inRange(param)) return Acad::eInvalidInput;
    AcGeVector3d v[3];
    c.derivs(param, v);
    d = v[1];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d& p, AcGeVector3d& d) const {
    CvxCurve c;
    double t;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) es = paramOn(c, p, t);
    if (es != Acad::eOk) return es;
    AcGeVector3d v[3];
    c.derivs(t, v);
    d = v[1];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getSecondDeriv(double param, AcGeVector3d& d) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (!c.inRange(param)) return Acad::eInvalidInput;
    AcGeVector3d v[3];
    c.derivs(param, v);
    d = v[2];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool extend) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) c.nearest(given, extend, closest);
    return es;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& direction,
                                               AcGePoint3d& closest, bool extend) const {
    if (direction.isZeroLength()) return Acad::eInvalidInput;
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es == Acad::eOk) c.nearestAlong(given, direction, extend, closest);
    return es;
}

Acad::ErrorStatus AcDbCurve::getArea(double& area) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    if (std::holds_alternative<Line>(c.g)) area = 0;
    else if (auto* a = std::get_if<Arc>(&c.g)) {  // the arc closed by its chord
        double th = a->sweep();
        area = a->isFull() ? M_PI * a->radius * a->radius : 0.5 * a->radius * a->radius * (th - std::sin(th));
    } else if (auto* e = std::get_if<Ellipse>(&c.g)) {
        double ab = e->majorRadius() * e->minorRadius(), th = e->endParam - e->startParam;
        area = e->isFull() ? M_PI * ab : 0.5 * ab * (th - std::sin(th));
    } else if (auto* pl = std::get_if<PlacedPolyline>(&c.g)) {
        area = std::fabs(signedArea(pl->poly));
    } else {
        area = cvxVectorArea(c).length();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getPlane(AcGePlane& plane, int& planarity) const {
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    planarity = AcDb::kPlanar;
    if (auto* l = std::get_if<Line>(&c.g)) {
        AcGeVector3d n = AcDbLine::cast(this) ? AcDbLine::cast(this)->normal() : AcGeVector3d::kZAxis;
        AcGeVector3d d = l->end - l->start;
        if (!d.isZeroLength() && !d.isPerpendicularTo(n)) n = d.perpVector();
        plane.set(l->start, n);
        planarity = AcDb::kLinear;
    } else if (auto* a = std::get_if<Arc>(&c.g)) {
        plane.set(a->center, a->normal);
    } else if (auto* e = std::get_if<Ellipse>(&c.g)) {
        plane.set(e->center, e->normal);
    } else if (auto* pl = std::get_if<PlacedPolyline>(&c.g)) {
        plane.set(pl->toWorld() * AcGePoint3d::kOrigin, pl->normal);
    } else {
        const Nurbs& n = std::get<Nurbs>(c.g);
        AcGeVector3d normal;
        planarity = cvxPlaneOfPoints(n.ctrl, normal);
        plane.set(n.ctrl[0], normal);
        if (planarity == AcDb::kNonPlanar) return Acad::eNotApplicable;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getSpline(AcDbSpline*& spline) const {
    spline = nullptr;
    if (auto* s = AcDbSpline::cast(this)) {
        spline = AcDbSpline::cast(s->clone());
        return spline ? Acad::eOk : Acad::eNotApplicable;
    }
    CvxCurve c;
    Acad::ErrorStatus es = curveOf(this, c);
    if (es != Acad::eOk) return es;
    Nurbs n;
    if (auto* l = std::get_if<Line>(&c.g)) n = toNurbs(*l);
    else if (auto* a = std::get_if<Arc>(&c.g)) n = toNurbs(*a);
    else if (auto* e = std::get_if<Ellipse>(&c.g)) n = toNurbs(*e);
    else if (auto* pl = std::get_if<PlacedPolyline>(&c.g)) {
        if (pl->poly.numSegments() == 0) return Acad::eDegenerateGeometry;
        n = toNurbs(pl->poly);
        transform(n, pl->toWorld());
    } else n = std::get<Nurbs>(c.g);
    if (!n.isValid()) return Acad::eDegenerateGeometry;
    spline = cvxNewSpline(n);
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}
