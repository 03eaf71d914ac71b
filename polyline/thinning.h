// Thinning a list of points: the optimisation engine's arithmetic, over plain points.
#pragma once

#include <vector>

#include "cvx/ge.h"

// The two distances the thinning works with, from the size of reference (the diagonal of the selection's
// box) and the tolerance factor.
struct ThinningLimits {
    double merge;        // merge distance and sagitta limit: S x F x 0.001
    double longSegment;  // segments longer than this keep their start after a merge: S x F x 0.005
};
ThinningLimits thinningLimits(double scaleLength, double toleranceFactor);

// Five halving passes that drop every odd point lying within the sagitta limit of the chord of its two
// neighbours (sharp turns below 0.1 radian are kept), then a merge of runs of points closer than the merge
// distance into their mean. Returns the thinned list, or an empty one when fewer than two points come in.
std::vector<AcGePoint3d> thinPoints(std::vector<AcGePoint3d> points, const ThinningLimits& limits);
