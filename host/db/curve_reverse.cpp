// Reversing a curve's direction while keeping its shape: lines swap their ends, arcs and circles turn their
// normal over, ellipses too (with the parameters mirrored), polylines take their vertices in the opposite order
// (each bulge negated and moved to the segment's new start vertex), splines reverse knots, control points
// and fit data.
#include <cmath>

#include "curves/nurbs.h"
#include "curves/primitives.h"
#include "db/curve_geometry.h"
#include "db/entity_transform.h"

namespace {

struct VertexData {
    AcGePoint3d pos;
    double bulge = 0, startWidth = 0, endWidth = 0;
};

// The same chain of vertices, run backwards: vertex i takes vertex n-1-i's place, and the segment data
// (bulge, widths) of the segment that now starts at it.
std::vector<VertexData> reversedChain(const std::vector<VertexData>& v) {
    size_t n = v.size();
    std::vector<VertexData> out(n);
    for (size_t i = 0; i < n; ++i) {
        const VertexData& seg = v[(2 * n - 2 - i) % n];
        out[i].pos = v[n - 1 - i].pos;
        out[i].bulge = -seg.bulge;
        out[i].startWidth = seg.endWidth;
        out[i].endWidth = seg.startWidth;
    }
    return out;
}

Acad::ErrorStatus reverse(AcDbPolyline* pl) {
    std::vector<VertexData> v(pl->numVerts());
    for (unsigned i = 0; i < pl->numVerts(); ++i) {
        AcGePoint2d p;
        pl->getPointAt(i, p);
        v[i].pos = AcGePoint3d(p.x, p.y, 0);
        pl->getBulgeAt(i, v[i].bulge);
        pl->getWidthsAt(i, v[i].startWidth, v[i].endWidth);
    }
    bool closed = pl->isClosed();
    pl->reset(true, 0);
    unsigned i = 0;
    for (const VertexData& d : reversedChain(v))
        pl->addVertexAt(i++, d.pos.convert2d(), d.bulge, d.startWidth, d.endWidth);
    pl->setClosed(closed);
    return Acad::eOk;
}

Acad::ErrorStatus reverse(AcDb2dPolyline* pl) {
    std::vector<VertexData> ctrl, shown;
    for (const AcDbVertex* v : pl->vertices()) {
        auto* v2 = static_cast<const AcDb2dVertex*>(v);
        VertexData d{v2->position(), v2->bulge(), v2->startWidth(), v2->endWidth()};
        (v2->vertexType() == AcDb::k2dSplineCtlVertex ? ctrl : shown).push_back(d);
    }
    pl->removeAllVertices();
    for (const VertexData& d : reversedChain(ctrl)) {
        auto* v = new AcDb2dVertex(d.pos, 0, d.startWidth, d.endWidth);
        v->setVertexType(AcDb::k2dSplineCtlVertex);
        pl->appendVertex(v);
    }
    AcDb::Vertex2dType type = ctrl.empty() ? AcDb::k2dVertex : AcDb::k2dSplineFitVertex;
    for (const VertexData& d : reversedChain(shown)) {
        auto* v = new AcDb2dVertex(d.pos, d.bulge, d.startWidth, d.endWidth);
        v->setVertexType(type);
        pl->appendVertex(v);
    }
    return Acad::eOk;
}

Acad::ErrorStatus reverse(AcDb3dPolyline* pl) {
    std::vector<AcGePoint3d> ctrl, shown;
    for (const AcDbVertex* v : pl->vertices()) {
        auto* v3 = static_cast<const AcDb3dPolylineVertex*>(v);
        (v3->vertexType() == AcDb::k3dControlVertex ? ctrl : shown).push_back(v3->position());
    }
    pl->removeAllVertices();
    AcDb::Vertex3dType type = ctrl.empty() ? AcDb::k3dSimpleVertex : AcDb::k3dFitVertex;
    for (auto [pts, t] : {std::pair{&ctrl, AcDb::k3dControlVertex}, std::pair{&shown, type}})
        for (auto it = pts->rbegin(); it != pts->rend(); ++it) {
            auto* v = new AcDb3dPolylineVertex(*it);
            v->setVertexType(t);
            pl->appendVertex(v);
        }
    return Acad::eOk;
}

Acad::ErrorStatus reverse(AcDbSpline* s) {
    if (s->isNull()) return Acad::eDegenerateGeometry;
    cvx::geom::Nurbs r = cvx::geom::reversed(cvxNurbsOf(s));
    AcGePoint3dArray fit;
    int degree;
    double tol;
    bool tangents;
    AcGeVector3d t0, t1;
    bool hasFit = s->getFitData(fit, degree, tol, tangents, t0, t1) == Acad::eOk;
    AcGePoint3dArray ctrl;
    AcGeDoubleArray knots, weights;
    ctrl.vec() = r.ctrl;
    knots.vec() = r.knots;
    weights.vec() = r.weights;
    Acad::ErrorStatus es = s->setNurbsData(r.degree, r.isRational(), r.closed, r.periodic, ctrl, knots, weights);
    if (es != Acad::eOk || !hasFit) return es;
    AcGePoint3dArray back;
    for (int i = fit.length() - 1; i >= 0; --i) back.append(fit[i]);
    return s->setFitData(back, degree, tol, -t1, -t0);
}

}  // namespace

Acad::ErrorStatus AcDbCurve::reverseCurve() {
    assertWriteEnabled();
    if (auto* l = AcDbLine::cast(this)) {
        AcGePoint3d s = l->startPoint();
        l->setStartPoint(l->endPoint());
        l->setEndPoint(s);
        return Acad::eOk;
    }
    if (auto* c = AcDbCircle::cast(this)) return c->setNormal(-c->normal());
    if (auto* a = AcDbArc::cast(this)) {
        if (!(a->radius() > 0)) return Acad::eDegenerateGeometry;
        AcGeVector3d n = a->normal();
        AcGeVector3d s = cvxDirectionInPlane(a->startAngle(), n), e = cvxDirectionInPlane(a->endAngle(), n);
        a->setNormal(-n);
        a->setStartAngle(cvxAngleInPlane(e, -n));
        a->setEndAngle(cvxAngleInPlane(s, -n));
        return Acad::eOk;
    }
    if (auto* e = AcDbEllipse::cast(this)) {
        if (e->isNull()) return Acad::eDegenerateGeometry;
        double s = e->startParam(), t = e->endParam();
        while (t <= s + 1e-12) t += 2 * M_PI;
        Acad::ErrorStatus es = e->set(e->center(), -e->normal(), e->majorAxis(), e->radiusRatio());
        if (es != Acad::eOk) return es;
        double ns = cvx::geom::wrapAngle(-t, 0);
        e->setStartParam(ns);
        return e->setEndParam(ns + (t - s));
    }
    if (auto* p = AcDbPolyline::cast(this)) return reverse(p);
    if (auto* p = AcDb2dPolyline::cast(this)) return reverse(p);
    if (auto* p = AcDb3dPolyline::cast(this)) return reverse(p);
    if (auto* s = AcDbSpline::cast(this)) return reverse(s);
    return Acad::eNotApplicable;
}
