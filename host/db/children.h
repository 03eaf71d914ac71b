// Sub-objects of an entity (polyline vertices, attributes, sequence ends) entering the database with it.
#pragma once

#include "cvx/dbents.h"

// Makes the entity's pending sub-objects resident, owned by it and closed; the entity must be resident.
void cvxMakeChildrenResident(AcDbEntity* parent);
