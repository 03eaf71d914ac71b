// The database's object store: stubs by handle. Shared with the drawing-file reader.
#pragma once

#include <deque>
#include <unordered_map>

#include "cvx/dbmain.h"
#include "db/stub.h"

struct AcDbDatabase::Impl {
    AcDbDatabase* db = nullptr;
    std::deque<AcDbStub> stubs;                        // stable addresses for the database's life
    std::unordered_map<uint64_t, AcDbStub*> byHandle;  // every handle in use or referred to

    // The stub for a handle, made (empty) when absent and asked to.
    AcDbStub* stubFor(uint64_t handle, bool create);
    // Makes obj resident under a given handle (a handle read from a file); fails when the handle holds
    // another object already.
    Acad::ErrorStatus addWithHandle(AcDbObject* obj, uint64_t handle, AcDbObjectId& id);
    // Makes obj resident under the next free handle.
    Acad::ErrorStatus addNew(AcDbObject* obj, AcDbObjectId& id);
    void reserve(size_t objects);
};
