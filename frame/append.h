// Adding new entities to a drawing: to the space the user works in, or beside an existing entity.
// Each takes a new entity that is not yet in a database. On success the database owns it (closed) and id is
// set; on failure the entity stays with the caller, who deletes it.
#pragma once

#include "cvx/arx.h"

// Appends to the block of the active layout (model space, or the current paper-space layout).
Acad::ErrorStatus appendToCurrentSpace(AcDbDatabase* database, AcDbEntity* entity, AcDbObjectId& id);
// appendToCurrentSpace on the working database.
Acad::ErrorStatus appendToWorkingSpace(AcDbEntity* entity, AcDbObjectId& id);
// Appends to the block that owns the reference entity; with a null or unopenable reference, to the current
// space of the database.
Acad::ErrorStatus appendBesideEntity(AcDbDatabase* database, AcDbEntity* entity, AcDbObjectId referenceId,
                                     AcDbObjectId& id);
// Adds a new anonymous block definition ("*U...") to the block table. True with the record left open for
// write (the caller fills and closes it) and its id; false when it could not be added.
bool newAnonymousBlock(AcDbDatabase* database, AcDbBlockTableRecord*& record, AcDbObjectId& id);
