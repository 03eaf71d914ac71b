// Gradient blends: a family of curves morphing from one curve's arc-length samples to another's, optionally
// held by a reference curve at the starts and one at the ends, coloured from the first curve's colour to the
// second's. Plain data in, plain data out.
#pragma once

#include <functional>
#include <vector>

#include "cvx/color.h"
#include "cvx/ge.h"

struct CurveEnds {
    AcGePoint3d start, end;
};

// The fraction of gradient curve j of count, spaced by the density law: accelerate((j+1)/(count+1), a).
double blendFraction(int j, int count, double acceleration);

// The samples a fraction f of the way from first to second (matched by index), shifted by startShift at the
// first point, by endShift at the last, and by their mix (1-u)·startShift + u·endShift at u = i/(n-1) between.
std::vector<AcGePoint3d> morphSamples(const std::vector<AcGePoint3d>& first, const std::vector<AcGePoint3d>& second,
                                      double f, const AcGeVector3d& startShift, const AcGeVector3d& endShift);

// A reference curve as the family sees it: the point a fraction of its length from its (oriented) start.
using ReferencePath = std::function<AcGePoint3d(double fraction)>;

// The gradient curves from first towards second (count of them, both sample lists of one size). With a start
// reference the first point of curve j is startReference(f[j]); with an end reference its last point is
// endReference(f[j]); the shift fades linearly along the curve. Either reference may be null.
std::vector<std::vector<AcGePoint3d>> blendFamily(const std::vector<AcGePoint3d>& first,
                                                  const std::vector<AcGePoint3d>& second, int count,
                                                  double acceleration, const ReferencePath* startReference,
                                                  const ReferencePath* endReference);

// The colour of gradient curve j of count: the first colour when both are equal, otherwise the true colour
// whose red, green and blue run linearly (not accelerated) from the first's to the second's at (j+1)/(count+1),
// whole parts. Index colours count with their entry of the standard table.
AcCmColor shadeColor(const AcCmColor& first, const AcCmColor& second, int j, int count);

// ---- which way things run ----

// True when the curve runs towards decreasing X (its start X greater than its end X).
bool runsLeftward(const CurveEnds& curve);
// True when the pick point is farther from the curve's start than from its end: the curve is turned so that
// it starts where it was picked.
bool pickedNearEnd(const CurveEnds& curve, const AcGePoint3d& picked);
// True when one end of the reference is strictly nearer to the first curve's start than to its end and to both
// ends of the second curve: the reference belongs at the starts of the family.
bool isStartSideReference(const CurveEnds& reference, const CurveEnds& first, const CurveEnds& second);
// True when the reference's start is farther from the anchor than its end: it is turned to run from there.
bool startsFarFrom(const CurveEnds& reference, const AcGePoint3d& anchor);
