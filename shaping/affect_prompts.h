// The questions and messages the three affect tools share.
#pragma once

#include "cvx/dbid.h"
#include "cvx/editor.h"

// One entity picked with the prompt; false, with "Nothing selected" printed, when nothing was picked.
bool pickAffectTool(const ACHAR* cn, const ACHAR* en, AcDbObjectId& id);
// "Please select the object that will be affected."; false when nothing was selected.
bool selectAffectedEntities(AcDbObjectIdArray& ids);
// " Which you selected as an influence curve is not a line, polyline, or spline."
void printNotAnAffectCurve();
