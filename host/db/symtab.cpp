#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <unordered_map>
#include <utility>

#include "cvx/dbents.h"
#include "db/children.h"
#include "db/rxdefs.h"
#include "db/stub.h"

CVX_DEFINE_ABSTRACT(AcDbSymbolTableRecord, AcDbObject)
CVX_DEFINE_ABSTRACT(AcDbSymbolTable, AcDbObject)
CVX_DEFINE_CLASS(AcDbBlockTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbLayerTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbRegAppTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbViewportTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbLinetypeTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbTextStyleTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbDimStyleTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbUCSTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbViewTable, AcDbSymbolTable, L"TABLE")
CVX_DEFINE_CLASS(AcDbBlockTableRecord, AcDbSymbolTableRecord, L"BLOCK_RECORD")
CVX_DEFINE_CLASS(AcDbLayerTableRecord, AcDbSymbolTableRecord, L"LAYER")
CVX_DEFINE_CLASS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, L"APPID")
CVX_DEFINE_CLASS(AcDbViewportTableRecord, AcDbSymbolTableRecord, L"VPORT")
CVX_DEFINE_CLASS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")
CVX_DEFINE_CLASS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, L"STYLE")
CVX_DEFINE_CLASS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord, L"DIMSTYLE")
CVX_DEFINE_CLASS(AcDbUCSTableRecord, AcDbSymbolTableRecord, L"UCS")
CVX_DEFINE_CLASS(AcDbViewTableRecord, AcDbSymbolTableRecord, L"VIEW")

#define CVX_TABLE_METHODS(TABLE, RECORD)                                                            \
    AcRxClass* TABLE::recordClass() const { return RECORD::desc(); }                               \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* name, RECORD*& rec, AcDb::OpenMode mode,           \
                                   bool openErased) const {                                        \
        rec = nullptr;                                                                             \
        AcDbObjectId id;                                                                           \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, id, openErased);                       \
        return es == Acad::eOk ? acdbOpenObject(rec, id, mode, openErased) : es;                   \
    }

CVX_TABLE_METHODS(AcDbBlockTable, AcDbBlockTableRecord)
CVX_TABLE_METHODS(AcDbLayerTable, AcDbLayerTableRecord)
CVX_TABLE_METHODS(AcDbRegAppTable, AcDbRegAppTableRecord)
CVX_TABLE_METHODS(AcDbViewportTable, AcDbViewportTableRecord)
CVX_TABLE_METHODS(AcDbLinetypeTable, AcDbLinetypeTableRecord)
CVX_TABLE_METHODS(AcDbTextStyleTable, AcDbTextStyleTableRecord)
CVX_TABLE_METHODS(AcDbDimStyleTable, AcDbDimStyleTableRecord)
CVX_TABLE_METHODS(AcDbUCSTable, AcDbUCSTableRecord)
CVX_TABLE_METHODS(AcDbViewTable, AcDbViewTableRecord)

// ---- records ----

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
    name = new ACHAR[mName.size() + 1];
    std::wmemcpy(name, mName.c_str(), mName.size() + 1);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (!name || !*name) return Acad::eInvalidInput;
    for (const ACHAR* p = name; *p; ++p)
        if (std::wcschr(L"<>/\\\":;?,=`", *p) && !(*p == L'*' && p == name)) return Acad::eInvalidSymbolTableName;
    // A new name must not clash with another record of the same table.
    if (auto* table = AcDbSymbolTable::cast(ownerId().objectPtr())) {
        AcDbObjectId other;
        if (table->getAt(name, other) == Acad::eOk && other != objectId()) return Acad::eDuplicateRecordName;
    }
    assertWriteEnabled();
    assignName(name);
    return Acad::eOk;
}

void AcDbSymbolTableRecord::assignName(std::wstring name) {
    if (name == mName) return;
    std::wstring old = std::exchange(mName, std::move(name));
    if (auto* table = AcDbSymbolTable::cast(ownerId().objectPtr())) table->noteRenamed(objectId(), old);
}

void AcDbSymbolTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbObject::copyDataTo(other);
    auto* o = static_cast<AcDbSymbolTableRecord*>(other);
    o->assignName(mName);
    o->mFlags = mFlags;
}

void AcDbLayerTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbLayerTableRecord*>(other);
    o->mColor = mColor;
    o->mLinetype = mLinetype;
    o->mLineWeight = mLineWeight;
    o->mOff = mOff;
    o->mPlottable = mPlottable;
}

void AcDbLinetypeTableRecord::setDashes(const std::vector<double>& d) {
    assertWriteEnabled();
    mDashes = d;
    mPatternLength = 0;
    for (double v : d) mPatternLength += std::fabs(v);
}

void AcDbLinetypeTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbLinetypeTableRecord*>(other);
    o->mComments = mComments;
    o->mPatternLength = mPatternLength;
    o->mDashes = mDashes;
}

void AcDbTextStyleTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbTextStyleTableRecord*>(other);
    o->mTextSize = mTextSize;
    o->mXScale = mXScale;
    o->mObliquing = mObliquing;
    o->mPriorSize = mPriorSize;
    o->mGenFlags = mGenFlags;
    o->mFont = mFont;
    o->mBigFont = mBigFont;
}

void AcDbUCSTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbUCSTableRecord*>(other);
    o->mOrigin = mOrigin;
    o->mX = mX;
    o->mY = mY;
}

void AcDbViewportTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbViewportTableRecord*>(other);
    o->mLowerLeft = mLowerLeft;
    o->mUpperRight = mUpperRight;
    o->mCenter = mCenter;
    o->mHeight = mHeight;
    o->mAspect = mAspect;
    o->mDirection = mDirection;
    o->mTarget = mTarget;
}

// ---- tables ----

// Records by name, folded to lower case the way the names compare. A table learns of its records as they are
// added (or adopted by the reader) and of every rename; records it has not seen yet are taken in at the next
// look-up, so a drawing of 100,000 blocks finds each by name at the cost of one hash look-up.
struct AcDbSymbolTable::NameIndex {
    std::unordered_multimap<std::wstring, AcDbObjectId> byName;
    size_t indexed = 0;  // mRecords[0, indexed) are in byName
    size_t nextAnonymous = 0;  // numbers below this one are taken for "*U" names
};

namespace {
std::wstring foldedName(const wchar_t* name) {
    std::wstring s(name);
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}
}  // namespace

AcDbSymbolTable::AcDbSymbolTable() = default;
AcDbSymbolTable::~AcDbSymbolTable() = default;

AcDbSymbolTable::NameIndex& AcDbSymbolTable::index() const {
    if (!mIndex) mIndex = std::make_unique<NameIndex>();
    NameIndex& ix = *mIndex;
    if (ix.indexed > mRecords.size()) ix = NameIndex();  // records were taken out: start again
    for (; ix.indexed < mRecords.size(); ++ix.indexed) {
        AcDbObjectId rid = mRecords[ix.indexed];
        if (auto* rec = AcDbSymbolTableRecord::cast(rid.objectPtr())) ix.byName.emplace(foldedName(rec->getName()), rid);
    }
    return ix;
}

void AcDbSymbolTable::noteRenamed(AcDbObjectId id, const std::wstring& oldName) const {
    if (!mIndex) return;
    auto [from, to] = mIndex->byName.equal_range(foldedName(oldName.c_str()));
    for (auto it = from; it != to; ++it)
        if (it->second == id) {
            mIndex->byName.erase(it);
            if (auto* rec = AcDbSymbolTableRecord::cast(id.objectPtr()))
                mIndex->byName.emplace(foldedName(rec->getName()), id);
            return;
        }
    // Not indexed yet: the next look-up takes it in under its new name.
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErased) const {
    id = AcDbObjectId();
    if (!name) return Acad::eInvalidInput;
    NameIndex& ix = index();
    auto [from, to] = ix.byName.equal_range(foldedName(name));
    // Names repeat only in damaged files; the first record in the table's order wins, as it always has.
    size_t best = SIZE_MAX;
    for (auto it = from; it != to; ++it) {
        AcDbObjectId rid = it->second;
        if (!getErased && rid.isErased()) continue;
        if (std::distance(from, to) == 1) {
            id = rid;
            return Acad::eOk;
        }
        size_t at = static_cast<size_t>(std::find(mRecords.begin(), mRecords.end(), rid) - mRecords.begin());
        if (at < best) best = at, id = rid;
    }
    return id.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                         bool openErased) const {
    rec = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErased);
    return es == Acad::eOk ? acdbOpenObject(rec, id, mode, openErased) : es;
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    for (AcDbObjectId rid : mRecords)
        if (rid == id) return !id.isErased();
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* rec) {
    AcDbObjectId id;
    return add(id, rec);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* rec) {
    if (!rec) return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!rec->isKindOf(recordClass())) return Acad::eWrongObjectType;
    if (rec->name().empty()) return Acad::eInvalidSymbolTableName;
    // Anonymous block names "*U" get a number that makes them unique.
    if (rec->name() == L"*U" || rec->name() == L"*u" || rec->name() == L"*D") {
        std::wstring base = rec->name();
        for (size_t& n = index().nextAnonymous;; ++n) {
            std::wstring candidate = base + std::to_wstring(n);
            if (!has(candidate.c_str())) {
                rec->setName(candidate.c_str());
                break;
            }
        }
    } else if (has(rec->getName())) {
        return Acad::eDuplicateRecordName;
    }
    Acad::ErrorStatus es = database()->addAcDbObject(id, rec);
    if (es != Acad::eOk) return es;
    rec->setOwnerId(objectId());
    assertWriteEnabled();
    mRecords.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& it, bool atBeginning, bool skipDeleted) const {
    it = new AcDbSymbolTableIterator(this, skipDeleted);
    it->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

// ---- iterators ----

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool skipDeleted)
    : mIds(table->recordIds()), mSkipDeleted(skipDeleted) {
    skip();
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
    mSkipDeleted = skipDeleted;
    mPos = atBeginning ? 0 : (mIds.empty() ? 0 : mIds.size() - 1);
    skip();
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
    mSkipDeleted = skipDeleted;
    if (forward) ++mPos;
    else mPos = mPos == 0 ? mIds.size() : mPos - 1;
    skip();
}

void AcDbSymbolTableIterator::skip() {
    while (mSkipDeleted && mPos < mIds.size() && mIds[mPos].isErased()) ++mPos;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = mIds[mPos];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                                                     bool openErased) const {
    rec = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(rec, mIds[mPos], mode, openErased);
}

// ---- block table records ----

AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

bool AcDbBlockTableRecord::isLayout() const {
    return wcscasecmp(getName(), ACDB_MODEL_SPACE) == 0 || wcsncasecmp(getName(), ACDB_PAPER_SPACE, 12) == 0;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* ent) {
    AcDbObjectId id;
    return appendAcDbEntity(id, ent);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* ent) {
    id = AcDbObjectId();
    if (!ent) return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (ent->isDatabaseResident()) return Acad::eAlreadyInDb;
    AcDbDatabase* db = database();
    if (!db) return Acad::eNoDatabase;
    Acad::ErrorStatus es = db->addAcDbObject(id, ent);
    if (es != Acad::eOk) return es;
    ent->setOwnerId(objectId());
    if (ent->layerId().isNull() || ent->layerId().database() != db) {
        // No layer yet: the current one. A layer of another drawing: the layer of that name here, if any.
        AcDbObjectId layer = db->clayer();
        auto* table = AcDbLayerTable::cast(db->layerTableId().objectPtr());
        AcDbObjectId same;
        if (!ent->layerId().isNull() && table && table->getAt(ent->layer(), same) == Acad::eOk) layer = same;
        ent->setLayer(layer);
    }
    cvxMakeChildrenResident(ent);
    assertWriteEnabled();
    mEntities.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning,
                                                    bool skipDeleted) const {
    it = new AcDbBlockTableRecordIterator(this, skipDeleted);
    it->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

void AcDbBlockTableRecord::copyDataTo(AcDbObject* other) const {
    AcDbSymbolTableRecord::copyDataTo(other);
    auto* o = static_cast<AcDbBlockTableRecord*>(other);
    o->mOrigin = mOrigin;
    o->mPathName = mPathName;
    o->mComments = mComments;
    o->mBlockFlags = mBlockFlags;
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* rec, bool skipDeleted)
    : mIds(rec->entityIds()), mSkipDeleted(skipDeleted) {
    skip();
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
    mSkipDeleted = skipDeleted;
    mPos = atBeginning ? 0 : (mIds.empty() ? 0 : mIds.size() - 1);
    skip();
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
    mSkipDeleted = skipDeleted;
    if (forward) ++mPos;
    else mPos = mPos == 0 ? mIds.size() : mPos - 1;
    skip();
}

void AcDbBlockTableRecordIterator::skip() {
    while (mSkipDeleted && mPos < mIds.size() && mIds[mPos].isErased()) ++mPos;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = mIds[mPos];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& ent, AcDb::OpenMode mode,
                                                          bool openErased) const {
    ent = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(ent, mIds[mPos], mode, openErased);
}

void cvxMakeChildrenResident(AcDbEntity* parent) {
    // Sub-objects (vertices, attributes, sequence end) become resident with their parent, closed.
    std::vector<AcDbObject*> children = parent->pendingChildren();
    if (children.empty()) return;
    AcDbDatabase* db = parent->database();
    std::vector<AcDbObjectId> ids;
    for (AcDbObject* child : children) {
        AcDbObjectId cid;
        db->addAcDbObject(cid, child);
        child->setOwnerId(parent->objectId());
        if (auto* ce = AcDbEntity::cast(child)) ce->setPropertiesFrom(parent);
        child->close();
        ids.push_back(cid);
    }
    parent->childrenMadeResident(ids);
}
