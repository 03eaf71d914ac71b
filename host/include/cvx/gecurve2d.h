// Planar curves as value objects: the edges of hatch boundaries (line segments, circular and elliptical arcs,
// NURBS curves with optional fit data).
#pragma once

#include "cvx/ge.h"

namespace AcGe {
enum EntityId { kEntity2d, kCurve2d, kLineSeg2d, kCircArc2d, kEllipArc2d, kNurbCurve2d };
}

class AcGeInterval {
public:
    AcGeInterval() = default;
    AcGeInterval(double lo, double hi) : mLo(lo), mHi(hi) {}
    double lowerBound() const { return mLo; }
    double upperBound() const { return mHi; }
    double length() const { return mHi - mLo; }
    void getBounds(double& lo, double& hi) const { lo = mLo; hi = mHi; }
    void set(double lo, double hi) { mLo = lo; mHi = hi; }

private:
    double mLo = 0, mHi = 0;
};

class AcGeCurve2d {
public:
    virtual ~AcGeCurve2d() = default;
    virtual AcGe::EntityId type() const = 0;
    bool isKindOf(AcGe::EntityId id) const { return id == type() || id == AcGe::kCurve2d || id == AcGe::kEntity2d; }
    virtual AcGePoint2d evalPoint(double param) const = 0;
    virtual void getInterval(AcGeInterval& range) const = 0;
    void getInterval(double& start, double& end) const;
    bool hasStartPoint(AcGePoint2d& p) const;
    bool hasEndPoint(AcGePoint2d& p) const;
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const;
    virtual AcGeCurve2d* copy() const = 0;
};

class AcGeLineSeg2d : public AcGeCurve2d {
public:
    using AcGeCurve2d::getInterval;
    AcGeLineSeg2d() = default;
    AcGeLineSeg2d(const AcGePoint2d& start, const AcGePoint2d& end) : mStart(start), mEnd(end) {}
    AcGe::EntityId type() const override { return AcGe::kLineSeg2d; }
    AcGePoint2d evalPoint(double t) const override { return mStart + (mEnd - mStart) * t; }
    void getInterval(AcGeInterval& r) const override { r.set(0, 1); }
    AcGeCurve2d* copy() const override { return new AcGeLineSeg2d(*this); }
    AcGePoint2d startPoint() const { return mStart; }
    AcGePoint2d endPoint() const { return mEnd; }
    AcGeLineSeg2d& set(const AcGePoint2d& start, const AcGePoint2d& end) { mStart = start; mEnd = end; return *this; }

private:
    AcGePoint2d mStart, mEnd;
};

// Angles are measured from refVec, counter-clockwise (clockwise when isClockWise).
class AcGeCircArc2d : public AcGeCurve2d {
public:
    using AcGeCurve2d::getInterval;
    AcGeCircArc2d() = default;
    AcGeCircArc2d(const AcGePoint2d& center, double radius, double startAng = 0, double endAng = 2 * M_PI,
                  const AcGeVector2d& refVec = AcGeVector2d::kXAxis, bool isClockWise = false)
        : mCenter(center), mRadius(radius), mStart(startAng), mEnd(endAng), mRef(refVec.normal()),
          mClockwise(isClockWise) {}
    AcGe::EntityId type() const override { return AcGe::kCircArc2d; }
    AcGePoint2d evalPoint(double angle) const override;
    void getInterval(AcGeInterval& r) const override { r.set(mStart, mEnd); }
    AcGeCurve2d* copy() const override { return new AcGeCircArc2d(*this); }
    AcGePoint2d center() const { return mCenter; }
    double radius() const { return mRadius; }
    double startAng() const { return mStart; }
    double endAng() const { return mEnd; }
    bool isClockWise() const { return mClockwise; }
    AcGeVector2d refVec() const { return mRef; }
    AcGePoint2d startPoint() const { return evalPoint(mStart); }
    AcGePoint2d endPoint() const { return evalPoint(mEnd); }

private:
    AcGePoint2d mCenter;
    double mRadius = 1, mStart = 0, mEnd = 2 * M_PI;
    AcGeVector2d mRef = AcGeVector2d::kXAxis;
    bool mClockwise = false;
};

// point(t) = center + majorRadius cos t majorAxis + minorRadius sin t minorAxis (axes of unit length).
class AcGeEllipArc2d : public AcGeCurve2d {
public:
    using AcGeCurve2d::getInterval;
    AcGeEllipArc2d() = default;
    AcGeEllipArc2d(const AcGePoint2d& center, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius, double startAng = 0, double endAng = 2 * M_PI)
        : mCenter(center), mMajor(majorAxis.normal()), mMinor(minorAxis.normal()), mMajorR(majorRadius),
          mMinorR(minorRadius), mStart(startAng), mEnd(endAng) {}
    AcGe::EntityId type() const override { return AcGe::kEllipArc2d; }
    AcGePoint2d evalPoint(double t) const override {
        return mCenter + mMajor * (mMajorR * std::cos(t)) + mMinor * (mMinorR * std::sin(t));
    }
    void getInterval(AcGeInterval& r) const override { r.set(mStart, mEnd); }
    AcGeCurve2d* copy() const override { return new AcGeEllipArc2d(*this); }
    AcGePoint2d center() const { return mCenter; }
    AcGeVector2d majorAxis() const { return mMajor; }
    AcGeVector2d minorAxis() const { return mMinor; }
    double majorRadius() const { return mMajorR; }
    double minorRadius() const { return mMinorR; }
    double startAng() const { return mStart; }
    double endAng() const { return mEnd; }
    bool isClockWise() const { return mMajor.crossProduct(mMinor) < 0; }

private:
    AcGePoint2d mCenter;
    AcGeVector2d mMajor = AcGeVector2d::kXAxis, mMinor = AcGeVector2d::kYAxis;
    double mMajorR = 1, mMinorR = 1, mStart = 0, mEnd = 2 * M_PI;
};

class AcGeNurbCurve2d : public AcGeCurve2d {
public:
    using AcGeCurve2d::getInterval;
    AcGeNurbCurve2d() = default;
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                    bool isPeriodic = false);
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                    const AcGeDoubleArray& weights, bool isPeriodic = false);
    // Cubic through the fit points (zero tangents let the curve choose); keeps the fit data.
    AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeVector2d& startTangent,
                    const AcGeVector2d& endTangent, const AcGeTol& fitTolerance = AcGeContext::gTol);

    AcGe::EntityId type() const override { return AcGe::kNurbCurve2d; }
    AcGePoint2d evalPoint(double u) const override;
    void getInterval(AcGeInterval& r) const override;
    AcGeCurve2d* copy() const override { return new AcGeNurbCurve2d(*this); }

    int degree() const { return mDegree; }
    int order() const { return mDegree + 1; }
    int numControlPoints() const { return mCtrl.length(); }
    AcGePoint2d controlPointAt(int i) const { return mCtrl[i]; }
    int numWeights() const { return mWeights.length(); }
    double weightAt(int i) const { return mWeights.isEmpty() ? 1.0 : mWeights[i]; }
    bool isRational() const { return !mWeights.isEmpty(); }
    bool isPeriodic() const { return mPeriodic; }
    int numKnots() const { return mKnots.length(); }
    double knotAt(int i) const { return mKnots[i]; }
    const AcGeKnotVector& knots() const { return mKnots; }

    bool hasFitData() const { return !mFit.isEmpty(); }
    int numFitPoints() const { return mFit.length(); }
    bool getFitPointAt(int i, AcGePoint2d& p) const;
    bool getFitTangents(AcGeVector2d& start, AcGeVector2d& end) const;
    AcGeTol fitTolerance() const { return mFitTol; }
    // Attaches the fit data the curve was made from (as a hatch edge keeps it) without changing its shape.
    void setFitData(const AcGePoint2dArray& fitPoints, const AcGeVector2d& startTangent, const AcGeVector2d& endTangent) {
        mFit = fitPoints;
        mStartTangent = startTangent;
        mEndTangent = endTangent;
    }

private:
    int mDegree = 3;
    AcGeKnotVector mKnots;
    AcGePoint2dArray mCtrl;
    AcGeDoubleArray mWeights;
    bool mPeriodic = false;
    AcGePoint2dArray mFit;
    AcGeVector2d mStartTangent, mEndTangent;
    AcGeTol mFitTol;
};
