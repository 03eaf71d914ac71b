// Closest point on a curve to a given point, with the curve parameter there. With `extend`, a line runs on
// without end and an arc is taken as its full circle (the parameter then may fall outside the curve's range).
#pragma once

#include <functional>

#include "curves/nurbs.h"
#include "curves/primitives.h"

namespace cvx::geom {

AcGePoint3d closestPoint(const Line& l, const AcGePoint3d& p, bool extend = false, double* param = nullptr);
AcGePoint3d closestPoint(const Arc& a, const AcGePoint3d& p, bool extend = false, double* param = nullptr);
AcGePoint3d closestPoint(const Ellipse& e, const AcGePoint3d& p, double* param = nullptr);
AcGePoint3d closestPoint(const Nurbs& c, const AcGePoint3d& p, double* param = nullptr);

// Point, first and second derivative at t (d[0] is the point as a vector).
using Derivs = std::function<void(double t, AcGeVector3d* d)>;
// Parameter in [a, b] of the point nearest p: `samples` starting values refined by Newton's method.
double nearestParam(const Derivs& f, double a, double b, int samples, const AcGePoint3d& p);

}  // namespace cvx::geom
