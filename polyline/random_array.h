// The path of PLRNDArray: n points along a direction, the steps between them random or following a wave,
// exponential or logarithmic law. Copy k of the selection is moved by point k.
#pragma once

#include <functional>
#include <vector>

#include "cvx/ge.h"

enum class ArrayStepLaw { kRandom = 1, kHalfWave, kFullWave, kExponential, kLogarithmic };

struct ArrayPathSettings {
    int total = 10;        // number of points, the first being the origin
    double spacing = 1;    // the step before the law is applied
    double angle = 0;      // direction of the path, radians from +X
    ArrayStepLaw law = ArrayStepLaw::kRandom;
    int groupSize = 10;    // the laws other than kRandom repeat every groupSize steps
};

// The points P[0..total-1], P[0] at the origin. randomDraw gives the draws of the random law (as rand()).
std::vector<AcGePoint3d> arrayPath(const ArrayPathSettings& settings, const std::function<int()>& randomDraw);

// Seeds the C library's generator: from CURVIX_RANDOM_SEED when that is set (repeatable runs), else from
// the tick count.
void seedRandomSource();
