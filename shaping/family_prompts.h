// The questions every command that draws a family of curves between two shapes asks: how many, and how their
// spacing speeds up.
#pragma once

#include "cvx/editor.h"

// 1 to 100, 16 on Enter or any answer that is not a number; a larger number asks again.
int askFamilyCount(const ACHAR* cn, const ACHAR* en);
// The acceleration typed as -100..100 (clamped; 0 on no answer), returned as -1..1.
double askDensityAcceleration(const ACHAR* cn, const ACHAR* en);
