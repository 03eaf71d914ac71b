// The geometry of a curve entity as a value the curve services work on.
#pragma once

#include "curves/curve.h"
#include "cvx/dbents.h"

// False for curves without geometry (an empty polyline, a spline with no control points).
bool cvxCurveGeometry(const AcDbCurve* curve, cvx::geom::Curve& out);
// The polyline form of a lightweight polyline or of a simple 2D polyline (bulges kept).
cvx::geom::PlacedPolyline cvxPlacedPolyline(const AcDbPolyline* pl);
cvx::geom::PlacedPolyline cvxPlacedPolyline(const AcDb2dPolyline* pl);
// The NURBS data of a spline entity.
cvx::geom::Nurbs cvxNurbsOf(const AcDbSpline* spline);
