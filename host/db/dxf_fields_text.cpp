// Filing of texts, attributes, multiline texts and block references.
#include <algorithm>

#include "cvx/dbents.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"

namespace {
AcGeVector3d vec(const AcDbDxfGroup& g) { return {g.point.x, g.point.y, g.point.z}; }
bool isZAxis(const AcGeVector3d& n) { return n.x == 0 && n.y == 0 && n.z == 1; }
bool isAttributeLike(const AcDbObject* o) {
    return AcDbAttribute::cast(o) != nullptr || AcDbAttributeDefinition::cast(o) != nullptr;
}
}  // namespace

// ---- single-line text (and the text part of attributes) ----

Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    // Attributes keep their vertical alignment in 74; 73 is their field length.
    const bool attribute = isAttributeLike(this);
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: if (g.text == "AcDbText") break; cvxKeepGroup(this, kSectionTail, g); break;
            case 10: mPos = g.point; break;
            case 11: mAlign = g.point; break;
            case 40: mHeight = g.real; break;
            case 1: mText = g.wtext(); break;
            case 50: mRotation = cvxRadians(g.real); break;
            case 41: mWidthFactor = g.real; break;
            case 51: mOblique = cvxRadians(g.real); break;
            case 7: mStyle = cvxRecordByName(filer, AcDbDatabase::kStyle, g.text); break;
            case 71: mGenFlags = static_cast<int>(g.integer); break;
            case 72: mHorz = static_cast<AcDb::TextHorzMode>(std::clamp<int64_t>(g.integer, 0, 5)); break;
            case 73:
                if (attribute) cvxKeepGroup(this, kSectionTail, g);
                else mVert = static_cast<AcDb::TextVertMode>(std::clamp<int64_t>(g.integer, 0, 3));
                break;
            case 74:
                if (attribute) mVert = static_cast<AcDb::TextVertMode>(std::clamp<int64_t>(g.integer, 0, 3));
                else cvxKeepGroup(this, kSectionTail, g);
                break;
            case 39: mThickness = g.real; break;
            case 210: mNormal = vec(g); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

namespace {
// The groups a text and the text part of an attribute share.
void writeTextPart(AcDbDxfFiler* f, double thickness, const AcGePoint3d& pos, double height, const std::wstring& text,
                   double rotation, double widthFactor, double oblique, AcDbObjectId style, int genFlags,
                   int horz, bool defaultAlignment, const AcGePoint3d& align, const AcGeVector3d& normal) {
    f->writeString(100, L"AcDbText");
    if (thickness != 0) f->writeDouble(39, thickness);
    f->writePoint3d(10, pos);
    f->writeDouble(40, height);
    f->writeString(1, text);
    if (rotation != 0) f->writeDouble(50, cvxDegrees(rotation));
    if (widthFactor != 1) f->writeDouble(41, widthFactor);
    if (oblique != 0) f->writeDouble(51, cvxDegrees(oblique));
    if (!style.isNull()) cvxWriteRecordName(f, 7, style);
    if (genFlags != 0) f->writeInt16(71, static_cast<int16_t>(genFlags));
    if (horz != 0) f->writeInt16(72, static_cast<int16_t>(horz));
    if (!defaultAlignment) f->writePoint3d(11, align);
    if (!isZAxis(normal)) f->writeVector3d(210, normal);
}
}  // namespace

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    writeTextPart(filer, mThickness, mPos, mHeight, mText, mRotation, mWidthFactor, mOblique, mStyle, mGenFlags,
                  mHorz, isDefaultAlignment(), mAlign, mNormal);
    // Attributes write their own subclass data after this part.
    if (isAttributeLike(this)) return filer->filerStatus();
    filer->writeString(100, L"AcDbText");
    if (mVert != 0) filer->writeInt16(73, static_cast<int16_t>(mVert));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    cvxTakeKept(this, [&](int code, std::string_view text) {
        switch (code) {
            case 100: return text == "AcDbAttributeDefinition";
            case 3: mPrompt = cvxFromUtf8(text); return true;
            case 2: mTag = cvxFromUtf8(text); return true;
            case 70: mAttFlags = static_cast<int>(cvxKeptInt(text)); return true;
            case 73: mFieldLength = static_cast<int>(cvxKeptInt(text)); return true;
            default: return false;
        }
    });
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbAttributeDefinition");
    filer->writeString(3, mPrompt);
    filer->writeString(2, mTag);
    filer->writeInt16(70, static_cast<int16_t>(mAttFlags));
    if (mFieldLength != 0) filer->writeInt16(73, static_cast<int16_t>(mFieldLength));
    if (mVert != 0) filer->writeInt16(74, static_cast<int16_t>(mVert));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttribute::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    cvxTakeKept(this, [&](int code, std::string_view text) {
        switch (code) {
            case 100: return text == "AcDbAttribute";
            case 2: mTag = cvxFromUtf8(text); return true;
            case 70: mAttFlags = static_cast<int>(cvxKeptInt(text)); return true;
            case 73: mFieldLength = static_cast<int>(cvxKeptInt(text)); return true;
            default: return false;
        }
    });
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttribute::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbAttribute");
    filer->writeString(2, mTag);
    filer->writeInt16(70, static_cast<int16_t>(mAttFlags));
    if (mFieldLength != 0) filer->writeInt16(73, static_cast<int16_t>(mFieldLength));
    if (mVert != 0) filer->writeInt16(74, static_cast<int16_t>(mVert));
    return filer->filerStatus();
}

// ---- multiline text ----

Acad::ErrorStatus AcDbMText::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    std::string contents;
    bool haveDirection = false;
    double rotation = 0;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mLocation = g.point; break;
            case 40: mHeight = g.real; break;
            case 41: mWidth = g.real; break;
            case 71: mAttach = static_cast<AttachmentPoint>(std::clamp<int64_t>(g.integer, 1, 9)); break;
            case 72: mDrawDir = static_cast<int>(g.integer); break;
            case 1: case 3: contents.append(g.text); break;
            case 7: mStyle = cvxRecordByName(filer, AcDbDatabase::kStyle, g.text); break;
            case 210: mNormal = vec(g); break;
            case 11: mDirection = vec(g); haveDirection = true; break;
            case 50: rotation = cvxRadians(g.real); break;
            case 44: mSpacing = g.real; break;
            case 73: mSpacingStyle = static_cast<int>(g.integer); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    mContents = cvxFromUtf8(contents);
    if (!haveDirection && rotation != 0) mDirection = AcGeVector3d(std::cos(rotation), std::sin(rotation), 0);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbMText::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbMText");
    filer->writePoint3d(10, mLocation);
    filer->writeDouble(40, mHeight);
    filer->writeDouble(41, mWidth);
    filer->writeInt16(71, static_cast<int16_t>(mAttach));
    filer->writeInt16(72, static_cast<int16_t>(mDrawDir));
    // Long contents go out in pieces of 250 characters, all but the last as group 3.
    constexpr size_t kChunk = 250;
    std::wstring_view rest = mContents;
    while (rest.size() > kChunk) {
        filer->writeString(3, rest.substr(0, kChunk));
        rest.remove_prefix(kChunk);
    }
    filer->writeString(1, rest);
    if (!mStyle.isNull()) cvxWriteRecordName(filer, 7, mStyle);
    if (!isZAxis(mNormal)) filer->writeVector3d(210, mNormal);
    filer->writeVector3d(11, mDirection);
    filer->writeInt16(73, static_cast<int16_t>(mSpacingStyle));
    filer->writeDouble(44, mSpacing);
    return filer->filerStatus();
}

// ---- block references ----

Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: case 66: break;  // whether attributes follow: the reader sees them
            case 2: mBlock = cvxRecordByName(filer, AcDbDatabase::kBlock, g.text); break;
            case 10: mPos = g.point; break;
            case 41: mScale.sx = g.real; break;
            case 42: mScale.sy = g.real; break;
            case 43: mScale.sz = g.real; break;
            case 50: mRotation = cvxRadians(g.real); break;
            case 70: mColumns = static_cast<int>(g.integer); break;
            case 71: mRows = static_cast<int>(g.integer); break;
            case 44: mColumnSpacing = g.real; break;
            case 45: mRowSpacing = g.real; break;
            case 210: mNormal = vec(g); break;
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    // The file gives the insertion point in the reference's own coordinate system (its normal's arbitrary axes).
    if (!isZAxis(mNormal)) mPos = AcGeMatrix3d::planeToWorld(mNormal) * mPos;
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    bool array = mColumns > 1 || mRows > 1;
    filer->writeString(100, array ? L"AcDbMInsertBlock" : L"AcDbBlockReference");
    if (!mAttributes.empty()) filer->writeInt16(66, 1);
    cvxWriteRecordName(filer, 2, mBlock);
    filer->writePoint3d(10, isZAxis(mNormal) ? mPos : AcGeMatrix3d::worldToPlane(mNormal) * mPos);
    if (mScale.sx != 1) filer->writeDouble(41, mScale.sx);
    if (mScale.sy != 1) filer->writeDouble(42, mScale.sy);
    if (mScale.sz != 1) filer->writeDouble(43, mScale.sz);
    if (mRotation != 0) filer->writeDouble(50, cvxDegrees(mRotation));
    if (mColumns != 1) filer->writeInt16(70, static_cast<int16_t>(mColumns));
    if (mRows != 1) filer->writeInt16(71, static_cast<int16_t>(mRows));
    if (mColumnSpacing != 0) filer->writeDouble(44, mColumnSpacing);
    if (mRowSpacing != 0) filer->writeDouble(45, mRowSpacing);
    if (!isZAxis(mNormal)) filer->writeVector3d(210, mNormal);
    return filer->filerStatus();
}
