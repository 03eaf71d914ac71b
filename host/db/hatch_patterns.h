// The line families of the predefined hatch patterns, in pattern units (before the hatch's angle and scale).
#pragma once

#include <string_view>
#include <vector>

#include "cvx/dbents.h"

// The families of a predefined pattern, by name (any case); null for names the host does not know and SOLID.
const std::vector<AcDbHatch::PatternLine>* predefinedPattern(std::wstring_view name);
