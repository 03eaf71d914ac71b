// The object lists the outline commands keep: the selected entities, and the entities they hide for a while.
#pragma once

#include "cvx/dbid.h"
#include "cvx/editor.h"

// Prints the prompt (an empty one reads "Please select Entities >"), lets the user select entities of any
// type and appends their ids to `ids`. False, with "No Entity selected." printed, when none was added.
bool selectEntities(const ACHAR* cn, const ACHAR* en, AcDbObjectIdArray& ids);

// Makes every visible entity of the current space that is not in `selected` invisible and appends it to
// `hidden`, so that only the selection shows.
void hideOtherEntities(const AcDbObjectIdArray& selected, AcDbObjectIdArray& hidden);

// Makes the entities visible or invisible; those that cannot be opened are skipped.
void setEntitiesVisible(AcDbObjectIdArray ids, bool visible);
