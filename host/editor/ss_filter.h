// Selection filters as acutBuildList makes them: (0 . "TYPE,WILD*") (8 . "layer") (62 . colour) and more,
// -4 brackets "<or" "or>", "<and" "and>", "<not" "not>", "<xor" "xor>", and -4 relational operators
// ("=", "!=", "<", ">", "<=", ">=", "&", "&=", "*") before a group. A list that is not well formed passes nothing.
#pragma once

#include "cvx/resbuf.h"

class AcDbEntity;

namespace cvx::editor {

bool entityPassesFilter(const AcDbEntity* ent, const resbuf* filter);

}  // namespace cvx::editor
