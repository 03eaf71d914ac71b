// Selection sets and entity names as the editor functions pass them (ads_name), and the entities a selection
// can take.
#pragma once

#include <vector>

#include "cvx/dbid.h"
#include "cvx/ge.h"
#include "cvx/resbuf.h"

class AcDbEntity;

namespace cvx::editor {

using IdList = std::vector<AcDbObjectId>;

// Sets live until acedSSFree; a name is [key, 0].
void storeSet(const IdList& ids, ads_name name);
IdList* findSet(const ads_name name);
// The set the last selection made (the "Previous" answer).
IdList& previousSelection();
void forgetAllSets();

// Entities a person can select: in the current space, not erased, on layers that are on and thawed.
IdList selectableEntities();
// Every entity of model space and the layouts, whatever its layer (the "X" mode).
IdList allLayoutEntities();
// The selectable entity nearest to a point, within the pick box, passing the filter; null when none.
AcDbObjectId pickEntity(const AcGePoint3d& p, const resbuf* filter);
bool passesFilter(AcDbObjectId id, const resbuf* filter);

}  // namespace cvx::editor
