// Splines (NURBS with optional fit data) and helices.
#include <algorithm>
#include <cmath>
#include <optional>

#include "curves/fit.h"
#include "curves/nurbs.h"
#include "curves/tessellate.h"
#include "cvx/dbents.h"
#include "db/curve_geometry.h"

using cvx::geom::Nurbs;

namespace {
std::vector<double> toVector(const AcGeDoubleArray& a) { return a.vec(); }
std::vector<AcGePoint3d> toVector(const AcGePoint3dArray& a) { return a.vec(); }

// The normal of the plane the points lie in: a zero vector when they are collinear, nothing when they do
// not lie in one plane.
std::optional<AcGeVector3d> commonPlaneNormal(const std::vector<AcGePoint3d>& pts) {
    if (pts.size() < 3) return AcGeVector3d();
    double size = 0;
    for (const auto& p : pts) size = std::max(size, p.distanceTo(pts[0]));
    AcGeVector3d n;
    for (size_t i = 1; i < pts.size() && n.length() <= 1e-12 * size * size; ++i)
        for (size_t j = i + 1; j < pts.size() && n.length() <= 1e-12 * size * size; ++j)
            n = (pts[i] - pts[0]).crossProduct(pts[j] - pts[0]);
    if (n.length() <= 1e-12 * size * size) return AcGeVector3d();
    AcGePlane plane(pts[0], n);
    for (const auto& p : pts)
        if (plane.distanceTo(p) > 1e-9 * std::max(size, 1.0)) return std::nullopt;
    n.normalize();
    // Prefer the normal that points up (or along a positive axis) so that flat splines lie in XY as +Z.
    if (n.z < 0 || (n.z == 0 && (n.y < 0 || (n.y == 0 && n.x < 0)))) n = -n;
    return n;
}

AcGeVector3d planeNormalOrZ(const std::vector<AcGePoint3d>& pts) {
    std::optional<AcGeVector3d> n = commonPlaneNormal(pts);
    return n && !n->isZeroLength() ? *n : AcGeVector3d::kZAxis;
}
}  // namespace

AcDbSpline::AcDbSpline(int degree, bool rational, bool closed, bool periodic, const AcGePoint3dArray& controlPoints,
                       const AcGeDoubleArray& knots, const AcGeDoubleArray& weights, double controlPtTol,
                       double knotTol) {
    setNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights, controlPtTol, knotTol);
}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, int order, double fitTolerance)
    : AcDbSpline(fitPoints, AcGeVector3d(), AcGeVector3d(), order, fitTolerance) {}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                       const AcGeVector3d& endTangent, int order, double fitTolerance) {
    setFitData(fitPoints, order - 1, fitTolerance, startTangent, endTangent);
}

bool AcDbSpline::isClosed() const {
    if (mCtrl.empty()) return false;
    if (mClosed || mPeriodic) return true;
    Nurbs n;
    n.degree = mDegree;
    n.knots = mKnots;
    n.ctrl = mCtrl;
    n.weights = mWeights;
    return n.isValid() && n.startPoint().isEqualTo(n.endPoint(), AcGeTol());
}

bool AcDbSpline::isPlanar() const { return commonPlaneNormal(mCtrl).has_value(); }

Acad::ErrorStatus AcDbSpline::getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                           AcGePoint3dArray& controlPoints, AcGeDoubleArray& knots,
                                           AcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const {
    degree = mDegree;
    rational = isRational();
    closed = isClosed();
    periodic = mPeriodic;
    controlPoints.vec() = mCtrl;
    knots.vec() = mKnots;
    weights.vec() = mWeights;
    controlPtTol = mCtrlTol;
    knotTol = mKnotTol;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                           const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots,
                                           const AcGeDoubleArray& weights, double controlPtTol, double knotTol) {
    Nurbs n;
    n.degree = degree;
    n.knots = toVector(knots);
    n.ctrl = toVector(controlPoints);
    if (rational) n.weights = toVector(weights);
    n.closed = closed;
    n.periodic = periodic;
    if (degree < 1 || !n.isValid()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mDegree = degree;
    mKnots = std::move(n.knots);
    mCtrl = std::move(n.ctrl);
    mWeights = std::move(n.weights);
    mClosed = closed;
    mPeriodic = periodic;
    mCtrlTol = controlPtTol > 0 ? controlPtTol : 1e-10;
    mKnotTol = knotTol > 0 ? knotTol : 1e-10;
    mFit.clear();
    mStartTan = mEndTan = AcGeVector3d();
    mNormal = planeNormalOrZ(mCtrl);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& p) const {
    if (index < 0 || index >= numControlPoints()) return Acad::eInvalidIndex;
    p = mCtrl[static_cast<size_t>(index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setControlPointAt(int index, const AcGePoint3d& p) {
    if (index < 0 || index >= numControlPoints()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mCtrl[static_cast<size_t>(index)] = p;
    mFit.clear();  // the curve no longer passes through its fit points
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setWeightAt(int index, double w) {
    if (index < 0 || index >= numControlPoints()) return Acad::eInvalidIndex;
    if (!(w > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    if (mWeights.empty()) mWeights.assign(mCtrl.size(), 1.0);
    mWeights[static_cast<size_t>(index)] = w;
    mFit.clear();
    return Acad::eOk;
}

// ---- fit data ----

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& p) const {
    if (index < 0 || index >= numFitPoints()) return Acad::eInvalidIndex;
    p = mFit[static_cast<size_t>(index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::refit() {
    cvx::geom::FitResult r = cvx::geom::fitCubic(mFit, mStartTan, mEndTan, false);
    if (!r.ok()) return Acad::eDegenerateGeometry;
    mDegree = r.curve.degree;
    mKnots = std::move(r.curve.knots);
    mCtrl = std::move(r.curve.ctrl);
    mWeights.clear();
    mClosed = r.curve.closed;
    mPeriodic = r.curve.periodic;
    mNormal = planeNormalOrZ(mFit.size() >= 3 ? mFit : mCtrl);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitPointAt(int index, const AcGePoint3d& p) {
    if (index < 0 || index >= numFitPoints()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    AcGePoint3d old = mFit[static_cast<size_t>(index)];
    mFit[static_cast<size_t>(index)] = p;
    Acad::ErrorStatus es = refit();
    if (es != Acad::eOk) {
        mFit[static_cast<size_t>(index)] = old;
        refit();
    }
    return es;
}

Acad::ErrorStatus AcDbSpline::insertFitPointAt(int index, const AcGePoint3d& p) {
    if (index < 0 || index > numFitPoints()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mFit.insert(mFit.begin() + index, p);
    Acad::ErrorStatus es = refit();
    if (es != Acad::eOk) {
        mFit.erase(mFit.begin() + index);
        refit();
    }
    return es;
}

Acad::ErrorStatus AcDbSpline::removeFitPointAt(int index) {
    if (index < 0 || index >= numFitPoints()) return Acad::eInvalidIndex;
    if (numFitPoints() <= 2) return Acad::eDegenerateGeometry;
    assertWriteEnabled();
    mFit.erase(mFit.begin() + index);
    return refit();
}

Acad::ErrorStatus AcDbSpline::getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                         bool& tangentsExist, AcGeVector3d& startTangent,
                                         AcGeVector3d& endTangent) const {
    if (mFit.empty()) return Acad::eNotApplicable;
    fitPoints.vec() = mFit;
    degree = mDegree;
    fitTolerance = mFitTol;
    tangentsExist = !mStartTan.isZeroLength() || !mEndTan.isZeroLength();
    startTangent = mStartTan;
    endTangent = mEndTan;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                         const AcGeVector3d& startTangent, const AcGeVector3d& endTangent) {
    if (fitPoints.length() < 2 || degree != 3 || fitTolerance < 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    std::vector<AcGePoint3d> oldFit = mFit;
    AcGeVector3d oldStart = mStartTan, oldEnd = mEndTan;
    mFit = toVector(fitPoints);
    mStartTan = startTangent;
    mEndTan = endTangent;
    mFitTol = fitTolerance;
    Acad::ErrorStatus es = refit();
    if (es != Acad::eOk) {
        mFit = oldFit;
        mStartTan = oldStart;
        mEndTan = oldEnd;
        if (!mFit.empty()) refit();
    }
    return es;
}

Acad::ErrorStatus AcDbSpline::getFitTangents(AcGeVector3d& startTangent, AcGeVector3d& endTangent) const {
    if (mFit.empty()) return Acad::eNotApplicable;
    startTangent = mStartTan;
    endTangent = mEndTan;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitTangents(const AcGeVector3d& startTangent, const AcGeVector3d& endTangent) {
    if (mFit.empty()) return Acad::eNotApplicable;
    assertWriteEnabled();
    mStartTan = startTangent;
    mEndTan = endTangent;
    return refit();
}

Acad::ErrorStatus AcDbSpline::purgeFitData() {
    assertWriteEnabled();
    mFit.clear();
    mStartTan = mEndTan = AcGeVector3d();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::toPolyline(AcDbCurve*& polyline, int precision, int maxSegments) const {
    polyline = nullptr;
    Nurbs n = cvxNurbsOf(this);
    if (!n.isValid()) return Acad::eDegenerateGeometry;
    std::vector<AcGePoint3d> pts = cvx::geom::toPolyline(n, precision, static_cast<unsigned>(std::max(maxSegments, 1)));
    bool closed = isClosed() && pts.size() > 2 && pts.front().isEqualTo(pts.back(), AcGeTol());
    if (closed) pts.pop_back();
    if (isPlanar()) {
        // A flat spline becomes a lightweight polyline in its own plane.
        auto* pl = new AcDbPolyline(static_cast<unsigned>(pts.size()));
        pl->setNormal(mNormal);
        AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(mNormal);
        double elevation = 0;
        for (size_t i = 0; i < pts.size(); ++i) {
            AcGePoint3d q = toPlane * pts[i];
            elevation = q.z;
            pl->addVertexAt(static_cast<unsigned>(i), q.convert2d());
        }
        pl->setElevation(elevation);
        pl->setClosed(closed);
        pl->setPropertiesFrom(this);
        polyline = pl;
    } else {
        AcGePoint3dArray arr;
        arr.vec() = pts;
        auto* pl = new AcDb3dPolyline(AcDb::k3dSimplePoly, arr, closed);
        pl->setPropertiesFrom(this);
        polyline = pl;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::transformBy(const AcGeMatrix3d& m) {
    assertWriteEnabled();
    for (AcGePoint3d& p : mCtrl) p = m * p;
    for (AcGePoint3d& p : mFit) p = m * p;
    mStartTan = m * mStartTan;
    mEndTan = m * mEndTan;
    AcGeVector3d n = (m * mNormal).normal();
    mNormal = n.isZeroLength() ? AcGeVector3d::kZAxis : n;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getGeomExtents(AcDbExtents& ext) const {
    Nurbs n = cvxNurbsOf(this);
    if (!n.isValid()) return Acad::eInvalidExtents;
    auto [mn, mx] = cvx::geom::boundingBox(n);
    ext.addPoint(mn);
    ext.addPoint(mx);
    return Acad::eOk;
}

void AcDbSpline::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbSpline*>(other);
    o->mDegree = mDegree;
    o->mClosed = mClosed;
    o->mPeriodic = mPeriodic;
    o->mKnots = mKnots;
    o->mWeights = mWeights;
    o->mCtrl = mCtrl;
    o->mFit = mFit;
    o->mStartTan = mStartTan;
    o->mEndTan = mEndTan;
    o->mNormal = mNormal;
    o->mFitTol = mFitTol;
    o->mKnotTol = mKnotTol;
    o->mCtrlTol = mCtrlTol;
    o->mKnotParam = mKnotParam;
}

// ---- helix ----

Acad::ErrorStatus AcDbHelix::setAxisPoint(const AcGePoint3d& p) {
    assertWriteEnabled();
    mStart += p - mAxisPoint;
    mAxisPoint = p;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setAxisVector(const AcGeVector3d& v) {
    if (v.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mAxis = v.normal();
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setStartPoint(const AcGePoint3d& p) {
    assertWriteEnabled();
    mStart = p;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setTopRadius(double r) {
    if (r < 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mTopRadius = r;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setTurns(double t) {
    if (!(t > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mTurns = t;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setTurnHeight(double h) {
    assertWriteEnabled();
    mTurnHeight = h;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::setTwist(bool ccw) {
    assertWriteEnabled();
    mCcw = ccw;
    return createHelix();
}

Acad::ErrorStatus AcDbHelix::createHelix() {
    // The helix through points sampled densely along it: radius changes linearly from base to top, the
    // height by the turn height per turn, the angle counter-clockwise about the axis when twist is set.
    AcGeVector3d axis = mAxis.normal();
    AcGeVector3d radial = (mStart - mAxisPoint) - axis * (mStart - mAxisPoint).dotProduct(axis);
    double r0 = radial.length();
    if (r0 <= 0 || mTurns <= 0) return Acad::eDegenerateGeometry;
    AcGeVector3d x = radial / r0;
    AcGeVector3d y = axis.crossProduct(x) * (mCcw ? 1.0 : -1.0);
    AcGePoint3d base = mAxisPoint + axis * (mStart - mAxisPoint).dotProduct(axis);
    const int perTurn = 16;
    int count = std::max(4, static_cast<int>(std::ceil(mTurns * perTurn)));
    std::vector<AcGePoint3d> pts;
    for (int i = 0; i <= count; ++i) {
        double f = static_cast<double>(i) / count;
        double angle = 2 * M_PI * mTurns * f;
        double r = r0 + (mTopRadius - r0) * f;
        pts.push_back(base + x * (r * std::cos(angle)) + y * (r * std::sin(angle)) + axis * (mTurnHeight * mTurns * f));
    }
    cvx::geom::FitResult fit = cvx::geom::fitCubic(pts);
    if (!fit.ok()) return Acad::eDegenerateGeometry;
    mDegree = fit.curve.degree;
    mKnots = std::move(fit.curve.knots);
    mCtrl = std::move(fit.curve.ctrl);
    mWeights.clear();
    mFit.clear();
    mClosed = mPeriodic = false;
    mNormal = axis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHelix::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    Acad::ErrorStatus es = AcDbSpline::transformBy(m);
    if (es != Acad::eOk) return es;
    double s = m.scale();
    mAxisPoint = m * mAxisPoint;
    mStart = m * mStart;
    mAxis = (m * mAxis).normal();
    mTopRadius *= s;
    mTurnHeight *= s;
    if (m.det() < 0) mCcw = !mCcw;
    return Acad::eOk;
}

void AcDbHelix::copyDataTo(AcDbObject* other) const {
    AcDbSpline::copyDataTo(other);
    auto* o = static_cast<AcDbHelix*>(other);
    o->mAxisPoint = mAxisPoint;
    o->mStart = mStart;
    o->mAxis = mAxis;
    o->mTopRadius = mTopRadius;
    o->mTurns = mTurns;
    o->mTurnHeight = mTurnHeight;
    o->mCcw = mCcw;
    o->mConstrain = mConstrain;
}
