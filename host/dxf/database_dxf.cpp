// Reading and saving a database as a drawing file.
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "cvx/dbmain.h"
#include "cvx/wide.h"
#include "db/block_walk.h"
#include "db/undo.h"
#include "dxf/atomic_file.h"
#include "dxf/dxf_error.h"
#include "dxf/file_objects.h"
#include "dxf/file_text.h"
#include "dxf/reader.h"
#include "dxf/writer.h"

Acad::ErrorStatus AcDbDatabase::readDxfFile(const ACHAR* fileName) {
    std::string path = cvxToUtf8(fileName ? fileName : L"");
    DxfFileText file;
    std::string why;
    if (!file.open(path, why)) {
        setLastErrorText(cvxFromUtf8("cannot open '" + path + "': " + why));
        return Acad::eFileNotFound;
    }
    auto fresh = std::make_unique<AcDbDatabase>(false);
    DxfFileFacts facts;
    try {
        bool final = true;
        if (file.window(0, kDxfHeaderPeek, final).starts_with("AutoCAD Binary DXF")) {
            setLastErrorText(cvxFromUtf8("'" + path + "' is a binary drawing file; only ASCII files are read"));
            return Acad::eInvalidInput;
        }
        facts = dxfReadDatabase(file, *fresh);
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
    mOpenNotes = cvx::db::blockGraphProblems(*this);
    setLastErrorText(L"");
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int, AcDb::AcDbDwgVersion version) const {
    std::string path = cvxToUtf8(fileName ? fileName : L"");
    switch (version) {
        case AcDb::kDHL_1015: case AcDb::kDHL_1018: case AcDb::kDHL_1021: case AcDb::kDHL_1024:
        case AcDb::kDHL_1027: case AcDb::kDHL_1032: break;
        default:
            setLastErrorText(L"drawing files are written in the 2000 to 2018 formats (AC1015 to AC1032)");
            return Acad::eNotImplementedYet;
    }
    auto& db = const_cast<AcDbDatabase&>(*this);
    CvxUndoPause notAStep(&db);
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
