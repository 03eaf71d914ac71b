// Drawing a catalogue row: its samples moved to the origin and turned into entities of the working space.
#pragma once

#include "cvx/arx.h"
#include "formula/row_formulas.h"

// Draws row `row` (0-based) at the given arguments (see formulaArguments) with its origin at `origin`.
// Returns the ids of the entities made, in order: one per curve (two for the hyperbola); a curve the drawing
// refused leaves a null id.
//
// Samples that come out without a real value (a square root or logarithm of a negative number) or beyond
// 1e100 (where lengths and areas overflow) cannot be drawn. They are left out, and each unbroken run of two or more drawable
// samples becomes its own entity, drawn open and without the row's end tangents; the command line then
// tells how many pieces were drawn. Very large but finite samples (near the poles of the tangent-like rows)
// are real points of the curve and are drawn as they are.
AcDbObjectIdArray drawFormulaCurve(int row, const AcGePoint3d& origin, const FormulaArgs& args);
