// Real drawings (the library of the librecad-data package): read, saved, read again with the same entities;
// the saved files pass the independent reader's audit.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "cvx/dbents.h"
#include "dxf_test_util.h"

namespace {
const char* kLibrary = "/usr/share/librecad/library";

std::map<std::wstring, int> entityCounts(AcDbDatabase& db) {
    std::map<std::wstring, int> counts;
    auto* blocks = AcDbBlockTable::cast(db.blockTableId().objectPtr());
    for (AcDbObjectId b : blocks->recordIds()) {
        auto* btr = AcDbBlockTableRecord::cast(b.objectPtr());
        for (AcDbObjectId id : btr->entityIds())
            if (auto* e = AcDbEntity::cast(id.objectPtr()); e && !id.isErased()) ++counts[e->dxfTypeName()];
    }
    return counts;
}
}  // namespace

TEST(DxfCorpus, LibraryDrawingsKeepTheirEntitiesAndPassTheAudit) {
    if (!std::filesystem::exists(kLibrary)) GTEST_SKIP() << "librecad-data is not installed";
    std::vector<std::filesystem::path> files;
    for (auto& e : std::filesystem::recursive_directory_iterator(kLibrary))
        if (e.path().extension() == ".dxf") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 300u);

    auto outDir = dxftest::tempDir() / "corpus";
    std::filesystem::create_directories(outDir);
    std::string auditList;
    int read = 0;
    for (size_t i = 0; i < files.size(); i += 4) {  // a few hundred of them
        const auto& f = files[i];
        AcDbDatabase db(false);
        ASSERT_EQ(db.readDxfFile(f.wstring().c_str()), Acad::eOk)
            << f << ": " << std::string(db.lastErrorText().begin(), db.lastErrorText().end());
        auto before = entityCounts(db);
        auto out = outDir / (std::to_string(i) + ".dxf");
        ASSERT_EQ(db.dxfOut(out.wstring().c_str()), Acad::eOk) << f;
        AcDbDatabase back(false);
        ASSERT_EQ(back.readDxfFile(out.wstring().c_str()), Acad::eOk)
            << out << ": " << std::string(back.lastErrorText().begin(), back.lastErrorText().end());
        EXPECT_EQ(entityCounts(back), before) << f;
        if (read % 8 == 0) auditList += out.string() + "\t" + f.string() + "\n";
        ++read;
    }
    EXPECT_GT(read, 300);

    // The independent audit, on a sample, in one run of the interpreter. Faults the original file has
    // already (names with characters a name may not have) are not counted against the saved one.
    auto list = outDir / "audit.txt";
    dxftest::writeAll(list, auditList);
    int status = 0;
    std::string report = dxftest::python(R"(
import sys
from ezdxf import recover
def errors(path):
    doc, auditor = recover.readfile(path)
    a = doc.audit()
    return [e.message for e in list(auditor.errors) + list(a.errors)]
bad = 0
files = [line.split("\t") for line in open(sys.argv[1]).read().splitlines()]
for saved, original in files:
    errs = errors(saved)
    if len(errs) > len(errors(original)):
        bad += 1
        print(saved, original, errs[:3])
print("audited=%d bad=%d" % (len(files), bad))
)", list, status);
    EXPECT_EQ(status, 0) << report;
    EXPECT_NE(report.find("bad=0"), std::string::npos) << report;
    EXPECT_NE(report.find("audited=4"), std::string::npos) << report;  // about forty files
}

TEST(DxfCorpus, OtherWritersAndR12FilesRoundTrip) {
    auto dir = std::filesystem::path(CVX_SOURCE_DIR) / "fuzz/corpus/dxf";
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) {
        AcDbDatabase db(false);
        ASSERT_EQ(db.readDxfFile(e.path().wstring().c_str()), Acad::eOk)
            << e.path() << ": " << std::string(db.lastErrorText().begin(), db.lastErrorText().end());
        auto before = entityCounts(db);
        auto out = dxftest::tempDir() / ("seed-" + e.path().filename().string());
        ASSERT_EQ(db.dxfOut(out.wstring().c_str()), Acad::eOk);
        AcDbDatabase back(false);
        ASSERT_EQ(back.readDxfFile(out.wstring().c_str()), Acad::eOk);
        EXPECT_EQ(entityCounts(back), before) << e.path();
        int status = 0;
        std::string audit = dxftest::python(dxftest::kAuditScript, out, status);
        EXPECT_NE(audit.find("errors=0"), std::string::npos) << e.path() << audit;
        ++n;
    }
    EXPECT_GE(n, 2);
}
