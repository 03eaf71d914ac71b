// Damaged files give a message naming the line and the reason, and leave the database as it was.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "dxf_test_util.h"
#include "unit/append_entity.h"

namespace {
std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// A small valid file in the 2000 format, as the host writes it.
std::string validFile() {
    static std::string text = [] {
        AcDbDatabase db;
        appendEntity(db, new AcDbCircle(AcGePoint3d(1, 2, 0), AcGeVector3d(0, 0, 1), 3));
        auto path = dxftest::tempDir() / "valid.dxf";
        db.dxfOut(path.wstring().c_str());
        return dxftest::readAll(path);
    }();
    return text;
}

// Reads text into a database holding one line; returns the error text and checks the line is still there.
std::string readDamaged(const std::string& text) {
    auto path = dxftest::tempDir() / "damaged.dxf";
    dxftest::writeAll(path, text);
    AcDbDatabase db;
    appendEntity(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    EXPECT_NE(db.readDxfFile(path.wstring().c_str()), Acad::eOk);
    auto* btr = AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr());
    EXPECT_EQ(btr->entityIds().size(), 1u);
    EXPECT_NE(AcDbLine::cast(btr->entityIds()[0].objectPtr()), nullptr);
    return narrow(db.lastErrorText());
}

// The line number (1-based) of the first line equal to value after line `after`.
int lineOf(const std::string& text, const std::string& value, int after = 0) {
    int n = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        std::string line = text.substr(pos, nl - pos);
        ++n;
        if (n > after && line == value) return n;
        if (nl == std::string::npos) break;
        pos = nl + 1;
    }
    return -1;
}

std::string replaceValueAfter(std::string text, const std::string& code, const std::string& newValue) {
    size_t at = text.find("CIRCLE\n");
    size_t c = text.find("\n" + code + "\n", at);
    size_t start = c + code.size() + 2;
    size_t end = text.find('\n', start);
    return text.replace(start, end - start, newValue);
}
}  // namespace

TEST(DxfDamaged, EachDamageNamesItsLineAndReason) {
    std::string ok = validFile();
    ASSERT_FALSE(ok.empty());

    std::string notNumber = replaceValueAfter(ok, " 40", "abc");
    int line = lineOf(notNumber, "abc");
    EXPECT_NE(readDamaged(notNumber).find("line " + std::to_string(line) + ": expected a number for group 40, found 'abc'"),
              std::string::npos);

    std::string badHandle = replaceValueAfter(ok, "  5", "XYZ");
    EXPECT_NE(readDamaged(badHandle).find("expected a handle (hexadecimal number) for group 5, found 'XYZ'"),
              std::string::npos);

    std::string noEof = ok.substr(0, ok.rfind("  0\nEOF"));
    EXPECT_NE(readDamaged(noEof).find("the file ends without 0/EOF"), std::string::npos);

    std::string truncated = ok.substr(0, ok.size() / 2);
    truncated = truncated.substr(0, truncated.rfind('\n') + 1);
    EXPECT_NE(readDamaged(truncated).find("line "), std::string::npos);

    std::string oddCode = ok;
    oddCode.replace(oddCode.find("CIRCLE\n"), 7, "CIRCLE\n12345\nx\n");
    EXPECT_NE(readDamaged(oddCode).find("unknown group code 12345"), std::string::npos);

    std::string garbledCode = ok;
    garbledCode.replace(garbledCode.find("CIRCLE\n"), 7, "CIRCLE\nzz\nx\n");
    int gl = lineOf(garbledCode, "zz");
    EXPECT_NE(readDamaged(garbledCode).find("line " + std::to_string(gl) + ": expected a group code, found 'zz'"),
              std::string::npos);

    std::string noY = ok;
    size_t at = noY.find("CIRCLE\n");
    size_t y = noY.find("\n 20\n", at);
    noY.replace(y, 5, "\n 40\n");
    EXPECT_NE(readDamaged(noY).find("is not followed by its Y value (group 20)"), std::string::npos);

    std::string noEndsec = ok;
    noEndsec.erase(noEndsec.find("  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS"), 11);
    EXPECT_NE(readDamaged(noEndsec).find("expected 0/ENDSEC, found 0/SECTION"), std::string::npos);

    EXPECT_NE(readDamaged("").find("the file is empty"), std::string::npos);
    EXPECT_NE(readDamaged("AutoCAD Binary DXF\r\n\x1a").find("binary"), std::string::npos);
}

TEST(DxfDamaged, MissingFileAndFailedSaveLeaveEverythingInPlace) {
    AcDbDatabase db;
    EXPECT_EQ(db.readDxfFile(L"/nonexistent/folder/x.dxf"), Acad::eFileNotFound);
    EXPECT_NE(narrow(db.lastErrorText()).find("cannot open '/nonexistent/folder/x.dxf'"), std::string::npos);
    EXPECT_NE(db.dxfOut(L"/nonexistent/folder/x.dxf"), Acad::eOk);
    EXPECT_FALSE(db.lastErrorText().empty());
}

TEST(DxfDamaged, SaveKeepsThePreviousFileAsBackup) {
    auto dir = dxftest::tempDir();
    auto path = dir / "kept.dxf";
    dxftest::writeAll(path, "previous content");
    AcDbDatabase db;
    ASSERT_EQ(db.dxfOut(path.wstring().c_str()), Acad::eOk);
    EXPECT_EQ(dxftest::readAll(dir / "kept.bak"), "previous content");
    EXPECT_NE(dxftest::readAll(path).find("EOF"), std::string::npos);
    for (auto& e : std::filesystem::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
}
