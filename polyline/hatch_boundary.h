// Hatch boundary recovery: the loops of a hatch as ordinary entities in the world XY plane.
#pragma once

#include <memory>
#include <vector>

#include "cvx/dbents.h"

// One piece of a recovered boundary: a new entity (red, not yet in a database), or the reason an edge gave
// none.
struct BoundaryPiece {
    enum class Failure { kNone, kEllipse, kSpline };
    std::unique_ptr<AcDbEntity> entity;
    Failure failure = Failure::kNone;
};

// Every loop of the hatch in order: a polyline loop as one open lightweight polyline with its bulges, an edge
// loop as one entity per edge (line, arc or circle, ellipse, spline). Coordinates are taken as they come, as
// world X and Y with Z 0; the hatch's elevation and normal are not applied.
std::vector<BoundaryPiece> hatchBoundaryPieces(const AcDbHatch* hatch);
