// Arc length: exact for lines and arcs, adaptive Gauss-Legendre (relative accuracy 1e-9) for ellipses and
// NURBS, and the inverse (parameter at a length) by Newton's method kept inside a bisection bracket.
#pragma once

#include <functional>

#include "curves/nurbs.h"
#include "curves/primitives.h"

namespace cvx::geom {

// Integral of speed(t) over [a, b] to a relative accuracy `rel`.
double integrateSpeed(const std::function<double(double)>& speed, double a, double b, double rel = 1e-11);

// Length between two parameters (t0 <= t1) of each kind.
double lengthBetween(const Line& l, double t0, double t1);
double lengthBetween(const Arc& a, double t0, double t1);
double lengthBetween(const Ellipse& e, double t0, double t1);
double lengthBetween(const Nurbs& c, double t0, double t1);
double length(const Ellipse& e);
double length(const Nurbs& c);

// Parameter at a distance from the curve's start; false when the distance is outside [0, length].
bool paramAtLength(const Ellipse& e, double dist, double& t);
bool paramAtLength(const Nurbs& c, double dist, double& t);

}  // namespace cvx::geom
