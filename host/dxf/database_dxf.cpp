// Reading and saving a database as a drawing file.
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "cvx/dbmain.h"
#include "cvx/wide.h"
#include "dxf/atomic_file.h"
#include "dxf/dxf_error.h"
#include "dxf/file_objects.h"
#include "dxf/mapped_file.h"
#include "dxf/reader.h"
#include "dxf/text_codec.h"
#include "dxf/writer.h"

namespace {
// Eight bytes at a time: this looks at every byte of a file that may be a hundred megabytes.
bool hasHighBytes(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        if (w & 0x8080808080808080u) return true;
    }
    for (; p < end; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80) return true;
    return false;
}

void releaseMapped(void* file, size_t offset) { static_cast<DxfMappedFile*>(file)->release(offset); }
}  // namespace

Acad::ErrorStatus AcDbDatabase::readDxfFile(const ACHAR* fileName) {
    std::string path = cvxToUtf8(fileName ? fileName : L"");
    DxfMappedFile file;
    std::string why;
    if (!file.open(path, why)) {
        setLastErrorText(cvxFromUtf8("cannot open '" + path + "': " + why));
        return Acad::eFileNotFound;
    }
    std::string_view text = file.text();
    if (text.starts_with("AutoCAD Binary DXF")) {
        setLastErrorText(cvxFromUtf8("'" + path + "' is a binary drawing file; only ASCII files are read"));
        return Acad::eInvalidInput;
    }
    DxfFileFacts facts = dxfPeekHeader(text);
    std::string converted;
    bool mapped = true;
    if (facts.version < AcDb::kDHL_1021 && facts.codePage != 0 && hasHighBytes(text) &&
        dxfConvertToUtf8(text, facts.codePage, converted)) {
        text = converted;
        mapped = false;
    }
    auto fresh = std::make_unique<AcDbDatabase>(false);
    try {
        dxfReadDatabase(text, *fresh, mapped ? &releaseMapped : nullptr, &file);
    } catch (const DxfError& e) {
        setLastErrorText(cvxFromUtf8(path + ": " + e.message));
        return Acad::eBadDxfSequence;
    } catch (const std::bad_alloc&) {
        setLastErrorText(cvxFromUtf8(path + ": not enough memory to read the file"));
        return Acad::eOutOfMemory;
    }
    fresh->setCodePage(facts.version >= AcDb::kDHL_1021 ? 0 : facts.codePage);
    std::vector<KeptClass> classes = std::move(fresh->keptClasses());
    swapContents(*fresh);
    mKeptClasses = std::move(classes);
    setFileName(fileName);
    setLastErrorText(L"");
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int, AcDb::AcDbDwgVersion version) const {
    std::string path = cvxToUtf8(fileName ? fileName : L"");
    if (version != AcDb::kDHL_1015) {
        setLastErrorText(L"drawing files are written in the 2000 format (AC1015) only");
        return Acad::eNotImplementedYet;
    }
    auto& db = const_cast<AcDbDatabase&>(*this);
    dxfAddFileObjects(db);
    std::string error;
    bool ok = dxfReplaceFile(
        path,
        [&](int fd, std::string& err) {
            DxfOutStream out(fd);
            if (!dxfWriteDatabase(out, db, version, err)) return false;
            if (!out.flush()) {
                err = "cannot write '" + path + "': " + std::strerror(out.error());
                return false;
            }
            return true;
        },
        error);
    if (!ok) {
        setLastErrorText(cvxFromUtf8(error));
        return Acad::eFileAccessErr;
    }
    setLastErrorText(L"");
    return Acad::eOk;
}
