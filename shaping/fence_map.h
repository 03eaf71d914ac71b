// Mapping curves into a fence of four curves: an axis-parallel source rectangle is stretched onto the patch
// that the top, bottom, left and right curves span (a bilinearly blended, or Coons, patch).
#pragma once

#include <cmath>
#include <vector>

#include "cvx/dbents.h"

// The source rectangle in world coordinates.
struct FenceBox {
    AcGePoint3d topLeft;      // (min x, max y)
    AcGePoint3d bottomRight;  // (max x, min y)
    double width() const { return std::abs(bottomRight.x - topLeft.x); }
    double height() const { return std::abs(bottomRight.y - topLeft.y); }
};
// The box with the two picked corners at opposite corners, at the z of the first.
FenceBox fenceBoxFromCorners(const AcGePoint3d& first, const AcGePoint3d& second);

// Where a point lies in the box: u from the left side, v from the bottom, each as the absolute distance over
// the box's width or height (a point left of the box has the u of its mirror image inside it).
AcGePoint2d fenceParameters(const FenceBox& box, const AcGePoint3d& point);

// The fence's sides at (u, v) and its corners, as the patch blends them.
struct FencePatchInput {
    AcGePoint3d top, bottom, left, right;  // T at u, B at u, L at v, R at v
    AcGePoint3d topStart, topEnd, bottomStart, bottomEnd;
};
// (1-v)·B(u) + v·T(u) + (1-u)·(L(v) - ((1-v)·BS + v·TS)) + u·(R(v) - ((1-v)·BE + v·TE)).
AcGePoint3d coonsPoint(double u, double v, const FencePatchInput& in);

// How many samples a curve of this length gets against the fence's reference length: length / reference
// × 100, whole part, within [6, 36].
int fenceSampleCount(double curveLength, double referenceLength);

// The start and end points of the four fence curves.
struct FenceEnds {
    AcGePoint3d top0, top1, bottom0, bottom1, left0, left1, right0, right1;
};
// Which fence curves to turn round so that top and bottom run from the left side to the right side and left
// and right run upward from the bottom corners.
struct FenceReversals {
    bool top = false, bottom = false, left = false, right = false;
};
FenceReversals fenceReversals(const FenceEnds& ends);
// The longest start-to-end distance of the four fence curves.
double fenceReferenceLength(const FenceEnds& ends);

struct FenceCurves {
    AcDbCurve* top;
    AcDbCurve* bottom;
    AcDbCurve* left;
    AcDbCurve* right;
};
FenceEnds fenceEndsOf(const FenceCurves& fence);
// Turns the fence curves round in the drawing as fenceReversals says (they are open for read and stay so).
void orientFence(const FenceCurves& fence);

// The n mapped sample points of the curve; empty when the box is thinner than 0.0001, a fence curve is
// shorter than 0.0001 or the curve cannot be sampled. Side lookups are kept within each fence curve, so a
// sample outside the box takes the nearest end of a side instead of a point the curve does not have.
std::vector<AcGePoint3d> mapPointsToFence(int n, const FenceBox& box, const AcDbCurve* curve,
                                          const FenceCurves& fence);
// Draws a curve through the mapped points (a line, a spline or a polyline, as formula curves are drawn, by
// layer). True when a curve was drawn.
bool mapCurveToFence(int n, const FenceBox& box, const AcDbCurve* curve, const FenceCurves& fence);
