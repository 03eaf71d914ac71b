// The public planar curve classes, evaluated with the host's own curve maths.
#include "cvx/gecurve2d.h"

#include "curves/fit.h"

namespace {

cvx::geom::Nurbs asNurbs(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& ctrl,
                         const AcGeDoubleArray& weights) {
    cvx::geom::Nurbs n;
    n.degree = degree;
    n.knots.assign(knots.knots().begin(), knots.knots().end());
    for (const AcGePoint2d& p : ctrl) n.ctrl.push_back({p.x, p.y, 0});
    n.weights.assign(weights.begin(), weights.end());
    return n;
}

}  // namespace

void AcGeCurve2d::getInterval(double& start, double& end) const {
    AcGeInterval r;
    getInterval(r);
    r.getBounds(start, end);
}

bool AcGeCurve2d::hasStartPoint(AcGePoint2d& p) const {
    AcGeInterval r;
    getInterval(r);
    p = evalPoint(r.lowerBound());
    return true;
}

bool AcGeCurve2d::hasEndPoint(AcGePoint2d& p) const {
    AcGeInterval r;
    getInterval(r);
    p = evalPoint(r.upperBound());
    return true;
}

bool AcGeCurve2d::isClosed(const AcGeTol& tol) const {
    AcGePoint2d s, e;
    hasStartPoint(s);
    hasEndPoint(e);
    return s.isEqualTo(e, tol);
}

AcGePoint2d AcGeCircArc2d::evalPoint(double angle) const {
    double a = mClockwise ? -angle : angle;
    AcGeVector2d d = mRef;
    d.rotateBy(a);
    return mCenter + d * mRadius;
}

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                                 bool isPeriodic)
    : mDegree(degree), mKnots(knots), mCtrl(controlPoints), mPeriodic(isPeriodic) {}

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                                 const AcGeDoubleArray& weights, bool isPeriodic)
    : mDegree(degree), mKnots(knots), mCtrl(controlPoints), mWeights(weights), mPeriodic(isPeriodic) {}

AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeVector2d& startTangent,
                                 const AcGeVector2d& endTangent, const AcGeTol& fitTolerance)
    : mFit(fitPoints), mStartTangent(startTangent), mEndTangent(endTangent), mFitTol(fitTolerance) {
    std::vector<AcGePoint3d> pts;
    for (const AcGePoint2d& p : fitPoints) pts.push_back({p.x, p.y, 0});
    cvx::geom::FitResult fit = cvx::geom::fitCubic(pts, {startTangent.x, startTangent.y, 0},
                                                   {endTangent.x, endTangent.y, 0});
    if (!fit.ok()) return;  // no curve: no control points
    for (double k : fit.curve.knots) mKnots.append(k);
    for (const AcGePoint3d& p : fit.curve.ctrl) mCtrl.append(p.convert2d());
}

AcGePoint2d AcGeNurbCurve2d::evalPoint(double u) const {
    cvx::geom::Nurbs n = asNurbs(mDegree, mKnots, mCtrl, mWeights);
    if (!n.isValid()) return {};
    return n.pointAt(u).convert2d();
}

void AcGeNurbCurve2d::getInterval(AcGeInterval& r) const {
    if (mKnots.length() < 2 * (mDegree + 1)) {
        r.set(0, 0);
        return;
    }
    r.set(mKnots[mDegree], mKnots[mKnots.length() - 1 - mDegree]);
}

bool AcGeNurbCurve2d::getFitPointAt(int i, AcGePoint2d& p) const {
    if (i < 0 || i >= mFit.length()) return false;
    p = mFit[i];
    return true;
}

bool AcGeNurbCurve2d::getFitTangents(AcGeVector2d& start, AcGeVector2d& end) const {
    if (!hasFitData()) return false;
    start = mStartTangent;
    end = mEndTangent;
    return true;
}
