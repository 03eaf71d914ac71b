// How the affect tools fade with distance: a curve acts fully on what touches it and not at all on what
// lies its influence distance d away or farther. Plain numbers in, plain numbers out.
#pragma once

#include "cvx/ge.h"

// w(r) = ((d - r) / d)^1.5: 1 on the curve, 0 at d and beyond.
double affectWeight(double r, double d);
// x(r) = r·(π/2)/d: the distance as a quarter turn (π/2 at d).
double affectQuarterTurn(double r, double d);

// The sideways push in X of a point at x whose nearest crossing with the curve on its row lies at crossingX,
// r away: away from the crossing, 0.5·d·s·w(r). 0 beyond d.
double affectPush(double x, double crossingX, double r, double d, double strength);
// The counter-clockwise turn in radians, (d - r)·s·(π/2)/d; 0 beyond d.
double affectTurn(double r, double d, double strength);
// The size factor of a rigid entity r from the curve, √(sin x(r)): 0 on the curve, 1 at d.
double affectRigidScale(double r, double d);

// What PLAFFECT does to one rigid entity.
struct AffectSettings {
    double strength = 0.3;  // s, 0.1 .. 1.0
    double distance = 1;    // d
    bool move = true, rotate = false, scale = true;
};
// The influence strength from the typed value (clamped to 1..10, then a tenth of it).
double affectStrength(int typed);
// The influence distance: the answer, or VIEWSIZE / 2 when it is under VIEWSIZE / 50.
double affectDistance(double answer, double viewSize);

// The transformation of a rigid entity whose extents centre C lies rq from the curve and whose row (the X
// segment C ± d) meets the curve first at `crossing` (null when it does not): scale about C when rq ≤ d,
// then move and turn about C when the crossing lies within d. The scale factor is kept at least
// kSmallestRigidScale, so an entity centred on the curve shrinks to a dot instead of vanishing.
constexpr double kSmallestRigidScale = 0.01;
AcGeMatrix3d affectRigidMatrix(const AcGePoint3d& centre, double rq, const AcGePoint3d* crossing,
                               const AffectSettings& settings);

// A sample of a bent curve: pushed in X as affectPush says when its row crosses the curve within d.
AcGePoint3d affectBendPoint(const AcGePoint3d& sample, const AcGePoint3d* crossing, double d, double strength);

// The X shift that makes an entity follow a curve: the curve's offset at the entity's height, faded by
// (R - r) / R with r the entity's distance to that curve point and R the X distance from the curve point to
// the far end of the affected range ([minX, maxX]). 0 when r > R or the range is empty on that side.
double followCurveShift(const AcGePoint3d& centre, const AcGePoint3d& curvePoint, double offset, double minX,
                        double maxX);

// The size factor the click tool gives an entity r from the tool (x = x(r)); `inside` when the entity's
// centre lies within the closed tool.
double clickScaleFactor(double r, double d, bool enlarge, bool strong, bool inside);
// Entities shrunk below a tenth of their size shrink no further.
bool clickScaleAllowed(double cumulativeFactor, double factor);
