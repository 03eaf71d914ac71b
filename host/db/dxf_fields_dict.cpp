// Filing of dictionaries, xrecords, and the entities and objects the host keeps as read.
#include <algorithm>
#include <cstdlib>

#include "cvx/dbents.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mEntries.clear();
    std::wstring key;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 280: mHardOwner = g.integer != 0; break;
            case 281: mMergeStyle = static_cast<int>(g.integer); break;
            case 3: key = g.wtext(); break;
            case 350:
            case 360: {
                AcDbObjectId id = filer->idFromHandle(static_cast<uint64_t>(g.integer));
                if (!id.isNull()) mEntries.push_back({key, id});
                break;
            }
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbDictionary");
    if (mHardOwner) filer->writeInt16(280, 1);
    filer->writeInt16(281, static_cast<int16_t>(mMergeStyle));
    for (const Entry& e : mEntries) {
        if (e.id.isNull() || e.id.isErased()) continue;
        filer->writeString(3, e.key);
        filer->writeObjectId(mHardOwner ? 360 : 350, e.id);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mGroups.clear();
    mTexts.clear();
    bool first = true;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) {
        if (g.is(100, "AcDbXrecord")) continue;
        if (first && g.code == 280) {
            mCloning = static_cast<int>(g.integer);
            first = false;
            continue;
        }
        first = false;
        if (acutResbufValueKind(g.code) == ResbufValueKind::String) mTexts.emplace_back(g.text);
        mGroups.push_back(g);
    }
    // Each text group's view points into mTexts, which no longer moves.
    size_t t = 0;
    for (AcDbDxfGroup& grp : mGroups)
        grp.text = acutResbufValueKind(grp.code) == ResbufValueKind::String ? std::string_view(mTexts[t++])
                                                                              : std::string_view();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbXrecord");
    filer->writeInt16(280, static_cast<int16_t>(mCloning));
    for (const AcDbDxfGroup& g : mGroups) {
        switch (cvxDxfKind(g.code)) {
            case CvxDxfKind::Text: cvxWriteTextGroup(filer, g.code, g.text); break;
            case CvxDxfKind::Real: filer->writeDouble(g.code, g.real); break;
            case CvxDxfKind::Int: filer->writeInt64(g.code, g.integer); break;
            case CvxDxfKind::Handle: filer->writeHandle(g.code, AcDbHandle(static_cast<uint64_t>(g.integer))); break;
            case CvxDxfKind::PointX:
                if (g.hasZ) filer->writePoint3d(g.code, g.point);
                else filer->writePoint2d(g.code, AcGePoint2d(g.point.x, g.point.y));
                break;
            case CvxDxfKind::Binary:
            case CvxDxfKind::Invalid: break;
        }
    }
    return filer->filerStatus();
}

// ---- kept as read ----

namespace {
using Groups = std::vector<std::pair<int, std::string>>;

// Files without subclass markers (R12) list a dimension's groups together; the 2000 format puts the points
// and values of its kind (group 70) under that kind's subclass, the rotation of a linear one under its own.
void addDimensionSubclasses(Groups& groups) {
    static const char* const kKinds[] = {"AcDbAlignedDimension",      "AcDbAlignedDimension",
                                         "AcDb2LineAngularDimension", "AcDbDiametricDimension",
                                         "AcDbRadialDimension",       "AcDb3PointAngularDimension",
                                         "AcDbOrdinateDimension"};
    if (std::any_of(groups.begin(), groups.end(), [](const auto& g) { return g.first == 100; })) return;
    int kind = 0;
    for (const auto& [code, text] : groups)
        if (code == 70) kind = std::atoi(text.c_str()) & 7;
    if (kind > 6) return;
    auto ofKind = [](int c) { return (c % 10 >= 3 && c % 10 <= 6 && c >= 13 && c <= 36) || c == 40; };
    auto ofRotation = [](int c) { return c == 50 || c == 52; };
    Groups common{{100, "AcDbDimension"}}, own{{100, kKinds[kind]}}, rotation{{100, "AcDbRotatedDimension"}};
    for (auto& g : groups) {
        Groups& into = ofKind(g.first) ? own : ofRotation(g.first) ? (kind == 0 ? rotation : own) : common;
        into.push_back(std::move(g));
    }
    groups = std::move(common);
    groups.insert(groups.end(), own.begin(), own.end());
    if (kind == 0) groups.insert(groups.end(), rotation.begin(), rotation.end());
}
}  // namespace

Acad::ErrorStatus AcDbUnknownEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) cvxGroupTexts(g, mGroups);
    if (mType == L"DIMENSION") addDimensionSubclasses(mGroups);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbUnknownEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    for (const auto& [code, text] : mGroups) cvxWriteTextGroup(filer, code, text);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbUnknownObject::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbDxfGroup g;
    while (filer->readGroup(g)) cvxGroupTexts(g, mGroups);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbUnknownObject::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    for (const auto& [code, text] : mGroups) cvxWriteTextGroup(filer, code, text);
    return filer->filerStatus();
}
