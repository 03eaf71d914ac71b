// Polylines in between two polylines of the same vertex count, vertex i matched with vertex i: a series
// (optionally guided by a reference curve) and a rows x columns array. Plain data in, plain data out.
#pragma once

#include <functional>
#include <vector>

#include "shaping/lw_polylines.h"

// The vertex of the first polyline nearest to the reference curve's start, then, keeping that distance as the
// bar, any vertex strictly nearer to its end (vertex 0 is measured against the start only).
int anchorVertex(const std::vector<AcGePoint3d>& first, const AcGePoint3d& curveStart, const AcGePoint3d& curveEnd);

// The vertices and bulges a fraction f of the way from first to second, shifted by the vector; the closed flag
// is the first one's.
LwVertices interpolateVertices(const LwVertices& first, const LwVertices& second, double f,
                               const AcGeVector3d& shift = AcGeVector3d(0, 0, 0));

// A reference curve guiding a series: vertex `anchor` of each polyline goes to pointAtFraction(f), f being the
// polyline's fraction of the way.
struct ReferenceGuide {
    int anchor = 0;
    std::function<AcGePoint3d(double f)> pointAtFraction;
};

// count polylines strictly between first and second (j = 0..count-1 at accelerate((j+1)/(count+1), a)), from
// the first towards the second; each is moved rigidly so its anchor vertex lies on the guide when there is one.
std::vector<LwVertices> interpolationSeries(const LwVertices& first, const LwVertices& second, int count,
                                            double acceleration, const ReferenceGuide* guide);

// The rows x columns grid: X follows the column fraction, Y the row fraction, Z and bulges their mean. Columns
// outer, rows inner; the corners (0, 0) and (columns-1, rows-1), the inputs themselves, are left out.
std::vector<LwVertices> interpolationArray(const LwVertices& first, const LwVertices& second, int rows, int columns,
                                           double acceleration);
