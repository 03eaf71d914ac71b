// Objects of a module's classes when the module goes away or comes back.
//
// Before a module is unloaded, every object of the drawing whose code lies in the module is replaced, under the
// same id and handle, by an AcDbUnknownObject (AcDbUnknownEntity for entities) holding the groups the object
// files: the drawing keeps its data, saves it unchanged, and nothing points at unloaded code. Dictionaries and
// reactor lists name objects by id, so they stay valid as they are. When a module registers a class whose
// drawing-file name such unknown objects carry, they become objects of that class again.
#pragma once

#include <functional>

class AcDbDatabase;
class AcDbObject;

namespace cvx::editor {

// Replaces every object for which `belongs` is true; returns how many were replaced. Objects that cannot be
// opened for write (open elsewhere) are counted in `skipped`.
int detachObjects(AcDbDatabase* db, const std::function<bool(const AcDbObject*)>& belongs, int& skipped);
// Turns unknown objects whose drawing-file name has a registered class into objects of that class again;
// returns how many.
int reviveObjects(AcDbDatabase* db);

}  // namespace cvx::editor
