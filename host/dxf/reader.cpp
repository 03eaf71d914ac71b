#include "dxf/reader.h"

#include <algorithm>
#include <memory>

#include "cvx/dbents.h"
#include "db/database_impl.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"
#include "dxf/dxf_error.h"
#include "dxf/group_reader.h"
#include "dxf/header_vars.h"
#include "dxf/in_filer.h"
#include "dxf/text_codec.h"
#include "dxf/tokenizer.h"

DxfFileFacts dxfPeekHeader(std::string_view text) {
    DxfFileFacts facts;
    DxfTokenizer tok(text);
    DxfRawGroup g;
    std::string_view want;
    try {
        for (int n = 0; n < 20000 && tok.next(g); ++n) {
            if (g.code == 0 && g.value.find("ENDSEC") != std::string_view::npos) break;
            if (g.code == 9) want = g.value;
            else if (want.starts_with("$ACADVER")) facts.version = dxfVersionFromName(g.value), want = {};
            else if (want.starts_with("$DWGCODEPAGE")) facts.codePage = dxfCodePageFromName(g.value), want = {};
        }
    } catch (const DxfError&) {
        // The full read reports the damage.
    }
    return facts;
}

namespace {
using Kind = AcDbDatabase::TableIndex;

bool isBaseCode(int code) { return code == 5 || code == 105 || code == 330 || code == 360 || code == 102; }
bool isEntityCommonCode(int code) {
    return code == 67 || code == 8 || code == 6 || code == 62 || code == 420 || code == 370 || code == 48 || code == 60;
}

struct TableInfo {
    const char* name;
    Kind index;
    AcRxClass* (*desc)();
};
const TableInfo kTables[] = {
    {"VPORT", AcDbDatabase::kVport, &AcDbViewportTable::desc},
    {"LTYPE", AcDbDatabase::kLtype, &AcDbLinetypeTable::desc},
    {"LAYER", AcDbDatabase::kLayer, &AcDbLayerTable::desc},
    {"STYLE", AcDbDatabase::kStyle, &AcDbTextStyleTable::desc},
    {"VIEW", AcDbDatabase::kView, &AcDbViewTable::desc},
    {"UCS", AcDbDatabase::kUcs, &AcDbUCSTable::desc},
    {"APPID", AcDbDatabase::kRegApp, &AcDbRegAppTable::desc},
    {"DIMSTYLE", AcDbDatabase::kDimStyle, &AcDbDimStyleTable::desc},
    {"BLOCK_RECORD", AcDbDatabase::kBlock, &AcDbBlockTable::desc},
};

class Reader {
public:
    Reader(DxfGroupReader& in, AcDbDatabase& db)
        : mIn(in), mDb(db), mStore(db.impl()), mFiler(db, AcDb::kDHL_CURRENT) {}

    void run();

private:
    bool next() {
        mHave = mIn.next(mE);
        return mHave;
    }
    // The first letters are compared before the whole names: most elements are entities whose names have the
    // length of a section's or block's end.
    bool at(std::string_view type) const {
        return mHave && mE.type.size() == type.size() && (type.empty() || (mE.type[0] == type[0] && mE.type == type));
    }
    [[noreturn]] void unexpectedEnd(const char* what) { dxfFail(mIn.line(), std::string("the file ends ") + what); }

    void readSection(std::string_view name);
    void readHeader();
    void readClasses();
    void readTables();
    void readBlocks();
    void readEntitiesUntil(AcDbObjectId block, std::string_view stop);
    void readObjects();

    AcDbObjectId ensureTable(Kind index);
    // Reads the current element into obj and makes it resident; obj is owned by the database afterwards.
    AcDbObjectId place(AcDbObject* obj, size_t first = 0);
    void liftCommonGroups(size_t first);
    AcDbObjectId readEntity(AcDbObjectId block);
    AcDbEntity* makeEntity();
    // The class a drawing-file name stands for (null when none), and whether it is an entity class.
    struct FileClass {
        std::string name;
        AcRxClass* cls;
        bool entity;
    };
    const FileClass& classOf(std::string_view dxfName);
    void appendTo(AcDbObjectId block, AcDbObjectId id);
    void ensureStandardRecords();
    void finish();

    DxfGroupReader& mIn;
    DxfElement mE;
    bool mHave = false;
    AcDbDatabase& mDb;
    AcDbDatabase::Impl& mStore;
    DxfInFiler mFiler;
    DxfHeaderNames mNames;
    std::vector<FileClass> mClasses;  // looked-up drawing-file names
    AcDbObjectId mModelSpace, mPaperSpace;
    AcDbObjectId mLastBlock;  // the block entities were last appended to
    AcDbBlockTableRecord* mLastBlockRecord = nullptr;
};

void Reader::run() {
    if (!next()) dxfFail(1, "the file is empty");
    for (;;) {
        if (!mHave) unexpectedEnd("without 0/EOF");
        if (mE.type == "EOF") break;
        if (mE.type == "ENDSEC" && mE.groups.empty()) {  // a stray end of section
            next();
            continue;
        }
        if (mE.type != "SECTION")
            dxfFail(mE.line, "expected 0/SECTION or 0/EOF, found 0/" + std::string(mE.type));
        if (mE.groups.empty() || mE.groups[0].code != 2) dxfFail(mE.line, "a section without its name (group 2)");
        std::string name(mE.groups[0].text);
        uint32_t line = mE.line;
        readSection(name);
        if (!at("ENDSEC")) dxfFail(mHave ? mE.line : mIn.line(), "section " + name + " (line " +
                                                                       std::to_string(line) + ") is not closed by 0/ENDSEC");
        next();
    }
    finish();
}

void Reader::readSection(std::string_view name) {
    if (name == "HEADER") return readHeader();
    if (name == "CLASSES") return readClasses();
    if (name == "TABLES") return readTables();
    if (name == "BLOCKS") return readBlocks();
    if (name == "ENTITIES") {
        ensureStandardRecords();
        // Room for as many entities as the rest of the file can hold (the smallest take some 64 bytes): the
        // list is not copied as it grows, and pages of it that stay unused are never touched.
        auto& ids = AcDbBlockTableRecord::cast(mModelSpace.objectPtr())->entityIdsForWrite();
        ids.reserve(ids.size() + (mIn.size() - mIn.offset()) / 64);
        next();
        readEntitiesUntil(AcDbObjectId(), "ENDSEC");
        return;
    }
    if (name == "OBJECTS") return readObjects();
    while (next() && !at("ENDSEC")) {}  // a section the host does not use (thumbnail, ...)
}

void Reader::readHeader() {
    dxfReadHeader(mE, mDb, mNames);
    // Some writers close the header early and go on with more variables: 0/ENDSEC with groups after it.
    while (next() && at("ENDSEC") && !mE.groups.empty()) dxfReadHeader(mE, mDb, mNames);
    // Room in the handle table for the handles given out so far, as far as the file can hold that many
    // objects (each takes some tens of bytes), so that the table does not grow step by step.
    mStore.reserveHandles(std::min<uint64_t>(mDb.handseed().value(), mIn.size() / 32));
    mFiler.setVersion(mDb.originalFileVersion());
}

void Reader::readClasses() {
    while (next() && at("CLASS")) {
        AcDbDatabase::KeptClass c;
        for (const AcDbDxfGroup& g : mE.groups) switch (g.code) {
                case 1: c.dxfName = g.wtext(); break;
                case 2: c.className = g.wtext(); break;
                case 3: c.appName = g.wtext(); break;
                case 90: c.proxyFlags = static_cast<int>(g.integer); break;
                case 280: c.wasProxy = g.integer != 0; break;
                case 281: c.isEntity = g.integer != 0; break;
                default: break;
            }
        if (!c.dxfName.empty() && !acrxFindClassByDxfName(c.dxfName.c_str())) mDb.keptClasses().push_back(std::move(c));
    }
}

AcDbObjectId Reader::ensureTable(Kind index) {
    AcDbObjectId id = mDb.tableId(index);
    if (!id.isNull()) return id;
    for (const TableInfo& t : kTables)
        if (t.index == index) {
            auto* table = static_cast<AcDbSymbolTable*>(t.desc()->create());
            mStore.addNew(table, id);
            mDb.setTableId(index, id);
        }
    return id;
}

void Reader::readTables() {
    next();
    while (at("TABLE")) {
        if (mE.groups.empty() || mE.groups[0].code != 2) dxfFail(mE.line, "a table without its name (group 2)");
        const TableInfo* info = nullptr;
        for (const TableInfo& t : kTables)
            if (mE.groups[0].text == t.name) info = &t;
        if (!info) {  // a table the host does not know: skipped with its records
            while (next() && !at("ENDTAB") && !at("ENDSEC")) {}
            if (at("ENDTAB")) next();
            continue;
        }
        AcDbObjectId tableId = mDb.tableId(info->index);
        if (tableId.isNull()) {
            tableId = place(static_cast<AcDbObject*>(info->desc()->create()), 1);
            mDb.setTableId(info->index, tableId);
        }
        auto* table = AcDbSymbolTable::cast(tableId.objectPtr());
        AcRxClass* recordClass = table->recordClass();
        std::string recordType = cvxToUtf8(recordClass->dxfName());
        while (next() && !at("ENDTAB")) {
            if (at("ENDSEC") || at("TABLE")) dxfFail(mE.line, "table " + std::string(info->name) + " is not closed by 0/ENDTAB");
            if (mE.type != recordType)
                dxfFail(mE.line, "a " + std::string(mE.type) + " record in the " + info->name + " table");
            AcDbObjectId id = place(static_cast<AcDbObject*>(recordClass->create()));
            id.objectPtr()->setOwnerId(tableId);
            table->adoptRecordId(id);
        }
        if (!mHave) unexpectedEnd("inside a table");
        next();
    }
}

void Reader::readBlocks() {
    ensureStandardRecords();
    next();
    while (at("BLOCK")) {
        std::string name;
        uint64_t handle = 0;
        AcDbObjectId layer;
        AcGePoint3d base;
        int flags = 0;
        std::wstring path, comments;
        for (const AcDbDxfGroup& g : mE.groups) switch (g.code) {
                case 2: name = g.text; break;
                case 5: handle = static_cast<uint64_t>(g.integer); break;
                case 8: layer = mFiler.recordByName(AcDbDatabase::kLayer, g.text); break;
                case 10: base = g.point; break;
                case 70: flags = static_cast<int>(g.integer); break;
                case 1: path = g.wtext(); break;
                case 4: comments = g.wtext(); break;
                default: break;
            }
        if (name.empty()) dxfFail(mE.line, "a block without its name (group 2)");
        AcDbObjectId blockId = mFiler.recordByName(AcDbDatabase::kBlock, name);
        auto* block = AcDbBlockTableRecord::cast(blockId.objectPtr());
        if (!block) dxfFail(mE.line, "block " + dxfQuote(name) + " cannot be made");
        if (handle && !mStore.stubFor(handle, false)) mStore.stubFor(handle, true);  // keeps the handle taken
        block->markers().begin = AcDbHandle(handle);
        block->markers().beginLayer = layer;
        if (acdbOpenObject(block, blockId, AcDb::kForWrite) == Acad::eOk) {
            block->setOrigin(base);
            block->setBlockFlags(flags);
            block->setPathName(path);
            block->setComments(comments);
            block->close();
        }
        next();
        readEntitiesUntil(blockId, "ENDBLK");
        if (!at("ENDBLK")) dxfFail(mHave ? mE.line : mIn.line(), "block " + dxfQuote(name) + " is not closed by 0/ENDBLK");
        for (const AcDbDxfGroup& g : mE.groups) {
            if (g.code == 5) {
                block->markers().end = AcDbHandle(static_cast<uint64_t>(g.integer));
                if (!mStore.stubFor(static_cast<uint64_t>(g.integer), false)) mStore.stubFor(static_cast<uint64_t>(g.integer), true);
            }
            if (g.code == 8) block->markers().endLayer = mFiler.recordByName(AcDbDatabase::kLayer, g.text);
        }
        next();
    }
}

const Reader::FileClass& Reader::classOf(std::string_view dxfName) {
    for (const FileClass& c : mClasses)
        if (c.name.size() == dxfName.size() && (dxfName.empty() || c.name[0] == dxfName[0]) && c.name == dxfName) return c;
    AcRxClass* c = acrxFindClassByDxfName(cvxFromUtf8(dxfName).c_str());
    mClasses.push_back({std::string(dxfName), c, c && c->isDerivedFrom(AcDbEntity::desc())});
    return mClasses.back();
}

AcDbEntity* Reader::makeEntity() {
    if (mE.type == "POLYLINE") {
        int64_t flags = 0;
        for (const AcDbDxfGroup& g : mE.groups)
            if (g.code == 70) flags = g.integer;
        if (flags & (16 | 64)) return new AcDbUnknownEntity(L"POLYLINE");  // meshes: kept as read
        if (flags & 8) return new AcDb3dPolyline();
        return new AcDb2dPolyline();
    }
    if (!at("VERTEX"))
        if (const FileClass& c = classOf(mE.type); c.entity)
            if (AcRxObject* o = c.cls->create()) return static_cast<AcDbEntity*>(o);
    return new AcDbUnknownEntity(cvxFromUtf8(mE.type));
}

void Reader::appendTo(AcDbObjectId block, AcDbObjectId id) {
    if (block != mLastBlock) {
        mLastBlock = block;
        mLastBlockRecord = AcDbBlockTableRecord::cast(block.objectPtr());
    }
    AcDbBlockTableRecord* btr = mLastBlockRecord;
    id.objectPtr()->setOwnerId(block);
    btr->entityIdsForWrite().push_back(id);
}

void Reader::readEntitiesUntil(AcDbObjectId block, std::string_view stop) {
    while (mHave && !at(stop)) {
        if (at("ENDSEC") || at("EOF") || at("BLOCK") || at("ENDBLK") || at("SECTION"))
            dxfFail(mE.line, "expected 0/" + std::string(stop) + ", found 0/" + std::string(mE.type));
        readEntity(block);
    }
}

AcDbObjectId Reader::readEntity(AcDbObjectId block) {
    AcDbEntity* ent = makeEntity();
    const bool unknownPolyline = mE.type == "POLYLINE" && AcDbUnknownEntity::cast(ent);
    AcDbObjectId id = place(ent);
    if (block.isNull()) {  // the entities section: model or paper space, as the entity says
        AcDbObjectId owner = ent->ownerId();
        if (owner != mModelSpace && owner != mPaperSpace && !AcDbBlockTableRecord::cast(owner.objectPtr()))
            owner = ent->isInPaperSpace() ? mPaperSpace : mModelSpace;
        appendTo(owner, id);
    } else {
        appendTo(block, id);
    }
    if (!block.isNull() && block == mPaperSpace) ent->setInPaperSpace(true);
    next();

    // Sub-entities: polyline vertices, block reference attributes, and the sequence end.
    if (!at("VERTEX") && !at("ATTRIB") && !at("SEQEND")) return id;
    auto* heavy = AcDbHeavyPolyline::cast(ent);
    auto* insert = AcDbBlockReference::cast(ent);
    const char* childType = heavy || unknownPolyline ? "VERTEX" : insert ? "ATTRIB" : nullptr;
    if (!childType || !(at(childType) || (heavy && at("SEQEND")))) return id;
    std::vector<AcDbObjectId> children;
    while (at(childType) || at("SEQEND")) {
        bool end = at("SEQEND");
        AcDbEntity* child = end ? new AcDbSequenceEnd()
                            : unknownPolyline ? static_cast<AcDbEntity*>(new AcDbUnknownEntity(L"VERTEX"))
                            : insert ? static_cast<AcDbEntity*>(new AcDbAttribute())
                            : AcDb3dPolyline::cast(ent) ? static_cast<AcDbEntity*>(new AcDb3dPolylineVertex())
                                                        : static_cast<AcDbEntity*>(new AcDb2dVertex());
        if (end && unknownPolyline) {
            delete child;
            child = new AcDbUnknownEntity(L"SEQEND");
        }
        AcDbObjectId cid = place(child);
        child->setOwnerId(id);
        if (ent->isInPaperSpace()) child->setInPaperSpace(true);
        children.push_back(cid);
        next();
        if (end) break;
    }
    if (children.empty() || !AcDbSequenceEnd::cast(children.back().objectPtr())) {
        if (!unknownPolyline)
            dxfFail(mHave ? mE.line : mIn.line(), std::string(heavy ? "a polyline" : "a block reference") +
                                                      "'s sub-entities are not closed by 0/SEQEND");
    }
    if (unknownPolyline) {  // kept in the block's list right after their polyline
        AcDbObjectId owner = ent->ownerId();
        for (AcDbObjectId c : children) {
            AcDbBlockTableRecord::cast(owner.objectPtr())->entityIdsForWrite().push_back(c);
            c.objectPtr()->setOwnerId(id);
        }
    } else {
        ent->childrenMadeResident(children);
    }
    return id;
}

void Reader::readObjects() {
    next();
    while (mHave && !at("ENDSEC")) {
        if (at("EOF") || at("SECTION")) dxfFail(mE.line, "expected 0/ENDSEC, found 0/" + std::string(mE.type));
        AcRxClass* c = classOf(mE.type).cls;
        AcDbObject* obj = nullptr;
        if (c && !c->isDerivedFrom(AcDbEntity::desc()) && !c->isDerivedFrom(AcDbSymbolTable::desc()) &&
            !c->isDerivedFrom(AcDbSymbolTableRecord::desc()))
            obj = AcDbObject::cast(c->create());
        if (!obj) obj = new AcDbUnknownObject(cvxFromUtf8(mE.type));
        AcDbObjectId id = place(obj);
        if (mDb.namedObjectsDictionaryId().isNull() && AcDbDictionary::cast(obj)) mDb.setNamedObjectsDictionaryId(id);
        next();
    }
}

// Some writers put the layer, colour and linetype after the first class marker that follows the common
// entity data ("100 AcDbEntity, 100 AcDbLine, 8 walls, 62 1, ..."). Where that class has no groups of its own
// with these codes, they are moved back before its marker, so that the common data reads them where the file
// meant them (and they are not also kept as unknown groups, written a second time).
void Reader::liftCommonGroups(size_t first) {
    static constexpr std::string_view kClasses[] = {
        "AcDbLine",      "AcDbCircle",     "AcDbPoint",      "AcDbMText",    "AcDbText",       "AcDbBlockReference",
        "AcDbPolyline",  "AcDbSpline",     "AcDbEllipse",    "AcDb2dPolyline", "AcDb3dPolyline", "AcDbVertex",
        "AcDbTrace",     "AcDbFace",       "AcDbHatch",      "AcDbRay",      "AcDbXline",      "AcDbDimension"};
    auto& gs = mE.groups;
    size_t n = gs.size(), marker = n;
    for (size_t i = first; i < n && gs[i].code < 1000; ++i)
        if (gs[i].code == 100) {
            if (gs[i].text == "AcDbEntity") {
                for (size_t j = i + 1; j < n && gs[j].code < 1000; ++j)
                    if (gs[j].code == 100) {
                        marker = j;
                        break;
                    }
            }
            break;
        }
    if (marker == n || std::find(std::begin(kClasses), std::end(kClasses), gs[marker].text) == std::end(kClasses))
        return;
    auto lifted = [](int c) { return c == 8 || c == 6 || c == 62 || c == 370 || c == 420; };
    size_t end = marker + 1;
    bool any = false;
    for (; end < n && gs[end].code != 100 && gs[end].code < 1000; ++end) any = any || lifted(gs[end].code);
    if (!any) return;
    // A stable partition of [marker, end): the lifted groups first, in their order, then the marker and the rest.
    std::vector<size_t> order;
    for (size_t i = marker + 1; i < end; ++i)
        if (lifted(gs[i].code)) order.push_back(i);
    order.push_back(marker);
    for (size_t i = marker + 1; i < end; ++i)
        if (!lifted(gs[i].code)) order.push_back(i);
    std::vector<AcDbDxfGroup> groups;
    std::vector<uint32_t> lines;
    for (size_t i : order) {
        groups.push_back(gs[i]);
        lines.push_back(mE.lines[i]);
    }
    std::copy(groups.begin(), groups.end(), gs.begin() + static_cast<long>(marker));
    std::copy(lines.begin(), lines.end(), mE.lines.begin() + static_cast<long>(marker));
}

AcDbObjectId Reader::place(AcDbObject* obj, size_t first) {
    std::unique_ptr<AcDbObject> owned(obj);
    auto& gs = mE.groups;
    // Files without subclass markers (R12 and some writers) may list the handle and the common entity data
    // anywhere; they are brought into the order the classes read them in.
    bool marked = std::any_of(gs.begin() + static_cast<long>(first), gs.end(), [](const AcDbDxfGroup& g) { return g.code == 100; });
    if (!marked) {
        bool entity = AcDbEntity::cast(obj) != nullptr;
        std::vector<size_t> order(gs.size() - first);
        for (size_t i = 0; i < order.size(); ++i) order[i] = first + i;
        auto rank = [&](size_t i) {
            int c = gs[i].code;
            return c >= 1000 ? 3 : isBaseCode(c) ? 0 : (entity && isEntityCommonCode(c)) ? 1 : 2;
        };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rank(a) < rank(b); });
        std::vector<AcDbDxfGroup> sorted;
        std::vector<uint32_t> lines;
        for (size_t i : order) {
            sorted.push_back(gs[i]);
            lines.push_back(mE.lines[i]);
        }
        std::copy(sorted.begin(), sorted.end(), gs.begin() + static_cast<long>(first));
        std::copy(lines.begin(), lines.end(), mE.lines.begin() + static_cast<long>(first));
    } else if (AcDbEntity::cast(obj)) {
        liftCommonGroups(first);
    }
    uint64_t handle = 0;
    const bool dimStyle = mE.type == "DIMSTYLE";  // its group 5 is not its handle
    for (size_t i = first; i < gs.size(); ++i)
        if ((gs[i].code == 5 && !dimStyle) || gs[i].code == 105) {
            handle = static_cast<uint64_t>(gs[i].integer);
            break;
        }

    mFiler.start(mE, first);
    Acad::ErrorStatus es = obj->dxfInFields(&mFiler);
    if (es == Acad::eOk) es = mFiler.filerStatus();
    if (es != Acad::eOk) {
        std::string why = cvxToUtf8(mFiler.errorMessage());
        dxfFail(mE.line, "the data of this " + std::string(mE.type) + " cannot be read (" + acadErrorStatusText(es) +
                             (why.empty() ? "" : ": " + why) + ")");
    }
    // Groups the class left unread, and extended data.
    for (size_t i = mFiler.position(); i < mFiler.dataEnd(); ++i) cvxKeepGroup(obj, kSectionTail, gs[i]);
    size_t x = mFiler.dataEnd();
    while (x < gs.size() && gs[x].code != 1001) ++x;
    if (x < gs.size()) {
        resbuf head{};
        resbuf* tail = &head;
        for (; x < gs.size(); ++x) {
            tail->rbnext = cvxResbufFromGroup(gs[x], &mFiler);
            tail = tail->rbnext;
        }
        AcDbObject::Extras& extras = obj->extrasForWrite();
        acutRelRb(extras.xdata);
        extras.xdata = head.rbnext;
    }

    AcDbObjectId id;
    if (handle == 0 || mStore.addWithHandle(obj, handle, id) != Acad::eOk)
        if (mStore.addNew(obj, id) != Acad::eOk) dxfFail(mE.line, "this " + std::string(mE.type) + " cannot be stored");
    owned.release();
    return id;
}

void Reader::ensureStandardRecords() {
    for (const TableInfo& t : kTables) ensureTable(t.index);
    auto ensureRecord = [&](Kind table, const ACHAR* name, AcDbSymbolTableRecord* rec) {
        auto* t = AcDbSymbolTable::cast(mDb.tableId(table).objectPtr());
        if (t->has(name)) {
            delete rec;
            return;
        }
        rec->setName(name);
        AcDbObjectId id;
        mStore.addNew(rec, id);
        rec->setOwnerId(t->objectId());
        t->adoptRecordId(id);
    };
    ensureRecord(AcDbDatabase::kLtype, L"ByBlock", new AcDbLinetypeTableRecord());
    ensureRecord(AcDbDatabase::kLtype, L"ByLayer", new AcDbLinetypeTableRecord());
    auto* continuous = new AcDbLinetypeTableRecord();
    continuous->setComments(L"Solid line");
    ensureRecord(AcDbDatabase::kLtype, L"Continuous", continuous);
    auto* layer0 = new AcDbLayerTableRecord();
    AcCmColor white;
    white.setColorIndex(7);
    layer0->setColor(white);
    layer0->setLinetypeObjectId(mDb.continuousLinetype());
    ensureRecord(AcDbDatabase::kLayer, L"0", layer0);
    ensureRecord(AcDbDatabase::kStyle, L"Standard", new AcDbTextStyleTableRecord());
    ensureRecord(AcDbDatabase::kRegApp, L"ACAD", new AcDbRegAppTableRecord());
    ensureRecord(AcDbDatabase::kDimStyle, L"Standard", new AcDbDimStyleTableRecord());
    ensureRecord(AcDbDatabase::kBlock, ACDB_MODEL_SPACE, new AcDbBlockTableRecord());
    ensureRecord(AcDbDatabase::kBlock, ACDB_PAPER_SPACE, new AcDbBlockTableRecord());
    mModelSpace = mDb.modelSpaceId();
    mPaperSpace = mDb.paperSpaceId();
}

void Reader::finish() {
    ensureStandardRecords();

    if (mDb.namedObjectsDictionaryId().isNull()) {
        auto* nod = new AcDbDictionary();
        AcDbObjectId nodId, groupsId;
        mStore.addNew(nod, nodId);
        mDb.setNamedObjectsDictionaryId(nodId);
        auto* groups = new AcDbDictionary();
        mStore.addNew(groups, groupsId);
        groups->setOwnerId(nodId);
        nod->entriesForWrite().push_back({L"ACAD_GROUP", groupsId});
    }

    auto byName = [&](Kind table, const std::string& name, AcDbObjectId fallback) {
        AcDbObjectId id = name.empty() ? AcDbObjectId() : mFiler.recordByName(table, name);
        return id.isNull() ? fallback : id;
    };
    AcDbObjectId layer0Id;
    AcDbLayerTable::cast(mDb.layerTableId().objectPtr())->getAt(L"0", layer0Id);
    mDb.setClayer(byName(AcDbDatabase::kLayer, mNames.clayer, layer0Id));
    mDb.setCeltype(byName(AcDbDatabase::kLtype, mNames.celtype, mDb.byLayerLinetype()));
    AcDbObjectId standard;
    AcDbTextStyleTable::cast(mDb.textStyleTableId().objectPtr())->getAt(L"Standard", standard);
    mDb.setTextstyle(byName(AcDbDatabase::kStyle, mNames.textstyle, standard));
}
}  // namespace

namespace {
// Texts are in the header's code page in files before the 2007 format, in UTF-8 after.
int textCodePage(const DxfFileFacts& facts) { return facts.version < AcDb::kDHL_1021 ? facts.codePage : 0; }
}  // namespace

DxfFileFacts dxfReadDatabase(std::string_view text, AcDbDatabase& db) {
    DxfFileFacts facts = dxfPeekHeader(text);
    DxfGroupReader in(text, textCodePage(facts));
    Reader(in, db).run();
    return facts;
}

DxfFileFacts dxfReadDatabase(DxfTextSource& source, AcDbDatabase& db, size_t window) {
    bool final = true;
    DxfFileFacts facts = dxfPeekHeader(source.window(0, kDxfHeaderPeek, final));
    DxfGroupReader in(source, textCodePage(facts), window);
    Reader(in, db).run();
    return facts;
}
