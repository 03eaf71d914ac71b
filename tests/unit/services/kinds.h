// Curve entities of every kind for the service tests (new, not in a database).
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "cvx/dbents.h"

namespace svc {

inline AcDbPolyline* lwpoly(std::vector<std::tuple<double, double, double>> v, bool closed) {
    auto* p = new AcDbPolyline;
    unsigned i = 0;
    for (auto [x, y, b] : v) p->addVertexAt(i++, AcGePoint2d(x, y), b);
    p->setClosed(closed);
    return p;
}

inline AcGePoint3dArray pts3(std::vector<AcGePoint3d> v) {
    AcGePoint3dArray a;
    a.vec() = std::move(v);
    return a;
}

// A named curve of each kind the services handle.
struct Named {
    std::string name;
    std::unique_ptr<AcDbCurve> curve;
};

inline std::vector<Named> everyKind() {
    std::vector<Named> out;
    auto add = [&out](const char* n, AcDbCurve* c) { out.push_back({n, std::unique_ptr<AcDbCurve>(c)}); };
    add("line", new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 6, 3)));
    add("arc", new AcDbArc(AcGePoint3d(1, 1, 0), 2.0, 5.5, 1.2));  // runs over angle 0
    add("arc3d", new AcDbArc(AcGePoint3d(0, 0, 1), AcGeVector3d(1, 1, 1), 3.0, 0.3, 2.5));
    add("circle", new AcDbCircle(AcGePoint3d(2, -1, 0), AcGeVector3d::kZAxis, 1.5));
    add("ellipse", new AcDbEllipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 1, 0), 0.4));
    auto* pe = new AcDbEllipse(AcGePoint3d(1, 0, 0), AcGeVector3d(0, 0, -1), AcGeVector3d(0, 2, 0), 0.5);
    pe->setStartParam(5.0);
    pe->setEndParam(5.0 + 4.0);
    add("ellipse-part", pe);
    add("lwpoly", lwpoly({{0, 0, 0}, {4, 0, 0.5}, {4, 3, -0.3}, {1, 4, 0}}, false));
    add("lwpoly-closed", lwpoly({{0, 0, 0.2}, {5, 0, 0}, {5, 3, 1.0}, {0, 3, 0}}, true));
    AcGeDoubleArray bulges;
    for (double b : {0.0, 0.4, 0.0, -0.2}) bulges.append(b);
    add("2dpoly", new AcDb2dPolyline(AcDb::k2dSimplePoly,
                                     pts3({{0, 0, 0}, {3, 1, 0}, {5, 0, 0}, {6, 3, 0}}), 0, false, 0, 0, &bulges));
    add("2dpoly-spline", new AcDb2dPolyline(AcDb::k2dCubicSplinePoly,
                                            pts3({{0, 0, 0}, {3, 2, 0}, {6, 0, 0}, {8, 4, 0}, {5, 6, 0}}), 0, true));
    add("3dpoly", new AcDb3dPolyline(AcDb::k3dSimplePoly, pts3({{0, 0, 0}, {2, 1, 1}, {3, 3, 0}, {1, 4, 2}}), false));
    add("3dpoly-spline", new AcDb3dPolyline(AcDb::k3dQuadSplinePoly,
                                            pts3({{0, 0, 0}, {2, 1, 1}, {4, 0, 0}, {5, 3, 2}}), false));
    add("spline-fit", new AcDbSpline(pts3({{0, 0, 0}, {1, 2, 0}, {3, 1, 0}, {4, 3, 0}, {6, 0, 0}})));
    // a rational quadratic: a quarter circle of radius 2 about the origin
    AcGeDoubleArray knots, w;
    for (double k : {0, 0, 0, 1, 1, 1}) knots.append(k);
    for (double x : {1.0, M_SQRT1_2, 1.0}) w.append(x);
    add("spline-rational", new AcDbSpline(2, true, false, false, pts3({{2, 0, 0}, {2, 2, 0}, {0, 2, 0}}), knots, w));
    // a closed periodic cubic (unwrapped: the first three control points repeat)
    AcGeDoubleArray pk, none;
    for (int k = 0; k <= 11; ++k) pk.append(k);
    add("spline-periodic",
        new AcDbSpline(3, false, true, true,
                       pts3({{0, 0, 0}, {4, 0, 0}, {5, 3, 0}, {2, 5, 0}, {-1, 3, 0}, {0, 0, 0}, {4, 0, 0}, {5, 3, 0}}),
                       pk, none));
    auto* h = new AcDbHelix;
    h->setTurns(2.5);
    h->setTurnHeight(2);
    h->setStartPoint(AcGePoint3d(3, 0, 0));
    h->setTopRadius(3);
    h->createHelix();
    add("helix", h);
    return out;
}

inline bool samePoint(const AcGePoint3d& a, const AcGePoint3d& b, double tol) { return a.distanceTo(b) <= tol; }

}  // namespace svc
