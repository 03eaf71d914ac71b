#include "db/curve_geometry.h"

#include "curves/spline_fit_polyline.h"

using namespace cvx::geom;

PlacedPolyline cvxPlacedPolyline(const AcDbPolyline* pl) {
    PlacedPolyline out;
    out.elevation = pl->elevation();
    out.normal = pl->normal();
    out.poly.closed = pl->isClosed();
    const auto& pts = pl->points();
    const auto& bulges = pl->bulges();
    out.poly.v.reserve(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) out.poly.v.push_back({pts[i], bulges.empty() ? 0.0 : bulges[i]});
    return out;
}

PlacedPolyline cvxPlacedPolyline(const AcDb2dPolyline* pl) {
    PlacedPolyline out;
    out.elevation = pl->elevation();
    out.normal = pl->normal();
    out.poly.closed = pl->isClosed();
    for (const AcDbVertex* v : pl->vertices()) {
        auto* v2 = static_cast<const AcDb2dVertex*>(v);
        if (v2->vertexType() == AcDb::k2dSplineCtlVertex) continue;  // the fit vertices carry the shape
        out.poly.v.push_back({v2->position().convert2d(), v2->bulge()});
    }
    return out;
}

Nurbs cvxNurbsOf(const AcDbSpline* s) {
    Nurbs n;
    n.degree = s->degree();
    n.knots = s->knots();
    n.ctrl = s->controlPoints();
    n.weights = s->weights();
    n.closed = s->isClosed();
    n.periodic = s->isPeriodic();
    return n;
}

bool cvxCurveGeometry(const AcDbCurve* curve, Curve& out) {
    if (auto* l = AcDbLine::cast(curve)) {
        out = Line{l->startPoint(), l->endPoint()};
        return true;
    }
    if (auto* c = AcDbCircle::cast(curve)) {
        out = Arc::fromEntity(c->center(), c->radius(), c->normal(), 0, kTwoPi);
        return c->radius() > 0;
    }
    if (auto* a = AcDbArc::cast(curve)) {
        out = Arc::fromEntity(a->center(), a->radius(), a->normal(), a->startAngle(), a->endAngle());
        return a->radius() > 0;
    }
    if (auto* e = AcDbEllipse::cast(curve)) {
        Ellipse g;
        g.center = e->center();
        g.normal = e->normal();
        g.majorAxis = e->majorAxis();
        g.radiusRatio = e->radiusRatio();
        g.startParam = e->startParam();
        g.endParam = e->endParam();
        while (g.endParam <= g.startParam + 1e-12) g.endParam += kTwoPi;
        out = g;
        return !e->isNull();
    }
    if (auto* s = AcDbSpline::cast(curve)) {
        Nurbs n = cvxNurbsOf(s);
        if (!n.isValid()) return false;
        out = std::move(n);
        return true;
    }
    if (auto* p = AcDbPolyline::cast(curve)) {
        out = cvxPlacedPolyline(p);
        return p->numVerts() >= 1;
    }
    if (auto* p = AcDb2dPolyline::cast(curve)) {
        PlacedPolyline pp = cvxPlacedPolyline(p);
        bool ok = !pp.poly.v.empty();
        out = std::move(pp);
        return ok;
    }
    if (auto* p = AcDb3dPolyline::cast(curve)) {
        // A 3D polyline is a chain of straight pieces: its NURBS of degree 1 through the shown vertices.
        Nurbs n;
        n.degree = 1;
        for (const AcDbVertex* v : p->vertices()) {
            auto* v3 = static_cast<const AcDb3dPolylineVertex*>(v);
            if (v3->vertexType() == AcDb::k3dControlVertex) continue;
            n.ctrl.push_back(v3->position());
        }
        if (n.ctrl.empty()) return false;
        if (p->isClosed() && n.ctrl.size() > 1) n.ctrl.push_back(n.ctrl.front());
        n.closed = p->isClosed();
        n.knots.push_back(0);
        for (size_t i = 0; i < n.ctrl.size(); ++i) n.knots.push_back(double(i));
        n.knots.push_back(double(n.ctrl.size() - 1));
        if (n.ctrl.size() == 1) return false;
        out = std::move(n);
        return true;
    }
    return false;
}
