// Selection sets limited to entities of given types (DXF names such as "LWPOLYLINE").
#pragma once

#include <initializer_list>

#include "cvx/dbobject.h"
#include "cvx/editor.h"

// The filter (0 type) for one type, or (-4 "<or") (0 type)... (-4 "or>") for several; free it with acutRelRb.
resbuf* entityTypeFilter(std::initializer_list<const ACHAR*> types);
// Lets the user select with the host's usual methods, keeping only entities of the types. Returns the host's
// result code; on RTNORM the caller frees the set with acedSSFree.
int selectByTypes(std::initializer_list<const ACHAR*> types, ads_name selectionSet);
// One entity of the types, picked with a single-pick selection; the null id when nothing was picked.
AcDbObjectId pickOneByTypes(std::initializer_list<const ACHAR*> types);
