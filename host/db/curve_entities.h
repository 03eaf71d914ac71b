// New curve entities (not yet in a database) made from curve geometry.
#pragma once

#include <vector>

#include "curves/curve.h"
#include "cvx/dbents.h"

// A line, an arc or circle, an ellipse, a spline, or a lightweight polyline, after the geometry's kind.
AcDbCurve* cvxNewCurve(const cvx::geom::Curve& g);
AcDbSpline* cvxNewSpline(const cvx::geom::Nurbs& n);
AcDbPolyline* cvxNewPolyline(const cvx::geom::PlacedPolyline& pl);
AcDb2dPolyline* cvxNew2dPolyline(const cvx::geom::PlacedPolyline& pl);
AcDb3dPolyline* cvxNew3dPolyline(const std::vector<AcGePoint3d>& pts, bool closed);
