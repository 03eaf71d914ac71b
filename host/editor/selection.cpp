#include "editor/selection.h"

#include <algorithm>
#include <limits>
#include <map>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/hit_test.h"
#include "editor/ss_filter.h"
#include "editor/state.h"

namespace cvx::editor {
namespace {

struct SetTable {
    std::map<int64_t, IdList> sets;
    int64_t nextKey = 1;
    IdList previous;
};

SetTable& table() {
    static SetTable t;
    return t;
}

bool layerShows(AcDbObjectId layerId) {
    AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    return !layer || (!layer->isOff() && !layer->isFrozen());
}

void appendEntities(AcDbObjectId blockId, bool onlyShown, IdList& out) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (!block) return;
    for (AcDbObjectId id : block->entityIds()) {
        if (id.isErased()) continue;
        if (onlyShown) {
            AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
            if (!ent || ent->visibility() != AcDb::kVisible || !layerShows(ent->layerId())) continue;
        }
        out.push_back(id);
    }
}

}  // namespace

void storeSet(const IdList& ids, ads_name name) {
    SetTable& t = table();
    int64_t key = t.nextKey++;
    t.sets[key] = ids;
    name[0] = key;
    name[1] = 0;
}

IdList* findSet(const ads_name name) {
    if (!name) return nullptr;
    auto it = table().sets.find(name[0]);
    return it == table().sets.end() ? nullptr : &it->second;
}

IdList& previousSelection() { return table().previous; }

void forgetAllSets() { table() = SetTable(); }

IdList selectableEntities() {
    IdList out;
    if (AcDbDatabase* db = acdbCurDwg()) appendEntities(db->currentSpaceId(), true, out);
    return out;
}

IdList allLayoutEntities() {
    IdList out;
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return out;
    AcDbObjectPointer<AcDbBlockTable> blocks(db->blockTableId(), AcDb::kForRead);
    if (!blocks) return out;
    std::vector<AcDbObjectId> layouts;
    for (AcDbObjectId id : blocks->recordIds()) {
        AcDbObjectPointer<AcDbBlockTableRecord> rec(id, AcDb::kForRead);
        if (rec && rec->isLayout()) layouts.push_back(id);
    }
    blocks.close();
    for (AcDbObjectId id : layouts) appendEntities(id, false, out);
    return out;
}

bool passesFilter(AcDbObjectId id, const resbuf* filter) {
    if (!filter) return true;
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    return ent && entityPassesFilter(ent.object(), filter);
}

AcDbObjectId pickEntity(const AcGePoint3d& p, const resbuf* filter) {
    double tol = pickTolerance();
    double best = std::numeric_limits<double>::infinity();
    AcDbObjectId hit;
    for (AcDbObjectId id : selectableEntities()) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        if (!ent || (filter && !entityPassesFilter(ent.object(), filter))) continue;
        double d = distanceToEntity(ent.object(), p);
        // Later entities lie on top: on a tie the last one drawn wins.
        if (d <= tol && d <= best) {
            best = d;
            hit = id;
        }
    }
    return hit;
}

}  // namespace cvx::editor

int acedSSFree(const ads_name set) {
    auto& sets = cvx::editor::table().sets;
    return set && sets.erase(set[0]) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name set, int32_t* length) {
    auto* ids = cvx::editor::findSet(set);
    if (!ids || !length) return RTERROR;
    *length = static_cast<int32_t>(ids->size());
    return RTNORM;
}

int acedSSName(const ads_name set, int32_t index, ads_name entity) {
    auto* ids = cvx::editor::findSet(set);
    if (!ids || index < 0 || static_cast<size_t>(index) >= ids->size() || !entity) return RTERROR;
    acdbGetAdsName(entity, (*ids)[static_cast<size_t>(index)]);
    return RTNORM;
}

int acedSSAdd(const ads_name entity, const ads_name set, ads_name result) {
    if (!result) return RTERROR;
    AcDbObjectId id;
    bool withEntity = entity && !ads_name_nil(entity);
    if (withEntity && (acdbGetObjectId(id, entity) != Acad::eOk || !id.isValid())) return RTERROR;
    if (!set || ads_name_nil(set)) {
        cvx::editor::storeSet(withEntity ? cvx::editor::IdList{id} : cvx::editor::IdList{}, result);
        return RTNORM;
    }
    auto* ids = cvx::editor::findSet(set);
    if (!ids) return RTERROR;
    if (withEntity && std::find(ids->begin(), ids->end(), id) == ids->end()) ids->push_back(id);
    ads_name_set(set, result);
    return RTNORM;
}

int acedSSDel(const ads_name entity, const ads_name set) {
    auto* ids = cvx::editor::findSet(set);
    AcDbObjectId id;
    if (!ids || acdbGetObjectId(id, entity) != Acad::eOk) return RTERROR;
    auto it = std::find(ids->begin(), ids->end(), id);
    if (it == ids->end()) return RTERROR;
    ids->erase(it);
    return RTNORM;
}

int acedSSMemb(const ads_name entity, const ads_name set) {
    auto* ids = cvx::editor::findSet(set);
    AcDbObjectId id;
    if (!ids || acdbGetObjectId(id, entity) != Acad::eOk) return RTERROR;
    return std::find(ids->begin(), ids->end(), id) != ids->end() ? RTNORM : RTERROR;
}
