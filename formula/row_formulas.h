// The parametric formulas of the catalogue rows: sample points relative to the curve's origin.
#pragma once

#include <array>
#include <vector>

#include "cvx/ge.h"

// The numbers a row's formula reads, in slot order p1..p4.
using FormulaArgs = std::array<double, 4>;
using FormulaSamples = std::vector<AcGePoint3d>;

// The formula arguments of a row (0-based) from its four slot values: each value is first kept inside its
// slot's range; the spirals' "Direction" becomes +1 (non-zero) or -1 (zero); the tricuspid's "Tips" becomes
// tips - 1.
FormulaArgs formulaArguments(int row, const std::array<int, 4>& slotValues);

// The samples of a row at the given arguments, one list per curve the row makes: two for the hyperbola
// (the branch with x > 0 first), one for every other row. A row whose sample count comes out below 2 or above
// kMaxFormulaSamples gives no list; an unknown row gives none.
std::vector<FormulaSamples> formulaSamples(int row, const FormulaArgs& args);

constexpr int kMaxFormulaSamples = 1 << 20;
