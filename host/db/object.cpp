#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "cvx/dbmain.h"
#include "db/object_extras.h"
#include "db/object_pool.h"
#include "db/rxdefs.h"
#include "db/stub.h"
#include "db/undo.h"

CVX_DEFINE_CLASS_IMPL(AcDbObject, AcRxObject::desc(), L"", nullptr)

// ---- ids ----

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return mStub && mStub->db; }
bool AcDbObjectId::isErased() const { return mStub && mStub->erased; }
AcDbDatabase* AcDbObjectId::database() const { return mStub ? mStub->db : nullptr; }
AcDbHandle AcDbObjectId::handle() const { return mStub ? AcDbHandle(mStub->handle) : AcDbHandle(); }
AcDbObject* AcDbObjectId::objectPtr() const { return mStub ? mStub->obj : nullptr; }
bool AcDbObjectId::operator<(const AcDbObjectId& o) const {
    uint64_t a = mStub ? mStub->handle : 0, b = o.mStub ? o.mStub->handle : 0;
    return a != b ? a < b : mStub < o.mStub;
}

AcDbHandle::AcDbHandle(const ACHAR* hex) {
    uint64_t v = 0;
    for (const ACHAR* p = hex; p && *p; ++p) {
        int d;
        if (*p >= L'0' && *p <= L'9') d = *p - L'0';
        else if (*p >= L'a' && *p <= L'f') d = *p - L'a' + 10;
        else if (*p >= L'A' && *p <= L'F') d = *p - L'A' + 10;
        else break;
        v = (v << 4) | static_cast<uint64_t>(d);
    }
    mValue = v;
}

void AcDbHandle::getIntoAsciiBuffer(ACHAR* buf, size_t len) const {
    std::swprintf(buf, len, L"%llX", static_cast<unsigned long long>(mValue));
}

// Persistent reactors are entered in an object's reactor list as their stub address with the low bit set.
bool acdbIsPersistentReactor(void* reactor) { return (reinterpret_cast<uintptr_t>(reactor) & 1u) != 0; }

AcDbObjectId acdbPersistentReactorObjectId(void* reactor) {
    if (!acdbIsPersistentReactor(reactor)) return AcDbObjectId();
    return AcDbObjectId(reinterpret_cast<AcDbStub*>(reinterpret_cast<uintptr_t>(reactor) & ~uintptr_t(1)));
}

Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id) {
    if (id.isNull()) return Acad::eNullObjectId;
    name[0] = id.asOldId();
    name[1] = 0;
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
    id.setFromOldId(name[0]);
    return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

// ---- object ----

AcDbObject::AcDbObject() = default;

void* AcDbObject::operator new(size_t size) { return cvxPoolAlloc(size); }
void AcDbObject::operator delete(void* p, size_t size) { cvxPoolFree(p, size); }

AcDbObject::~AcDbObject() {
    if (mExtras)
        for (AcDbObjectReactor* r : mExtras->transient) r->goodbye(this);
    delete mExtras;
}

AcDbObject::Extras& AcDbObject::extrasForWrite() {
    if (!mExtras) mExtras = new Extras();
    return *mExtras;
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(mStub); }
AcDbDatabase* AcDbObject::database() const { return mStub ? mStub->db : nullptr; }
AcDbHandle AcDbObject::handle() const { return mStub ? AcDbHandle(mStub->handle) : AcDbHandle(); }
bool AcDbObject::isErased() const { return mStub && mStub->erased; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
    mOwner = owner;
    return Acad::eOk;
}

void AcDbObject::assertReadEnabled() const {}

void AcDbObject::assertWriteEnabled(bool, bool recordModified) {
    if (!mStub) return;  // an object not yet in a database belongs to its maker
    if (mMode != kWrite) {
        static bool warned = false;
        if (!warned) {
            std::fprintf(stderr, "warning: an object was changed without being open for write\n");
            warned = true;
        }
        return;
    }
    if (!mModifyFired) {
        mModifyFired = true;
        cvxUndoNoteModify(this);  // the state before the change, while a command is recorded
        fireOpenedForModify();
    }
    if (recordModified) mModified = true;
}

namespace {
// Calls fn on each persistent reactor of obj that is still in memory and not erased.
template <typename Fn>
void forEachPersistentReactor(const AcDbObject* obj, Fn fn) {
    const AcDbObject::Extras* x = obj->extras();
    if (!x || x->persistent.empty()) return;
    std::vector<AcDbObjectId> ids = x->persistent;  // the reactor may change the list
    for (AcDbObjectId id : ids) {
        AcDbObject* r = id.objectPtr();
        if (!r || id.isErased() || r == obj) continue;
        fn(r);
    }
}
}  // namespace

void AcDbObject::fireOpenedForModify() {
    if (mExtras) {
        std::vector<AcDbObjectReactor*> rs = mExtras->transient;
        for (AcDbObjectReactor* r : rs) r->openedForModify(this);
    }
    forEachPersistentReactor(this, [&](AcDbObject* r) { r->openedForModify(this); });
}

void AcDbObject::fireModified() {
    if (mExtras) {
        std::vector<AcDbObjectReactor*> rs = mExtras->transient;
        for (AcDbObjectReactor* r : rs) r->modified(this);
    }
    forEachPersistentReactor(this, [&](AcDbObject* r) { r->modified(this); });
}

Acad::ErrorStatus AcDbObject::hostOpen(AcDb::OpenMode mode) {
    switch (mode) {
        case AcDb::kForRead:
            if (mMode == kWrite) return Acad::eWasOpenForWrite;
            if (mMode == kNotify) return Acad::eWasOpenForNotify;
            if (mReaders == 255) return Acad::eAtMaxReaders;
            mMode = kRead;
            ++mReaders;
            return Acad::eOk;
        case AcDb::kForWrite:
            if (mMode == kWrite) return Acad::eWasOpenForWrite;
            if (mMode == kRead) return Acad::eWasOpenForRead;
            if (mMode == kNotify) return Acad::eWasOpenForNotify;
            mMode = kWrite;
            mModified = false;
            mModifyFired = false;
            return Acad::eOk;
        case AcDb::kForNotify:
            if (mMode != kClosed) return Acad::eOk;
            mMode = kNotify;
            return Acad::eOk;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    obj = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbStub* s = id.stub();
    if (!s->obj) return Acad::eKeyNotFound;
    if (s->erased && !openErased) return Acad::eWasErased;
    Acad::ErrorStatus es = s->obj->hostOpen(mode);
    if (es != Acad::eOk) return es;
    obj = s->obj;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close() {
    if (!mStub) return Acad::eNotInDatabase;
    switch (mMode) {
        case kClosed: return Acad::eNotOpenForRead;
        case kRead:
            if (--mReaders == 0) mMode = kClosed;
            return Acad::eOk;
        case kNotify: mMode = kClosed; return Acad::eOk;
        case kWrite: {
            bool changed = mModified;
            // Reactors see the object open for notification while they are told of the change.
            mMode = kNotify;
            if (changed) fireModified();
            mMode = kClosed;
            mModified = false;
            mModifyFired = false;
            return Acad::eOk;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (mMode == kWrite) return Acad::eWasOpenForWrite;
    if (mMode != kRead) return Acad::eNotOpenForRead;
    if (mReaders > 1) return Acad::eWasOpenForRead;
    mReaders = 0;
    mMode = kWrite;
    mModified = false;
    mModifyFired = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (mMode != kWrite) return Acad::eNotOpenForWrite;
    if (mModified) {
        mMode = kNotify;
        fireModified();
    }
    mMode = kRead;
    mReaders = 1;
    mModified = false;
    mModifyFired = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeFromNotify(bool& wasWritable) {
    wasWritable = mMode == kWrite;
    if (mMode == kNotify) mMode = kWrite;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeToNotify(bool wasWritable) {
    if (!wasWritable && mMode == kWrite) mMode = kNotify;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (!mStub) return Acad::eNotInDatabase;
    if (mMode != kWrite) return Acad::eNotOpenForWrite;
    if (mStub->erased == erasing) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    cvxUndoNoteErase(this, mStub->erased);
    mStub->erased = erasing;
    mModified = true;
    if (mExtras) {
        std::vector<AcDbObjectReactor*> rs = mExtras->transient;
        for (AcDbObjectReactor* r : rs) r->erased(this, erasing);
    }
    forEachPersistentReactor(this, [&](AcDbObject* r) { r->erased(this, erasing); });
    return Acad::eOk;
}

// ---- xdata ----

namespace {
// The groups of one application in a chain: from its 1001 group up to the next 1001 (exclusive).
resbuf* findApp(resbuf* chain, const ACHAR* app, resbuf** before) {
    resbuf* prev = nullptr;
    for (resbuf* rb = chain; rb; prev = rb, rb = rb->rbnext)
        if (rb->restype == AcDb::kDxfRegAppName && rb->resval.rstring && wcscasecmp(rb->resval.rstring, app) == 0) {
            if (before) *before = prev;
            return rb;
        }
    return nullptr;
}

resbuf* appEnd(resbuf* start) {
    resbuf* last = start;
    while (last->rbnext && last->rbnext->restype != AcDb::kDxfRegAppName) last = last->rbnext;
    return last;
}
}  // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
    if (!mExtras || !mExtras->xdata) return nullptr;
    if (!regappName) return acutDuplicateRb(mExtras->xdata);
    resbuf* start = findApp(mExtras->xdata, regappName, nullptr);
    if (!start) return nullptr;
    resbuf* last = appEnd(start);
    resbuf* after = last->rbnext;
    last->rbnext = nullptr;
    resbuf* copy = acutDuplicateRb(start);
    last->rbnext = after;
    return copy;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (xdata && xdata->restype != AcDb::kDxfRegAppName) return Acad::eInvalidInput;
    assertWriteEnabled();
    Extras& x = extrasForWrite();
    for (const resbuf* rb = xdata; rb;) {
        const ACHAR* app = rb->resval.rstring;
        const resbuf* next = rb->rbnext;
        while (next && next->restype != AcDb::kDxfRegAppName) next = next->rbnext;
        // Remove the application's old groups.
        resbuf* before = nullptr;
        if (resbuf* old = findApp(x.xdata, app, &before)) {
            resbuf* last = appEnd(old);
            resbuf* after = last->rbnext;
            last->rbnext = nullptr;
            acutRelRb(old);
            if (before) before->rbnext = after;
            else x.xdata = after;
        }
        // Append the new ones unless the application comes with no groups (which removes it).
        if (rb->rbnext != next) {
            resbuf* copyEnd = const_cast<resbuf*>(rb);
            while (copyEnd->rbnext != next) copyEnd = copyEnd->rbnext;
            resbuf* saved = copyEnd->rbnext;
            copyEnd->rbnext = nullptr;
            resbuf* copy = acutDuplicateRb(rb);
            copyEnd->rbnext = saved;
            resbuf** tail = &x.xdata;
            while (*tail) tail = &(*tail)->rbnext;
            *tail = copy;
        }
        rb = next;
    }
    return Acad::eOk;
}

// ---- reactors ----

void AcDbObject::addReactor(AcDbObjectReactor* reactor) const {
    auto& x = const_cast<AcDbObject*>(this)->extrasForWrite();
    if (std::find(x.transient.begin(), x.transient.end(), reactor) == x.transient.end())
        x.transient.push_back(reactor);
}

void AcDbObject::removeReactor(AcDbObjectReactor* reactor) const {
    if (!mExtras) return;
    auto& v = mExtras->transient;
    v.erase(std::remove(v.begin(), v.end(), reactor), v.end());
}

Acad::ErrorStatus AcDbObject::addPersistentReactor(AcDbObjectId reactorId) {
    if (reactorId.isNull()) return Acad::eNullObjectId;
    assertWriteEnabled(false, false);
    auto& v = extrasForWrite().persistent;
    if (std::find(v.begin(), v.end(), reactorId) == v.end()) v.push_back(reactorId);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId reactorId) {
    if (!mExtras) return Acad::eKeyNotFound;
    auto& v = mExtras->persistent;
    auto it = std::find(v.begin(), v.end(), reactorId);
    if (it == v.end()) return Acad::eKeyNotFound;
    assertWriteEnabled(false, false);
    v.erase(it);
    return Acad::eOk;
}

bool AcDbObject::hasPersistentReactor(AcDbObjectId reactorId) const {
    if (!mExtras) return false;
    return std::find(mExtras->persistent.begin(), mExtras->persistent.end(), reactorId) != mExtras->persistent.end();
}

AcDbObjectIdArray AcDbObject::getPersistentReactors() const {
    AcDbObjectIdArray ids;
    if (mExtras)
        for (AcDbObjectId id : mExtras->persistent) ids.append(id);
    return ids;
}

const AcDbVoidPtrArray* AcDbObject::reactors() const {
    if (!mExtras) return nullptr;
    auto& view = mExtras->reactorView;
    view.removeAll();
    for (AcDbObjectReactor* r : mExtras->transient) view.append(r);
    for (AcDbObjectId id : mExtras->persistent)
        view.append(reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(id.stub()) | 1u));
    return &view;
}

// ---- extension dictionary ----

AcDbObjectId AcDbObject::extensionDictionary() const { return mExtras ? mExtras->xdict : AcDbObjectId(); }

Acad::ErrorStatus AcDbObject::createExtensionDictionary() {
    if (!mStub) return Acad::eNotInDatabase;
    if (!extensionDictionary().isNull()) return Acad::eAlreadyInDb;
    assertWriteEnabled();
    auto* dict = new AcDbDictionary();
    AcDbObjectId id;
    Acad::ErrorStatus es = database()->addAcDbObject(id, dict);
    if (es != Acad::eOk) {
        delete dict;
        return es;
    }
    dict->setOwnerId(objectId());
    dict->setTreatElementsAsHard(true);
    dict->close();
    extrasForWrite().xdict = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::releaseExtensionDictionary() {
    AcDbObjectId id = extensionDictionary();
    if (id.isNull()) return Acad::eKeyNotFound;
    AcDbDictionary* dict = nullptr;
    if (acdbOpenObject(dict, id, AcDb::kForWrite) != Acad::eOk) return Acad::eWasOpenForWrite;
    if (dict->numEntries() > 0) {
        dict->close();
        return Acad::eNotApplicable;
    }
    dict->erase();
    dict->close();
    assertWriteEnabled();
    mExtras->xdict = AcDbObjectId();
    return Acad::eOk;
}

// ---- copying ----

void AcDbObject::copyDataTo(AcDbObject* other) const {
    if (mExtras && mExtras->xdata) {
        other->extrasForWrite().xdata = acutDuplicateRb(mExtras->xdata);
    }
    if (mExtras && !mExtras->kept.empty()) other->extrasForWrite().kept = mExtras->kept;
}

AcRxObject* AcDbObject::clone() const {
    AcRxClass* cls = isA();
    AcRxObject* made = cls ? cls->create() : nullptr;
    auto* copy = made ? AcDbObject::cast(made) : nullptr;
    if (!copy) {
        delete made;
        return nullptr;
    }
    copyDataTo(copy);
    return copy;
}

Acad::ErrorStatus AcDbObject::handOverTo(AcDbObject* newObject) {
    if (!mStub) return Acad::eNotInDatabase;
    if (!newObject || newObject->mStub) return Acad::eIllegalReplacement;
    if (mMode != kWrite) return Acad::eNotOpenForWrite;
    cvxUndoNoteModify(this);  // the object that leaves is the state undo puts back
    AcDbStub* s = mStub;
    s->obj = newObject;
    newObject->mStub = s;
    newObject->mOwner = mOwner;
    if (mExtras) {
        Extras& x = newObject->extrasForWrite();
        std::swap(x.xdata, mExtras->xdata);
        x.persistent = mExtras->persistent;
        x.transient = mExtras->transient;
        x.xdict = mExtras->xdict;
        mExtras->persistent.clear();
        mExtras->transient.clear();
        mExtras->xdict = AcDbObjectId();
    }
    newObject->mMode = kWrite;
    newObject->mModified = true;
    newObject->mModifyFired = true;
    mStub = nullptr;
    mMode = kClosed;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer) { return filer ? filer->filerStatus() : Acad::eNoInputFiler; }
Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const { return filer ? filer->filerStatus() : Acad::eNoInputFiler; }
