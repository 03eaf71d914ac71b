#include "render/entities.h"

#include <cmath>

#include "cvx/dbents.h"
#include "render/flatten.h"

namespace cvx::render {

namespace {

struct WideVertex {
    AcGePoint2d pt;
    double bulge = 0, startWidth = 0, endWidth = 0;
};

// The arc or line from one vertex to the next, as a band whose width runs from start to end width.
void drawWideSegment(const Pen& pen, const geom::Segment2& seg, double w0, double w1) {
    size_t n = segmentPoints(seg, pen.tolerance()).size() - 1;
    std::vector<AcGePoint2d> band(2 * (n + 1));
    for (size_t i = 0; i <= n; ++i) {
        double f = double(i) / double(n);
        AcGeVector2d d = seg.derivAt(f);
        AcGeVector2d side = d.isZeroLength() ? AcGeVector2d() : d.normal().perpVector() * ((w0 + (w1 - w0) * f) / 2);
        AcGePoint2d p = seg.pointAt(f);
        band[i] = p + side;
        band[2 * n + 1 - i] = p - side;
    }
    pen.fill({band}, FillRule::kNonZero);
}

// A polyline in its own plane (pen already in plane coordinates): thin, one constant width drawn as a
// wide line, or bands of changing width segment by segment.
void drawPlanePolyline(const Pen& pen, const std::vector<WideVertex>& v, bool closed) {
    if (v.empty()) return;
    geom::BulgePolyline pl;
    pl.closed = closed && v.size() > 1;  // two vertices close with a second arc
    bool constant = true;
    for (const auto& w : v) {
        pl.v.push_back({w.pt, w.bulge});
        constant = constant && w.startWidth == v[0].startWidth && w.endWidth == v[0].startWidth;
    }
    if (constant) {
        pen.polyline(bulgePolylinePoints(pl, pen.tolerance()), pl.closed, v[0].startWidth);
        return;
    }
    for (int i = 0; i < pl.numSegments(); ++i) {
        const WideVertex& w = v[size_t(i)];
        if (w.startWidth <= 0 && w.endWidth <= 0)
            pen.polyline(segmentPoints(geom::segmentAt(pl, i), pen.tolerance()), false);
        else
            drawWideSegment(pen, geom::segmentAt(pl, i), w.startWidth, w.endWidth);
    }
}

AcGeMatrix3d planeAt(const AcGeVector3d& normal, double elevation) {
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal;
    return AcGeMatrix3d::planeToWorld(n) * AcGeMatrix3d::translation({0, 0, elevation});
}

void drawLwPolyline(const Pen& pen, const AcDbPolyline& pl) {
    std::vector<WideVertex> v(pl.numVerts());
    double constantWidth = 0;
    bool constant = pl.getConstantWidth(constantWidth) == Acad::eOk;
    for (unsigned i = 0; i < pl.numVerts(); ++i) {
        pl.getPointAt(i, v[i].pt);
        pl.getBulgeAt(i, v[i].bulge);
        if (constant) v[i].startWidth = v[i].endWidth = constantWidth;
        else pl.getWidthsAt(i, v[i].startWidth, v[i].endWidth);
    }
    drawPlanePolyline(pen.transformed(planeAt(pl.normal(), pl.elevation())), v, pl.isClosed());
}

void draw2dPolyline(const Pen& pen, const AcDb2dPolyline& pl) {
    std::vector<WideVertex> v;
    bool anyWidth = false;
    for (const AcDbVertex* vx : pl.vertices()) {
        const AcDb2dVertex* v2 = AcDb2dVertex::cast(vx);
        if (!v2 || v2->vertexType() == AcDb::k2dSplineCtlVertex) continue;
        AcGePoint3d p = v2->position();
        v.push_back({{p.x, p.y}, v2->bulge(), v2->startWidth(), v2->endWidth()});
        anyWidth = anyWidth || v2->startWidth() != 0 || v2->endWidth() != 0;
    }
    if (!anyWidth)
        for (auto& w : v) {
            w.startWidth = pl.defaultStartWidth();
            w.endWidth = pl.defaultEndWidth();
        }
    drawPlanePolyline(pen.transformed(planeAt(pl.normal(), pl.elevation())), v, pl.isClosed());
}

void draw3dPolyline(const Pen& pen, const AcDb3dPolyline& pl) {
    std::vector<AcGePoint3d> pts;
    for (const AcDbVertex* vx : pl.vertices()) {
        const AcDb3dPolylineVertex* v3 = AcDb3dPolylineVertex::cast(vx);
        if (v3 && v3->vertexType() != AcDb::k3dControlVertex) pts.push_back(v3->position());
    }
    if (!pts.empty()) pen.polyline(pts, pl.isClosed() && pts.size() > 2);
}

void drawPoint(const Pen& pen, const AcDbPoint& point, const PointStyle& style) {
    // Point symbols stand upright in the view and keep their size inside scaled blocks.
    Pen world(pen.sink(), AcGeMatrix3d(), pen.color());
    AcGePoint3d c = pen.toWorld() * point.position();
    double view = pen.sink().viewHeight();
    double size = style.size > 0 ? style.size : style.size < 0 ? -style.size / 100 * view : 0.05 * view;
    double h = size / 2;
    int shape = style.mode & 7;
    if (shape == 0 || h <= 0) world.dot(c);
    if (h <= 0) return;
    auto line = [&](double x0, double y0, double x1, double y1) {
        world.polyline(std::vector<AcGePoint3d>{{c.x + x0, c.y + y0, 0}, {c.x + x1, c.y + y1, 0}}, false);
    };
    if (shape == 2) {
        line(-h, 0, h, 0);
        line(0, -h, 0, h);
    } else if (shape == 3) {
        line(-h, -h, h, h);
        line(-h, h, h, -h);
    } else if (shape == 4) {
        line(0, 0, 0, h);
    }
    if (style.mode & 32) world.polyline(arcPoints(geom::Arc::circle({c.x, c.y, 0}, h), world.tolerance()), true);
    if (style.mode & 64)
        world.polyline(std::vector<AcGePoint3d>{{c.x - h, c.y - h, 0}, {c.x + h, c.y - h, 0},
                                                {c.x + h, c.y + h, 0}, {c.x - h, c.y + h, 0}},
                       true);
}

}  // namespace

bool drawPlainEntity(const Pen& pen, const AcDbEntity& e, const PointStyle& points) {
    double tol = pen.tolerance();
    if (auto* line = AcDbLine::cast(&e)) {
        pen.polyline(std::vector{line->startPoint(), line->endPoint()}, false);
    } else if (auto* circle = AcDbCircle::cast(&e)) {
        pen.polyline(arcPoints(geom::Arc::circle(circle->center(), circle->radius(), circle->normal()), tol), true);
    } else if (auto* arc = AcDbArc::cast(&e)) {
        pen.polyline(arcPoints(geom::Arc::fromEntity(arc->center(), arc->radius(), arc->normal(), arc->startAngle(),
                                                     arc->endAngle()),
                               tol),
                     false);
    } else if (auto* ell = AcDbEllipse::cast(&e)) {
        if (ell->isNull()) return true;
        double t0 = ell->startParam(), t1 = ell->endParam();
        if (t1 <= t0) {  // the end comes round past the start; equal ends make a whole ellipse
            double w = geom::wrapAngle(t1, t0);
            t1 = w > t0 ? w : t0 + geom::kTwoPi;
        }
        geom::Ellipse g{ell->center(), ell->normal(), ell->majorAxis(), ell->radiusRatio(), t0, t1};
        pen.polyline(ellipsePoints(g, tol), false);
    } else if (auto* lw = AcDbPolyline::cast(&e)) {
        drawLwPolyline(pen, *lw);
    } else if (auto* p2 = AcDb2dPolyline::cast(&e)) {
        draw2dPolyline(pen, *p2);
    } else if (auto* p3 = AcDb3dPolyline::cast(&e)) {
        draw3dPolyline(pen, *p3);
    } else if (auto* spline = AcDbSpline::cast(&e)) {
        pen.polyline(splinePoints(*spline, tol), false);
    } else if (auto* point = AcDbPoint::cast(&e)) {
        drawPoint(pen, *point, points);
    } else {
        return false;
    }
    return true;
}

}  // namespace cvx::render
