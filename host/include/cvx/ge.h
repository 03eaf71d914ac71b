// Geometry basics: tolerances, points, vectors, matrices, planes, knot vectors.
// Values are plain doubles; every type is cheap to copy.
#pragma once

#include <cmath>

#include "cvx/array.h"

class AcGeTol {
public:
    AcGeTol() = default;
    double equalPoint() const { return mPoint; }
    double equalVector() const { return mVector; }
    void setEqualPoint(double v) { mPoint = v; }
    void setEqualVector(double v) { mVector = v; }

private:
    double mPoint = 1e-10;
    double mVector = 1e-12;
};

namespace AcGeContext {
extern AcGeTol gTol;  // the tolerance used where a caller passes none
}

class AcGeVector2d;
class AcGeVector3d;
class AcGeMatrix3d;
class AcGePlane;

class AcGePoint2d {
public:
    double x = 0, y = 0;
    AcGePoint2d() = default;
    AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
    static const AcGePoint2d kOrigin;

    inline AcGePoint2d operator+(const AcGeVector2d& v) const;
    inline AcGePoint2d operator-(const AcGeVector2d& v) const;
    inline AcGeVector2d operator-(const AcGePoint2d& p) const;
    inline AcGePoint2d& operator+=(const AcGeVector2d& v);
    inline AcGePoint2d& operator-=(const AcGeVector2d& v);
    AcGePoint2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d asVector() const;
    double distanceTo(const AcGePoint2d& p) const { return std::hypot(p.x - x, p.y - y); }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    double operator[](int i) const { return i == 0 ? x : y; }
    double& operator[](int i) { return i == 0 ? x : y; }
};

class AcGeVector2d {
public:
    double x = 0, y = 0;
    AcGeVector2d() = default;
    AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
    static const AcGeVector2d kIdentity, kXAxis, kYAxis;

    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-() const { return {-x, -y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    AcGeVector2d& operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    AcGeVector2d& operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    AcGeVector2d& operator*=(double s) { x *= s; y *= s; return *this; }
    double length() const { return std::hypot(x, y); }
    double lengthSqrd() const { return x * x + y * y; }
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    double crossProduct(const AcGeVector2d& v) const { return x * v.y - y * v.x; }
    double angle() const { double a = std::atan2(y, x); return a < 0 ? a + 2 * M_PI : a; }
    double angleTo(const AcGeVector2d& v) const;
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol) { *this = normal(tol); return *this; }
    AcGeVector2d perpVector() const { return {-y, x}; }
    AcGeVector2d& rotateBy(double a) {
        double c = std::cos(a), s = std::sin(a);
        *this = {c * x - s * y, s * x + c * y};
        return *this;
    }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
    bool isEqualTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const {
        return (*this - v).length() <= tol.equalVector();
    }
    AcGeVector2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    double operator[](int i) const { return i == 0 ? x : y; }
};

inline AcGePoint2d AcGePoint2d::operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
inline AcGePoint2d AcGePoint2d::operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
inline AcGeVector2d AcGePoint2d::operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
inline AcGePoint2d& AcGePoint2d::operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
inline AcGePoint2d& AcGePoint2d::operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
inline AcGeVector2d AcGePoint2d::asVector() const { return {x, y}; }

class AcGePoint3d {
public:
    double x = 0, y = 0, z = 0;
    AcGePoint3d() = default;
    AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    static const AcGePoint3d kOrigin;

    inline AcGePoint3d operator+(const AcGeVector3d& v) const;
    inline AcGePoint3d operator-(const AcGeVector3d& v) const;
    inline AcGeVector3d operator-(const AcGePoint3d& p) const;
    inline AcGePoint3d& operator+=(const AcGeVector3d& v);
    inline AcGePoint3d& operator-=(const AcGeVector3d& v);
    AcGePoint3d operator*(double s) const { return {x * s, y * s, z * s}; }
    inline AcGeVector3d asVector() const;
    AcGePoint2d convert2d() const { return {x, y}; }
    double distanceTo(const AcGePoint3d& p) const {
        return std::sqrt((p.x - x) * (p.x - x) + (p.y - y) * (p.y - y) + (p.z - z) * (p.z - z));
    }
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGePoint3d& transformBy(const AcGeMatrix3d& m);
    AcGePoint3d project(const AcGePlane& plane, const AcGeVector3d& dir) const;
    AcGePoint3d orthoProject(const AcGePlane& plane) const;
    AcGePoint3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }
};

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p);

class AcGeVector3d {
public:
    double x = 0, y = 0, z = 0;
    AcGeVector3d() = default;
    AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    static const AcGeVector3d kIdentity, kXAxis, kYAxis, kZAxis;

    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    AcGeVector3d& operator-=(const AcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    AcGeVector3d& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    AcGeVector3d& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double lengthSqrd() const { return x * x + y * y + z * z; }
    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    double angleTo(const AcGeVector3d& v) const;
    // Angle from this vector to v, counter-clockwise about the reference axis, in [0, 2pi).
    double angleTo(const AcGeVector3d& v, const AcGeVector3d& refAxis) const;
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol) { *this = normal(tol); return *this; }
    AcGeVector3d perpVector() const;  // some vector perpendicular to this one
    AcGeVector3d& transformBy(const AcGeMatrix3d& m);
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);
    AcGeVector2d convert2d() const { return {x, y}; }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const {
        return std::fabs(length() - 1.0) <= tol.equalVector();
    }
    bool isParallelTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isEqualTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const {
        return (*this - v).length() <= tol.equalVector();
    }
    AcGeVector3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    bool operator==(const AcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector3d& v) const { return !isEqualTo(v); }
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }
};

inline AcGeVector3d operator*(double s, const AcGeVector3d& v) { return v * s; }
inline AcGeVector2d operator*(double s, const AcGeVector2d& v) { return v * s; }
AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v);

inline AcGePoint3d AcGePoint3d::operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
inline AcGePoint3d AcGePoint3d::operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
inline AcGeVector3d AcGePoint3d::operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
inline AcGePoint3d& AcGePoint3d::operator+=(const AcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
inline AcGePoint3d& AcGePoint3d::operator-=(const AcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
inline AcGeVector3d AcGePoint3d::asVector() const { return {x, y, z}; }

// A plane through a point with a unit normal.
class AcGePlane {
public:
    AcGePlane() = default;
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    static const AcGePlane kXYPlane, kYZPlane, kZXPlane;

    AcGePoint3d pointOnPlane() const { return mOrigin; }
    AcGeVector3d normal() const { return mNormal; }
    double signedDistanceTo(const AcGePoint3d& p) const { return (p - mOrigin).dotProduct(mNormal); }
    double distanceTo(const AcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }
    bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    void set(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // Axes of the plane's own coordinate system (the arbitrary-axis rule for the X axis).
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis) const;

private:
    AcGePoint3d mOrigin;
    AcGeVector3d mNormal{0, 0, 1};
};

// 4x4 affine transformation, row-major; points are column vectors (p' = M p).
class AcGeMatrix3d {
public:
    double entry[4][4];
    AcGeMatrix3d();  // identity
    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& m) { *this = *this * m; return *this; }
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& m) { *this = m * *this; return *this; }
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& m) { *this = *this * m; return *this; }
    AcGeMatrix3d& setToIdentity() { *this = AcGeMatrix3d(); return *this; }
    AcGeMatrix3d inverse() const;
    AcGeMatrix3d& invert() { *this = inverse(); return *this; }
    double det() const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    bool isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol = AcGeContext::gTol) const;
    bool operator==(const AcGeMatrix3d& m) const { return isEqualTo(m); }
    // True when the linear part scales every direction by the same factor (rotations and mirrors allowed).
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    double scale() const;  // the largest factor by which the matrix stretches a unit vector
    AcGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    double operator()(int r, int c) const { return entry[r][c]; }
    double& operator()(int r, int c) { return entry[r][c]; }

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double s, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToMirroring(const AcGePlane& plane);
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& p);
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& x, const AcGeVector3d& y,
                                 const AcGeVector3d& z);
    AcGeMatrix3d& setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromX,
                                     const AcGeVector3d& fromY, const AcGeVector3d& fromZ,
                                     const AcGePoint3d& toOrigin, const AcGeVector3d& toX,
                                     const AcGeVector3d& toY, const AcGeVector3d& toZ);

    static AcGeMatrix3d translation(const AcGeVector3d& v) { return AcGeMatrix3d().setToTranslation(v); }
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToRotation(angle, axis, center);
    }
    static AcGeMatrix3d scaling(double s, const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToScaling(s, center);
    }
    static AcGeMatrix3d mirroring(const AcGePlane& plane) { return AcGeMatrix3d().setToMirroring(plane); }
    static AcGeMatrix3d mirroring(const AcGePoint3d& p) { return AcGeMatrix3d().setToMirroring(p); }
    // World to the plane's coordinate system (the plane becomes XY).
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
    static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromX,
                                      const AcGeVector3d& fromY, const AcGeVector3d& fromZ,
                                      const AcGePoint3d& toOrigin, const AcGeVector3d& toX,
                                      const AcGeVector3d& toY, const AcGeVector3d& toZ) {
        return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromX, fromY, fromZ, toOrigin, toX, toY, toZ);
    }
};

// The arbitrary-axis rule of the drawing format: the X axis of an entity's own coordinate system.
AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal);

using AcGePoint2dArray = AcArray<AcGePoint2d>;
using AcGePoint3dArray = AcArray<AcGePoint3d>;
using AcGeVector2dArray = AcArray<AcGeVector2d>;
using AcGeVector3dArray = AcArray<AcGeVector3d>;
using AcGeDoubleArray = AcArray<double>;
using AcGeIntArray = AcArray<int>;
using AcGeVoidPointerArray = AcArray<void*>;
using AcDbIntArray = AcArray<int>;
using AcDbVoidPtrArray = AcArray<void*>;

// A non-decreasing sequence of knots with its own tolerance.
class AcGeKnotVector {
public:
    AcGeKnotVector() = default;
    explicit AcGeKnotVector(const AcGeDoubleArray& knots, double tol = 1e-9) : mKnots(knots), mTol(tol) {}
    AcGeKnotVector(int size, const double* knots, double tol = 1e-9);

    int length() const { return mKnots.length(); }
    bool isEmpty() const { return mKnots.isEmpty(); }
    double operator[](int i) const { return mKnots[i]; }
    double& operator[](int i) { return mKnots[i]; }
    double startParam() const { return mKnots.first(); }
    double endParam() const { return mKnots.last(); }
    double tolerance() const { return mTol; }
    AcGeKnotVector& setTolerance(double t) { mTol = t; return *this; }
    AcGeKnotVector& append(double k) { mKnots.append(k); return *this; }
    AcGeKnotVector& setLogicalLength(int n) { mKnots.setLogicalLength(n); return *this; }
    // Multiplicity of the knot equal (within tolerance) to the one at index i.
    int multiplicityAt(int i) const;
    bool isOn(double k) const;
    void getDistinctKnots(AcGeDoubleArray& knots) const;
    const AcGeDoubleArray& knots() const { return mKnots; }
    AcGeDoubleArray& knots() { return mKnots; }
    bool operator==(const AcGeKnotVector& o) const { return mKnots == o.mKnots; }

private:
    AcGeDoubleArray mKnots;
    double mTol = 1e-9;
};
