// NURBS curves in 3D: evaluation, derivatives, knot insertion, splitting, reversal, transformation, extents.
// The knot vector has ctrl.size() + degree + 1 entries. Weights are empty for a non-rational curve.
// A periodic curve is stored unwrapped: its first `degree` control points repeat at the end.
#pragma once

#include <utility>
#include <vector>

#include "cvx/ge.h"

namespace cvx::geom {

struct Nurbs {
    int degree = 3;
    std::vector<double> knots;
    std::vector<AcGePoint3d> ctrl;
    std::vector<double> weights;
    bool closed = false;
    bool periodic = false;

    bool isRational() const { return !weights.empty(); }
    double weight(int i) const { return weights.empty() ? 1.0 : weights[i]; }
    // True when the sizes agree, knots do not decrease, weights are positive and the domain is not empty.
    bool isValid() const;
    double startParam() const { return knots[degree]; }
    double endParam() const { return knots[knots.size() - 1 - degree]; }
    AcGePoint3d startPoint() const { return pointAt(startParam()); }
    AcGePoint3d endPoint() const { return pointAt(endParam()); }

    AcGePoint3d pointAt(double u) const;
    // Point and derivatives up to order n (n <= 2): d[0] point (as vector), d[1] first, d[2] second.
    void derivsAt(double u, int n, AcGeVector3d* d) const;
    AcGeVector3d derivAt(double u) const;
    int spanOf(double u) const;  // index k with knots[k] <= u < knots[k+1], clamped into the domain
    // Distinct knot values inside the domain, ends included.
    std::vector<double> breakpoints() const;
};

// The degree + 1 basis functions that are non-zero at u in knot span `span`.
void basisAt(const std::vector<double>& knots, int degree, int span, double u, double* N);

// Inserts u r times (up to full multiplicity); the shape does not change.
void insertKnot(Nurbs& c, double u, int times = 1);
// Splits at u (strictly inside the domain) into two clamped curves.
bool splitAt(const Nurbs& c, double u, Nurbs& before, Nurbs& after);
// Same curve in opposite direction; the parameter u becomes start + end - u.
Nurbs reversed(const Nurbs& c);
void transform(Nurbs& c, const AcGeMatrix3d& m);
// Converts a periodic (unclamped) curve into the same curve with clamped ends.
Nurbs clamped(const Nurbs& c);
// Bezier pieces of the curve, each a clamped curve over one knot span (its own knots kept).
std::vector<Nurbs> bezierPieces(const Nurbs& c);
// The axis-aligned box of the curve, tight to 1e-9 of its size (control hulls refined by subdivision).
std::pair<AcGePoint3d, AcGePoint3d> boundingBox(const Nurbs& c);

}  // namespace cvx::geom
