#include "polyline/optimize.h"

#include "polyline/placement.h"
#include "polyline/polyline_points.h"
#include "polyline/thinning.h"
#include "polyline/vertex_counters.h"

namespace {

constexpr double kShortestCurve = 1e-5;
constexpr double kCoincidentVertex = 1e-6;

void copyLook(AcDbEntity* to, const AcDbEntity* from) {
    to->setColorIndex(from->colorIndex());
    to->setLayer(from->layerId());
}

AcDbEntity* new3dPolyline(const std::vector<AcGePoint3d>& points, const PolylinePoints& src, int& written) {
    auto* pl = new AcDb3dPolyline;
    const AcGePoint3d* last = nullptr;
    for (const AcGePoint3d& p : points) {
        if (last && p.distanceTo(*last) < kCoincidentVertex) {
            --written;
            continue;
        }
        pl->appendVertex(new AcDb3dPolylineVertex(p));
        last = &p;
    }
    if (src.closed) pl->makeClosed();
    return pl;
}

AcDbEntity* newLightweight(const std::vector<AcGePoint3d>& points, const PolylinePoints& src) {
    auto* pl = new AcDbPolyline(static_cast<unsigned int>(points.size()));
    for (const AcGePoint3d& p : points) pl->addVertexAt(pl->numVerts(), AcGePoint2d(p.x, p.y), 0.0, -1.0, -1.0);
    pl->setElevation(0);
    pl->setConstantWidth(src.width);
    pl->setClosed(src.closed);
    return pl;
}

}  // namespace

Acad::ErrorStatus optimizePolyline(AcDbObjectId& newId, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                                   double scaleLength, double toleranceFactor) {
    newId = AcDbObjectId();
    const auto* curve = AcDbCurve::cast(source);
    if (!curve || polylineKindOf(source) == PolylineKind::kNone) return Acad::eWrongObjectType;
    if (curveLength(curve) < kShortestCurve) return Acad::eDegenerateGeometry;

    const PolylinePoints src = readPolylinePoints(source);
    VertexCounters& counters = vertexCounters();
    counters.before += static_cast<int>(src.points.size());
    const std::vector<AcGePoint3d> thinned = thinPoints(src.points, thinningLimits(scaleLength, toleranceFactor));
    if (thinned.empty()) return Acad::eDegenerateGeometry;

    int written = static_cast<int>(thinned.size());
    AcDbEntity* result = src.kind == PolylineKind::k3d ? new3dPolyline(thinned, src, written)
                                                       : newLightweight(thinned, src);
    counters.after += written;
    copyLook(result, source);
    Acad::ErrorStatus es = appendResult(result, targetBlock, source, newId);
    if (es != Acad::eOk) {
        delete result;
        return es;
    }
    return eraseOpenEntity(source);
}
