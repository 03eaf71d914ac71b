#include "cvx/ge.h"

#include <algorithm>

AcGeTol AcGeContext::gTol;

const AcGePoint2d AcGePoint2d::kOrigin{0, 0};
const AcGeVector2d AcGeVector2d::kIdentity{0, 0};
const AcGeVector2d AcGeVector2d::kXAxis{1, 0};
const AcGeVector2d AcGeVector2d::kYAxis{0, 1};
const AcGePoint3d AcGePoint3d::kOrigin{0, 0, 0};
const AcGeVector3d AcGeVector3d::kIdentity{0, 0, 0};
const AcGeVector3d AcGeVector3d::kXAxis{1, 0, 0};
const AcGeVector3d AcGeVector3d::kYAxis{0, 1, 0};
const AcGeVector3d AcGeVector3d::kZAxis{0, 0, 1};
const AcGePlane AcGePlane::kXYPlane{AcGePoint3d::kOrigin, AcGeVector3d::kZAxis};
const AcGePlane AcGePlane::kYZPlane{AcGePoint3d::kOrigin, AcGeVector3d::kXAxis};
const AcGePlane AcGePlane::kZXPlane{AcGePoint3d::kOrigin, AcGeVector3d::kYAxis};
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

// ---- vectors ----

double AcGeVector2d::angleTo(const AcGeVector2d& v) const {
    return std::fabs(std::atan2(crossProduct(v), dotProduct(v)));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const {
    double l = length();
    if (l <= tol.equalVector()) return *this;
    return {x / l, y / l};
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& refAxis) const {
    AcGeVector3d c = crossProduct(v);
    double a = std::atan2(c.length(), dotProduct(v));
    if (c.dotProduct(refAxis) < 0) a = 2 * M_PI - a;
    if (a >= 2 * M_PI) a -= 2 * M_PI;
    return a;
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const {
    double l = length();
    if (l <= tol.equalVector()) return *this;
    return {x / l, y / l, z / l};
}

AcGeVector3d AcGeVector3d::perpVector() const { return arbitraryXAxis(*this); }

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    *this = m * *this;
    return *this;
}

AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis) {
    return transformBy(AcGeMatrix3d::rotation(angle, axis));
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    double a = length(), b = v.length();
    if (a <= tol.equalVector() || b <= tol.equalVector()) return false;
    return crossProduct(v).length() / (a * b) <= std::max(tol.equalVector(), 1e-12);
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    double a = length(), b = v.length();
    if (a <= tol.equalVector() || b <= tol.equalVector()) return false;
    return std::fabs(dotProduct(v)) / (a * b) <= std::max(tol.equalVector(), 1e-12);
}

AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal) {
    AcGeVector3d n = normal.normal();
    const double limit = 1.0 / 64.0;
    AcGeVector3d ax = (std::fabs(n.x) < limit && std::fabs(n.y) < limit) ? AcGeVector3d::kYAxis.crossProduct(n)
                                                                          : AcGeVector3d::kZAxis.crossProduct(n);
    return ax.normal();
}

// ---- points ----

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    *this = m * *this;
    return *this;
}

AcGePoint3d AcGePoint3d::project(const AcGePlane& plane, const AcGeVector3d& dir) const {
    double denom = dir.dotProduct(plane.normal());
    if (std::fabs(denom) < 1e-15) return orthoProject(plane);
    double t = -plane.signedDistanceTo(*this) / denom;
    return *this + dir * t;
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& plane) const {
    return *this - plane.normal() * plane.signedDistanceTo(*this);
}

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    const auto& e = m.entry;
    double w = e[3][0] * p.x + e[3][1] * p.y + e[3][2] * p.z + e[3][3];
    AcGePoint3d r(e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3],
                  e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3],
                  e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3]);
    if (w != 1.0 && w != 0.0) r = {r.x / w, r.y / w, r.z / w};
    return r;
}

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    const auto& e = m.entry;
    return {e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z, e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
            e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z};
}

// ---- plane ----

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) { set(origin, normal); }

void AcGePlane::set(const AcGePoint3d& origin, const AcGeVector3d& normal) {
    mOrigin = origin;
    mNormal = normal.normal();
}

void AcGePlane::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis) const {
    origin = mOrigin;
    xAxis = arbitraryXAxis(mNormal);
    yAxis = mNormal.crossProduct(xAxis).normal();
}

// ---- matrix ----

AcGeMatrix3d::AcGeMatrix3d() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

double AcGeMatrix3d::det() const {
    const auto& a = entry;
    // Affine matrices are the common case; general 4x4 determinant by cofactors on the last row.
    auto det3 = [&](int c0, int c1, int c2, int r0, int r1, int r2) {
        return a[r0][c0] * (a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1]) -
               a[r0][c1] * (a[r1][c0] * a[r2][c2] - a[r1][c2] * a[r2][c0]) +
               a[r0][c2] * (a[r1][c0] * a[r2][c1] - a[r1][c1] * a[r2][c0]);
    };
    return -a[3][0] * det3(1, 2, 3, 0, 1, 2) + a[3][1] * det3(0, 2, 3, 0, 1, 2) -
           a[3][2] * det3(0, 1, 3, 0, 1, 2) + a[3][3] * det3(0, 1, 2, 0, 1, 2);
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const { return std::fabs(det()) <= 1e-300; }

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    // Gauss-Jordan with partial pivoting.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = entry[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int piv = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[piv][c])) piv = r;
        if (std::fabs(a[piv][c]) < 1e-300) return AcGeMatrix3d();
        if (piv != c)
            for (int k = 0; k < 8; ++k) std::swap(a[c][k], a[piv][k]);
        double d = a[c][c];
        for (int k = 0; k < 8; ++k) a[c][k] /= d;
        for (int r = 0; r < 4; ++r)
            if (r != c && a[r][c] != 0.0) {
                double f = a[r][c];
                for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
            }
    }
    AcGeMatrix3d m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m.entry[r][c] = a[r][c + 4];
    return m;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector()) return false;
    return true;
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    AcGeVector3d cx(entry[0][0], entry[1][0], entry[2][0]);
    AcGeVector3d cy(entry[0][1], entry[1][1], entry[2][1]);
    AcGeVector3d cz(entry[0][2], entry[1][2], entry[2][2]);
    double lx = cx.length(), ly = cy.length(), lz = cz.length();
    double s = std::max({lx, ly, lz});
    if (s <= 0) return false;
    const double eps = 1e-9 * s;
    if (std::fabs(lx - ly) > eps || std::fabs(lx - lz) > eps) return false;
    double e2 = 1e-9 * s * s;
    return std::fabs(cx.dotProduct(cy)) <= e2 && std::fabs(cy.dotProduct(cz)) <= e2 &&
           std::fabs(cx.dotProduct(cz)) <= e2 && entry[3][0] == 0 && entry[3][1] == 0 && entry[3][2] == 0;
}

double AcGeMatrix3d::scale() const {
    double s = 0;
    for (int c = 0; c < 3; ++c)
        s = std::max(s, AcGeVector3d(entry[0][c], entry[1][c], entry[2][c]).length());
    return s;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
    setToIdentity();
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
    AcGeVector3d u = axis.normal();
    double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    setToIdentity();
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    AcGeVector3d cv = center.asVector();
    AcGeVector3d moved = (*this) * cv;
    entry[0][3] = cv.x - moved.x;
    entry[1][3] = cv.y - moved.y;
    entry[2][3] = cv.z - moved.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double s, const AcGePoint3d& center) {
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = s;
        entry[i][3] = center[i] * (1 - s);
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& plane) {
    AcGeVector3d n = plane.normal();
    AcGePoint3d p = plane.pointOnPlane();
    setToIdentity();
    double nn[3] = {n.x, n.y, n.z};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) entry[r][c] = (r == c ? 1.0 : 0.0) - 2 * nn[r] * nn[c];
    double d = p.asVector().dotProduct(n);
    for (int r = 0; r < 3; ++r) entry[r][3] = 2 * d * nn[r];
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& p) { return setToScaling(-1.0, p); }

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& x,
                                           const AcGeVector3d& y, const AcGeVector3d& z) {
    setToIdentity();
    for (int r = 0; r < 3; ++r) {
        entry[r][0] = x[r];
        entry[r][1] = y[r];
        entry[r][2] = z[r];
        entry[r][3] = origin[r];
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromX,
                                               const AcGeVector3d& fromY, const AcGeVector3d& fromZ,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toX,
                                               const AcGeVector3d& toY, const AcGeVector3d& toZ) {
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromX, fromY, fromZ);
    to.setCoordSystem(toOrigin, toX, toY, toZ);
    *this = to * from.inverse();
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    AcGeVector3d z = normal.normal();
    AcGeVector3d x = arbitraryXAxis(z);
    AcGeVector3d y = z.crossProduct(x).normal();
    return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, x, y, z);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) { return planeToWorld(normal).inverse(); }

// ---- knot vector ----

AcGeKnotVector::AcGeKnotVector(int size, const double* knots, double tol) : mTol(tol) {
    for (int i = 0; i < size; ++i) mKnots.append(knots[i]);
}

int AcGeKnotVector::multiplicityAt(int i) const {
    int m = 0;
    for (int k = 0; k < length(); ++k)
        if (std::fabs(mKnots[k] - mKnots[i]) <= mTol) ++m;
    return m;
}

bool AcGeKnotVector::isOn(double k) const {
    for (double v : mKnots)
        if (std::fabs(v - k) <= mTol) return true;
    return false;
}

void AcGeKnotVector::getDistinctKnots(AcGeDoubleArray& knots) const {
    knots.removeAll();
    for (double v : mKnots)
        if (knots.isEmpty() || std::fabs(v - knots.last()) > mTol) knots.append(v);
}
