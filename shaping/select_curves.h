// Picking the curves a shaping tool works on: one selection of every curve kind.
#pragma once

#include "cvx/dbid.h"
#include "cvx/editor.h"

// Prints the prompt (by default "Please select Curves >\n"; cn and en may be null, each then takes its
// default), selects lines, arcs, circles, ellipses, helices, splines and polylines, and appends to ids, in
// selection order, every member that opens and is a curve. True when at least one id was collected; an empty
// or failed selection prints "No Curve selected.\n".
bool selectCurves(AcDbObjectIdArray& ids, const ACHAR* cn = nullptr, const ACHAR* en = nullptr);
