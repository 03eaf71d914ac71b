// Walking and erasing entities by their names.
#include "cvx/dbents.h"
#include "cvx/editor.h"

namespace {

const std::vector<AcDbObjectId>* currentSpaceEntities(AcDbObjectPointer<AcDbBlockTableRecord>& space) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db || space.open(db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) return nullptr;
    return &space->entityIds();
}

}  // namespace

int acdbEntLast(ads_name entity) {
    if (!entity) return RTERROR;
    ads_name_clear(entity);
    AcDbObjectPointer<AcDbBlockTableRecord> space;
    const auto* ids = currentSpaceEntities(space);
    if (!ids) return RTERROR;
    for (auto it = ids->rbegin(); it != ids->rend(); ++it)
        if (!it->isErased()) {
            acdbGetAdsName(entity, *it);
            return RTNORM;
        }
    return RTERROR;
}

int acdbEntNext(const ads_name entity, ads_name next) {
    if (!next) return RTERROR;
    ads_name_clear(next);
    AcDbObjectPointer<AcDbBlockTableRecord> space;
    AcDbObjectId after;
    bool fromStart = !entity || ads_name_nil(entity);
    if (!fromStart) {
        acdbGetObjectId(after, entity);
        AcDbObjectPointer<AcDbEntity> ent(after, AcDb::kForRead, true);
        if (!ent || space.open(ent->ownerId(), AcDb::kForRead) != Acad::eOk) return RTERROR;
    } else if (!currentSpaceEntities(space)) {
        return RTERROR;
    }
    bool passed = fromStart;
    for (AcDbObjectId id : space->entityIds()) {
        if (passed && !id.isErased()) {
            acdbGetAdsName(next, id);
            return RTNORM;
        }
        if (id == after) passed = true;
    }
    return RTERROR;
}

int acdbEntDel(const ads_name entity) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, entity) != Acad::eOk) return RTERROR;
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite, true);
    if (!ent) return RTERROR;
    return ent->erase(!ent->isErased()) == Acad::eOk ? RTNORM : RTERROR;
}

int acdbEntUpd(const ads_name entity) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, entity) != Acad::eOk || !id.isValid()) return RTERROR;
    return RTNORM;
}
