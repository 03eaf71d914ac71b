// Curves as chains of points whose chords stay within a tolerance of the curve. A tolerance of 0 (used while
// measuring, before the pixel size is known) gives a fixed fine division instead.
#pragma once

#include <vector>

#include "curves/bulge_polyline.h"
#include "curves/primitives.h"
#include "cvx/ge.h"

class AcDbSpline;

namespace cvx::render {

// Number of chords for a circular sweep (radians) of the radius.
int arcDivisions(double radius, double sweep, double tol);

std::vector<AcGePoint3d> arcPoints(const geom::Arc& arc, double tol);
std::vector<AcGePoint3d> ellipsePoints(const geom::Ellipse& ellipse, double tol);
// A polyline segment (straight or bulged), both ends included.
std::vector<AcGePoint2d> segmentPoints(const geom::Segment2& seg, double tol);
// The chain of a whole bulge polyline (closed ones end where they start).
std::vector<AcGePoint2d> bulgePolylinePoints(const geom::BulgePolyline& pl, double tol);
// Points along a cubic or quadratic Bezier piece from p0 (excluded) to its end (included).
void appendBezier(std::vector<AcGePoint2d>& out, const AcGePoint2d* ctrl, int degree, double tol);

// The spline's curve from its NURBS data (helices included); the fit points joined by lines when the
// spline has no valid control data.
std::vector<AcGePoint3d> splinePoints(const AcDbSpline& spline, double tol);

}  // namespace cvx::render
