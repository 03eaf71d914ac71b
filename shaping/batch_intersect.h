// Finding where curves cross: all crossings of a set of curves, or of one curve with others, without
// repeated points, and ordered along one curve.
#pragma once

#include <vector>

#include "cvx/dbents.h"

// Every point where a curve of the list meets a later one (both unextended), pairs in list order. Curves
// that cannot be opened are skipped.
std::vector<AcGePoint3d> mutualIntersections(const AcDbObjectIdArray& ids);
// The points where the curve meets each of the others (both unextended); the curve itself is left out.
std::vector<AcGePoint3d> intersectionsWith(const AcDbCurve& curve, const AcDbObjectIdArray& others);
// The points in order, each dropped when it lies within 0.0001 of one kept before it.
std::vector<AcGePoint3d> uniquePoints(const std::vector<AcGePoint3d>& points);
// Sorts the points by their distance along the curve, counted from the end nearer the pick point.
void orderAlongCurve(const AcDbCurve& curve, const AcGePoint3d& pickPoint, std::vector<AcGePoint3d>& points);
