// Lightweight polyline in its own plane: 2D vertices with bulges (bulge = tan(sweep / 4), positive for a
// counter-clockwise arc to the next vertex). Elevation and normal are the caller's. The parameter of a point is
// the index of the segment's start vertex plus the fraction along it (for an arc, the fraction of its angle).
#pragma once

#include <vector>

#include "cvx/ge.h"

namespace cvx::geom {

struct Vertex2 {
    AcGePoint2d pt;
    double bulge = 0;
};

struct BulgePolyline {
    std::vector<Vertex2> v;
    bool closed = false;
    int numSegments() const { return v.size() < 2 ? 0 : int(v.size()) - (closed ? 0 : 1); }
    double endParam() const { return numSegments(); }
};

// One segment: a straight piece or a circular arc (sweep signed, counter-clockwise positive).
struct Segment2 {
    AcGePoint2d start, end;
    bool arc = false;
    AcGePoint2d center;
    double radius = 0, startAngle = 0, sweep = 0;

    static Segment2 line(const AcGePoint2d& a, const AcGePoint2d& b);
    static Segment2 fromBulge(const AcGePoint2d& a, const AcGePoint2d& b, double bulge);
    static Segment2 fromArc(const AcGePoint2d& c, double r, double a0, double sweep);
    double bulge() const;
    double length() const;
    AcGePoint2d pointAt(double f) const;     // f in [0, 1]
    AcGeVector2d derivAt(double f) const;    // derivative by f
    double fractionOf(const AcGePoint2d& p) const;  // f of the closest point on the (extended) segment
    AcGePoint2d closestPoint(const AcGePoint2d& p, double& f) const;  // within the segment
    Segment2 reversed() const;
};

Segment2 segmentAt(const BulgePolyline& pl, int i);
std::vector<Segment2> segments(const BulgePolyline& pl);
BulgePolyline fromSegments(const std::vector<Segment2>& segs, bool closed);

AcGePoint2d pointAtParam(const BulgePolyline& pl, double param);
AcGeVector2d derivAtParam(const BulgePolyline& pl, double param);
double length(const BulgePolyline& pl);
double lengthAtParam(const BulgePolyline& pl, double param);
// The parameter at a distance from the start; -1 when outside [0, length].
double paramAtLength(const BulgePolyline& pl, double dist);
// The closest point and its parameter.
AcGePoint2d closestPoint(const BulgePolyline& pl, const AcGePoint2d& p, double* param = nullptr);
// Signed area (counter-clockwise positive) enclosed by the polyline, closed implicitly, arcs included.
double signedArea(const BulgePolyline& pl);
BulgePolyline reversed(const BulgePolyline& pl);

}  // namespace cvx::geom
