#include "shaping/density_law.h"

#include <cmath>

double accelerate(double t, double a) {
    const double e = 1.0 + 2.0 * std::fabs(a);
    return a < 0 ? 1.0 - std::pow(1.0 - t, e) : std::pow(t, e);
}
