// The affect tools: a curve pushes, turns, scales or bends the entities around it (PLAFFECT), entities follow
// the shape of a curve in X (plAffectMoveX), and a closed tool moved about by the user makes them grow or
// shrink (plAffClick).
#pragma once

void plAffectCommand();
void plAffectMoveXCommand();
void plAffClickCommand();
