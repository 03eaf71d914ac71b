// What the polyline tools read from a polyline of any of the three kinds: vertex positions, width and the
// closed flag.
#pragma once

#include <vector>

#include "cvx/dbents.h"

enum class PolylineKind { kNone, kLightweight, k2d, k3d };

struct PolylinePoints {
    PolylineKind kind = PolylineKind::kNone;
    std::vector<AcGePoint3d> points;  // world positions in vertex order (bulges and widths are not read)
    double width = 0;                 // lightweight: constant width (0 without one); 2D: default start width
    bool closed = false;
};

// The kind of the entity when it is a lightweight, 2D or 3D polyline; kNone otherwise.
PolylineKind polylineKindOf(const AcDbEntity* entity);
// Appends the positions of a 2D or 3D polyline's vertices in iterator order, in world coordinates.
void readHeavyVertices(const AcDbHeavyPolyline* pl, std::vector<AcGePoint3d>& out);
// Reads an open polyline; kind kNone (and no points) for any other entity.
PolylinePoints readPolylinePoints(const AcDbEntity* entity);
// The length of a curve: the distance at its end parameter (0 when the host cannot tell).
double curveLength(const AcDbCurve* curve);
