// The questions of INOFFSET and the inward offsets of the boundaries it found.
#pragma once

#include "cvx/editor.h"
#include "polyline/batch_offset.h"

// Asks the number of offsets (1 to 10, 1 on Enter) and their distances: one distance for a single offset;
// for several, one distance for all, or M and a typed list (read as PLOFFSET reads its list). False when the
// command is to offset nothing (a cancel, a distance below 0.0001, an unusable list).
bool askOffsetCountAndDistances(int& count, OffsetSpacings& distances);

// The questions above, then the curves offset into their areas at the cumulative distances (on the current
// layer, in the current colour, beside the curve): the boundaries inward, the islands' edges (islands may be
// null) outward. Nothing is asked when there are no boundaries.
void askOffsetDistances(const ads_name boundaries, const ads_name islands = nullptr);
