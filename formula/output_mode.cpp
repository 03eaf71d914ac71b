#include "formula/output_mode.h"

namespace {
bool gSplineOutput = true;
}

bool splineOutput() { return gSplineOutput; }
void setSplineOutput(bool spline) { gSplineOutput = spline; }
