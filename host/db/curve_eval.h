// A curve entity as the curve services see it: its geometry in world coordinates, evaluated by the entity's own
// parameter (line: distance from the start; arc and circle: angle; ellipse: angle parameter; polylines: vertex
// index plus the fraction of the segment; spline: knot value).
#pragma once

#include <vector>

#include "db/curve_geometry.h"

struct CvxCurve {
    cvx::geom::Curve g;
    double start = 0, end = 0;  // parameter range
    bool closed = false;        // the end meets the start
    double size = 0;            // diagonal of the curve's box

    // Distance under which a point counts as lying on the curve.
    double tolerance() const { return 1e-8 * size + 1e-10; }
    bool inRange(double t) const;
    // d[0] the point, d[1] and d[2] the first and second derivatives by the parameter.
    void derivs(double t, AcGeVector3d d[3]) const;
    AcGePoint3d pointAt(double t) const;
    double length() const;
    double distAt(double t) const;
    bool paramAtDist(double s, double& t) const;
    // Parameter of the nearest point; with extend, lines run on without end and arcs become full circles.
    double nearest(const AcGePoint3d& p, bool extend, AcGePoint3d& at) const;
    // Nearest point seen along a direction (the distance measured in the plane normal to it).
    double nearestAlong(const AcGePoint3d& p, const AcGeVector3d& dir, bool extend, AcGePoint3d& at) const;
    // Parameters between which the curve is smooth (ends included).
    std::vector<double> spans() const;
};

// False when the entity has no curve geometry (an empty polyline, a spline without control points).
bool cvxCurveOf(const AcDbCurve* curve, CvxCurve& out);

// The plane a set of points lies in: 2 when collinear (normal: some perpendicular), 1 planar, 0 not planar.
// A normal is turned to point up (or along a positive axis).
int cvxPlaneOfPoints(const std::vector<AcGePoint3d>& pts, AcGeVector3d& normal);
// Vector area 1/2 * integral of (P - P0) x dP over the curve (closed by its chord); its length is the area of
// a planar curve, its direction the normal that sees the curve counter-clockwise.
AcGeVector3d cvxVectorArea(const CvxCurve& c);
