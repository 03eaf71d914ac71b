// Reads a drawing file as a sequence of elements: a 0 group (SECTION, LINE, ...) and the groups up to the
// next 0 group, each value parsed by its code's kind, points joined into one group, texts decoded.
#pragma once

#include <string>
#include <deque>
#include <vector>

#include "cvx/dbobject.h"
#include "dxf/tokenizer.h"

struct DxfElement {
    std::string_view type;  // the value of the 0 group
    uint32_t line = 0;      // its line
    std::vector<AcDbDxfGroup> groups;
    std::vector<uint32_t> lines;  // the line of each group's value
};

class DxfGroupReader {
public:
    explicit DxfGroupReader(std::string_view text) : mTok(text), mSize(text.size()) {}
    size_t size() const { return mSize; }
    // The next element; false at the end of the text. Throws DxfError for a damaged group.
    bool next(DxfElement& e);
    uint32_t line() const { return mTok.line(); }
    size_t offset() const { return mTok.offset(); }

private:
    bool pull();  // the next raw group into mRaw; false at the end
    void parseValue(AcDbDxfGroup& g);
    std::string_view keepText(std::string_view text);

    DxfTokenizer mTok;
    size_t mSize;
    DxfRawGroup mRaw;
    bool mHaveRaw = false;
    bool mStarted = false;
    bool mInDimStyle = false;          // the current element is a DIMSTYLE record
    std::deque<std::string> mArena;    // decoded texts of the current element; reused
    size_t mArenaUsed = 0;
};
