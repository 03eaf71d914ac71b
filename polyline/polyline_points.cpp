#include "polyline/polyline_points.h"

#include <memory>

PolylineKind polylineKindOf(const AcDbEntity* entity) {
    if (AcDbPolyline::cast(entity)) return PolylineKind::kLightweight;
    if (AcDb2dPolyline::cast(entity)) return PolylineKind::k2d;
    if (AcDb3dPolyline::cast(entity)) return PolylineKind::k3d;
    return PolylineKind::kNone;
}

void readHeavyVertices(const AcDbHeavyPolyline* pl, std::vector<AcGePoint3d>& out) {
    const auto* pl2 = AcDb2dPolyline::cast(pl);
    std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
    for (it->start(); !it->done(); it->step()) {
        const AcDbEntity* e = it->entity();
        if (!e || e->isErased()) continue;
        if (const auto* v2 = AcDb2dVertex::cast(e)) out.push_back(pl2 ? pl2->vertexPosition(*v2) : v2->position());
        else if (const auto* v3 = AcDb3dPolylineVertex::cast(e)) out.push_back(v3->position());
    }
}

PolylinePoints readPolylinePoints(const AcDbEntity* entity) {
    PolylinePoints r;
    r.kind = polylineKindOf(entity);
    if (const auto* lw = AcDbPolyline::cast(entity)) {
        for (unsigned int i = 0; i < lw->numVerts(); ++i) {
            AcGePoint3d p;
            if (lw->getPointAt(i, p) == Acad::eOk) r.points.push_back(p);
        }
        if (lw->getConstantWidth(r.width) != Acad::eOk) r.width = 0;
        r.closed = lw->isClosed();
    } else if (const auto* p2 = AcDb2dPolyline::cast(entity)) {
        readHeavyVertices(p2, r.points);
        r.width = p2->defaultStartWidth();
        r.closed = p2->isClosed();
    } else if (const auto* p3 = AcDb3dPolyline::cast(entity)) {
        readHeavyVertices(p3, r.points);
        r.closed = p3->isClosed();
    }
    return r;
}

double curveLength(const AcDbCurve* curve) {
    double endParam = 0, length = 0;
    if (!curve || curve->getEndParam(endParam) != Acad::eOk) return 0;
    if (curve->getDistAtParam(endParam, length) != Acad::eOk) return 0;
    return length;
}
