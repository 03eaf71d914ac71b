// Filing of what every object has (handle, reactors, extension dictionary, owner), the result-buffer form
// of groups, groups kept from a file, and group-code kinds.
#include <array>
#include <charconv>
#include <cstring>

#include "cvx/dbents.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"

// ---- group codes ----

namespace {
constexpr CvxDxfKind kindOfCode(int c) {
    using K = CvxDxfKind;
    if (c < 0) return K::Invalid;
    if (c <= 4) return K::Text;
    if (c == 5) return K::Handle;
    if (c <= 9) return K::Text;
    if (c <= 18) return K::PointX;
    if (c <= 59) return K::Real;
    if (c <= 79) return K::Int;
    if (c <= 89) return K::Invalid;
    if (c <= 99) return K::Int;
    if (c <= 102) return K::Text;
    if (c == 105) return K::Handle;
    if (c < 110) return K::Invalid;
    if (c <= 112) return K::PointX;
    if (c <= 149) return K::Real;
    if (c >= 160 && c <= 179) return K::Int;
    if (c == 210) return K::PointX;
    if (c >= 211 && c <= 239) return K::Real;
    if (c >= 270 && c <= 299) return K::Int;
    if (c >= 300 && c <= 309) return K::Text;
    if (c >= 310 && c <= 319) return K::Binary;
    if (c >= 320 && c <= 369) return K::Handle;
    if (c >= 370 && c <= 389) return K::Int;
    if (c >= 390 && c <= 399) return K::Handle;
    if (c >= 400 && c <= 409) return K::Int;
    if (c >= 410 && c <= 419) return K::Text;
    if (c >= 420 && c <= 429) return K::Int;
    if (c >= 430 && c <= 439) return K::Text;
    if (c >= 440 && c <= 459) return K::Int;
    if (c >= 460 && c <= 469) return K::Real;
    if (c >= 470 && c <= 479) return K::Text;
    if (c >= 480 && c <= 481) return K::Handle;
    if (c == 999) return K::Text;
    if (c >= 1000 && c <= 1003) return K::Text;
    if (c == 1004) return K::Binary;
    if (c == 1005) return K::Handle;
    if (c >= 1010 && c <= 1013) return K::PointX;
    if (c >= 1014 && c <= 1059) return K::Real;
    if (c >= 1060 && c <= 1071) return K::Int;
    return K::Invalid;
}

}  // namespace

// Asked for every group of every file read: a table made by the compiler.
constexpr std::array<CvxDxfKind, kCvxLastDxfCode + 1> kCvxDxfKinds = [] {
    std::array<CvxDxfKind, kCvxLastDxfCode + 1> t{};
    for (int i = 0; i <= kCvxLastDxfCode; ++i) t[static_cast<size_t>(i)] = kindOfCode(i);
    return t;
}();

std::wstring AcDbDxfGroup::wtext() const { return cvxFromUtf8(text); }

// ---- kept groups ----

namespace {
std::string formatReal(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
}  // namespace

void cvxGroupTexts(const AcDbDxfGroup& g, std::vector<std::pair<int, std::string>>& out) {
    if (cvxDxfKind(g.code) != CvxDxfKind::PointX) {
        out.emplace_back(g.code, std::string(g.text));
        return;
    }
    out.emplace_back(g.code, formatReal(g.point.x));
    out.emplace_back(g.code + 10, formatReal(g.point.y));
    if (g.hasZ) out.emplace_back(g.code + 20, formatReal(g.point.z));
}

namespace {
std::string_view currentSection(const std::vector<std::pair<int, std::string>>& kept) {
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        if (it->first == kKeptSection) return it->second;
    return kSectionTail;
}

void openSection(AcDbObject* obj, std::string_view section) {
    auto& kept = obj->extrasForWrite().kept;
    if (currentSection(kept) != section) kept.emplace_back(kKeptSection, std::string(section));
}
}  // namespace

void cvxKeepGroup(AcDbObject* obj, std::string_view section, const AcDbDxfGroup& g) {
    openSection(obj, section);
    cvxGroupTexts(g, obj->extrasForWrite().kept);
}

void cvxKeepRaw(AcDbObject* obj, std::string_view section, int code, std::string_view text) {
    openSection(obj, section);
    obj->extrasForWrite().kept.emplace_back(code, std::string(text));
}

void cvxWriteTextGroup(AcDbDxfFiler* filer, int code, std::string_view text) {
    if (auto* out = filer->outSupport()) {
        if (cvxDxfKind(code) == CvxDxfKind::Text) out->writeUtf8(code, text);
        else out->writeRaw(code, text);
        return;
    }
    filer->writeString(code, cvxFromUtf8(text));
}

void cvxWriteKept(const AcDbObject* obj, AcDbDxfFiler* filer, std::string_view section) {
    const AcDbObject::Extras* x = obj->extras();
    if (!x) return;
    std::string_view current = kSectionTail;
    for (const auto& [code, text] : x->kept) {
        if (code == kKeptSection) current = text;
        else if (current == section) cvxWriteTextGroup(filer, code, text);
    }
}

// ---- names ----

AcDbObjectId cvxRecordByName(AcDbDxfFiler* filer, AcDbDatabase::TableIndex table, std::string_view name) {
    if (auto* in = filer->inSupport()) return in->recordByName(table, name);
    AcDbDatabase* db = filer->database();
    if (!db) return {};
    auto* t = AcDbSymbolTable::cast(db->tableId(table).objectPtr());
    AcDbObjectId id;
    if (t) t->getAt(cvxFromUtf8(name).c_str(), id);
    return id;
}

std::string cvxRecordName(AcDbObjectId id) {
    auto* rec = AcDbSymbolTableRecord::cast(id.objectPtr());
    return rec ? cvxToUtf8(rec->name()) : std::string();
}

// ---- angles ----

double cvxRadians(double degrees) { return degrees * (M_PI / 180.0); }

double cvxDegrees(double radians) {
    double d = radians * (180.0 / M_PI);
    // Several decimals turn into the same radians; the short one is what the file said ("30", not
    // "29.999999999999996").
    char text[32];
    auto printed = std::to_chars(text, text + sizeof text, d, std::chars_format::general, 15);
    double shortest = d;
    std::from_chars(text, printed.ptr, shortest);
    if (cvxRadians(shortest) == radians) return shortest;
    if (cvxRadians(d) == radians) return d;
    double up = d, down = d;
    for (int i = 0; i < 3; ++i) {
        up = std::nextafter(up, HUGE_VAL);
        if (cvxRadians(up) == radians) return up;
        down = std::nextafter(down, -HUGE_VAL);
        if (cvxRadians(down) == radians) return down;
    }
    return d;
}

// ---- result buffers ----

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void setBinary(resbuf* rb, std::string_view hex) {
    size_t n = hex.size() / 2;
    if (n > 32767) n = 32767;
    rb->resval.rbinary.clen = static_cast<short>(n);
    rb->resval.rbinary.buf = new char[n ? n : 1];
    for (size_t i = 0; i < n; ++i) {
        int hi = hexValue(hex[2 * i]), lo = hexValue(hex[2 * i + 1]);
        rb->resval.rbinary.buf[i] = static_cast<char>(((hi < 0 ? 0 : hi) << 4) | (lo < 0 ? 0 : lo));
    }
}

std::wstring binaryHex(const resbuf* rb) {
    static const char digits[] = "0123456789ABCDEF";
    std::wstring s;
    for (short i = 0; i < rb->resval.rbinary.clen; ++i) {
        auto b = static_cast<unsigned char>(rb->resval.rbinary.buf[i]);
        s += static_cast<wchar_t>(digits[b >> 4]);
        s += static_cast<wchar_t>(digits[b & 15]);
    }
    return s;
}
}  // namespace

// Fills rb (type already set to the group's code) from a group.
static void resbufFromGroup(const AcDbDxfGroup& g, resbuf* rb, AcDbDxfFiler* filer) {
    rb->restype = static_cast<short>(g.code);
    switch (acutResbufValueKind(g.code)) {
        case ResbufValueKind::Real: rb->resval.rreal = g.real; break;
        case ResbufValueKind::Point:
            if (cvxDxfKind(g.code) == CvxDxfKind::PointX) {
                rb->resval.rpoint[0] = g.point.x;
                rb->resval.rpoint[1] = g.point.y;
                rb->resval.rpoint[2] = g.point.z;
            } else {
                rb->resval.rpoint[0] = g.real;
                rb->resval.rpoint[1] = rb->resval.rpoint[2] = 0;
            }
            break;
        case ResbufValueKind::Short: rb->resval.rint = static_cast<short>(g.integer); break;
        case ResbufValueKind::Long: rb->resval.rlong = static_cast<int32_t>(g.integer); break;
        case ResbufValueKind::Int64: rb->resval.mnLongPtr = g.integer; break;
        case ResbufValueKind::String: rb->resval.rstring = acutNewString(g.wtext().c_str()); break;
        case ResbufValueKind::Binary: setBinary(rb, g.text); break;
        case ResbufValueKind::Name: {
            AcDbObjectId id = filer ? filer->idFromHandle(static_cast<uint64_t>(g.integer)) : AcDbObjectId();
            rb->resval.rlname[0] = id.asOldId();
            rb->resval.rlname[1] = 0;
            break;
        }
        case ResbufValueKind::None: break;
    }
}

resbuf* cvxResbufFromGroup(const AcDbDxfGroup& g, AcDbDxfFiler* filer) {
    resbuf* rb = acutNewRb(g.code);
    if (!rb) return nullptr;
    if (acutResbufValueKind(g.code) == ResbufValueKind::String) {
        delete[] rb->resval.rstring;  // acutNewRb may have given an empty string
        rb->resval.rstring = nullptr;
    }
    resbufFromGroup(g, rb, filer);
    return rb;
}

Acad::ErrorStatus AcDbDxfFiler::readItem(resbuf* rb) {
    if (!rb) return Acad::eNullObjectPointer;
    AcDbDxfGroup g;
    if (!readGroup(g)) return filerStatus() != Acad::eOk ? filerStatus() : Acad::eEndOfFile;
    resbufFromGroup(g, rb, this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDxfFiler::writeItem(const resbuf* rb) {
    if (!rb) return Acad::eNullObjectPointer;
    int code = rb->restype;
    switch (acutResbufValueKind(code)) {
        case ResbufValueKind::Real: writeDouble(code, rb->resval.rreal); break;
        case ResbufValueKind::Point:
            if (cvxDxfKind(code) == CvxDxfKind::PointX)
                writePoint3d(code, AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]));
            else
                writeDouble(code, rb->resval.rpoint[0]);
            break;
        case ResbufValueKind::Short: writeInt16(code, rb->resval.rint); break;
        case ResbufValueKind::Long: writeInt32(code, rb->resval.rlong); break;
        case ResbufValueKind::Int64: writeInt64(code, rb->resval.mnLongPtr); break;
        case ResbufValueKind::String: writeString(code, rb->resval.rstring ? rb->resval.rstring : L""); break;
        case ResbufValueKind::Binary: writeString(code, binaryHex(rb)); break;
        case ResbufValueKind::Name: {
            AcDbObjectId id;
            id.setFromOldId(rb->resval.rlname[0]);
            writeObjectId(code, id);
            break;
        }
        case ResbufValueKind::None: return Acad::eInvalidDxfCode;
    }
    return filerStatus();
}

// ---- the object's own groups ----

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* filer) {
    AcDbDxfGroup g;
    bool ownerRead = false;
    const bool dimStyle = isA() == AcDbDimStyleTableRecord::desc();  // nothing derives from it
    while (filer->readGroup(g)) {
        if (g.code == 5 && dimStyle) {
            cvxKeepGroup(this, "AcDbObject", g);  // the arrow block's name in R12 files; 105 is the handle
            continue;
        }
        if (g.code == 5 || g.code == 105) continue;  // the reader has placed the object under its handle
        if (g.code == 102 && g.text == "{ACAD_REACTORS") {
            while (filer->readGroup(g) && g.code != 102)
                if (g.code == 330) {
                    AcDbObjectId id = filer->idFromHandle(static_cast<uint64_t>(g.integer));
                    if (!id.isNull()) extrasForWrite().persistent.push_back(id);
                }
        } else if (g.code == 102 && g.text == "{ACAD_XDICTIONARY") {
            while (filer->readGroup(g) && g.code != 102)
                if (g.code == 360) extrasForWrite().xdict = filer->idFromHandle(static_cast<uint64_t>(g.integer));
        } else if (g.code == 102 && !g.text.empty() && g.text[0] == '{') {
            cvxKeepGroup(this, "AcDbObject", g);
            while (filer->readGroup(g)) {
                cvxKeepGroup(this, "AcDbObject", g);
                if (g.code == 102) break;
            }
        } else if (g.code == 330 && !ownerRead) {
            mOwner = filer->idFromHandle(static_cast<uint64_t>(g.integer));
            ownerRead = true;
        } else {
            filer->pushBackGroup();
            break;
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* filer) const {
    filer->writeHandle(isA() == AcDbDimStyleTableRecord::desc() ? 105 : 5, handle());
    cvxWriteKept(this, filer, "AcDbObject");
    if (mExtras && !mExtras->persistent.empty()) {
        filer->writeString(102, L"{ACAD_REACTORS");
        for (AcDbObjectId id : mExtras->persistent)
            if (!id.isErased()) filer->writeObjectId(330, id);
        filer->writeString(102, L"}");
    }
    if (mExtras && !mExtras->xdict.isNull() && !mExtras->xdict.isErased()) {
        filer->writeString(102, L"{ACAD_XDICTIONARY");
        filer->writeObjectId(360, mExtras->xdict);
        filer->writeString(102, L"}");
    }
    filer->writeObjectId(330, mOwner);
    return filer->filerStatus();
}

// ---- names of classes in files ----

std::wstring acdbDxfNameOf(const AcDbObject* obj) {
    if (!obj) return {};
    if (auto* e = AcDbEntity::cast(obj)) return e->dxfTypeName();
    if (auto* u = AcDbUnknownObject::cast(obj)) return u->dxfTypeName();
    if (AcDbSymbolTable::cast(obj)) return L"TABLE";
    for (AcRxClass* c = obj->isA(); c; c = c->myParent())
        if (c->dxfName() && *c->dxfName()) return c->dxfName();
    return obj->isA()->name();
}

void cvxWriteRecordName(AcDbDxfFiler* filer, int code, AcDbObjectId record) {
    if (auto* out = filer->outSupport()) return out->writeRecordName(code, record);
    auto* rec = AcDbSymbolTableRecord::cast(record.objectPtr());
    filer->writeString(code, rec ? rec->getName() : L"");
}

bool cvxIsByLayerLinetype(AcDbDxfFiler* filer, AcDbObjectId linetype) {
    if (auto* out = filer->outSupport()) return linetype == out->byLayerLinetype();
    return filer->database() && linetype == filer->database()->byLayerLinetype();
}
