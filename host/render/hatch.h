// Hatches: a solid fill of the area the loops enclose (even-odd, so islands stay open); a pattern as
// families of parallel lines cut by the same rule, with the boundary drawn around it.
#pragma once

#include <utility>
#include <vector>

#include "cvx/dbents.h"
#include "render/pen.h"

namespace cvx::render {

using Segment = std::pair<AcGePoint2d, AcGePoint2d>;

// The dashes of one family of pattern lines that lie inside the loops. Families needing more than maxLines
// lines to cover the loops are left out (they would show as a solid area anyway).
std::vector<Segment> patternSegments(const std::vector<std::vector<AcGePoint2d>>& loops,
                                     const AcDbHatch::PatternLine& family, size_t maxLines = 20000);

void drawHatch(const Pen& pen, const AcDbHatch& hatch);

}  // namespace cvx::render
