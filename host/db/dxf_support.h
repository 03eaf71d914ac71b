// What the filing code of the host's classes needs beyond the public filer: fast name lookups while reading,
// raw text while writing, groups kept for classes that do not model them, and angle conversion.
#pragma once

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "cvx/dbmain.h"
#include "db/object_extras.h"

// Offered by the host's drawing-file reader in addition to AcDbDxfFiler.
class CvxDxfInSupport {
public:
    virtual ~CvxDxfInSupport() = default;
    // The record of that name in one of the database's tables; a layer or block that is missing is created.
    virtual AcDbObjectId recordByName(AcDbDatabase::TableIndex table, std::string_view name) = 0;
};

// Offered by the host's drawing-file writer in addition to AcDbDxfFiler.
class CvxDxfOutSupport {
public:
    virtual ~CvxDxfOutSupport() = default;
    virtual void writeUtf8(int code, std::string_view text) = 0;  // strings: encoded for the file's version
    virtual void writeRaw(int code, std::string_view text) = 0;   // numbers and handles kept as text
    virtual void writeRecordName(int code, AcDbObjectId record) = 0;  // the name of a table record
    virtual AcDbObjectId byLayerLinetype() = 0;
};

// True for the ByLayer linetype of the filer's database.
bool cvxIsByLayerLinetype(AcDbDxfFiler* filer, AcDbObjectId linetype);

// Writes the name of a table record (through the writer's name cache when it offers one).
void cvxWriteRecordName(AcDbDxfFiler* filer, int code, AcDbObjectId record);

// The record of that name, through the reader when it offers the lookup, else through the table.
AcDbObjectId cvxRecordByName(AcDbDxfFiler* filer, AcDbDatabase::TableIndex table, std::string_view name);
// The name of a symbol-table record as UTF-8 (empty for a null id).
std::string cvxRecordName(AcDbObjectId id);

// ---- groups kept from a file ----
// AcDbObject::Extras::kept holds groups a class does not model. An entry with code kKeptSection starts the
// groups of one part of the object: kSectionEntity for the common entity data, kSectionTail for the rest
// (written after the class's own data). Entries before any section mark belong to the tail.
constexpr int kKeptSection = -9999;
constexpr std::string_view kSectionEntity = "AcDbEntity";
constexpr std::string_view kSectionTail = "";
void cvxKeepGroup(AcDbObject* obj, std::string_view section, const AcDbDxfGroup& g);
void cvxKeepRaw(AcDbObject* obj, std::string_view section, int code, std::string_view text);
// Hands each kept tail group to take(code, text); the groups it takes (returns true for) are removed.
template <typename Take>
void cvxTakeKept(AcDbObject* obj, Take take) {
    if (!obj->extras()) return;
    auto& kept = obj->extrasForWrite().kept;
    std::string_view section = kSectionTail;
    std::erase_if(kept, [&](const std::pair<int, std::string>& e) {
        if (e.first == kKeptSection) section = e.second;
        return e.first != kKeptSection && section == kSectionTail && take(e.first, std::string_view(e.second));
    });
}
void cvxWriteKept(const AcDbObject* obj, AcDbDxfFiler* filer, std::string_view section);
// The value of a group as the text a file holds (points expand to their coordinates).
void cvxGroupTexts(const AcDbDxfGroup& g, std::vector<std::pair<int, std::string>>& out);
void cvxWriteTextGroup(AcDbDxfFiler* filer, int code, std::string_view text);

// ---- angles ----
// Files keep angles in degrees. The degree value written for an angle is one that reads back to exactly the
// same angle when such a value exists, so that saving a drawing read from a file does not drift.
double cvxRadians(double degrees);
double cvxDegrees(double radians);

// ---- group codes ----
// How the value of a group code is written in a file. A point is a PointX code followed by its Y (code + 10)
// and, where present, Z (code + 20).
enum class CvxDxfKind : uint8_t { Invalid, Text, Real, Int, Handle, PointX, Binary };
inline constexpr int kCvxLastDxfCode = 1071;
extern const std::array<CvxDxfKind, kCvxLastDxfCode + 1> kCvxDxfKinds;
inline CvxDxfKind cvxDxfKind(int code) {
    return code >= 0 && code <= kCvxLastDxfCode ? kCvxDxfKinds[static_cast<size_t>(code)] : CvxDxfKind::Invalid;
}

// A new result buffer holding a group's value (handles become object ids through the filer).
resbuf* cvxResbufFromGroup(const AcDbDxfGroup& g, AcDbDxfFiler* filer);

// An integer kept as text (0 when it is not one).
inline int64_t cvxKeptInt(std::string_view text) {
    int64_t v = 0;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}
