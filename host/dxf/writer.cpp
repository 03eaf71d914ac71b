#include "dxf/writer.h"

#include <algorithm>
#include <map>

#include "cvx/dbents.h"
#include "db/database_impl.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"
#include "dxf/header_vars.h"
#include "dxf/out_filer.h"

namespace {
// Which of a few classes objects are kinds of, asked for a million objects in a row that are mostly of one
// class: the answer for the last class is kept.
class KindTest {
public:
    explicit KindTest(std::initializer_list<AcRxClass*> bases) : mBases(bases) {}
    // Bit i is set when o is a kind of the i-th base.
    unsigned operator()(const AcRxObject* o) {
        AcRxClass* c = o->isA();
        if (c != mLast) {
            mLast = c;
            mBits = 0;
            for (size_t i = 0; i < mBases.size(); ++i)
                if (c->isDerivedFrom(mBases[i])) mBits |= 1u << i;
        }
        return mBits;
    }

private:
    std::vector<AcRxClass*> mBases;
    AcRxClass* mLast = nullptr;
    unsigned mBits = 0;
};

class Writer {
public:
    Writer(DxfOutStream& out, AcDbDatabase& db, int version) : mOut(out), mDb(db), mFiler(out, db, version) {}

    bool run(std::string& error);

private:
    void element(const char* type) { mFiler.writeRaw(0, type); }
    void section(const char* name) {
        element("SECTION");
        mFiler.writeRaw(2, name);
    }
    void writeObject(const AcDbObject* obj, std::wstring_view type);
    void writeEntity(const AcDbEntity* ent);
    void writeXData(const AcDbObject* obj);
    void classes();
    void tables();
    void blocks();
    void entities();
    void objects();

    DxfOutStream& mOut;
    AcDbDatabase& mDb;
    DxfOutFiler mFiler;
    std::string mError;
    KindTest mWithChildren{AcDbHeavyPolyline::desc(), AcDbBlockReference::desc()};
};

template <typename Fn>
void forLive(const std::vector<AcDbObjectId>& ids, Fn fn) {
    for (AcDbObjectId id : ids)
        if (!id.isNull() && !id.isErased())
            if (AcDbObject* o = id.objectPtr()) fn(o);
}

void Writer::writeXData(const AcDbObject* obj) {
    const AcDbObject::Extras* x = obj->extras();
    if (!x) return;
    for (const resbuf* rb = x->xdata; rb; rb = rb->rbnext) mFiler.writeItem(rb);
}

void Writer::writeObject(const AcDbObject* obj, std::wstring_view type) {
    mFiler.writeString(0, type);
    Acad::ErrorStatus es = obj->dxfOutFields(&mFiler);
    if (es != Acad::eOk && mError.empty())
        mError = "the " + cvxToUtf8(std::wstring(type)) + " with handle " + std::to_string(obj->handle().value()) +
                 " could not be written (" + acadErrorStatusText(es) + ")";
    cvxWriteKept(obj, &mFiler, kSectionTail);
    writeXData(obj);
}

void Writer::writeEntity(const AcDbEntity* ent) {
    writeObject(ent, ent->dxfTypeName());
    const unsigned kinds = mWithChildren(ent);
    if (!kinds) return;
    AcDbObjectId seqEnd;
    if (kinds & 1) {
        auto* pl = static_cast<const AcDbHeavyPolyline*>(ent);
        for (const AcDbVertex* v : pl->vertices())
            if (v && !v->isErased()) writeObject(v, v->dxfTypeName());
        seqEnd = pl->sequenceEndId();
    } else if (auto* ref = static_cast<const AcDbBlockReference*>(ent); !ref->attributeIds().empty()) {
        forLive(ref->attributeIds(), [&](AcDbObject* a) { writeObject(a, L"ATTRIB"); });
        seqEnd = ref->sequenceEndId();
    }
    if (auto* end = AcDbEntity::cast(seqEnd.objectPtr())) writeObject(end, L"SEQEND");
}

void Writer::classes() {
    section("CLASSES");
    std::map<std::wstring, std::pair<AcRxClass*, int>> custom;  // by drawing-file name
    std::map<std::wstring, int> unknownCounts;
    KindTest unknown{AcDbUnknownObject::desc(), AcDbUnknownEntity::desc()};
    for (AcDbStub& s : mDb.impl().stubs) {
        AcDbObject* o = s.obj;
        if (!o || s.erased) continue;
        AcRxClass* c = o->isA();
        if (c->isCustom() && c->dxfName() && *c->dxfName()) {
            auto& e = custom[c->dxfName()];
            e.first = c;
            ++e.second;
        } else if (const unsigned kinds = unknown(o); kinds & 1) {
            ++unknownCounts[static_cast<AcDbUnknownObject*>(o)->dxfTypeName()];
        } else if (kinds & 2) {
            ++unknownCounts[static_cast<AcDbUnknownEntity*>(o)->dxfTypeName()];
        }
    }
    auto entry = [&](const std::wstring& dxfName, const std::wstring& cls, const std::wstring& app, int flags,
                     int count, bool wasProxy, bool isEntity) {
        element("CLASS");
        mFiler.writeString(1, dxfName);
        mFiler.writeString(2, cls);
        mFiler.writeString(3, app);
        mFiler.writeInt32(90, flags);
        mFiler.writeInt32(91, count);
        mFiler.writeInt16(280, wasProxy ? 1 : 0);
        mFiler.writeInt16(281, isEntity ? 1 : 0);
    };
    for (const auto& [name, e] : custom)
        entry(name, e.first->name(), e.first->appName() ? e.first->appName() : L"", e.first->proxyFlags(), e.second,
              false, e.first->isDerivedFrom(AcDbEntity::desc()));
    for (const auto& k : mDb.keptClasses())
        if (!custom.count(k.dxfName))
            entry(k.dxfName, k.className, k.appName, k.proxyFlags, unknownCounts[k.dxfName], k.wasProxy, k.isEntity);
    element("ENDSEC");
}

void Writer::tables() {
    section("TABLES");
    const AcDbDatabase::TableIndex order[] = {AcDbDatabase::kVport, AcDbDatabase::kLtype, AcDbDatabase::kLayer,
                                              AcDbDatabase::kStyle, AcDbDatabase::kView, AcDbDatabase::kUcs,
                                              AcDbDatabase::kRegApp, AcDbDatabase::kDimStyle, AcDbDatabase::kBlock};
    for (auto index : order) {
        auto* table = AcDbSymbolTable::cast(mDb.tableId(index).objectPtr());
        if (!table) continue;
        element("TABLE");
        mFiler.writeString(2, table->tableName());
        table->dxfOutFields(&mFiler);
        cvxWriteKept(table, &mFiler, kSectionTail);
        writeXData(table);
        std::wstring recordType = table->recordClass()->dxfName();
        forLive(table->recordIds(), [&](AcDbObject* rec) { writeObject(rec, recordType); });
        element("ENDTAB");
    }
    element("ENDSEC");
}

void Writer::blocks() {
    section("BLOCKS");
    auto* table = AcDbBlockTable::cast(mDb.blockTableId().objectPtr());
    AcDbObjectId ms = mDb.modelSpaceId(), ps = mDb.paperSpaceId();
    if (table)
        forLive(table->recordIds(), [&](AcDbObject* o) {
            auto* btr = AcDbBlockTableRecord::cast(o);
            const auto& m = btr->markers();
            bool paper = btr->objectId() == ps;
            element("BLOCK");
            mFiler.writeHandle(5, m.begin);
            mFiler.writeObjectId(330, btr->objectId());
            mFiler.writeRaw(100, "AcDbEntity");
            if (paper) mFiler.writeInt16(67, 1);
            mFiler.writeRecordName(8, m.beginLayer);
            mFiler.writeRaw(100, "AcDbBlockBegin");
            mFiler.writeString(2, btr->name());
            mFiler.writeInt16(70, static_cast<int16_t>(btr->blockFlags()));
            mFiler.writePoint3d(10, btr->origin());
            mFiler.writeString(3, btr->name());
            mFiler.writeString(1, btr->pathName());
            if (!btr->comments().empty()) mFiler.writeString(4, btr->comments());
            if (btr->objectId() != ms && btr->objectId() != ps)
                forLive(btr->entityIds(), [&](AcDbObject* e) { writeEntity(static_cast<AcDbEntity*>(e)); });
            element("ENDBLK");
            mFiler.writeHandle(5, m.end);
            mFiler.writeObjectId(330, btr->objectId());
            mFiler.writeRaw(100, "AcDbEntity");
            if (paper) mFiler.writeInt16(67, 1);
            mFiler.writeRecordName(8, m.endLayer);
            mFiler.writeRaw(100, "AcDbBlockEnd");
        });
    element("ENDSEC");
}

void Writer::entities() {
    section("ENTITIES");
    for (AcDbObjectId space : {mDb.modelSpaceId(), mDb.paperSpaceId()})
        if (auto* btr = AcDbBlockTableRecord::cast(space.objectPtr()))
            forLive(btr->entityIds(), [&](AcDbObject* e) { writeEntity(static_cast<AcDbEntity*>(e)); });
    element("ENDSEC");
}

void Writer::objects() {
    section("OBJECTS");
    AcDbObjectId nod = mDb.namedObjectsDictionaryId();
    if (AcDbObject* root = nod.objectPtr()) writeObject(root, L"DICTIONARY");
    // In handle order; entities and tables (most objects) are left out before sorting.
    std::vector<AcDbObjectId> ids;
    KindTest leftOut{AcDbEntity::desc(), AcDbSymbolTable::desc(), AcDbSymbolTableRecord::desc()};
    for (AcDbStub& s : mDb.impl().stubs) {
        AcDbObject* o = s.obj;
        AcDbObjectId id(&s);
        if (o && !s.erased && id != nod && !leftOut(o)) ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    for (AcDbObjectId id : ids) writeObject(id.objectPtr(), acdbDxfNameOf(id.objectPtr()));
    element("ENDSEC");
}

bool Writer::run(std::string& error) {
    section("HEADER");
    dxfWriteHeader(mFiler, mDb, mFiler.dwgVersion(), mDb.handseed());
    element("ENDSEC");
    classes();
    tables();
    blocks();
    entities();
    objects();
    element("EOF");
    error = mError;
    return mError.empty();
}
}  // namespace

bool dxfWriteDatabase(DxfOutStream& out, AcDbDatabase& db, int version, std::string& error) {
    return Writer(out, db, version).run(error);
}
