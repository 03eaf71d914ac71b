// Splits the text of a drawing file into groups: a line with the code, a line with the value.
#pragma once

#include <cstdint>
#include <string_view>

struct DxfRawGroup {
    int code = 0;
    std::string_view value;  // the value line without its line end
    uint32_t line = 0;       // line number of the value
};

class DxfTokenizer {
public:
    explicit DxfTokenizer(std::string_view text);
    // The next group (comments, code 999, are skipped); false at the end of the text. Throws DxfError on a
    // code that is not a number or a code without a value.
    bool next(DxfRawGroup& g);
    size_t offset() const { return static_cast<size_t>(mP - mBegin); }
    uint32_t line() const { return mLine; }

private:
    std::string_view readLine();
    bool nextPlain(DxfRawGroup& g);
    const char* mBegin;
    const char* mP;
    const char* mEnd;
    uint32_t mLine = 0;
};
