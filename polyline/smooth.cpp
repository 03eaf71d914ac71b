#include "polyline/smooth.h"

#include "polyline/optimize.h"
#include "polyline/placement.h"
#include "polyline/polyline_points.h"
#include "polyline/resample.h"

namespace {

constexpr double kShortestCurve = 1e-5;

struct Look {
    AcDbObjectId layer;
    int16_t colorIndex = 256;
    double width = 0;
    bool closed = false;
};

// The evenly spaced samples as a lightweight polyline (not yet in a database).
AcDbPolyline* newSamplePolyline(const std::vector<AcGePoint3d>& samples) {
    auto* pl = new AcDbPolyline(static_cast<unsigned int>(samples.size()));
    for (const AcGePoint3d& p : samples) pl->addVertexAt(pl->numVerts(), AcGePoint2d(p.x, p.y), 0.0, -1.0, -1.0);
    pl->setElevation(samples.front().z);
    return pl;
}

// The thinned lightweight polyline becomes a cubic spline-fit 2D polyline beside it; the thinned one goes.
Acad::ErrorStatus splineFitInPlace(AcDbObjectId& id, AcDbBlockTableRecord* targetBlock, AcDbObjectId thinnedId,
                                   const Look& look) {
    AcDbObjectPointer<AcDbPolyline> thinned(thinnedId, AcDb::kForWrite);
    if (!thinned) return thinned.openStatus();
    AcDb2dPolyline* fit = nullptr;
    Acad::ErrorStatus es = thinned->convertTo(fit, false);
    if (es != Acad::eOk) return es;
    fit->convertToPolyType(AcDb::k2dCubicSplinePoly);
    if (look.closed) fit->makeClosed();
    fit->setDefaultStartWidth(look.width);
    fit->setDefaultEndWidth(look.width);
    fit->setLayer(look.layer);
    fit->setColorIndex(look.colorIndex);
    es = appendResult(fit, targetBlock, thinned.object(), id);
    if (es != Acad::eOk) {
        delete fit;
        return es;
    }
    return thinned->erase();
}

}  // namespace

Acad::ErrorStatus smoothPolyline(AcDbObjectId& id, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                                 double scaleLength, double toleranceFactor) {
    id = AcDbObjectId();
    const auto* curve = AcDbCurve::cast(source);
    if (!curve || polylineKindOf(source) == PolylineKind::kNone) return Acad::eWrongObjectType;
    Look look{source->layerId(), source->colorIndex()};
    if (curveLength(curve) < kShortestCurve) return eraseOpenEntity(source);

    const PolylinePoints src = readPolylinePoints(source);
    look.width = src.kind == PolylineKind::k3d ? 0.0 : src.width;
    look.closed = src.closed;
    const int n = static_cast<int>(src.points.size());
    if (n < 3) return Acad::eDegenerateGeometry;

    std::vector<AcGePoint3d> samples;
    if (!resampleCurve(curve, samples, n)) return Acad::eDegenerateGeometry;
    if (look.closed) samples.push_back(samples.front());

    AcDbPolyline* temporary = newSamplePolyline(samples);
    AcDbObjectId temporaryId;
    Acad::ErrorStatus es = appendResult(temporary, targetBlock, source, temporaryId);
    if (es != Acad::eOk) {
        delete temporary;
        return es;
    }
    eraseOpenEntity(source);

    AcDbObjectId thinnedId;
    {
        AcDbObjectPointer<AcDbPolyline> reopened(temporaryId, AcDb::kForWrite);
        if (!reopened) return reopened.openStatus();
        es = optimizePolyline(thinnedId, targetBlock, reopened.object(), scaleLength, toleranceFactor);
    }
    if (es != Acad::eOk) return es;
    return splineFitInPlace(id, targetBlock, thinnedId, look);
}
