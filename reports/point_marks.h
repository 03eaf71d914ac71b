// Marking reported points in the drawing: a point entity, and next to it its number.
#pragma once

#include <vector>

#include "cvx/ge.h"

// VIEWSIZE / 30 (VIEWSIZE taken as 100 when it cannot be read).
double defaultMarkHeight();
// "Please enter the mark text height(<default>):"; an answer counts only when it exceeds 0.001.
double askMarkHeight();
// A point at p and, when numbered, the text of number + 1, half the mark height high, placed half the mark
// height right of and above p; both in the current space with the current layer and colour.
void addPointMark(const AcGePoint3d& p, double height, int number, bool numbered = true);
// addPointMark for each point, numbered from 1 in list order.
void addPointMarks(const std::vector<AcGePoint3d>& points, double height, bool numbered = true);
// Called once after the marks of a run: points are drawn as a circled cross (PDMODE 35).
void finishPointMarks();
