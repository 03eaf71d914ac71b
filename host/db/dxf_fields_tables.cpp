// Filing of symbol tables and their records.
#include "cvx/dbents.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"

// ---- tables ----

Acad::ErrorStatus AcDbSymbolTable::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        if (g.is(100, "AcDbSymbolTable") || g.code == 70) continue;  // the count follows from the records
        cvxKeepGroup(this, kSectionTail, g);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbSymbolTable");
    int16_t n = 0;
    for (AcDbObjectId id : mRecords) n += id.isErased() ? 0 : 1;
    filer->writeInt16(70, n);
    return filer->filerStatus();
}

// ---- records ----

namespace {
// A record's name or flags met after its own data (files of other writers); true when taken.
bool lateNameOrFlags(AcDbSymbolTableRecord* rec, const AcDbDxfGroup& g) {
    if (g.code == 2) rec->setName(g.wtext().c_str());
    else if (g.code == 70) rec->setFlags(static_cast<int>(g.integer));
    else return g.code == 100;
    return true;
}

AcCmColor colorFrom(int64_t aci, bool trueColor, int64_t rgb) {
    AcCmColor c;
    if (trueColor) c.setRGB(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
    else c.setColorIndex(static_cast<int16_t>(aci < 0 ? -aci : aci));
    return c;
}
}  // namespace

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        if (g.code == 2) assignName(g.wtext());
        else if (g.code == 70) mFlags = static_cast<int>(g.integer);
        else if (g.code != 100) {
            filer->pushBackGroup();
            break;
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbSymbolTableRecord");
    filer->writeString(100, isA()->name());  // the record's subclass marker is its class name
    filer->writeString(2, mName);
    filer->writeInt16(70, static_cast<int16_t>(mFlags));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    int64_t aci = 7, rgb = 0;
    bool trueColor = false;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 62: aci = g.integer; break;
            case 420: rgb = g.integer; trueColor = true; break;
            case 6: mLinetype = cvxRecordByName(filer, AcDbDatabase::kLtype, g.text); break;
            case 290: mPlottable = g.integer != 0; break;
            case 370: mLineWeight = static_cast<int>(g.integer); break;
            default: if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
        }
    mOff = aci < 0;
    mColor = colorFrom(aci == 0 || aci > 255 || aci < -255 ? 7 : aci, trueColor, rgb);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    int16_t aci = mColor.isByColor() ? AcCmEntityColor::lookUpACI(mColor.red(), mColor.green(), mColor.blue())
                  : mColor.isByACI() ? mColor.colorIndex()
                                     : 7;
    filer->writeInt16(62, mOff ? static_cast<int16_t>(-aci) : aci);
    if (mColor.isByColor()) filer->writeInt32(420, static_cast<int32_t>(mColor.rgb()));
    if (mLinetype.isNull()) filer->writeString(6, L"Continuous");
    else cvxWriteRecordName(filer, 6, mLinetype);
    if (!mPlottable) filer->writeBool(290, false);
    filer->writeInt16(370, static_cast<int16_t>(mLineWeight));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mDashes.clear();
    bool complex = false;  // shapes and texts in the pattern: kept as read
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 3: mComments = g.wtext(); break;
            case 72: case 73: break;
            case 40: mPatternLength = g.real; break;
            case 49: mDashes.push_back(g.real); break;
            case 74:
                complex = complex || g.integer != 0;
                if (complex) cvxKeepGroup(this, kSectionTail, g);
                break;
            default: if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(3, mComments);
    filer->writeInt16(72, 65);
    filer->writeInt16(73, static_cast<int16_t>(mDashes.size()));
    filer->writeDouble(40, mPatternLength);
    for (double d : mDashes) {
        filer->writeDouble(49, d);
        filer->writeInt16(74, 0);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 40: mTextSize = g.real; break;
            case 41: mXScale = g.real; break;
            case 50: mObliquing = cvxRadians(g.real); break;
            case 71: mGenFlags = static_cast<int>(g.integer); break;
            case 42: mPriorSize = g.real; break;
            case 3: mFont = g.wtext(); break;
            case 4: mBigFont = g.wtext(); break;
            default: if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeDouble(40, mTextSize);
    filer->writeDouble(41, mXScale);
    filer->writeDouble(50, cvxDegrees(mObliquing));
    filer->writeInt16(71, static_cast<int16_t>(mGenFlags));
    filer->writeDouble(42, mPriorSize);
    filer->writeString(3, mFont);
    filer->writeString(4, mBigFont);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbUCSTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 10: mOrigin = g.point; break;
            case 11: mX = {g.point.x, g.point.y, g.point.z}; break;
            case 12: mY = {g.point.x, g.point.y, g.point.z}; break;
            default: if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbUCSTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint3d(10, mOrigin);
    filer->writeVector3d(11, mX);
    filer->writeVector3d(12, mY);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbViewportTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 10: mLowerLeft = {g.point.x, g.point.y}; break;
            case 11: mUpperRight = {g.point.x, g.point.y}; break;
            case 12: mCenter = {g.point.x, g.point.y}; break;
            case 16: mDirection = {g.point.x, g.point.y, g.point.z}; break;
            case 17: mTarget = g.point; break;
            case 40: mHeight = g.real; break;
            case 41: mAspect = g.real; break;
            default: if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbViewportTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint2d(10, mLowerLeft);
    filer->writePoint2d(11, mUpperRight);
    filer->writePoint2d(12, mCenter);
    filer->writeVector3d(16, mDirection);
    filer->writePoint3d(17, mTarget);
    filer->writeDouble(40, mHeight);
    filer->writeDouble(41, mAspect);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        if (g.code == 340) mLayout = filer->idFromHandle(static_cast<uint64_t>(g.integer));
        else if (!lateNameOrFlags(this, g)) cvxKeepGroup(this, kSectionTail, g);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    // Block records carry no flags group; the block's flags go with its BLOCK entity.
    filer->writeString(100, L"AcDbSymbolTableRecord");
    filer->writeString(100, L"AcDbBlockTableRecord");
    filer->writeString(2, name());
    if (flags() != 0) filer->writeInt16(70, static_cast<int16_t>(flags()));  // insertion units
    if (!mLayout.isNull()) filer->writeObjectId(340, mLayout);
    return filer->filerStatus();
}
