// The lightweight polyline: vertex editing, transformation, extents and conversion to and from 2D polylines.
#include <cmath>

#include "curves/bulge_polyline.h"
#include "cvx/dbents.h"
#include "db/curve_geometry.h"
#include "db/entity_transform.h"
#include "db/children.h"

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth) {
    if (index > mPts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mPts.insert(mPts.begin() + index, pt);
    if (!mBulges.empty() || bulge != 0) {
        mBulges.resize(mPts.size() - 1, 0.0);
        mBulges.insert(mBulges.begin() + index, bulge);
    }
    // A negative width means "the constant width".
    double sw = startWidth < 0 ? mConstantWidth : startWidth, ew = endWidth < 0 ? mConstantWidth : endWidth;
    if (!mWidths.empty() || sw != 0 || ew != 0) {
        mWidths.resize(mPts.size() - 1, {mConstantWidth, mConstantWidth});
        mWidths.insert(mWidths.begin() + index, {sw, ew});
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mPts.erase(mPts.begin() + index);
    if (!mBulges.empty()) mBulges.erase(mBulges.begin() + index);
    if (!mWidths.empty()) mWidths.erase(mWidths.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    pt = mPts[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    pt = toWorld(mPts[index]);
    return Acad::eOk;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const {
    AcGePoint3d local(p.x, p.y, mElevation);
    if (mNormal.isEqualTo(AcGeVector3d::kZAxis)) return local;
    return AcGeMatrix3d::planeToWorld(mNormal) * local;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt) {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mPts[index] = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    bulge = mBulges.empty() ? 0.0 : mBulges[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    if (mBulges.empty()) {
        if (bulge == 0) return Acad::eOk;
        mBulges.assign(mPts.size(), 0.0);
    }
    mBulges[index] = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    if (mWidths.empty()) {
        startWidth = endWidth = mConstantWidth;
    } else {
        startWidth = mWidths[index].first;
        endWidth = mWidths[index].second;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth) {
    if (index >= mPts.size()) return Acad::eInvalidIndex;
    if (startWidth < 0 || endWidth < 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    if (mWidths.empty()) mWidths.assign(mPts.size(), {mConstantWidth, mConstantWidth});
    mWidths[index] = {startWidth, endWidth};
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
    width = mConstantWidth;
    for (const auto& [s, e] : mWidths)
        if (s != mConstantWidth || e != mConstantWidth) return Acad::eNotApplicable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
    if (width < 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mConstantWidth = width;
    mWidths.clear();
    return Acad::eOk;
}

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const {
    if (mPts.empty()) return kEmpty;
    if (mPts.size() == 1) return kPoint;
    if (index >= mPts.size() || (!mClosed && index == mPts.size() - 1)) return kEmpty;
    const AcGePoint2d& a = mPts[index];
    const AcGePoint2d& b = mPts[(index + 1) % mPts.size()];
    if (a.isEqualTo(b)) return kCoincident;
    return (!mBulges.empty() && mBulges[index] != 0) ? kArc : kLine;
}

bool AcDbPolyline::hasBulges() const {
    for (double b : mBulges)
        if (b != 0) return true;
    return false;
}

bool AcDbPolyline::hasWidth() const {
    if (mConstantWidth != 0) return true;
    for (const auto& [s, e] : mWidths)
        if (s != 0 || e != 0) return true;
    return false;
}

void AcDbPolyline::reset(bool reuse, unsigned int numVerts) {
    assertWriteEnabled();
    unsigned int keep = reuse ? numVerts : 0;
    if (keep < mPts.size()) {
        mPts.resize(keep);
        if (!mBulges.empty()) mBulges.resize(keep);
        if (!mWidths.empty()) mWidths.resize(keep);
    }
    if (!reuse) mClosed = false;
}

Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& m) {
    bool uniform = m.isUniScaledOrtho();
    if (!uniform && (hasBulges() || hasWidth())) return Acad::eCannotScaleNonUniformly;
    AcGeVector3d newNormal = cvxTransformedNormal(m, mNormal);
    if (newNormal.isZeroLength()) return Acad::eDegenerateGeometry;
    assertWriteEnabled();
    // Vertices go to world coordinates, through the transformation, and into the new plane's coordinates.
    AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(newNormal) * m;
    AcGeMatrix3d fromOld = AcGeMatrix3d::planeToWorld(mNormal);
    AcGeMatrix3d full = toPlane * fromOld;
    double elevation = mElevation;
    for (AcGePoint2d& p : mPts) {
        AcGePoint3d q = full * AcGePoint3d(p.x, p.y, mElevation);
        p.set(q.x, q.y);
        elevation = q.z;
    }
    if (mPts.empty()) elevation = (full * AcGePoint3d(0, 0, mElevation)).z;
    mElevation = elevation;
    mNormal = newNormal;
    // A mirror reverses every arc's sense of turning.
    if (m.det() < 0)
        for (double& b : mBulges) b = -b;
    double s = m.scale();
    mConstantWidth *= s;
    for (auto& [sw, ew] : mWidths) {
        sw *= s;
        ew *= s;
    }
    mThickness *= s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& ext) const {
    if (mPts.empty()) return Acad::eInvalidExtents;
    cvx::geom::Curve g = cvxPlacedPolyline(this);
    auto [mn, mx] = cvx::geom::roughBox(g);
    ext.addPoint(mn);
    ext.addPoint(mx);
    return Acad::eOk;
}

void AcDbPolyline::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbPolyline*>(other);
    o->mPts = mPts;
    o->mBulges = mBulges;
    o->mWidths = mWidths;
    o->mNormal = mNormal;
    o->mElevation = mElevation;
    o->mThickness = mThickness;
    o->mConstantWidth = mConstantWidth;
    o->mClosed = mClosed;
    o->mPlinegen = mPlinegen;
}

// ---- conversion to and from 2D polylines ----

Acad::ErrorStatus AcDbPolyline::convertFrom(AcDbEntity*& source, bool transferId) {
    auto* old = AcDb2dPolyline::cast(source);
    if (!old) return Acad::eWrongObjectType;
    if (old->polyType() != AcDb::k2dSimplePoly) return Acad::eNotApplicable;  // fit curves lose their shape
    if (transferId && (!old->isDatabaseResident() || isDatabaseResident())) return Acad::eIllegalReplacement;
    assertWriteEnabled();
    mPts.clear();
    mBulges.clear();
    mWidths.clear();
    for (const AcDbVertex* v : old->vertices()) {
        auto* v2 = static_cast<const AcDb2dVertex*>(v);
        unsigned int i = numVerts();
        addVertexAt(i, v2->position().convert2d(), v2->bulge(), v2->startWidth(), v2->endWidth());
    }
    mClosed = old->isClosed();
    mElevation = old->elevation();
    mNormal = old->normal();
    mThickness = old->thickness();
    mPlinegen = old->isLinetypeGenerationOn();
    setPropertiesFrom(old);
    if (transferId) {
        // The vertices and the end marker go with the old entity; the new one takes its place.
        old->removeAllVertices();
        Acad::ErrorStatus es = old->handOverTo(this);
        if (es != Acad::eOk) return es;
        source = this;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::convertTo(AcDb2dPolyline*& polyline, bool transferId) {
    if (transferId && !isDatabaseResident()) return Acad::eNotInDatabase;
    AcGePoint3dArray pts;
    AcGeDoubleArray bulges;
    for (unsigned int i = 0; i < numVerts(); ++i) {
        pts.append(AcGePoint3d(mPts[i].x, mPts[i].y, mElevation));
        bulges.append(mBulges.empty() ? 0.0 : mBulges[i]);
    }
    auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, mElevation, mClosed, mConstantWidth, mConstantWidth,
                                  &bulges);
    pl->setNormal(mNormal);
    pl->setThickness(mThickness);
    if (mPlinegen) pl->setLinetypeGenerationOn();
    pl->setPropertiesFrom(this);
    if (!mWidths.empty()) {
        unsigned int i = 0;
        for (AcDbVertex* v : pl->verticesForWrite()) {
            auto* v2 = static_cast<AcDb2dVertex*>(v);
            v2->setStartWidth(mWidths[i].first);
            v2->setEndWidth(mWidths[i].second);
            ++i;
        }
    }
    if (transferId) {
        Acad::ErrorStatus es = handOverTo(pl);
        if (es != Acad::eOk) {
            delete pl;
            return es;
        }
        // The vertices become resident under the polyline that now holds this one's id.
        cvxMakeChildrenResident(pl);
    }
    polyline = pl;
    return Acad::eOk;
}
