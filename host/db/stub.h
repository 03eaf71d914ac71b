// The database's record of one object: what an AcDbObjectId points at.
#pragma once

#include <cstdint>

class AcDbDatabase;
class AcDbObject;

struct AcDbStub {
    AcDbDatabase* db = nullptr;
    AcDbObject* obj = nullptr;  // null for a handle that was referred to before its object was read
    uint64_t handle = 0;
    bool erased = false;
    uint32_t undoMark = 0;  // the undo group that last noted this object (the log's own use)
};
