#include <algorithm>
#include <cstdio>

#include "cvx/dbents.h"
#include "db/rxdefs.h"
#include "cvx/wide.h"

CVX_DEFINE_ABSTRACT(AcDbEntity, AcDbObject)
CVX_DEFINE_ABSTRACT(AcDbCurve, AcDbEntity)
CVX_DEFINE_CLASS(AcDbLine, AcDbCurve, L"LINE")
CVX_DEFINE_CLASS(AcDbCircle, AcDbCurve, L"CIRCLE")
CVX_DEFINE_CLASS(AcDbArc, AcDbCurve, L"ARC")
CVX_DEFINE_CLASS(AcDbEllipse, AcDbCurve, L"ELLIPSE")
CVX_DEFINE_CLASS(AcDbPolyline, AcDbCurve, L"LWPOLYLINE")
CVX_DEFINE_ABSTRACT(AcDbVertex, AcDbEntity)
CVX_DEFINE_CLASS(AcDb2dVertex, AcDbVertex, L"VERTEX")
CVX_DEFINE_CLASS(AcDb3dPolylineVertex, AcDbVertex, L"VERTEX")
CVX_DEFINE_CLASS(AcDbSequenceEnd, AcDbEntity, L"SEQEND")
CVX_DEFINE_ABSTRACT(AcDbHeavyPolyline, AcDbCurve)
CVX_DEFINE_CLASS(AcDb2dPolyline, AcDbHeavyPolyline, L"POLYLINE")
CVX_DEFINE_CLASS(AcDb3dPolyline, AcDbHeavyPolyline, L"POLYLINE")
CVX_DEFINE_CLASS(AcDbSpline, AcDbCurve, L"SPLINE")
CVX_DEFINE_CLASS(AcDbHelix, AcDbSpline, L"HELIX")
CVX_DEFINE_CLASS(AcDbPoint, AcDbEntity, L"POINT")
CVX_DEFINE_CLASS(AcDbText, AcDbEntity, L"TEXT")
CVX_DEFINE_CLASS(AcDbAttributeDefinition, AcDbText, L"ATTDEF")
CVX_DEFINE_CLASS(AcDbAttribute, AcDbText, L"ATTRIB")
CVX_DEFINE_CLASS(AcDbMText, AcDbEntity, L"MTEXT")
CVX_DEFINE_CLASS(AcDbBlockReference, AcDbEntity, L"INSERT")
CVX_DEFINE_CLASS(AcDbHatch, AcDbEntity, L"HATCH")
CVX_DEFINE_CLASS(AcDbUnknownEntity, AcDbEntity, L"")
CVX_DEFINE_CLASS(AcDbUnknownObject, AcDbObject, L"")

void cvxRegisterAllHostClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    AcRxClass* all[] = {
        AcRxObject::desc(), AcRxClass::desc(), AcDbObject::desc(), AcDbDictionary::desc(), AcDbXrecord::desc(),
        AcDbSymbolTable::desc(), AcDbSymbolTableRecord::desc(), AcDbBlockTable::desc(), AcDbLayerTable::desc(),
        AcDbRegAppTable::desc(), AcDbViewportTable::desc(), AcDbLinetypeTable::desc(),
        AcDbTextStyleTable::desc(), AcDbDimStyleTable::desc(), AcDbUCSTable::desc(), AcDbViewTable::desc(),
        AcDbBlockTableRecord::desc(), AcDbLayerTableRecord::desc(), AcDbRegAppTableRecord::desc(),
        AcDbViewportTableRecord::desc(), AcDbLinetypeTableRecord::desc(), AcDbTextStyleTableRecord::desc(),
        AcDbDimStyleTableRecord::desc(), AcDbUCSTableRecord::desc(), AcDbViewTableRecord::desc(),
        AcDbEntity::desc(), AcDbCurve::desc(), AcDbLine::desc(), AcDbCircle::desc(), AcDbArc::desc(),
        AcDbEllipse::desc(), AcDbPolyline::desc(), AcDbVertex::desc(), AcDb2dVertex::desc(),
        AcDb3dPolylineVertex::desc(), AcDbSequenceEnd::desc(), AcDbHeavyPolyline::desc(),
        AcDb2dPolyline::desc(), AcDb3dPolyline::desc(), AcDbSpline::desc(), AcDbHelix::desc(),
        AcDbPoint::desc(), AcDbText::desc(), AcDbAttributeDefinition::desc(), AcDbAttribute::desc(),
        AcDbMText::desc(), AcDbBlockReference::desc(), AcDbHatch::desc(), AcDbUnknownEntity::desc(),
        AcDbUnknownObject::desc()};
    (void)all;
}

// ---- extents ----

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& mn, const AcGePoint3d& mx) {
    if (mn.x > mx.x || mn.y > mx.y || mn.z > mx.z) return Acad::eInvalidExtents;
    mMin = mn;
    mMax = mx;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    for (int i = 0; i < 3; ++i) {
        mMin[i] = std::min(mMin[i], p[i]);
        mMax[i] = std::max(mMax[i], p[i]);
    }
}

void AcDbExtents::addExt(const AcDbExtents& e) {
    if (!e.isValid()) return;
    addPoint(e.mMin);
    addPoint(e.mMax);
}

void AcDbExtents::expandBy(const AcGeVector3d& v) {
    addPoint(mMin + v);
    addPoint(mMax + v);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& m) {
    if (!isValid()) return;
    AcDbExtents out;
    for (int i = 0; i < 8; ++i)
        out.addPoint(m * AcGePoint3d(i & 1 ? mMax.x : mMin.x, i & 2 ? mMax.y : mMin.y, i & 4 ? mMax.z : mMin.z));
    *this = out;
}

// ---- common entity properties ----

namespace {
AcDbDatabase* databaseFor(const AcDbEntity* e) {
    AcDbDatabase* db = e->database();
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

// The id of a named record in one of the database's tables, or null.
AcDbObjectId recordNamed(AcDbObjectId tableId, const ACHAR* name) {
    auto* table = AcDbSymbolTable::cast(tableId.objectPtr());
    AcDbObjectId id;
    if (table && name) table->getAt(name, id);
    return id;
}
}  // namespace

const ACHAR* AcDbEntity::layer() const {
    auto* rec = AcDbLayerTableRecord::cast(mLayer.objectPtr());
    return rec ? rec->getName() : L"0";
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, bool doSubents) {
    AcDbDatabase* db = databaseFor(this);
    if (!db) return Acad::eNoDatabase;
    AcDbObjectId id = recordNamed(db->layerTableId(), name);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLayer(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool) {
    if (layerId.isNull() || !AcDbLayerTableRecord::cast(layerId.objectPtr())) return Acad::eInvalidInput;
    assertWriteEnabled();
    mLayer = layerId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& c, bool) {
    assertWriteEnabled();
    mColor = c;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(int16_t aci, bool) {
    AcCmColor c;
    if (c.setColorIndex(aci) != Acad::eOk) return Acad::eOutOfRange;
    assertWriteEnabled();
    mColor = c;
    return Acad::eOk;
}

const ACHAR* AcDbEntity::linetype() const {
    auto* rec = AcDbLinetypeTableRecord::cast(mLinetype.objectPtr());
    return rec ? rec->getName() : L"ByLayer";
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* name, bool doSubents) {
    AcDbDatabase* db = databaseFor(this);
    if (!db) return Acad::eNoDatabase;
    AcDbObjectId id = recordNamed(db->linetypeTableId(), name);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId id, bool) {
    assertWriteEnabled();
    mLinetype = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double s, bool) {
    if (s <= 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mLtScale = s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(int16_t w, bool) {
    assertWriteEnabled();
    mLineWeight = w;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility v, bool) {
    assertWriteEnabled();
    mVisible = v == AcDb::kVisible;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool) {
    if (!other) return Acad::eNullEntityPointer;
    assertWriteEnabled();
    mLayer = other->mLayer;
    mLinetype = other->mLinetype;
    mColor = other->mColor;
    mLtScale = other->mLtScale;
    mLineWeight = other->mLineWeight;
    mVisible = other->mVisible;
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db) {
    if (!db) db = databaseFor(this);
    if (!db) return;
    assertWriteEnabled();
    mLayer = db->clayer();
    mColor = db->cecolor();
    mLinetype = db->celtype();
    mLtScale = 1.0;
}

void AcDbEntity::copyDataTo(AcDbObject* other) const {
    AcDbObject::copyDataTo(other);
    auto* o = static_cast<AcDbEntity*>(other);
    o->mLayer = mLayer;
    o->mLinetype = mLinetype;
    o->mColor = mColor;
    o->mLtScale = mLtScale;
    o->mLineWeight = mLineWeight;
    o->mVisible = mVisible;
    o->mPaperSpace = mPaperSpace;
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& m, AcDbEntity*& copy) const {
    copy = AcDbEntity::cast(clone());
    if (!copy) return Acad::eNotApplicable;
    Acad::ErrorStatus es = copy->transformBy(m);
    if (es != Acad::eOk) {
        delete copy;
        copy = nullptr;
    }
    return es;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }
Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

const ACHAR* AcDbEntity::dxfTypeName() const { return isA()->dxfName(); }

void AcDbEntity::list() const {
    std::printf("\n%s  Layer: \"%s\"\n", cvxToUtf8(dxfTypeName()).c_str(), cvxToUtf8(layer()).c_str());
    AcDbExtents e;
    if (getGeomExtents(e) == Acad::eOk)
        std::printf("  extents from (%g, %g, %g) to (%g, %g, %g)\n", e.minPoint().x, e.minPoint().y,
                    e.minPoint().z, e.maxPoint().x, e.maxPoint().y, e.maxPoint().z);
}

// ---- unknown entities and objects ----

void AcDbUnknownEntity::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbUnknownEntity*>(other);
    o->mType = mType;
    o->mGroups = mGroups;
}

void AcDbUnknownObject::copyDataTo(AcDbObject* other) const {
    AcDbObject::copyDataTo(other);
    auto* o = static_cast<AcDbUnknownObject*>(other);
    o->mType = mType;
    o->mGroups = mGroups;
}
