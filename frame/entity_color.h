// The colour an entity is seen in.
#pragma once

#include "cvx/dbents.h"

// A true or index colour as it stands; by block gives index 7; by layer (and anything else) the colour of
// the entity's layer. False when the layer record cannot be read (the colour is then left as it was).
bool effectiveColor(const AcDbEntity* entity, AcCmColor& color);
