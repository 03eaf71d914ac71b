#include "db/undo.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "cvx/dbents.h"
#include "cvx/wide.h"
#include "db/database_impl.h"
#include "db/dxf_support.h"
#include "db/object_extras.h"
#include "db/stub.h"

namespace {

// ---- an object's fields in memory ----

// Groups kept as bytes: a code, a tag, the value. Reading hands them out as the drawing-file reader would,
// except that table records are named by handle (an object restored before a renamed layer finds its layer).
enum Tag : uint8_t { kText, kRaw, kInt, kReal, kPoint2, kPoint3, kHandle, kRecord };

class MemoryFiler : public AcDbDxfFiler, public CvxDxfOutSupport, public CvxDxfInSupport {
public:
    MemoryFiler(AcDbDatabase* db, std::string& bytes) : mDb(db), mBytes(bytes) {}

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    void setError(Acad::ErrorStatus es, const ACHAR*) override { mStatus = es; }
    AcDbDatabase* database() const override { return mDb; }
    int dwgVersion() const override { return AcDb::kDHL_CURRENT; }
    CvxDxfOutSupport* outSupport() override { return this; }
    CvxDxfInSupport* inSupport() override { return this; }

    // ---- writing ----
    void writeString(int code, std::wstring_view s) override { text(code, kText, cvxToUtf8(s)); }
    void writeInt16(int code, int16_t v) override { writeInt64(code, v); }
    void writeInt32(int code, int32_t v) override { writeInt64(code, v); }
    void writeInt64(int code, int64_t v) override { value(code, kInt, &v, sizeof v); }
    void writeBool(int code, bool v) override { writeInt64(code, v ? 1 : 0); }
    void writeDouble(int code, double v) override { value(code, kReal, &v, sizeof v); }
    void writePoint2d(int code, const AcGePoint2d& p) override {
        double v[2] = {p.x, p.y};
        value(code, kPoint2, v, sizeof v);
    }
    void writePoint3d(int code, const AcGePoint3d& p) override {
        double v[3] = {p.x, p.y, p.z};
        value(code, kPoint3, v, sizeof v);
    }
    void writeVector3d(int code, const AcGeVector3d& v) override { writePoint3d(code, AcGePoint3d(v.x, v.y, v.z)); }
    void writeObjectId(int code, const AcDbObjectId& id) override { writeHandle(code, id.handle()); }
    void writeHandle(int code, const AcDbHandle& h) override {
        uint64_t v = h.value();
        value(code, kHandle, &v, sizeof v);
    }
    void writeUtf8(int code, std::string_view t) override { text(code, kText, t); }
    void writeRaw(int code, std::string_view t) override { text(code, kRaw, t); }
    void writeRecordName(int code, AcDbObjectId record) override {
        uint64_t v = record.handle().value();
        value(code, kRecord, &v, sizeof v);
    }
    // Null: the ByLayer linetype is written as any other, so that it comes back as it was.
    AcDbObjectId byLayerLinetype() override { return {}; }

    // ---- reading ----
    bool readGroup(AcDbDxfGroup& g) override {
        mLast = mPos;
        if (mPos >= mBytes.size()) return false;
        g = AcDbDxfGroup();
        uint16_t code;
        std::memcpy(&code, mBytes.data() + mPos, 2);
        g.code = code;
        Tag tag = static_cast<Tag>(mBytes[mPos + 2]);
        mPos += 3;
        auto take = [&](void* out, size_t n) {
            std::memcpy(out, mBytes.data() + mPos, n);
            mPos += n;
        };
        auto number = [&](double v) {
            auto r = std::to_chars(mNumber, mNumber + sizeof mNumber, v);
            g.text = std::string_view(mNumber, static_cast<size_t>(r.ptr - mNumber));
        };
        switch (tag) {
            case kText:
            case kRaw: {
                uint32_t n;
                take(&n, 4);
                g.text = std::string_view(mBytes.data() + mPos, n);
                mPos += n;
                if (tag == kRaw) parseRaw(g);
                break;
            }
            case kInt:
                take(&g.integer, 8);
                g.real = static_cast<double>(g.integer);
                number(g.real);
                break;
            case kReal:
                take(&g.real, 8);
                g.integer = static_cast<int64_t>(g.real);
                number(g.real);
                break;
            case kPoint2:
            case kPoint3: {
                double v[3] = {0, 0, 0};
                take(v, tag == kPoint3 ? 24 : 16);
                g.point = AcGePoint3d(v[0], v[1], v[2]);
                g.hasZ = tag == kPoint3;
                g.real = v[0];
                number(v[0]);
                break;
            }
            case kHandle:
            case kRecord: {
                uint64_t h;
                take(&h, 8);
                g.integer = static_cast<int64_t>(h);
                if (tag == kRecord) {
                    mNumber[0] = '\x01';
                    auto r = std::to_chars(mNumber + 1, mNumber + sizeof mNumber, h, 16);
                    g.text = std::string_view(mNumber, static_cast<size_t>(r.ptr - mNumber));
                } else {
                    auto r = std::to_chars(mNumber, mNumber + sizeof mNumber, h, 16);
                    g.text = std::string_view(mNumber, static_cast<size_t>(r.ptr - mNumber));
                }
                break;
            }
        }
        return true;
    }
    void pushBackGroup() override { mPos = mLast; }
    bool atEOF() const override { return mPos >= mBytes.size(); }
    bool atSubclassData(const ACHAR* name) override {
        size_t keep = mPos, last = mLast;
        AcDbDxfGroup g;
        if (readGroup(g) && g.code == 100 && cvxFromUtf8(g.text) == (name ? name : L"")) return true;
        mPos = keep;
        mLast = last;
        return false;
    }
    AcDbObjectId idFromHandle(uint64_t handle) override {
        if (handle == 0 || !mDb) return {};
        return AcDbObjectId(mDb->impl().stubFor(handle, true));
    }
    AcDbObjectId recordByName(AcDbDatabase::TableIndex table, std::string_view name) override {
        if (!name.empty() && name[0] == '\x01') {
            uint64_t h = 0;
            std::from_chars(name.data() + 1, name.data() + name.size(), h, 16);
            return idFromHandle(h);
        }
        AcDbObjectId id;
        if (auto* t = AcDbSymbolTable::cast(mDb->tableId(table).objectPtr())) t->getAt(cvxFromUtf8(name).c_str(), id);
        return id;
    }

private:
    void value(int code, Tag tag, const void* v, size_t n) {
        head(code, tag);
        mBytes.append(static_cast<const char*>(v), n);
    }
    void text(int code, Tag tag, std::string_view t) {
        head(code, tag);
        uint32_t n = static_cast<uint32_t>(t.size());
        mBytes.append(reinterpret_cast<const char*>(&n), 4);
        mBytes.append(t);
    }
    void head(int code, Tag tag) {
        uint16_t c = static_cast<uint16_t>(code);
        mBytes.append(reinterpret_cast<const char*>(&c), 2);
        mBytes.push_back(static_cast<char>(tag));
    }
    // A value kept as text: parsed by the kind of its code, as the file reader does.
    static void parseRaw(AcDbDxfGroup& g) {
        const char* b = g.text.data();
        const char* e = b + g.text.size();
        while (b < e && *b == ' ') ++b;
        switch (cvxDxfKind(g.code)) {
            case CvxDxfKind::Real: std::from_chars(b, e, g.real); break;
            case CvxDxfKind::Int: std::from_chars(b, e, g.integer); g.real = static_cast<double>(g.integer); break;
            case CvxDxfKind::Handle: {
                uint64_t h = 0;
                std::from_chars(b, e, h, 16);
                g.integer = static_cast<int64_t>(h);
                break;
            }
            default: break;
        }
    }

    AcDbDatabase* mDb;
    std::string& mBytes;
    size_t mPos = 0, mLast = 0;
    char mNumber[40];
    Acad::ErrorStatus mStatus = Acad::eOk;
};

// ---- an object's state ----

// What an object carries beyond its filing fields; only objects that have any of it get one.
struct StateRest {
    resbuf* xdata = nullptr;
    std::vector<AcDbObjectId> persistent;
    AcDbObjectId xdict;
    std::vector<std::pair<int, std::string>> kept;
    std::vector<AcDbObjectId> ids;  // entities of a block, records of a table, sub-objects and sequence end
    std::vector<AcDbDictionary::Entry> entries;
    AcDbBlockTableRecord::BlockMarkers markers;
    ~StateRest() { acutRelRb(xdata); }
    size_t bytes() const {
        size_t n = sizeof *this + persistent.size() * 8 + ids.size() * 8 + entries.size() * sizeof(AcDbDictionary::Entry);
        for (auto& k : kept) n += sizeof k + k.second.size();
        for (auto& e : entries) n += e.key.size() * sizeof(wchar_t);
        for (const resbuf* rb = xdata; rb; rb = rb->rbnext) n += sizeof(resbuf);
        return n;
    }
};

struct State {
    AcRxClass* cls = nullptr;
    std::string fields;
    std::unique_ptr<StateRest> rest;
    size_t bytes() const { return sizeof *this + fields.capacity() + (rest ? rest->bytes() : 0); }
};

StateRest& restOf(State& s) {
    if (!s.rest) s.rest = std::make_unique<StateRest>();
    return *s.rest;
}

void capture(const AcDbObject* obj, State& s) {
    s.cls = obj->isA();
    MemoryFiler filer(obj->database(), s.fields);
    obj->dxfOutFields(&filer);
    s.fields.shrink_to_fit();
    if (const AcDbObject::Extras* x = obj->extras()) {
        StateRest& r = restOf(s);
        r.xdata = x->xdata ? acutDuplicateRb(x->xdata) : nullptr;
        r.persistent = x->persistent;
        r.xdict = x->xdict;
        r.kept = x->kept;
    }
    if (auto* btr = AcDbBlockTableRecord::cast(obj)) {
        restOf(s).ids = btr->entityIds();
        s.rest->markers = btr->markers();
    } else if (auto* table = AcDbSymbolTable::cast(obj)) {
        restOf(s).ids = table->recordIds();
    } else if (auto* dict = AcDbDictionary::cast(obj)) {
        restOf(s).entries = dict->entries();
    } else if (auto* pl = AcDbHeavyPolyline::cast(obj)) {
        StateRest& r = restOf(s);
        for (const AcDbVertex* v : pl->vertices())
            if (v) r.ids.push_back(v->objectId());
        r.ids.push_back(pl->sequenceEndId());
    } else if (auto* ref = AcDbBlockReference::cast(obj); ref && !ref->sequenceEndId().isNull()) {
        StateRest& r = restOf(s);
        r.ids = ref->attributeIds();
        r.ids.push_back(ref->sequenceEndId());
    }
}

// A new object (outside the database) holding the state.
AcDbObject* build(AcDbDatabase* db, State& s) {
    AcRxObject* made = s.cls ? s.cls->create() : nullptr;
    AcDbObject* obj = made ? AcDbObject::cast(made) : nullptr;
    if (!obj) {
        delete made;
        return nullptr;
    }
    MemoryFiler filer(db, s.fields);
    obj->dxfInFields(&filer);
    AcDbObject::Extras* x = obj->extras();
    if (x || (s.rest && (s.rest->xdata || !s.rest->persistent.empty() || !s.rest->xdict.isNull() || !s.rest->kept.empty()))) {
        AcDbObject::Extras& e = obj->extrasForWrite();
        acutRelRb(e.xdata);
        e.xdata = nullptr;
        e.persistent.clear();
        e.xdict = AcDbObjectId();
        e.kept.clear();
        if (s.rest) {
            e.xdata = s.rest->xdata ? acutDuplicateRb(s.rest->xdata) : nullptr;
            e.persistent = s.rest->persistent;
            e.xdict = s.rest->xdict;
            e.kept = s.rest->kept;
        }
    }
    if (s.rest) {
        if (auto* btr = AcDbBlockTableRecord::cast(obj)) {
            btr->entityIdsForWrite() = s.rest->ids;
            btr->markers() = s.rest->markers;
        } else if (auto* table = AcDbSymbolTable::cast(obj)) {
            for (AcDbObjectId id : s.rest->ids) table->adoptRecordId(id);
        } else if (auto* dict = AcDbDictionary::cast(obj)) {
            dict->entriesForWrite() = s.rest->entries;
        } else if (auto* ent = AcDbEntity::cast(obj); ent && !s.rest->ids.empty()) {
            ent->childrenMadeResident(s.rest->ids);
        }
    }
    return obj;
}

// ---- reactors ----

template <typename Fn>
void forEachReactor(AcDbObject* obj, Fn fn) {
    const AcDbObject::Extras* x = obj->extras();
    if (!x) return;
    std::vector<AcDbObjectReactor*> transient = x->transient;
    std::vector<AcDbObjectId> persistent = x->persistent;
    for (AcDbObjectReactor* r : transient)
        if (r) fn(r);
    for (AcDbObjectId id : persistent) {
        AcDbObject* r = id.objectPtr();
        if (r && !id.isErased() && r != obj) fn(r);
    }
}

}  // namespace

// ---- the log ----

struct CvxUndoLog::Change {
    enum Kind : uint8_t { kModified, kAppended, kErased } kind;
    bool erased = false;            // kErased: the flag the object had before the change
    AcDbStub* stub;
    std::unique_ptr<State> state;   // kModified: the other state as noted, until it is first needed
    AcDbObject* other = nullptr;    // the other state as an object (outside the database)
    size_t bytes = 0;
};

namespace {
using Header = AcDbDatabase::Impl::Header;

bool same(const AcGePoint3d& a, const AcGePoint3d& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

bool sameHeader(const Header& a, const Header& b) {
    if (a.kept.size() != b.kept.size()) return false;
    for (size_t i = 0; i < a.kept.size(); ++i)
        if (a.kept[i].name != b.kept[i].name || a.kept[i].groups != b.kept[i].groups) return false;
    return a.clayer == b.clayer && a.celtype == b.celtype && a.textStyle == b.textStyle && a.space == b.space &&
           a.cecolor.entityColor() == b.cecolor.entityColor() && a.pdmode == b.pdmode && a.surftab1 == b.surftab1 &&
           a.splinesegs == b.splinesegs && a.insunits == b.insunits && a.pdsize == b.pdsize &&
           a.ltscale == b.ltscale && a.textsize == b.textsize && a.mirrtext == b.mirrtext &&
           a.tilemode == b.tilemode && same(a.extmin, b.extmin) && same(a.extmax, b.extmax) &&
           same(a.insbase, b.insbase);
}
}  // namespace

struct CvxUndoLog::Group {
    std::wstring name;
    Header headerBefore, headerAfter;  // the after state only matters when headerChanged
    bool headerChanged = false;
    bool replayed = false;  // the group of U, UNDO or REDO, which is no step of its own
    bool mark = false;
    uint64_t handseedBefore = 0, handseedAfter = 0;
    std::vector<Change> changes;
    size_t bytes = 0;
    ~Group() {
        for (Change& c : changes) delete c.other;
    }
};

namespace {
size_t defaultLimit() {
    if (const char* env = std::getenv("CURVIX_UNDO_MEMORY_MB")) {
        long mb = std::strtol(env, nullptr, 10);
        if (mb > 0) return static_cast<size_t>(mb) << 20;
    }
    return size_t(256) << 20;
}
}  // namespace

CvxUndoLog::CvxUndoLog(AcDbDatabase* db) : mDb(db), mLimit(defaultLimit()) {}

CvxUndoLog::~CvxUndoLog() = default;

void CvxUndoLog::begin(const std::wstring& name) {
    if (mDepth++ > 0) return;
    mOpen = std::make_unique<Group>();
    mOpen->name = name;
    mOpen->handseedBefore = mDb->handseed().value();
    mOpen->headerBefore = mDb->impl().header();
    ++mSerial;
}

void CvxUndoLog::end() {
    if (mDepth == 0 || --mDepth > 0) return;
    std::unique_ptr<Group> g = std::move(mOpen);
    if (!g || g->replayed) return;
    g->headerAfter = mDb->impl().header();
    g->headerChanged = !sameHeader(g->headerBefore, g->headerAfter);
    if (g->changes.empty() && !g->headerChanged) return;
    g->handseedAfter = mDb->handseed().value();
    clearRedo();
    mBytes += g->bytes;
    mDone.push_back(std::move(g));
    trim();
}

void CvxUndoLog::noteModify(AcDbObject* obj) {
    AcDbStub* s = obj->stub();
    if (!s || s->undoMark == mSerial || !mOpen) return;
    s->undoMark = mSerial;
    Change c{Change::kModified, false, s, std::make_unique<State>()};
    capture(obj, *c.state);
    c.bytes = c.state->bytes() + sizeof(Change);
    mOpen->bytes += c.bytes;
    mOpen->changes.push_back(std::move(c));
}

void CvxUndoLog::noteAppend(AcDbStub* s) {
    if (!mOpen) return;
    s->undoMark = mSerial;  // a new object needs no earlier state
    mOpen->changes.push_back(Change{Change::kAppended, false, s, nullptr});
    mOpen->changes.back().bytes = sizeof(Change);
    mOpen->bytes += sizeof(Change);
}

void CvxUndoLog::noteErase(AcDbStub* s, bool wasErased) {
    if (!mOpen) return;
    mOpen->changes.push_back(Change{Change::kErased, wasErased, s, nullptr});
    mOpen->changes.back().bytes = sizeof(Change);
    mOpen->bytes += sizeof(Change);
}

// Undoing and redoing are one exchange: each changed object trades places with its other state, each added
// object leaves the database or comes back, each erasure turns. All objects of the group trade places before
// any reactor is told, so that what reactors do in answer changes no state kept here.
void CvxUndoLog::replay(Group& g, bool undoing) {
    mReplaying = true;
    if (mOpen) mOpen->replayed = true;
    struct Told {
        AcDbObject* before;
        AcDbStub* stub;
    };
    std::vector<Told> modified;
    std::vector<std::pair<AcDbStub*, bool>> erasures;
    auto step = [&](Change& c) {
        AcDbStub* s = c.stub;
        switch (c.kind) {
            case Change::kModified: {
                if (!c.other && c.state) {
                    c.other = build(mDb, *c.state);
                    c.state.reset();
                }
                AcDbObject* now = s->obj;
                if (!c.other || !now) break;
                AcDbObject* next = c.other;
                if (AcDbObject::Extras* x = now->extras(); x && !x->transient.empty()) {
                    next->extrasForWrite().transient = std::move(x->transient);
                    x->transient.clear();
                }
                now->attachStub(nullptr);
                next->attachStub(s);
                s->obj = next;
                c.other = now;
                modified.push_back({now, s});
                break;
            }
            case Change::kAppended:
                if (undoing) {
                    c.other = s->obj;
                    if (c.other) c.other->attachStub(nullptr);
                    s->obj = nullptr;
                } else if (c.other) {
                    c.other->attachStub(s);
                    s->obj = c.other;
                    c.other = nullptr;
                }
                break;
            case Change::kErased: {
                bool flag = undoing ? c.erased : !c.erased;
                if (s->erased != flag) {
                    s->erased = flag;
                    erasures.emplace_back(s, flag);
                }
                break;
            }
        }
    };
    if (undoing)
        for (auto it = g.changes.rbegin(); it != g.changes.rend(); ++it) step(*it);
    else
        for (Change& c : g.changes) step(c);
    mDb->impl().setHandseed(undoing ? g.handseedBefore : g.handseedAfter);
    if (g.headerChanged) mDb->impl().setHeader(undoing ? g.headerBefore : g.headerAfter);

    // Reactors hear of each restored object as of a change: told before (with the state it leaves, seen
    // under its own id) and after.
    for (const Told& t : modified) {
        AcDbObject* obj = t.stub->obj;
        if (!obj) continue;
        forEachReactor(obj, [&](auto* r) {
            t.before->attachStub(t.stub);
            t.before->hostOpen(AcDb::kForNotify);
            r->openedForModify(t.before);
            t.before->close();
            t.before->attachStub(nullptr);
            obj->hostOpen(AcDb::kForNotify);
            r->modified(obj);
            obj->close();
        });
    }
    for (auto [s, flag] : erasures)
        if (AcDbObject* obj = s->obj)
            forEachReactor(obj, [&](auto* r) { r->erased(obj, flag); });
    mReplaying = false;
}

std::vector<std::wstring> CvxUndoLog::undo(size_t n) {
    std::vector<std::wstring> names;
    Batch batch;
    batch.handseed = mDb->handseed().value();
    while (n-- > 0 && !mDone.empty()) {
        std::unique_ptr<Group> g = std::move(mDone.back());
        mDone.pop_back();
        mBytes -= g->bytes;
        if (!g->mark) {
            replay(*g, true);
            names.push_back(g->name);
        }
        batch.groups.push_back(std::move(g));
    }
    if (!batch.groups.empty()) mUndone.push_back(std::move(batch));
    return names;
}

std::vector<std::wstring> CvxUndoLog::undoToMark(bool& found) {
    found = false;
    size_t n = 0;
    for (auto it = mDone.rbegin(); it != mDone.rend(); ++it) {
        ++n;
        if ((*it)->mark) {
            found = true;
            break;
        }
    }
    return undo(n);
}

std::vector<std::wstring> CvxUndoLog::redo() {
    std::vector<std::wstring> names;
    if (mUndone.empty()) return names;
    Batch batch = std::move(mUndone.back());
    mUndone.pop_back();
    for (auto it = batch.groups.rbegin(); it != batch.groups.rend(); ++it) {
        if (!(*it)->mark) {
            replay(**it, false);
            names.push_back((*it)->name);
        }
        mBytes += (*it)->bytes;
        mDone.push_back(std::move(*it));
    }
    // Handles given out after the steps (to what saving added) stay taken.
    mDb->impl().setHandseed(std::max(batch.handseed, mDb->handseed().value()));
    return names;
}

void CvxUndoLog::mark() {
    auto g = std::make_unique<Group>();
    g->mark = true;
    g->name = L"Mark";
    clearRedo();
    mDone.push_back(std::move(g));
}

size_t CvxUndoLog::steps() const {
    return static_cast<size_t>(std::count_if(mDone.begin(), mDone.end(), [](auto& g) { return !g->mark; }));
}

size_t CvxUndoLog::redoable() const { return mUndone.size(); }

void CvxUndoLog::setLimit(size_t bytes) {
    mLimit = bytes;
    trim();
}

bool CvxUndoLog::takeDroppedNotice() {
    bool n = mNoticePending;
    mNoticePending = false;
    return n;
}

// The oldest steps go while the log holds more than its limit (the latest step always stays).
void CvxUndoLog::trim() {
    size_t drop = 0;
    while (mBytes > mLimit && mDone.size() - drop > 1) mBytes -= mDone[drop++]->bytes;
    if (drop == 0) return;
    mDone.erase(mDone.begin(), mDone.begin() + static_cast<long>(drop));
    if (!mDropped) mNoticePending = true;
    mDropped = true;
}

// Undone changes that can no longer be redone: the objects they added leave for good.
void CvxUndoLog::clearRedo() { mUndone.clear(); }

CvxUndoPause::CvxUndoPause(AcDbDatabase* db) : mLog(cvxUndoLogIfAny(db)) {
    if (mLog) ++mLog->mPaused;
}

CvxUndoPause::~CvxUndoPause() {
    if (mLog) --mLog->mPaused;
}

CvxUndoLog& cvxUndoLog(AcDbDatabase* db) {
    auto& log = db->impl().undo;
    if (!log) log = std::make_unique<CvxUndoLog>(db);
    return *log;
}

CvxUndoLog* cvxUndoLogIfAny(AcDbDatabase* db) { return db ? db->impl().undo.get() : nullptr; }

void cvxUndoNoteModify(AcDbObject* obj) {
    CvxUndoLog* log = cvxUndoLogIfAny(obj->database());
    if (log && log->recording()) log->noteModify(obj);
}

void cvxUndoNoteErase(AcDbObject* obj, bool wasErased) {
    CvxUndoLog* log = cvxUndoLogIfAny(obj->database());
    if (log && log->recording()) log->noteErase(obj->stub(), wasErased);
}

void cvxUndoNoteAppend(AcDbDatabase* db, AcDbStub* stub) {
    CvxUndoLog* log = cvxUndoLogIfAny(db);
    if (log && log->recording()) log->noteAppend(stub);
}

size_t cvxUndoStateBytes(const AcDbObject* obj) {
    State s;
    capture(obj, s);
    return s.bytes() + sizeof(CvxUndoLog::Change);
}
