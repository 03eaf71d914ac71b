// Formats groups into a buffer that goes to a file descriptor in large pieces.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

// The code lines of every code a file may hold, eight bytes each (padded), with their lengths.
struct DxfCodeLine {
    char text[8];
    uint8_t size;
};
inline constexpr int kDxfCodeLines = 1072;
constexpr std::array<DxfCodeLine, kDxfCodeLines> dxfMakeCodeLines() {
    std::array<DxfCodeLine, kDxfCodeLines> t{};
    for (int c = 0; c < kDxfCodeLines; ++c) {
        DxfCodeLine& l = t[static_cast<size_t>(c)];
        char digits[4] = {};
        int n = 0;
        for (int v = c; v > 0 || n == 0; v /= 10) digits[n++] = static_cast<char>('0' + v % 10);
        for (int i = n; i < 3; ++i) l.text[l.size++] = ' ';
        while (n > 0) l.text[l.size++] = digits[--n];
        l.text[l.size++] = '\n';
    }
    return t;
}
inline constexpr std::array<DxfCodeLine, kDxfCodeLines> kDxfCodeLineTable = dxfMakeCodeLines();

class DxfOutStream {
public:
    explicit DxfOutStream(int fd);
    DxfOutStream(const DxfOutStream&) = delete;
    DxfOutStream& operator=(const DxfOutStream&) = delete;

    // A code line, right-aligned in three places ("  0", " 10", "100", "1000").
    void code(int c) {
        room(kMaxNumber);
        if (c >= 0 && c < kDxfCodeLines) {
            // Eight bytes are copied whatever the line's length: one move instead of a sized copy.
            const DxfCodeLine& l = kDxfCodeLineTable[static_cast<size_t>(c)];
            std::memcpy(mPos, l.text, sizeof l.text);
            mPos += l.size;
            return;
        }
        mPos = std::to_chars(mPos, mPos + kMaxNumber, c).ptr;
        *mPos++ = '\n';
    }
    // A value line as it stands.
    void text(std::string_view s) {
        room(s.size() + 1);
        std::memcpy(mPos, s.data(), s.size());
        mPos += s.size();
        endLine();
    }
    void number(int64_t v) {
        room(kMaxNumber);
        mPos = std::to_chars(mPos, mPos + kMaxNumber, v).ptr;
    }
    // The shortest text that reads back as exactly v.
    void real(double v) {
        room(kMaxNumber);
        mPos = std::to_chars(mPos, mPos + kMaxNumber, v).ptr;
    }
    void hex(uint64_t v) {
        room(kMaxNumber);
        char* start = mPos;
        mPos = std::to_chars(mPos, mPos + kMaxNumber, v, 16).ptr;
        for (char* p = start; p < mPos; ++p)
            if (*p >= 'a') *p = static_cast<char>(*p - 'a' + 'A');
    }
    // Room for n more bytes at the end of the buffer: fill them from the pointer returned, then advance().
    char* reserve(size_t n) {
        room(n);
        return mPos;
    }
    void advance(size_t n) { mPos += n; }
    void endLine() {
        *mPos++ = '\n';
        if (mPos >= mData.get() + kFlushAt) flush();
    }
    // Writes what is buffered; false (with errno kept in error()) when the system refused.
    bool flush();
    int error() const { return mError; }

private:
    static constexpr size_t kFlushAt = 1u << 20;
    static constexpr size_t kMaxNumber = 32;  // the longest number, code line or line end written in one step

    // At least n bytes free after mPos (one line feed more is always kept free).
    void room(size_t n) {
        if (static_cast<size_t>(mLimit - mPos) < n + 1) makeRoom(n + 1);
    }
    void makeRoom(size_t n);

    int mFd;
    int mError = 0;
    size_t mCapacity;
    std::unique_ptr<char[]> mData;
    char* mPos;
    char* mLimit;
};
