// Splits the text of a drawing file into groups: a line with the code, a line with the value.
#pragma once

#include <cstdint>
#include <string_view>

struct DxfRawGroup {
    int code = 0;
    std::string_view value;  // the value line without its line end
    uint32_t line = 0;       // line number of the value
};

// Thrown when a group runs past the end of a window of the file that is not the file's end: the caller
// reads more and starts again.
struct DxfNeedMoreText {};

class DxfTokenizer {
public:
    // text: the whole file (final) or a window of it that ends before the file does. line: the number of the
    // line before the text. A byte order mark is skipped at the start of a file.
    explicit DxfTokenizer(std::string_view text, bool final = true, uint32_t line = 0, bool fileStart = true);
    // The next group (comments, code 999, are skipped); false at the end of the text. Throws DxfError on a
    // code that is not a number or a code without a value.
    bool next(DxfRawGroup& g);
    size_t offset() const { return static_cast<size_t>(mP - mBegin); }
    size_t size() const { return static_cast<size_t>(mEnd - mBegin); }
    uint32_t line() const { return mLine; }
    bool final() const { return mFinal; }  // the text reaches the file's end

private:
    std::string_view readLine();
    bool nextPlain(DxfRawGroup& g);
    void endOfWindow() const {
        if (!mFinal) throw DxfNeedMoreText{};
    }
    const char* mBegin;
    const char* mP;
    const char* mEnd;
    uint32_t mLine = 0;
    bool mFinal = true;
};
