// ZB2PL's coordinate files: the syntax of one line, blocks of points, and the text encodings a file may have.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "cvx/wide.h"
#include "polyline/coordinate_file.h"

namespace {

using K = CoordinateLine;

struct LineCase {
    const wchar_t* line;
    CoordinateLine::Kind kind;
    double x = 0, y = 0, z = 0;
};

TEST(CoordinateFileTest, LineSyntax) {
    const LineCase cases[] = {
        {L"3\uFF1B4", K::kPoint, 3, 4},           // full-width semicolon
        {L"3 , 4", K::kPoint, 3, 4},
        {L"1\uFF0C2\u30013", K::kPoint, 1, 2, 3},  // full-width comma, ideographic comma
        {L"1;2|3", K::kPoint, 1, 2, 3},
        {L"\t 7,8 \t", K::kPoint, 7, 8},
        {L"1 2 , 3 4", K::kPoint, 12, 34},         // blanks never separate
        {L"10,20 // corner", K::kPoint, 10, 20},
        {L"1,2,3,4", K::kPoint, 1, 2, 3},
        {L"1,2,", K::kPoint, 1, 2, 0},             // an empty Z reads as 0
        {L",5", K::kPoint, 0, 5},                  // an empty X of a 2D point reads as 0
        {L"-1.5e2,+2.5E-1,-.5", K::kPoint, -150, 0.25, -0.5},
        {L"12abc,3xyz", K::kPoint, 12, 3},         // leading numeric text
        {L"abc,def", K::kPoint, 0, 0},
        {L"1e999,2", K::kPoint, 0, 2},             // out of range reads as 0
        {L"5,,6", K::kRejected},
        {L",2,3", K::kRejected},
        {L"5,", K::kRejected},
        {L"3 4", K::kEnd},
        {L"", K::kEnd},
        {L"   ", K::kEnd},
        {L"word", K::kEnd},
        {L"// corner", K::kEnd},
        {L"//", K::kEnd},
    };
    for (const LineCase& c : cases) {
        const CoordinateLine got = parseCoordinateLine(c.line);
        EXPECT_EQ(got.kind, c.kind) << "[" << testing::PrintToString(std::wstring(c.line)) << "]";
        if (c.kind == K::kPoint && got.kind == K::kPoint) {
            EXPECT_TRUE(got.point.isEqualTo(AcGePoint3d(c.x, c.y, c.z)))
                << testing::PrintToString(std::wstring(c.line)) << " -> " << got.point.x << "," << got.point.y
                << "," << got.point.z;
        }
    }
}

TEST(CoordinateFileTest, BlocksEndAtEndLinesOnly) {
    const std::vector<std::wstring> lines = {L"0,0", L"10,0", L"5,,6", L"10,10", L"", L"0,0,5", L"0,0,7", L"",
                                             L"1,1", L"end", L"4,4", L"5,5"};
    const CoordinateFile file = parseCoordinateLines(lines);
    ASSERT_EQ(file.polylines.size(), 2u);  // the single point and the last, unended block draw nothing
    EXPECT_EQ(file.polylines[0].size(), 3u);
    EXPECT_TRUE(file.polylines[0][2].isEqualTo(AcGePoint3d(10, 10, 0)));
    ASSERT_EQ(file.polylines[1].size(), 2u);
    EXPECT_EQ(file.polylines[1][1].z, 7);
    ASSERT_EQ(file.rejected.size(), 1u);
    EXPECT_EQ(file.rejected[0].number, 3);
    EXPECT_EQ(file.rejected[0].text, L"5,,6");
}

TEST(CoordinateFileTest, EncodingsAndLineEnds) {
    const std::string path = ::testing::TempDir() + "coordinate_file_test.txt";
    const std::vector<std::wstring> expected = {L"1\uFF1B2", L"", L"3,4"};
    const std::string files[] = {
        "1\xEF\xBC\x9B" "2\r\n\r\n3,4\r\n",                       // UTF-8, CR LF, final line break
        "\xEF\xBB\xBF" "1\xEF\xBC\x9B" "2\n\n3,4",                 // UTF-8 with its mark, no final break
        std::string("\xFF\xFE" "1\0\x1B\xFF" "2\0\n\0\n\0" "3\0,\0" "4\0\n\0", 20),  // UTF-16 LE
        std::string("\xFE\xFF\0" "1\xFF\x1B\0" "2\0\n\0\n\0" "3\0,\0" "4", 18),      // UTF-16 BE
        "1\xA3\xBB" "2\r\n\r\n3,4\r\n",                               // GBK, as a Chinese system saves it
    };
    for (const std::string& bytes : files) {
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(readTextLines(cvxFromUtf8(path)), expected) << testing::PrintToString(bytes);
    }
    std::remove(path.c_str());
    EXPECT_TRUE(readTextLines(cvxFromUtf8(path)).empty());
}

}  // namespace
