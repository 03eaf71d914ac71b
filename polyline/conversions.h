// One-entity conversions of the batch commands: between lightweight and 2D polylines, and reversal.
#pragma once

#include "cvx/dbents.h"

// Each takes an entity open for write and finishes with it: the entity (or the polyline that replaced it) is
// closed when the call returns, and the caller must not touch the pointer again. True when the entity was
// converted or reversed; otherwise it is left unchanged. A converted polyline keeps the old one's object id,
// handle and place in the database.

// A lightweight polyline becomes a 2D polyline.
bool convertToOldPolyline(AcDbEntity* entity);
// A 2D polyline the host can represent as a lightweight one becomes one.
bool convertToLightweightPolyline(AcDbEntity* entity);
// Reverses the direction of a curve.
bool reverseCurveDirection(AcDbEntity* entity);
