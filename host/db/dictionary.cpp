#include <cstring>
#include <cwchar>

#include "cvx/dbmain.h"
#include "db/rxdefs.h"
#include "cvx/wide.h"

CVX_DEFINE_CLASS(AcDbDictionary, AcDbObject, L"DICTIONARY")
CVX_DEFINE_CLASS(AcDbXrecord, AcDbObject, L"XRECORD")

// Keys compare without regard to case, as symbol names do.
namespace {
bool sameKey(const std::wstring& a, const ACHAR* b) { return wcscasecmp(a.c_str(), b) == 0; }
}  // namespace

AcDbDictionary::~AcDbDictionary() = default;

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObjectId& id) const {
    id = AcDbObjectId();
    if (!key) return Acad::eInvalidKey;
    for (const Entry& e : mEntries)
        if (sameKey(e.key, key) && !e.id.isErased()) {
            id = e.id;
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const {
    obj = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(key, id);
    return es == Acad::eOk ? acdbOpenAcDbObject(obj, id, mode) : es;
}

bool AcDbDictionary::has(const ACHAR* key) const {
    AcDbObjectId id;
    return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
    for (const Entry& e : mEntries)
        if (e.id == id) return true;
    return false;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, std::wstring& key) const {
    for (const Entry& e : mEntries)
        if (e.id == id) {
            key = e.key;
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* key, AcDbObject* obj, AcDbObjectId& id) {
    id = AcDbObjectId();
    if (!key || !*key) return Acad::eInvalidKey;
    if (!obj) return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    AcDbDatabase* db = database();
    if (!db) return Acad::eNoDatabase;
    if (obj->isDatabaseResident()) {
        if (obj->database() != db) return Acad::eWrongDatabase;
        id = obj->objectId();
    } else {
        Acad::ErrorStatus es = db->addAcDbObject(id, obj);
        if (es != Acad::eOk) return es;
    }
    obj->setOwnerId(objectId());
    assertWriteEnabled();
    for (Entry& e : mEntries)
        if (sameKey(e.key, key)) {
            // Replacing an entry erases the object it held, unless it is the same one.
            if (e.id != id) {
                AcDbObject* old = nullptr;
                if (acdbOpenAcDbObject(old, e.id, AcDb::kForWrite) == Acad::eOk) {
                    old->erase();
                    old->close();
                }
            }
            e.id = id;
            return Acad::eOk;
        }
    mEntries.push_back({key, id});
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& removedId) {
    removedId = AcDbObjectId();
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it)
        if (sameKey(it->key, key)) {
            assertWriteEnabled();
            removedId = it->id;
            mEntries.erase(it);
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const { return new AcDbDictionaryIterator(this); }

AcDbDictionaryIterator::AcDbDictionaryIterator(const AcDbDictionary* dict) {
    for (const auto& e : dict->entries())
        if (!e.id.isErased()) mEntries.push_back(e);
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& obj, AcDb::OpenMode mode) const {
    obj = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenAcDbObject(obj, mEntries[mPos].id, mode);
}

// ---- xrecords ----

Acad::ErrorStatus AcDbXrecord::rbChain(resbuf** chain) const {
    // Result buffers carry wide strings; the groups keep UTF-8, so convert on the way out.
    resbuf head{};
    resbuf* tail = &head;
    for (const AcDbDxfGroup& g : mGroups) {
        resbuf* rb = acutNewRb(g.code);
        switch (acutResbufValueKind(g.code)) {
            case ResbufValueKind::Real: rb->resval.rreal = g.real; break;
            case ResbufValueKind::Point:
                rb->resval.rpoint[0] = g.point.x;
                rb->resval.rpoint[1] = g.point.y;
                rb->resval.rpoint[2] = g.point.z;
                break;
            case ResbufValueKind::Short: rb->resval.rint = static_cast<short>(g.integer); break;
            case ResbufValueKind::Long: rb->resval.rlong = static_cast<int32_t>(g.integer); break;
            case ResbufValueKind::Int64: rb->resval.mnLongPtr = g.integer; break;
            case ResbufValueKind::String: rb->resval.rstring = acutNewString(g.wtext().c_str()); break;
            case ResbufValueKind::Name: {
                AcDbObjectId id;
                if (database() && g.integer) database()->getAcDbObjectId(id, false, AcDbHandle(uint64_t(g.integer)));
                rb->resval.rlname[0] = id.asOldId();
                rb->resval.rlname[1] = 0;
                break;
            }
            default: break;
        }
        tail->rbnext = rb;
        tail = rb;
    }
    *chain = head.rbnext;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXrecord::setFromRbChain(const resbuf* chain) {
    assertWriteEnabled();
    mGroups.clear();
    mTexts.clear();
    std::vector<std::string> texts;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        AcDbDxfGroup g;
        g.code = rb->restype;
        switch (acutResbufValueKind(rb->restype)) {
            case ResbufValueKind::Real: g.real = rb->resval.rreal; break;
            case ResbufValueKind::Point:
                g.point.set(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
                g.hasZ = true;
                break;
            case ResbufValueKind::Short: g.integer = rb->resval.rint; break;
            case ResbufValueKind::Long: g.integer = rb->resval.rlong; break;
            case ResbufValueKind::Int64: g.integer = rb->resval.mnLongPtr; break;
            case ResbufValueKind::String: {
                std::string utf8 = cvxToUtf8(rb->resval.rstring ? rb->resval.rstring : L"");
                texts.push_back(std::move(utf8));
                break;
            }
            case ResbufValueKind::Name: {
                AcDbObjectId id;
                id.setFromOldId(rb->resval.rlname[0]);
                g.integer = static_cast<int64_t>(id.handle().value());
                break;
            }
            default: break;
        }
        mGroups.push_back(g);
    }
    // The groups' text views point into mTexts, which must not move afterwards.
    mTexts = std::move(texts);
    size_t t = 0;
    for (AcDbDxfGroup& g : mGroups)
        if (acutResbufValueKind(g.code) == ResbufValueKind::String) g.text = mTexts[t++];
    return Acad::eOk;
}

void AcDbXrecord::copyDataTo(AcDbObject* other) const {
    AcDbObject::copyDataTo(other);
    auto* o = static_cast<AcDbXrecord*>(other);
    o->mGroups = mGroups;
    o->mTexts = mTexts;
    size_t t = 0;
    for (AcDbDxfGroup& g : o->mGroups)
        if (acutResbufValueKind(g.code) == ResbufValueKind::String) g.text = o->mTexts[t++];
    o->mCloning = mCloning;
}
