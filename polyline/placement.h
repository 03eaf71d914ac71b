// Where the polyline tools put what they make from an open source entity, and how they remove the source.
#pragma once

#include "cvx/dbents.h"

// Appends a new entity to targetBlock (open for write) when one is given, else beside the source (in the
// source's block). The source may be open for read or write; it stays open. On failure the entity stays with
// the caller, who deletes it.
Acad::ErrorStatus appendResult(AcDbEntity* entity, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                               AcDbObjectId& id);
// Upgrades the open source to write when needed and erases it.
Acad::ErrorStatus eraseOpenEntity(AcDbEntity* source);
