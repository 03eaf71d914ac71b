// The database's object store: stubs by handle. Shared with the drawing-file reader and writer.
#pragma once

#include <unordered_map>
#include <vector>

#include "cvx/dbmain.h"
#include "db/stub.h"
#include "db/undo.h"

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
    // Sets the next handle to give out (taking back what undone additions used).
    void setHandseed(uint64_t h) { db->mNextHandle = AcDbHandle(h); }
    // The database's own variables (the drawing file's header), as undo keeps them.
    struct Header {
        AcDbObjectId clayer, celtype, textStyle, space;
        AcCmColor cecolor;
        int16_t pdmode = 0, surftab1 = 0, splinesegs = 0, insunits = 0;
        double pdsize = 0, ltscale = 0, textsize = 0;
        bool mirrtext = false, tilemode = false;
        AcGePoint3d extmin, extmax, insbase;
        std::vector<AcDbDatabase::KeptHeaderVariable> kept;
    };
    Header header() const {
        const AcDbDatabase& d = *db;
        return {d.mClayer, d.mCeltype, d.mTextStyle, d.mCurrentSpace, d.mCecolor, d.mPdmode, d.mSurftab1,
                d.mSplinesegs, d.mInsunits, d.mPdsize, d.mLtscale, d.mTextsize, d.mMirrtext, d.mTilemode,
                d.mExtmin, d.mExtmax, d.mInsbase, d.mKeptHeader};
    }
    void setHeader(const Header& h) {
        AcDbDatabase& d = *db;
        d.mClayer = h.clayer, d.mCeltype = h.celtype, d.mTextStyle = h.textStyle, d.mCurrentSpace = h.space;
        d.mCecolor = h.cecolor, d.mPdmode = h.pdmode, d.mSurftab1 = h.surftab1, d.mSplinesegs = h.splinesegs;
        d.mInsunits = h.insunits, d.mPdsize = h.pdsize, d.mLtscale = h.ltscale, d.mTextsize = h.textsize;
        d.mMirrtext = h.mirrtext, d.mTilemode = h.tilemode, d.mExtmin = h.extmin, d.mExtmax = h.extmax;
        d.mInsbase = h.insbase, d.mKeptHeader = h.kept;
    }
    // What commands changed, made when a command first runs on this database.
    std::unique_ptr<CvxUndoLog> undo;

private:
    // Handles are mostly small and dense: a direct table, with a map for the far-out ones.
    static constexpr uint64_t kDenseLimit = uint64_t(1) << 26;
    std::vector<AcDbStub*> mDense;
    std::unordered_map<uint64_t, AcDbStub*> mSparse;
};
