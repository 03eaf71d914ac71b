// The database's object store: stubs by handle. Shared with the drawing-file reader and writer.
#pragma once

#include <unordered_map>
#include <vector>

#include "cvx/dbmain.h"
#include "db/stub.h"

// Stubs in fixed chunks, so their addresses stay valid for the database's life.
class AcDbStubStore {
public:
    static constexpr size_t kChunk = 65536;  // 2 MiB of stubs: one huge page
    AcDbStubStore() = default;
    AcDbStubStore(const AcDbStubStore&) = delete;
    AcDbStubStore& operator=(const AcDbStubStore&) = delete;
    ~AcDbStubStore();

    AcDbStub& emplace_back();
    size_t size() const { return mCount; }

    // Iteration sees the stubs that existed when it began (stubs made meanwhile are left out).
    class iterator {
    public:
        iterator(const AcDbStubStore* store, size_t i) : mStore(store), mI(i) {}
        AcDbStub& operator*() const { return mStore->mChunks[mI / kChunk][mI % kChunk]; }
        iterator& operator++() {
            ++mI;
            return *this;
        }
        bool operator!=(const iterator& o) const { return mI != o.mI; }

    private:
        const AcDbStubStore* mStore;
        size_t mI;
    };
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, mCount}; }

private:
    std::vector<AcDbStub*> mChunks;
    size_t mCount = 0;
};

struct AcDbDatabase::Impl {
    AcDbDatabase* db = nullptr;
    AcDbStubStore stubs;

    // The stub for a handle, made (empty) when absent and asked to.
    AcDbStub* stubFor(uint64_t handle, bool create);
    // Makes obj resident under a given handle (a handle read from a file); fails when the handle holds
    // another object already.
    Acad::ErrorStatus addWithHandle(AcDbObject* obj, uint64_t handle, AcDbObjectId& id);
    // Makes obj resident under the next free handle.
    Acad::ErrorStatus addNew(AcDbObject* obj, AcDbObjectId& id);
    // Room for handles up to `count` without growing the table step by step.
    void reserveHandles(uint64_t count);

private:
    // Handles are mostly small and dense: a direct table, with a map for the far-out ones.
    static constexpr uint64_t kDenseLimit = uint64_t(1) << 26;
    std::vector<AcDbStub*> mDense;
    std::unordered_map<uint64_t, AcDbStub*> mSparse;
};
