// Plain analytic curves: line segment, circular arc (a circle is a full arc) and elliptical arc.
// Parameters follow the host entities: a line by distance from its start, an arc by its angle from the
// reference axis, an ellipse by its angle parameter.
#pragma once

#include <cmath>

#include "cvx/ge.h"

namespace cvx::geom {

constexpr double kTwoPi = 2 * M_PI;

struct Line {
    AcGePoint3d start, end;
    double length() const { return start.distanceTo(end); }
    AcGeVector3d direction() const { return (end - start).normal(); }
    AcGePoint3d pointAt(double dist) const { return start + direction() * dist; }
};

// A circular arc counter-clockwise about `normal` from startAngle to endAngle (endAngle > startAngle,
// sweep at most 2pi). Angles are measured from refVec, a unit vector in the arc's plane.
struct Arc {
    AcGePoint3d center;
    double radius = 1;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d refVec = AcGeVector3d::kXAxis;
    double startAngle = 0, endAngle = kTwoPi;

    static Arc circle(const AcGePoint3d& c, double r, const AcGeVector3d& n = AcGeVector3d::kZAxis);
    // Entity form: angles in any range, refVec from the arbitrary-axis rule; the end is moved past the start.
    static Arc fromEntity(const AcGePoint3d& c, double r, const AcGeVector3d& n, double a0, double a1);
    bool isFull() const { return endAngle - startAngle >= kTwoPi - 1e-12; }
    double sweep() const { return endAngle - startAngle; }
    AcGeVector3d yVec() const { return normal.crossProduct(refVec); }
    AcGePoint3d pointAt(double a) const {
        return center + refVec * (radius * std::cos(a)) + yVec() * (radius * std::sin(a));
    }
    AcGeVector3d tangentAt(double a) const {  // derivative by the angle
        return refVec * (-radius * std::sin(a)) + yVec() * (radius * std::cos(a));
    }
    // Angle of a point (projected into the plane), in [startAngle, startAngle + 2pi).
    double angleOf(const AcGePoint3d& p) const;
    bool containsAngle(double a, double tol) const;  // a (any turn) lies in the swept range
};

// An elliptical arc: point(t) = center + cos t * majorAxis + sin t * minorAxis, with
// minorAxis = radiusRatio * (normal x majorAxis). startParam < endParam, span at most 2pi.
struct Ellipse {
    AcGePoint3d center;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d majorAxis = AcGeVector3d::kXAxis;
    double radiusRatio = 1;
    double startParam = 0, endParam = kTwoPi;

    AcGeVector3d minorAxis() const { return normal.normal().crossProduct(majorAxis) * radiusRatio; }
    double majorRadius() const { return majorAxis.length(); }
    double minorRadius() const { return majorAxis.length() * radiusRatio; }
    bool isFull() const { return endParam - startParam >= kTwoPi - 1e-12; }
    AcGePoint3d pointAt(double t) const {
        return center + majorAxis * std::cos(t) + minorAxis() * std::sin(t);
    }
    AcGeVector3d derivAt(double t) const { return majorAxis * -std::sin(t) + minorAxis() * std::cos(t); }
    AcGeVector3d deriv2At(double t) const { return majorAxis * -std::cos(t) - minorAxis() * std::sin(t); }
    // The angle parameter of a point (projected into the plane), in [startParam, startParam + 2pi).
    double paramOf(const AcGePoint3d& p) const;
};

// Brings an angle into [from, from + 2pi).
double wrapAngle(double a, double from);

}  // namespace cvx::geom
