// Reads a drawing file as a sequence of elements: a 0 group (SECTION, LINE, ...) and the groups up to the
// next 0 group, each value parsed by its code's kind, points joined into one group, texts decoded.
#pragma once

#include <string>
#include <deque>
#include <vector>

#include "cvx/dbobject.h"
#include "dxf/text_codec.h"
#include "dxf/tokenizer.h"

struct DxfElement {
    std::string_view type;  // the value of the 0 group
    uint32_t line = 0;      // its line
    std::vector<AcDbDxfGroup> groups;
    std::vector<uint32_t> lines;  // the line of each group's value
};

// A file's text, handed out in windows as reading moves on.
class DxfTextSource {
public:
    virtual ~DxfTextSource() = default;
    virtual size_t size() const = 0;  // of the whole file
    // The text from file offset `from` (at or after the start of the last window) on, at least `atLeast`
    // bytes of it unless the file ends sooner; final when it reaches the file's end. Earlier windows are no
    // longer valid. Throws DxfError when the file cannot be read.
    virtual std::string_view window(size_t from, size_t atLeast, bool& final) = 0;
};

class DxfGroupReader {
public:
    // Reads a text held whole in memory, or a file through its source in windows of about `window` bytes
    // (moved on when less than a 32nd is left; an element running past the end is read again from a window
    // twice as large). codePage: the code page the file's texts are in (0 for UTF-8).
    DxfGroupReader(std::string_view text, int codePage);
    DxfGroupReader(DxfTextSource& source, int codePage, size_t window);
    size_t size() const { return mSize; }
    // The next element; false at the end of the text. Throws DxfError for a damaged group. The texts of the
    // element stay valid until the next call.
    bool next(DxfElement& e);
    uint32_t line() const { return mTok.line(); }
    size_t offset() const { return mWindowStart + mTok.offset(); }

private:
    bool readElement(DxfElement& e);
    // Moves the window to start at the current element, with at least `atLeast` bytes.
    void moveWindow(size_t atLeast);
    // The next raw group into mRaw; false at the end.
    bool pull() {
        mRawStart = mTok.offset();
        mRawLine = mTok.line();
        return mHaveRaw = mTok.next(mRaw);
    }
    void parseValue(AcDbDxfGroup& g);
    bool isPlain(std::string_view text) const;
    // A text that is not plain: converted from the code page, escapes decoded, kept in the arena.
    std::string_view decodedText(std::string_view text);

    DxfTextSource* mSource = nullptr;  // null for a text held whole
    size_t mWindow = 0;
    size_t mWindowStart = 0;           // the file offset of the tokenizer's text
    DxfTokenizer mTok;
    size_t mSize;
    size_t mRawStart = 0;      // where the group in mRaw begins, in the window
    uint32_t mRawLine = 0;     // the line before it
    size_t mElementStart = 0;  // the same for the current element's 0 group
    uint32_t mElementLine = 0;
    DxfRawGroup mRaw;
    bool mHaveRaw = false;
    bool mStarted = false;
    bool mInDimStyle = false;          // the current element is a DIMSTYLE record
    std::deque<std::string> mArena;    // decoded texts of the current element; reused
    size_t mArenaUsed = 0;
    DxfCodePageDecoder mCodePage;
    std::string mConverted;
    bool mSpecial[256] = {};  // bytes that make a text need decoding: escapes, and code-page bytes (all or
                              // none of those above 127)
};
