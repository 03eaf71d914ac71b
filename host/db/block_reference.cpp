// Block references: placement of a block definition, attributes, extents and explosion.
#include <cmath>

#include "cvx/dbents.h"
#include "db/block_walk.h"
#include "db/children.h"
#include "db/entity_transform.h"

AcDbBlockReference::~AcDbBlockReference() {
    for (AcDbAttribute* a : mPendingAttributes) delete a;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    AcGePoint3d origin;
    if (auto* rec = AcDbBlockTableRecord::cast(mBlock.objectPtr())) origin = rec->origin();
    AcGeMatrix3d scale;
    scale.entry[0][0] = mScale.sx;
    scale.entry[1][1] = mScale.sy;
    scale.entry[2][2] = mScale.sz;
    // The insertion point is given in world coordinates; rotation and scales act in the reference's own plane.
    return AcGeMatrix3d::translation(mPos.asVector()) * AcGeMatrix3d::planeToWorld(mNormal) *
           AcGeMatrix3d::rotation(mRotation, AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-origin.asVector());
}

Acad::ErrorStatus AcDbBlockReference::setBlockTransform(const AcGeMatrix3d& m) {
    AcGePoint3d origin;
    if (auto* rec = AcDbBlockTableRecord::cast(mBlock.objectPtr())) origin = rec->origin();
    AcGeVector3d cx(m.entry[0][0], m.entry[1][0], m.entry[2][0]);
    AcGeVector3d cy(m.entry[0][1], m.entry[1][1], m.entry[2][1]);
    AcGeVector3d cz(m.entry[0][2], m.entry[1][2], m.entry[2][2]);
    if (cx.isZeroLength() || cy.isZeroLength() || cz.isZeroLength()) return Acad::eDegenerateGeometry;
    // Columns must stay perpendicular: a reference cannot carry a shear.
    double tol = 1e-9 * cx.length() * cy.length();
    if (std::fabs(cx.dotProduct(cy)) > tol || std::fabs(cx.dotProduct(cz)) > 1e-9 * cx.length() * cz.length() ||
        std::fabs(cy.dotProduct(cz)) > 1e-9 * cy.length() * cz.length())
        return Acad::eCannotScaleNonUniformly;
    AcGeVector3d normal = cz.normal();
    double sz = cz.length();
    // Keep the normal in the same half-space as the X-Y orientation; a mirror shows as a negative Y scale.
    if (cx.crossProduct(cy).dotProduct(normal) < 0) {
        normal = -normal;
        sz = -sz;
    }
    assertWriteEnabled();
    AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
    AcGeVector3d lx = toPlane * cx, ly = toPlane * cy;
    mRotation = std::atan2(lx.y, lx.x);
    if (mRotation < 0) mRotation += 2 * M_PI;
    AcGeVector3d yDir(-std::sin(mRotation), std::cos(mRotation), 0);
    mScale = AcGeScale3d(cx.length(), ly.dotProduct(yDir), sz);
    mNormal = normal;
    mPos = m * origin;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& m) {
    Acad::ErrorStatus es = setBlockTransform(m * blockTransform());
    if (es != Acad::eOk) return es;
    for (AcDbObjectId id : mAttributes) {
        AcDbEntity* att = nullptr;
        if (acdbOpenObject(att, id, AcDb::kForWrite) == Acad::eOk) {
            att->transformBy(m);
            att->close();
        }
    }
    for (AcDbAttribute* a : mPendingAttributes) a->transformBy(m);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& ext) const {
    auto* rec = AcDbBlockTableRecord::cast(mBlock.objectPtr());
    if (!rec) return Acad::eInvalidExtents;
    AcGeMatrix3d xf = blockTransform();
    bool any = false;
    cvx::db::BlockVisit visit(rec);
    if (!visit) return Acad::eInvalidExtents;  // a block inside itself, or too much: left out
    for (AcDbObjectId id : rec->entityIds()) {
        auto* ent = AcDbEntity::cast(id.objectPtr());
        if (!ent || id.isErased() || AcDbAttributeDefinition::cast(ent)) continue;
        AcDbExtents e;
        if (ent->getGeomExtents(e) != Acad::eOk) continue;
        e.transformBy(xf);
        ext.addExt(e);
        any = true;
    }
    for (AcDbObjectId id : mAttributes)
        if (auto* att = AcDbEntity::cast(id.objectPtr())) {
            AcDbExtents e;
            if (!id.isErased() && att->getGeomExtents(e) == Acad::eOk) {
                ext.addExt(e);
                any = true;
            }
        }
    return any ? Acad::eOk : Acad::eInvalidExtents;
}

Acad::ErrorStatus AcDbBlockReference::explode(AcDbVoidPtrArray& entities) const {
    auto* rec = AcDbBlockTableRecord::cast(mBlock.objectPtr());
    if (!rec) return Acad::eInvalidInput;
    AcGeMatrix3d xf = blockTransform();
    for (AcDbObjectId id : rec->entityIds()) {
        auto* ent = AcDbEntity::cast(id.objectPtr());
        if (!ent || id.isErased() || AcDbAttributeDefinition::cast(ent)) continue;
        AcDbEntity* copy = nullptr;
        if (ent->getTransformedCopy(xf, copy) != Acad::eOk) {
            for (void* p : entities) delete static_cast<AcDbEntity*>(p);
            entities.removeAll();
            return Acad::eCannotScaleNonUniformly;
        }
        // Entities coloured "by block" take the reference's colour when they leave the block.
        if (copy->color().isByBlock()) copy->setColor(color());
        entities.append(copy);
    }
    return Acad::eOk;
}

// ---- attributes ----

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* att) {
    if (!att) return Acad::eNullEntityPointer;
    if (att->isDatabaseResident()) return Acad::eAlreadyInDb;
    assertWriteEnabled();
    if (!isDatabaseResident()) {
        mPendingAttributes.push_back(att);
        return Acad::eOk;
    }
    AcDbObjectId id;
    Acad::ErrorStatus es = database()->addAcDbObject(id, att);
    if (es != Acad::eOk) return es;
    att->setOwnerId(objectId());
    att->close();
    mAttributes.push_back(id);
    if (mSeqEnd.isNull()) {
        auto* end = new AcDbSequenceEnd();
        database()->addAcDbObject(mSeqEnd, end);
        end->setOwnerId(objectId());
        end->setPropertiesFrom(this);
        end->close();
    }
    return Acad::eOk;
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    std::vector<AcDbObjectId> live;
    for (AcDbObjectId id : mAttributes)
        if (!id.isErased()) live.push_back(id);
    std::vector<AcDbObject*> pending(mPendingAttributes.begin(), mPendingAttributes.end());
    return new AcDbObjectIterator(std::move(live), std::move(pending));
}

std::vector<AcDbObject*> AcDbBlockReference::pendingChildren() const {
    if (mPendingAttributes.empty()) return {};
    std::vector<AcDbObject*> out(mPendingAttributes.begin(), mPendingAttributes.end());
    out.push_back(new AcDbSequenceEnd());
    return out;
}

void AcDbBlockReference::childrenMadeResident(const std::vector<AcDbObjectId>& ids) {
    mAttributes.assign(ids.begin(), ids.end() - 1);
    mSeqEnd = ids.back();
    mPendingAttributes.clear();
}

void AcDbBlockReference::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbBlockReference*>(other);
    o->mPos = mPos;
    o->mBlock = mBlock;
    o->mScale = mScale;
    o->mRotation = mRotation;
    o->mNormal = mNormal;
    o->mColumns = mColumns;
    o->mRows = mRows;
    o->mColumnSpacing = mColumnSpacing;
    o->mRowSpacing = mRowSpacing;
    for (AcDbObjectId id : mAttributes)
        if (auto* a = AcDbAttribute::cast(id.objectPtr()))
            if (!id.isErased()) o->mPendingAttributes.push_back(static_cast<AcDbAttribute*>(a->clone()));
}
