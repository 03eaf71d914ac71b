// The questions the report commands share.
#pragma once

#include <initializer_list>
#include <vector>

#include "cvx/dbid.h"
#include "cvx/editor.h"

// Prints the prompt and selects entities of the types; the ids of the selection in order. False, with the
// nothing-selected text printed, when the selection is empty or fails.
bool selectForReport(std::initializer_list<const ACHAR*> types, const ACHAR* cnPrompt, const ACHAR* enPrompt,
                     const ACHAR* cnNothing, const ACHAR* enNothing, std::vector<AcDbObjectId>& ids);
// The curves whose vertices are reported or numbered: polylines, splines, lines, arcs and ellipses, with
// "Please select polyline >" and "No polyline selected.".
bool selectVertexCurves(std::vector<AcDbObjectId>& ids);
// "Lower Left default?[Y/N](Y):", Yes unless answered with a word not starting with Y.
bool askLowerLeft();
