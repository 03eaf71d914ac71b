// Filing of the common entity data and of the curve entities.
#include <algorithm>

#include "cvx/dbents.h"
#include "db/dxf_support.h"

namespace {
AcGeVector3d vec(const AcDbDxfGroup& g) { return {g.point.x, g.point.y, g.point.z}; }
AcGePoint3d pt(const AcDbDxfGroup& g) { return g.point; }
bool isZAxis(const AcGeVector3d& n) { return n.x == 0 && n.y == 0 && n.z == 1; }
// Circles and arcs keep their centre in world coordinates; a drawing file gives it in the entity's own
// coordinate system (the arbitrary axes of its normal).
AcGePoint3d centerToFile(const AcGePoint3d& c, const AcGeVector3d& n) {
    return isZAxis(n) ? c : AcGeMatrix3d::worldToPlane(n) * c;
}
AcGePoint3d centerFromFile(const AcGePoint3d& c, const AcGeVector3d& n) {
    return isZAxis(n) ? c : AcGeMatrix3d::planeToWorld(n) * c;
}
void writeNormal(AcDbDxfFiler* f, const AcGeVector3d& n) {
    if (!isZAxis(n)) f->writeVector3d(210, n);
}
void writeThickness(AcDbDxfFiler* f, double t) {
    if (t != 0) f->writeDouble(39, t);
}
}  // namespace

// ---- common entity data ----

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    bool marked = false, trueColor = false;
    int64_t aci = 256, rgb = 0;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        bool mine = true;
        switch (g.code) {
            case 100:
                mine = !marked && g.text == "AcDbEntity";
                marked = marked || mine;
                break;
            case 67: mPaperSpace = g.integer != 0; break;
            case 8: mLayer = cvxRecordByName(filer, AcDbDatabase::kLayer, g.text); break;
            case 6: mLinetype = cvxRecordByName(filer, AcDbDatabase::kLtype, g.text); break;
            case 62: aci = g.integer; break;
            case 420: rgb = g.integer; trueColor = true; break;
            case 370: mLineWeight = static_cast<int16_t>(g.integer); break;
            case 48: mLtScale = g.real; break;
            case 60: mVisible = g.integer == 0; break;
            default:
                // Groups of the common data the host does not model (transparency, plot style, ...).
                if (marked) cvxKeepGroup(this, kSectionEntity, g);
                else mine = false;
        }
        if (!mine) {
            filer->pushBackGroup();
            break;
        }
    }
    if (trueColor) mColor.setRGB(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
    else if (aci == 0) mColor.setByBlock();
    else if (aci == 256 || aci < -255 || aci > 256) mColor.setByLayer();
    else mColor.setColorIndex(static_cast<int16_t>(aci < 0 ? -aci : aci));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbEntity");
    if (mPaperSpace) filer->writeInt16(67, 1);
    cvxWriteRecordName(filer, 8, mLayer);
    if (!mLinetype.isNull() && !cvxIsByLayerLinetype(filer, mLinetype)) cvxWriteRecordName(filer, 6, mLinetype);
    if (mColor.isByBlock()) filer->writeInt16(62, 0);
    else if (mColor.isByACI()) filer->writeInt16(62, mColor.colorIndex());
    else if (mColor.isByColor()) {
        filer->writeInt16(62, AcCmEntityColor::lookUpACI(mColor.red(), mColor.green(), mColor.blue()));
        filer->writeInt32(420, static_cast<int32_t>(mColor.rgb()));
    } else if (mColor.isForeground()) filer->writeInt16(62, 7);
    if (mLineWeight != -1) filer->writeInt16(370, mLineWeight);
    if (mLtScale != 1.0) filer->writeDouble(48, mLtScale);
    if (!mVisible) filer->writeInt16(60, 1);
    cvxWriteKept(this, filer, kSectionEntity);
    return filer->filerStatus();
}

// ---- lines, circles, arcs, ellipses, points ----

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mStart = pt(g); break;
            case 11: mEnd = pt(g); break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbLine");
    writeThickness(filer, mThickness);
    filer->writePoint3d(10, mStart);
    filer->writePoint3d(11, mEnd);
    writeNormal(filer, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mCenter = pt(g); break;
            case 40: mRadius = g.real; break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    mCenter = centerFromFile(mCenter, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbCircle");
    writeThickness(filer, mThickness);
    filer->writePoint3d(10, centerToFile(mCenter, mNormal));
    filer->writeDouble(40, mRadius);
    writeNormal(filer, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mCenter = pt(g); break;
            case 40: mRadius = g.real; break;
            case 50: mStart = cvxRadians(g.real); break;
            case 51: mEnd = cvxRadians(g.real); break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    mCenter = centerFromFile(mCenter, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbCircle");
    writeThickness(filer, mThickness);
    filer->writePoint3d(10, centerToFile(mCenter, mNormal));
    filer->writeDouble(40, mRadius);
    writeNormal(filer, mNormal);
    filer->writeString(100, L"AcDbArc");
    filer->writeDouble(50, cvxDegrees(mStart));
    filer->writeDouble(51, cvxDegrees(mEnd));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEllipse::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mCenter = pt(g); break;
            case 11: mMajor = vec(g); break;
            case 210: mNormal = vec(g); break;
            case 40: mRatio = g.real; break;
            case 41: mStartParam = g.real; break;
            case 42: mEndParam = g.real; break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEllipse::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbEllipse");
    filer->writePoint3d(10, mCenter);
    filer->writeVector3d(11, mMajor);
    writeNormal(filer, mNormal);
    filer->writeDouble(40, mRatio);
    filer->writeDouble(41, mStartParam);
    filer->writeDouble(42, mEndParam);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPoint::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mPos = pt(g); break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            case 50: mRotation = cvxRadians(g.real); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPoint::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbPoint");
    filer->writePoint3d(10, mPos);
    writeThickness(filer, mThickness);
    writeNormal(filer, mNormal);
    if (mRotation != 0) filer->writeDouble(50, cvxDegrees(mRotation));
    return filer->filerStatus();
}

// ---- lightweight polyline ----

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mPts.clear();
    mBulges.clear();
    mWidths.clear();
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        size_t last = mPts.empty() ? 0 : mPts.size() - 1;
        switch (g.code) {
            case 100: break;
            case 90: mPts.reserve(static_cast<size_t>(std::clamp<int64_t>(g.integer, 0, 1 << 20))); break;
            case 70:
                mClosed = (g.integer & 1) != 0;
                mPlinegen = (g.integer & 128) != 0;
                break;
            case 43: mConstantWidth = g.real; break;
            case 38: mElevation = g.real; break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            case 10: mPts.emplace_back(g.point.x, g.point.y); break;
            case 40:
            case 41:
                if (mPts.empty()) break;
                if (mWidths.size() < mPts.size()) mWidths.resize(mPts.size());
                (g.code == 40 ? mWidths[last].first : mWidths[last].second) = g.real;
                break;
            case 42:
                if (mPts.empty()) break;
                if (mBulges.size() < mPts.size()) mBulges.resize(mPts.size());
                mBulges[last] = g.real;
                break;
            case 91: break;  // vertex identifiers are not kept
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    }
    if (!mBulges.empty()) mBulges.resize(mPts.size());
    if (!mWidths.empty()) mWidths.resize(mPts.size());
    if (std::all_of(mBulges.begin(), mBulges.end(), [](double b) { return b == 0; })) mBulges.clear();
    if (std::all_of(mWidths.begin(), mWidths.end(), [](auto w) { return w.first == 0 && w.second == 0; }))
        mWidths.clear();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbPolyline");
    filer->writeInt32(90, static_cast<int32_t>(mPts.size()));
    filer->writeInt16(70, static_cast<int16_t>((mClosed ? 1 : 0) | (mPlinegen ? 128 : 0)));
    // Widths that are all zero are written as none, as reading takes them: the same polyline reads back the same.
    const bool widths = std::any_of(mWidths.begin(), mWidths.end(), [](auto w) { return w.first != 0 || w.second != 0; });
    if (!widths) filer->writeDouble(43, mConstantWidth);
    if (mElevation != 0) filer->writeDouble(38, mElevation);
    writeThickness(filer, mThickness);
    for (size_t i = 0; i < mPts.size(); ++i) {
        filer->writePoint2d(10, mPts[i]);
        if (widths) {
            filer->writeDouble(40, mWidths[i].first);
            filer->writeDouble(41, mWidths[i].second);
        }
        if (!mBulges.empty() && mBulges[i] != 0) filer->writeDouble(42, mBulges[i]);
    }
    writeNormal(filer, mNormal);
    return filer->filerStatus();
}

// ---- heavy polylines and their vertices ----

Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    int curveType = 0, flags = 0;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: case 66: break;
            case 10: mElevation = g.point.z; break;
            case 30: mElevation = g.real; break;
            case 39: mThickness = g.real; break;
            case 70: flags = static_cast<int>(g.integer); break;
            case 40: mDefStart = g.real; break;
            case 41: mDefEnd = g.real; break;
            case 73: mSegs = static_cast<int16_t>(g.integer); break;
            case 75: curveType = static_cast<int>(g.integer); break;
            case 210: mNormal = vec(g); break;
            case 71: case 72: case 74: break;  // mesh sizes and surface density: not used by 2D polylines
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    mClosed = (flags & 1) != 0;
    mPlinegen = (flags & 128) != 0;
    if (flags & 4) mType = curveType == 5 ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly;
    else if (flags & 2) mType = AcDb::k2dFitCurvePoly;
    else mType = AcDb::k2dSimplePoly;
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDb2dPolyline");
    filer->writeInt16(66, 1);
    filer->writePoint3d(10, AcGePoint3d(0, 0, mElevation));
    writeThickness(filer, mThickness);
    int flags = (mClosed ? 1 : 0) | (mPlinegen ? 128 : 0);
    if (mType == AcDb::k2dFitCurvePoly) flags |= 2;
    if (mType == AcDb::k2dQuadSplinePoly || mType == AcDb::k2dCubicSplinePoly) flags |= 4;
    filer->writeInt16(70, static_cast<int16_t>(flags));
    if (mDefStart != 0) filer->writeDouble(40, mDefStart);
    if (mDefEnd != 0) filer->writeDouble(41, mDefEnd);
    if (mSegs != 0) filer->writeInt16(73, mSegs);
    if (mType == AcDb::k2dQuadSplinePoly) filer->writeInt16(75, 5);
    if (mType == AcDb::k2dCubicSplinePoly) filer->writeInt16(75, 6);
    writeNormal(filer, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb3dPolyline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    int curveType = 0, flags = 0;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: case 66: case 10: break;
            case 70: flags = static_cast<int>(g.integer); break;
            case 75: curveType = static_cast<int>(g.integer); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    mClosed = (flags & 1) != 0;
    if (flags & 4) mType = curveType == 5 ? AcDb::k3dQuadSplinePoly : AcDb::k3dCubicSplinePoly;
    else mType = AcDb::k3dSimplePoly;
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb3dPolyline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDb3dPolyline");
    filer->writeInt16(66, 1);
    filer->writePoint3d(10, AcGePoint3d());
    int flags = 8 | (mClosed ? 1 : 0) | (mType != AcDb::k3dSimplePoly ? 4 : 0);
    filer->writeInt16(70, static_cast<int16_t>(flags));
    if (mType == AcDb::k3dQuadSplinePoly) filer->writeInt16(75, 5);
    if (mType == AcDb::k3dCubicSplinePoly) filer->writeInt16(75, 6);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mPos = pt(g); break;
            case 40: mStartWidth = g.real; break;
            case 41: mEndWidth = g.real; break;
            case 42: mBulge = g.real; break;
            case 50: mTangent = cvxRadians(g.real); break;
            case 70: setVertexFlags(static_cast<int>(g.integer)); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbVertex");
    filer->writeString(100, L"AcDb2dVertex");
    filer->writePoint3d(10, mPos);
    if (mStartWidth != 0) filer->writeDouble(40, mStartWidth);
    if (mEndWidth != 0) filer->writeDouble(41, mEndWidth);
    if (mBulge != 0) filer->writeDouble(42, mBulge);
    filer->writeInt16(70, static_cast<int16_t>(vertexFlags()));
    if (mTangentUsed) filer->writeDouble(50, cvxDegrees(mTangent));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mPos = pt(g); break;
            case 70:
                mType = (g.integer & 16) ? AcDb::k3dControlVertex
                        : (g.integer & 8) ? AcDb::k3dFitVertex
                                          : AcDb::k3dSimpleVertex;
                break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbVertex");
    filer->writeString(100, L"AcDb3dPolylineVertex");
    filer->writePoint3d(10, mPos);
    int flags = 32 | (mType == AcDb::k3dControlVertex ? 16 : 0) | (mType == AcDb::k3dFitVertex ? 8 : 0);
    filer->writeInt16(70, static_cast<int16_t>(flags));
    return filer->filerStatus();
}

// ---- splines and helices ----

Acad::ErrorStatus AcDbSpline::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mKnots.clear();
    mWeights.clear();
    mCtrl.clear();
    mFit.clear();
    int flags = 0;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        if (g.code == 100 && g.text != "AcDbSpline") {  // the data of a class derived from the spline
            filer->pushBackGroup();
            break;
        }
        switch (g.code) {
            case 100: break;
            case 210: mNormal = vec(g); break;
            case 70: flags = static_cast<int>(g.integer); break;
            case 71: mDegree = static_cast<int>(g.integer); break;
            case 72: case 73: case 74: break;  // counts follow from the lists
            case 42: mKnotTol = g.real; break;
            case 43: mCtrlTol = g.real; break;
            case 44: mFitTol = g.real; break;
            case 12: mStartTan = vec(g); break;
            case 13: mEndTan = vec(g); break;
            case 40: mKnots.push_back(g.real); break;
            case 41: mWeights.push_back(g.real); break;
            case 10: mCtrl.push_back(pt(g)); break;
            case 11: mFit.push_back(pt(g)); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    }
    mClosed = (flags & 1) != 0;
    mPeriodic = (flags & 2) != 0;
    if (!(flags & 4) || mWeights.size() != mCtrl.size()) mWeights.clear();
    // A spline given by its fit points alone (as several programs write it) gets its curve computed here;
    // without it the spline would have no length, no extents and nothing to pick. The file's plane is kept.
    if (mCtrl.empty() && mFit.size() >= 2) {
        AcGeVector3d normal = mNormal;
        if (refit() == Acad::eOk && !normal.isZeroLength() && !isZAxis(normal)) mNormal = normal;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSpline::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbSpline");
    bool planar = isPlanar();
    if (planar) filer->writeVector3d(210, mNormal);
    int flags = (mClosed ? 1 : 0) | (mPeriodic ? 2 : 0) | (mWeights.empty() ? 0 : 4) | (planar ? 8 : 0);
    filer->writeInt16(70, static_cast<int16_t>(flags));
    filer->writeInt16(71, static_cast<int16_t>(mDegree));
    filer->writeInt16(72, static_cast<int16_t>(mKnots.size()));
    filer->writeInt16(73, static_cast<int16_t>(mCtrl.size()));
    filer->writeInt16(74, static_cast<int16_t>(mFit.size()));
    filer->writeDouble(42, mKnotTol);
    filer->writeDouble(43, mCtrlTol);
    if (!mFit.empty()) {
        filer->writeDouble(44, mFitTol);
        if (!mStartTan.isZeroLength()) filer->writeVector3d(12, mStartTan);
        if (!mEndTan.isZeroLength()) filer->writeVector3d(13, mEndTan);
    }
    for (double k : mKnots) filer->writeDouble(40, k);
    for (double w : mWeights) filer->writeDouble(41, w);
    for (const AcGePoint3d& p : mCtrl) filer->writePoint3d(10, p);
    for (const AcGePoint3d& p : mFit) filer->writePoint3d(11, p);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHelix::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSpline::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: case 90: case 91: break;
            case 10: mAxisPoint = pt(g); break;
            case 11: mStart = pt(g); break;
            case 12: mAxis = vec(g); break;
            case 40: mTopRadius = g.real; break;
            case 41: mTurns = g.real; break;
            case 42: mTurnHeight = g.real; break;
            case 290: mCcw = g.integer != 0; break;
            case 280: mConstrain = static_cast<int>(g.integer); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHelix::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSpline::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbHelix");
    filer->writeInt32(90, 29);
    filer->writeInt32(91, 63);
    filer->writePoint3d(10, mAxisPoint);
    filer->writePoint3d(11, mStart);
    filer->writeVector3d(12, mAxis);
    filer->writeDouble(40, mTopRadius);
    filer->writeDouble(41, mTurns);
    filer->writeDouble(42, mTurnHeight);
    filer->writeBool(290, mCcw);
    filer->writeInt16(280, static_cast<int16_t>(mConstrain));
    return filer->filerStatus();
}
