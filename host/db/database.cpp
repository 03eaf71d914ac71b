#include <algorithm>

#include "cvx/dbents.h"
#include "db/block_walk.h"
#include "db/database_impl.h"
#include "db/object_pool.h"

// ---- object store ----

AcDbStubStore::~AcDbStubStore() {
    for (AcDbStub* c : mChunks) cvxArenaFree(c, kChunk * sizeof(AcDbStub));
}

AcDbStub& AcDbStubStore::emplace_back() {
    if (mCount == mChunks.size() * kChunk)
        mChunks.push_back(static_cast<AcDbStub*>(cvxArenaAlloc(kChunk * sizeof(AcDbStub))));
    AcDbStub* s = &mChunks[mCount / kChunk][mCount % kChunk];
    ++mCount;
    return *new (s) AcDbStub();
}

AcDbStub* AcDbDatabase::Impl::stubFor(uint64_t handle, bool create) {
    if (handle < kDenseLimit) {
        if (handle < mDense.size() && mDense[handle]) return mDense[handle];
    } else if (auto it = mSparse.find(handle); it != mSparse.end()) {
        return it->second;
    }
    if (!create) return nullptr;
    AcDbStub& s = stubs.emplace_back();
    s.db = db;
    s.handle = handle;
    if (handle < kDenseLimit) {
        if (handle >= mDense.size()) mDense.resize(std::max<size_t>(handle + 1, mDense.size() * 2), nullptr);
        mDense[handle] = &s;
    } else {
        mSparse.emplace(handle, &s);
    }
    return &s;
}

Acad::ErrorStatus AcDbDatabase::Impl::addWithHandle(AcDbObject* obj, uint64_t handle, AcDbObjectId& id) {
    if (!obj) return Acad::eNullObjectPointer;
    if (obj->isDatabaseResident()) return Acad::eAlreadyInDb;
    if (handle == 0) return Acad::eInvalidInput;
    AcDbStub* s = stubFor(handle, true);
    if (s->obj) return Acad::eDuplicateKey;
    s->obj = obj;
    obj->attachStub(s);
    db->setHandseed(AcDbHandle(handle + 1));
    id = AcDbObjectId(s);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::Impl::addNew(AcDbObject* obj, AcDbObjectId& id) {
    uint64_t h = db->mNextHandle.value();
    while (stubFor(h, false)) ++h;
    return addWithHandle(obj, h, id);
}

void AcDbDatabase::Impl::reserveHandles(uint64_t count) {
    size_t want = static_cast<size_t>(std::min(count, kDenseLimit));
    if (want > mDense.size()) mDense.resize(want, nullptr);
}

// ---- database ----

AcDbDatabase::AcDbDatabase(bool buildDefault, bool) : mImpl(std::make_unique<Impl>()) {
    mImpl->db = this;
    if (buildDefault) buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase() {
    // Children are owned by the database, not by their parents, so every object is deleted exactly once here.
    for (AcDbStub& s : mImpl->stubs) {
        delete s.obj;
        s.obj = nullptr;
    }
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

void AcDbDatabase::swapContents(AcDbDatabase& other) {
    std::swap(mImpl, other.mImpl);
    mImpl->db = this;
    other.mImpl->db = &other;
    for (AcDbStub& s : mImpl->stubs) s.db = this;
    for (AcDbStub& s : other.mImpl->stubs) s.db = &other;
    if (mImpl->undo) mImpl->undo->setDatabase(this);
    if (other.mImpl->undo) other.mImpl->undo->setDatabase(&other);
    std::swap(mTables, other.mTables);
    std::swap(mNamedObjects, other.mNamedObjects);
    std::swap(mCurrentSpace, other.mCurrentSpace);
    std::swap(mNextHandle, other.mNextHandle);
    std::swap(mOriginalVersion, other.mOriginalVersion);
    std::swap(mCodePage, other.mCodePage);
    std::swap(mClayer, other.mClayer);
    std::swap(mCeltype, other.mCeltype);
    std::swap(mTextStyle, other.mTextStyle);
    std::swap(mCecolor, other.mCecolor);
    std::swap(mPdmode, other.mPdmode);
    std::swap(mSurftab1, other.mSurftab1);
    std::swap(mSplinesegs, other.mSplinesegs);
    std::swap(mInsunits, other.mInsunits);
    std::swap(mPdsize, other.mPdsize);
    std::swap(mLtscale, other.mLtscale);
    std::swap(mTextsize, other.mTextsize);
    std::swap(mMirrtext, other.mMirrtext);
    std::swap(mTilemode, other.mTilemode);
    std::swap(mExtmin, other.mExtmin);
    std::swap(mExtmax, other.mExtmax);
    std::swap(mInsbase, other.mInsbase);
    std::swap(mKeptHeader, other.mKeptHeader);
    std::swap(mKeptClasses, other.mKeptClasses);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* obj) {
    Acad::ErrorStatus es = mImpl->addNew(obj, id);
    if (es == Acad::eOk) {
        if (mImpl->undo) cvxUndoNoteAppend(this, id.stub());
        obj->hostOpen(AcDb::kForWrite);
    }
    return es;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& h) {
    id = AcDbObjectId();
    if (h.isNull()) return Acad::eInvalidInput;
    AcDbStub* s = mImpl->stubFor(h.value(), createIfNotFound);
    if (!s) return Acad::eKeyNotFound;
    id = AcDbObjectId(s);
    return Acad::eOk;
}

std::vector<AcDbObjectId> AcDbDatabase::allObjectIds() const {
    std::vector<AcDbObjectId> ids;
    ids.reserve(mImpl->stubs.size());
    for (AcDbStub& s : mImpl->stubs)
        if (s.obj) ids.emplace_back(&s);
    std::sort(ids.begin(), ids.end());
    return ids;
}

namespace {
template <typename T>
Acad::ErrorStatus openTable(AcDbObjectId id, T*& t, AcDb::OpenMode mode) {
    t = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    return acdbOpenObject(t, id, mode);
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode m) { return openTable(mTables[kBlock], t, m); }
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode m) { return openTable(mTables[kLayer], t, m); }
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode m) { return openTable(mTables[kRegApp], t, m); }
Acad::ErrorStatus AcDbDatabase::getViewportTable(AcDbViewportTable*& t, AcDb::OpenMode m) { return openTable(mTables[kVport], t, m); }
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) { return openTable(mTables[kLtype], t, m); }
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) { return openTable(mTables[kStyle], t, m); }
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& t, AcDb::OpenMode m) { return openTable(mTables[kDimStyle], t, m); }
Acad::ErrorStatus AcDbDatabase::getUCSTable(AcDbUCSTable*& t, AcDb::OpenMode m) { return openTable(mTables[kUcs], t, m); }
Acad::ErrorStatus AcDbDatabase::getViewTable(AcDbViewTable*& t, AcDb::OpenMode m) { return openTable(mTables[kView], t, m); }
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& d, AcDb::OpenMode m) { return openTable(mNamedObjects, d, m); }

namespace {
AcDbObjectId recordId(AcDbObjectId tableId, const ACHAR* name) {
    auto* table = AcDbSymbolTable::cast(tableId.objectPtr());
    AcDbObjectId id;
    if (table) table->getAt(name, id);
    return id;
}
}  // namespace

AcDbObjectId AcDbDatabase::modelSpaceId() const { return recordId(mTables[kBlock], ACDB_MODEL_SPACE); }
AcDbObjectId AcDbDatabase::paperSpaceId() const { return recordId(mTables[kBlock], ACDB_PAPER_SPACE); }
AcDbObjectId AcDbDatabase::currentSpaceId() const {
    if (!mCurrentSpace.isNull() && !mCurrentSpace.isErased()) return mCurrentSpace;
    return modelSpaceId();
}
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return recordId(mTables[kLtype], L"ByLayer"); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return recordId(mTables[kLtype], L"ByBlock"); }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return recordId(mTables[kLtype], L"Continuous"); }

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId id) {
    if (id.isNull() || !AcDbLayerTableRecord::cast(id.objectPtr())) return Acad::eInvalidInput;
    mClayer = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::updateExt(bool) {
    AcDbExtents all;
    cvx::db::BlockWalk walk;
    auto* ms = AcDbBlockTableRecord::cast(modelSpaceId().objectPtr());
    if (ms)
        for (AcDbObjectId id : ms->entityIds()) {
            auto* ent = AcDbEntity::cast(id.objectPtr());
            AcDbExtents e;
            if (ent && !id.isErased() && ent->getGeomExtents(e) == Acad::eOk) all.addExt(e);
        }
    if (!all.isValid()) {
        mExtmin = {1e20, 1e20, 1e20};
        mExtmax = {-1e20, -1e20, -1e20};
        return Acad::eInvalidExtents;
    }
    mExtmin = all.minPoint();
    mExtmax = all.maxPoint();
    return Acad::eOk;
}

// ---- a new drawing ----

namespace {
template <typename Table>
AcDbObjectId addTable(AcDbDatabase* db) {
    auto* t = new Table();
    AcDbObjectId id;
    db->addAcDbObject(id, t);
    t->close();
    return id;
}

template <typename Record>
AcDbObjectId addRecord(AcDbObjectId tableId, const ACHAR* name, Record* rec = nullptr) {
    if (!rec) rec = new Record();
    rec->setName(name);
    AcDbSymbolTable* table = nullptr;
    acdbOpenObject(table, tableId, AcDb::kForWrite);
    AcDbObjectId id;
    table->add(id, rec);
    rec->close();
    table->close();
    return id;
}
}  // namespace

void AcDbDatabase::buildDefaultDrawing() {
    mTables[kVport] = addTable<AcDbViewportTable>(this);
    mTables[kLtype] = addTable<AcDbLinetypeTable>(this);
    mTables[kLayer] = addTable<AcDbLayerTable>(this);
    mTables[kStyle] = addTable<AcDbTextStyleTable>(this);
    mTables[kView] = addTable<AcDbViewTable>(this);
    mTables[kUcs] = addTable<AcDbUCSTable>(this);
    mTables[kRegApp] = addTable<AcDbRegAppTable>(this);
    mTables[kDimStyle] = addTable<AcDbDimStyleTable>(this);
    mTables[kBlock] = addTable<AcDbBlockTable>(this);

    addRecord<AcDbViewportTableRecord>(mTables[kVport], L"*Active");
    addRecord<AcDbLinetypeTableRecord>(mTables[kLtype], L"ByBlock");
    addRecord<AcDbLinetypeTableRecord>(mTables[kLtype], L"ByLayer");
    auto* cont = new AcDbLinetypeTableRecord();
    cont->setComments(L"Solid line");
    AcDbObjectId continuous = addRecord(mTables[kLtype], L"Continuous", cont);
    auto* layer0 = new AcDbLayerTableRecord();
    AcCmColor white;
    white.setColorIndex(7);
    layer0->setColor(white);
    layer0->setLinetypeObjectId(continuous);
    mClayer = addRecord(mTables[kLayer], L"0", layer0);
    mTextStyle = addRecord<AcDbTextStyleTableRecord>(mTables[kStyle], L"Standard");
    addRecord<AcDbRegAppTableRecord>(mTables[kRegApp], L"ACAD");
    addRecord<AcDbDimStyleTableRecord>(mTables[kDimStyle], L"Standard");
    addRecord<AcDbBlockTableRecord>(mTables[kBlock], ACDB_MODEL_SPACE);
    addRecord<AcDbBlockTableRecord>(mTables[kBlock], ACDB_PAPER_SPACE);
    mCeltype = byLayerLinetype();
    mCecolor.setByLayer();

    auto* nod = new AcDbDictionary();
    addAcDbObject(mNamedObjects, nod);
    nod->setTreatElementsAsHard(true);
    auto* groups = new AcDbDictionary();
    AcDbObjectId groupsId;
    nod->setAt(L"ACAD_GROUP", groups, groupsId);
    groups->close();
    nod->close();
}

// ---- host services ----

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

bool acdbRegApp(const ACHAR* appName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !appName || !*appName) return false;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return false;
    bool ok = true;
    if (!table->has(appName)) {
        auto* rec = new AcDbRegAppTableRecord();
        rec->setName(appName);
        if (table->add(rec) == Acad::eOk) rec->close();
        else {
            delete rec;
            ok = false;
        }
    }
    table->close();
    return ok;
}
