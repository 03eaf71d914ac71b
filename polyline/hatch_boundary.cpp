#include "polyline/hatch_boundary.h"

#include <cmath>

#include "cvx/gecurve2d.h"

namespace {

constexpr int16_t kRed = 1;
const double kTwoPi = 8 * std::atan(1.0);
constexpr double kFullTurnTolerance = 1e-5;

AcGePoint3d inPlane(const AcGePoint2d& p) { return {p.x, p.y, 0.0}; }
AcGeVector3d inPlane(const AcGeVector2d& v) { return {v.x, v.y, 0.0}; }

BoundaryPiece piece(AcDbEntity* entity) {
    entity->setColorIndex(kRed);
    BoundaryPiece p;
    p.entity.reset(entity);
    return p;
}

BoundaryPiece failure(BoundaryPiece::Failure why) {
    BoundaryPiece p;
    p.failure = why;
    return p;
}

BoundaryPiece polylineLoop(const AcDbHatch* hatch, int loop) {
    int type = 0;
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    hatch->getLoopAt(loop, type, vertices, bulges);
    const bool withBulges = bulges.length() >= vertices.length();
    auto* pl = new AcDbPolyline(static_cast<unsigned int>(vertices.length()));
    for (int i = 0; i < vertices.length(); ++i)
        pl->addVertexAt(static_cast<unsigned int>(i), vertices[i], withBulges ? bulges[i] : 0.0, -1.0, -1.0);
    return piece(pl);
}

// A circular edge, clockwise or not, as the counter-clockwise arc (or circle) it traces.
BoundaryPiece circularEdge(const AcGeCircArc2d& arc) {
    const double s = arc.startAng(), e = arc.endAng();
    if (std::fabs(e - s - kTwoPi) <= kFullTurnTolerance)
        return piece(new AcDbCircle(inPlane(arc.center()), AcGeVector3d::kZAxis, arc.radius()));
    const double ref = std::atan2(arc.refVec().y, arc.refVec().x);
    const double from = arc.isClockWise() ? ref - e : ref + s;
    const double to = arc.isClockWise() ? ref - s : ref + e;
    return piece(new AcDbArc(inPlane(arc.center()), arc.radius(), from, to));
}

// An elliptical edge as a counter-clockwise ellipse about +Z; a clockwise edge's parameters run mirrored.
BoundaryPiece ellipticalEdge(const AcGeEllipArc2d& arc) {
    double from = arc.isClockWise() ? -arc.endAng() : arc.startAng();
    double to = arc.isClockWise() ? -arc.startAng() : arc.endAng();
    const double turns = std::floor(from / kTwoPi);
    from -= turns * kTwoPi;
    to -= turns * kTwoPi;
    auto* ellipse = new AcDbEllipse;
    ellipse->set(inPlane(arc.center()), AcGeVector3d::kZAxis, inPlane(arc.majorAxis()) * arc.majorRadius(),
                 arc.majorRadius() > 0 ? arc.minorRadius() / arc.majorRadius() : 0.0, 0.0, kTwoPi);
    ellipse->setStartParam(from);
    ellipse->setEndParam(to);
    if (ellipse->isNull()) {
        delete ellipse;
        return failure(BoundaryPiece::Failure::kEllipse);
    }
    return piece(ellipse);
}

BoundaryPiece splineEdge(const AcGeNurbCurve2d& curve) {
    auto* spline = new AcDbSpline;
    if (curve.hasFitData()) {
        AcGePoint3dArray fit;
        for (int i = 0; i < curve.numFitPoints(); ++i) {
            AcGePoint2d p;
            curve.getFitPointAt(i, p);
            fit.append(inPlane(p));
        }
        AcGeVector2d start, end;
        curve.getFitTangents(start, end);
        spline->setFitData(fit, curve.degree(), curve.fitTolerance().equalPoint(), inPlane(start), inPlane(end));
    } else {
        AcGePoint3dArray control;
        AcGeDoubleArray weights;
        for (int i = 0; i < curve.numControlPoints(); ++i) {
            control.append(inPlane(curve.controlPointAt(i)));
            if (curve.isRational()) weights.append(curve.weightAt(i));
        }
        const AcGeKnotVector knots(curve.knots().knots(), 1e-9);
        spline->setNurbsData(curve.degree(), curve.isRational(), curve.isClosed(AcGeContext::gTol), false, control,
                             knots.knots(), weights, 0.0, 0.0);
    }
    if (spline->isNull()) {
        delete spline;
        return failure(BoundaryPiece::Failure::kSpline);
    }
    return piece(spline);
}

void edgeLoop(const AcDbHatch* hatch, int loop, std::vector<BoundaryPiece>& out) {
    int type = 0;
    AcGeVoidPointerArray edges;
    AcGeIntArray edgeTypes;
    if (hatch->getLoopAt(loop, type, edges, edgeTypes) != Acad::eOk) return;
    for (int i = 0; i < edges.length(); ++i) {
        std::unique_ptr<AcGeCurve2d> edge(static_cast<AcGeCurve2d*>(edges[i]));
        switch (edgeTypes[i]) {
            case AcDbHatch::kLine: {
                const auto* line = static_cast<const AcGeLineSeg2d*>(edge.get());
                out.push_back(piece(new AcDbLine(inPlane(line->startPoint()), inPlane(line->endPoint()))));
                break;
            }
            case AcDbHatch::kCirArc: out.push_back(circularEdge(*static_cast<const AcGeCircArc2d*>(edge.get()))); break;
            case AcDbHatch::kEllArc: out.push_back(ellipticalEdge(*static_cast<const AcGeEllipArc2d*>(edge.get()))); break;
            case AcDbHatch::kSpline: out.push_back(splineEdge(*static_cast<const AcGeNurbCurve2d*>(edge.get()))); break;
            default: break;
        }
    }
}

}  // namespace

std::vector<BoundaryPiece> hatchBoundaryPieces(const AcDbHatch* hatch) {
    std::vector<BoundaryPiece> out;
    for (int loop = 0; loop < hatch->numLoops(); ++loop) {
        if (hatch->loopTypeAt(loop) & AcDbHatch::kPolyline) out.push_back(polylineLoop(hatch, loop));
        else edgeLoop(hatch, loop, out);
    }
    return out;
}
