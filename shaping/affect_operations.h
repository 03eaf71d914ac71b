// The work of the affect tools on opened entities: a curve bends, pushes, turns and scales what lies near it,
// makes entities follow its shape in X, or (as a closed tool) makes them grow or shrink.
#pragma once

#include "cvx/dbents.h"
#include "shaping/affect_law.h"

// Draws the affected curve again through 6 × SURFTAB1 samples, each pushed away from the influence curve along
// its row, in the curve's colour, layer and closed state; on success erases the old curve (open for write) and
// returns the new id, else returns a null id and leaves the old curve.
AcDbObjectId bendCurve(const AcDbCurve* influence, AcDbCurve* affected, double strength, double distance);

// Scales, moves and turns one entity (open for write) as a rigid body; untouched when the curve has no point
// nearest to it or it lies out of reach.
void rigidAffect(const AcDbCurve* influence, AcDbEntity* entity, const AffectSettings& settings);

// Shifts every affected entity other than the curve in X so that it follows the curve's shape below its upper
// end; with falloff the shift fades towards the far end of the affected range. Returns how many moved.
int shiftAlongCurve(const AcDbCurve* curve, AcDbObjectId curveId, const AcDbObjectIdArray& ids, bool falloff);

// Scales every affected entity other than the tool about its centre by the click tool's factor, keeping the
// cumulative factor in its extended data; entities farther than d from a tool that does not enclose them are
// left alone, and those shrunk below a tenth shrink no further. Returns how many were scaled.
int scaleAffect(const AcDbCurve* tool, AcDbObjectId toolId, const AcDbObjectIdArray& ids, double d, bool strong,
                bool enlarge);
