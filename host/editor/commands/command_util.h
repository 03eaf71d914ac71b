// Small pieces the host commands share: adding entities, asking for points and selections.
#pragma once

#include <string>
#include <vector>

#include "cvx/dbents.h"
#include "cvx/editor.h"

namespace cvx::editor::commands {

// Appends a new entity to the current space with the drawing's current layer and colour; deletes it and
// returns null when that fails.
AcDbObjectId addEntity(AcDbEntity* ent);
// acedGetPoint as a world point (the answer is in the user system); base, a world point, may be null.
int getPoint(const AcGePoint3d* base, const wchar_t* prompt, AcGePoint3d& p);
// The insertion point, the X and Y scale factors (Y takes X's by default) and the rotation, asked as INSERT
// asks them; false when an answer was cancelled.
bool askInsertion(AcGePoint3d& at, ads_real& sx, ads_real& sy, ads_real& rotation);
// The ids of an interactive selection; empty when nothing was selected or the user cancelled.
std::vector<AcDbObjectId> selectObjects();
// The circle through three points; false when they lie on a line.
bool circleThrough(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c, AcGePoint3d& center, double& r);
double angleOf(const AcGePoint3d& from, const AcGePoint3d& to);
// Appends an entity as it is (layer, colour kept) to a block record; deletes it and returns null on failure.
AcDbObjectId appendToBlock(AcDbEntity* ent, AcDbObjectId blockId);
// A transformed copy of an entity in the same block; null when it cannot be copied.
AcDbObjectId copyEntity(AcDbObjectId id, const AcGeMatrix3d& m);
// The current user system as a matrix from user to world coordinates.
AcGeMatrix3d userToWorld();
// One entity picked at a prompt, with the pick point in world coordinates; RTNORM, RTNONE (Enter), RTKWORD or
// RTCAN. A pick that misses asks again.
int pickEntity(const wchar_t* prompt, AcDbObjectId& id, AcGePoint3d& at);
// Transforms every entity of a selection (reactors hear of each change).
int transformEntities(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& m);

}  // namespace cvx::editor::commands
