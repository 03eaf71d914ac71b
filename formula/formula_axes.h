// Coordinate axes about a curve's origin ("Draw UCS" in the formula dialog): an X and a Y axis covering the
// curve, tick marks at a round step, and their values, all in one anonymous block inserted at the origin.
#pragma once

#include "cvx/arx.h"

// The half-axis lengths about the origin and the tick step.
struct FormulaAxes {
    double xPlus = 0, xMinus = 0, yPlus = 0, yMinus = 0;
    int step = 1;  // a power of ten, at least 1
};

// The axes for a curve whose extents are `extents`:
// - plus lengths reach the extents' far side, or a tenth of the other side when the curve lies wholly on the
//   negative side; minus lengths reach the near side, or 0 when the curve lies wholly on the positive side;
// - the step is the largest power of ten 10^e with e at most the digit count of (longest half-axis / 10) on
//   either axis, that fits into the plus lengths of both axes (at least 1).
FormulaAxes formulaAxes(const AcGePoint3d& origin, const AcDbExtents& extents);

// Draws the axes for the entities `ids` about `origin` into the working space as one block reference (an
// axis that would need more than 10000 ticks is drawn without them).
// Returns its id; null when none of the entities has extents or the block cannot be made.
AcDbObjectId drawFormulaAxes(const AcGePoint3d& origin, const AcDbObjectIdArray& ids);
