#include "outline/entity_lists.h"

#include <unordered_set>

#include "cvx/dbents.h"
#include "frame/bilingual.h"

namespace {

// The object ids of a selection set's members, appended to `ids`; returns how many were added.
int appendMembers(const ads_name set, AcDbObjectIdArray& ids) {
    int32_t length = 0;
    if (acedSSLength(set, &length) != RTNORM) return 0;
    int added = 0;
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        ids.append(id);
        ++added;
    }
    return added;
}

}  // namespace

bool selectEntities(const ACHAR* cn, const ACHAR* en, AcDbObjectIdArray& ids) {
    if (cn && *cn && en && *en) printBilingual(cn, en);
    else printBilingual(L"请选择实体 >\n", L"Please select Entities >\n");
    ads_name set;
    int added = 0;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set) == RTNORM) {
        added = appendMembers(set, ids);
        acedSSFree(set);
    }
    if (added > 0) return true;
    printBilingual(L"没有选择实体。\n", L"No Entity selected.\n");
    return false;
}

void hideOtherEntities(const AcDbObjectIdArray& selected, AcDbObjectIdArray& hidden) {
    ads_name set;
    if (acedSSGet(L"ALL", nullptr, nullptr, nullptr, set) != RTNORM) return;
    AcDbObjectIdArray all;
    appendMembers(set, all);
    acedSSFree(set);
    std::unordered_set<AcDbObjectId> keep;
    for (int i = 0; i < selected.length(); ++i) keep.insert(selected[i]);
    for (int i = 0; i < all.length(); ++i) {
        if (keep.count(all[i])) continue;
        AcDbObjectPointer<AcDbEntity> entity(all[i], AcDb::kForWrite);
        if (!entity || entity->visibility() == AcDb::kInvisible) continue;
        entity->setVisibility(AcDb::kInvisible);
        hidden.append(all[i]);
    }
}

void setEntitiesVisible(AcDbObjectIdArray ids, bool visible) {
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> entity(ids[i], AcDb::kForWrite);
        if (entity) entity->setVisibility(visible ? AcDb::kVisible : AcDb::kInvisible);
    }
}
