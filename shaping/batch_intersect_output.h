// What the batch intersection commands do with the points they found: marks, numbered marks, a coordinate
// list document, or a block at each point.
#pragma once

#include <vector>

#include "cvx/editor.h"
#include "cvx/ge.h"

enum class IntersectionOutput { kMarks = 1, kNumberedMarks = 2, kListAndNumberedMarks = 3, kBlocks = 4 };

// The output mode prompt: Enter and any number above 4 give numbered marks. False on a cancel.
bool askIntersectionOutput(IntersectionOutput& mode);
void applyIntersectionOutput(IntersectionOutput mode, const std::vector<AcGePoint3d>& points);

// The coordinate list document: number, X, Y, Z of each point (asks for the file; a cancel writes nothing).
void writeIntersectionList(const std::vector<AcGePoint3d>& points);
// One reference of the named block per point, scale 1 and no rotation; "Block name error！" when the drawing
// has no such block.
void insertBlockAtPoints(const std::vector<AcGePoint3d>& points, const ACHAR* blockName);
