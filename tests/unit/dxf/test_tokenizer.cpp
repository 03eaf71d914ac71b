// Splitting a drawing file into groups: the quick path for plain lines and the general one (carriage returns,
// signs, blanks around codes, comments, a last line without its line feed) give the same groups and lines.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "dxf/dxf_error.h"
#include "dxf/tokenizer.h"

namespace {
using Group = std::tuple<int, std::string, uint32_t>;

std::vector<Group> groupsOf(std::string_view text) {
    DxfTokenizer tok(text);
    std::vector<Group> out;
    DxfRawGroup g;
    while (tok.next(g)) out.emplace_back(g.code, std::string(g.value), g.line);
    return out;
}
}  // namespace

TEST(DxfTokenizer, PlainAndUnusualLinesGiveTheSameGroups) {
    const std::vector<Group> want = {{0, "SECTION", 2}, {2, "ENTITIES", 4}, {10, " 1.5", 6}, {40, "", 8},
                                     {1, "a b ", 10},    {0, "EOF", 14}};
    EXPECT_EQ(groupsOf("  0\nSECTION\n  2\nENTITIES\n 10\n 1.5\n 40\n\n  1\na b \n999\nnote\n  0\nEOF\n"), want);
    // The same groups with Windows line ends, a sign, tabs and blanks after codes, no final line feed.
    EXPECT_EQ(groupsOf("  0\r\nSECTION\r\n+2\r\nENTITIES\r\n\t10 \r\n 1.5\r\n 40\r\n\r\n  1\r\na b \r\n999\r\nnote\r\n"
                       "  0\r\nEOF"),
              want);
    // A code line that is only partly a number is refused with its line, whichever path met it first.
    for (const char* bad : {"  0\nSECTION\n 1x\nv\n", "  0\nSECTION\n 12345678901\nv\n"}) {
        try {
            groupsOf(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const DxfError& e) {
            EXPECT_NE(e.message.find("line 3"), std::string::npos) << e.message;
        }
    }
}
