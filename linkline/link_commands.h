// The link-line commands: a smooth spline between two points with horizontal, vertical or shape-given end
// directions, and the attachment that keeps it on the shapes it joins.
#pragma once

#include "cvx/arx.h"

void linkLine00();
void linkLine90();
void linkLineAuto();

// Gives the shape (open for write) a new LinkLineToNotify reactor stored under a fresh key in "CVX_DICT".
// A shape that already carries any persistent reactor is left as it is. True when a reactor was added.
bool attachLinkReactor(AcDbEntity* shape);
