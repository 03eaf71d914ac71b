#include "curves/primitives.h"

namespace cvx::geom {

double wrapAngle(double a, double from) {
    double r = std::fmod(a - from, kTwoPi);
    if (r < 0) r += kTwoPi;
    if (r >= kTwoPi) r -= kTwoPi;
    return from + r;
}

Arc Arc::circle(const AcGePoint3d& c, double r, const AcGeVector3d& n) {
    return fromEntity(c, r, n, 0, kTwoPi);
}

Arc Arc::fromEntity(const AcGePoint3d& c, double r, const AcGeVector3d& n, double a0, double a1) {
    Arc a;
    a.center = c;
    a.radius = r;
    a.normal = n.normal();
    a.refVec = arbitraryXAxis(a.normal);
    a.startAngle = a0;
    double sweep = a1 - a0;
    if (sweep >= kTwoPi - 1e-12) sweep = kTwoPi;
    else {
        sweep = std::fmod(sweep, kTwoPi);
        if (sweep <= 0) sweep += kTwoPi;
    }
    a.endAngle = a0 + sweep;
    return a;
}

double Arc::angleOf(const AcGePoint3d& p) const {
    AcGeVector3d v = p - center;
    return wrapAngle(std::atan2(v.dotProduct(yVec()), v.dotProduct(refVec)), startAngle);
}

bool Arc::containsAngle(double a, double tol) const {
    if (isFull()) return true;
    double w = wrapAngle(a, startAngle);
    if (w <= endAngle + tol) return true;
    return w >= startAngle + kTwoPi - tol;  // just before the start
}

double Ellipse::paramOf(const AcGePoint3d& p) const {
    AcGeVector3d v = p - center;
    double a = majorRadius(), b = minorRadius();
    AcGeVector3d u = majorAxis / a, w = normal.normal().crossProduct(u);
    return wrapAngle(std::atan2(v.dotProduct(w) / b, v.dotProduct(u) / a), startParam);
}

}  // namespace cvx::geom
