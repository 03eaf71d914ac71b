// Texts in any language survive: code pages of files before 2007, \U+ escapes, UTF-8 from 2007 on.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "cvx/wide.h"
#include "dxf/text_codec.h"
#include "dxf_test_util.h"

namespace {
// A minimal file of a given version with one TEXT entity whose value is given as raw bytes.
std::string fileWithText(const std::string& version, const std::string& codePage, const std::string& raw) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n" + version + "\n  9\n$DWGCODEPAGE\n  3\n" + codePage +
           "\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 40\n1\n  1\n" +
           raw + "\n  0\nENDSEC\n  0\nEOF\n";
}

std::wstring firstText(AcDbDatabase& db) {
    auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr());
    for (AcDbObjectId id : ms->entityIds())
        if (auto* t = AcDbText::cast(id.objectPtr())) return t->text();
    return L"<none>";
}

std::wstring readText(const std::string& file) {
    auto path = dxftest::tempDir() / "enc.dxf";
    dxftest::writeAll(path, file);
    AcDbDatabase db(false);
    EXPECT_EQ(db.readDxfFile(path.wstring().c_str()), Acad::eOk);
    return firstText(db);
}
}  // namespace

TEST(DxfText, CodePagesEscapesAndUtf8AreRead) {
    const std::wstring chinese = L"\u4E2D\u6587\u5B57";
    // GBK bytes of the same characters in an R12 and a 2000 file.
    std::string gbk = "\xD6\xD0\xCE\xC4\xD7\xD6";
    EXPECT_EQ(readText(fileWithText("AC1009", "ANSI_936", gbk)), chinese);
    EXPECT_EQ(readText(fileWithText("AC1015", "ANSI_936", gbk)), chinese);
    EXPECT_EQ(readText(fileWithText("AC1015", "ANSI_1252", "caf\xE9")), L"caf\u00E9");
    EXPECT_EQ(readText(fileWithText("AC1015", "ANSI_1252", "\\U+4E2D\\U+6587\\U+5B57")), chinese);
    EXPECT_EQ(readText(fileWithText("AC1021", "ANSI_1252", "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97")), chinese);
    EXPECT_EQ(readText(fileWithText("AC1032", "ANSI_936", "\xE4\xB8\xAD")), L"\u4E2D");  // UTF-8 whatever it says
    EXPECT_EQ(readText(fileWithText("AC1099", "ANSI_1252", "\xE4\xB8\xAD")), L"\u4E2D");  // unknown: the newest
    EXPECT_EQ(readText(fileWithText("AC1015", "ANSI_1252", "\\U+D83D\\U+DE00")), L"\U0001F600");
}

TEST(DxfText, ChineseSurvivesSavingAsAsciiWithEscapes) {
    const std::wstring chinese = L"\u4E2D\u6587 \u00E9 \U0001F600";
    std::string gbkFile = fileWithText("AC1015", "ANSI_936", "\xD6\xD0\xCE\xC4 \\U+00E9 \\U+D83D\\U+DE00");
    auto dir = dxftest::tempDir();
    dxftest::writeAll(dir / "gbk.dxf", gbkFile);
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile((dir / "gbk.dxf").wstring().c_str()), Acad::eOk);
    ASSERT_EQ(firstText(db), chinese);
    ASSERT_EQ(db.dxfOut((dir / "gbk-out.dxf").wstring().c_str()), Acad::eOk);
    std::string out = dxftest::readAll(dir / "gbk-out.dxf");
    for (unsigned char c : out) ASSERT_LT(c, 0x80);  // plain ASCII, readable under any code page
    EXPECT_NE(out.find("\\U+4E2D\\U+6587"), std::string::npos);
    EXPECT_NE(out.find("ANSI_1252"), std::string::npos);
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDxfFile((dir / "gbk-out.dxf").wstring().c_str()), Acad::eOk);
    EXPECT_EQ(firstText(back), chinese);
    // The independent reader (which resolves the escapes when it reads leniently) sees the same text.
    int status = 0;
    std::string got = dxftest::python(
        "import sys\nfrom ezdxf import recover\ndoc, auditor = recover.readfile(sys.argv[1])\n"
        "t = doc.modelspace().query('TEXT')[0].dxf.text\nprint(t.encode('utf-8', 'surrogatepass').hex())\n",
        dir / "gbk-out.dxf", status);
    EXPECT_EQ(status, 0) << got;
    EXPECT_NE(got.find("e4b8ade69687"), std::string::npos) << got;
}

TEST(DxfText, EncodingOfControlCharactersAndCarets) {
    std::string out;
    dxfAppendEncodedText(out, "a\nb^Jc^2\t", true);
    EXPECT_EQ(out, "a^Jb^ Jc^2^I");
    std::string back;
    dxfDecodeText(out, back);
    EXPECT_EQ(back, "a\nb^Jc^2\t");
    EXPECT_EQ(dxfCodePageFromName("ANSI_936"), 936);
    EXPECT_EQ(dxfCodePageFromName("dos437"), 437);
    EXPECT_EQ(dxfCodePageFromName("UTF-8"), 0);
    EXPECT_EQ(dxfCodePageName(1252), "ANSI_1252");
}

TEST(DxfText, MalformedUtf8BecomesOneReplacementPerBadByte) {
    // Read from a 2007 file (UTF-8), the same decoding as every other UTF-8 text of the host: an overlong
    // slash, an encoded surrogate, a cut-off three-byte sequence and a stray continuation byte each give
    // U+FFFD per byte, and the well-formed characters around them stay.
    const std::string raw = "a\xC0\xAF" "b\xED\xA0\x80" "c\xE4\xBD" "d\x80" "\xE4\xBD\xA0";
    const std::wstring want = L"a\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFDc\uFFFD\uFFFDd\uFFFD\u4F60";
    EXPECT_EQ(readText(fileWithText("AC1021", "ANSI_1252", raw)), want);
    EXPECT_EQ(cvxFromUtf8(raw), want);
    // The largest code point and the first beyond it.
    EXPECT_EQ(cvxFromUtf8("\xF4\x8F\xBF\xBF"), std::wstring(1, wchar_t(0x10FFFF)));
    EXPECT_EQ(cvxFromUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(cvxToUtf8(std::wstring(1, wchar_t(0xD800)) + L"x"), "\xEF\xBF\xBDx");
}
