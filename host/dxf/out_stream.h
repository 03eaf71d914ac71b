// Formats groups into a buffer that goes to a file descriptor in large pieces.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

class DxfOutStream {
public:
    explicit DxfOutStream(int fd) : mFd(fd) { mBuf.reserve(kFlushAt + 65536); }
    ~DxfOutStream() = default;

    // A code line, right-aligned in three places ("  0", " 10", "100", "1000").
    void code(int c) {
        if (c >= 0 && c < kCodeLines) {
            const CodeLine& l = codeLines()[c];
            mBuf.append(l.text, l.size);
            return;
        }
        number(static_cast<int64_t>(c));
        mBuf += '\n';
    }
    void text(std::string_view s) {
        mBuf.append(s);
        endLine();
    }
    void number(int64_t v) {
        char tmp[24];
        mBuf.append(tmp, std::to_chars(tmp, tmp + sizeof tmp, v).ptr);
    }
    // The shortest text that reads back as exactly v.
    void real(double v) {
        char tmp[32];
        mBuf.append(tmp, std::to_chars(tmp, tmp + sizeof tmp, v).ptr);
    }
    void hex(uint64_t v) {
        char tmp[24];
        char* end = std::to_chars(tmp, tmp + sizeof tmp, v, 16).ptr;
        for (char* p = tmp; p < end; ++p)
            if (*p >= 'a') *p = static_cast<char>(*p - 'a' + 'A');
        mBuf.append(tmp, end);
    }
    std::string& buffer() { return mBuf; }
    void endLine() {
        mBuf += '\n';
        if (mBuf.size() >= kFlushAt) flush();
    }
    // Writes what is buffered; false (with errno kept in error()) when the system refused.
    bool flush();
    int error() const { return mError; }

private:
    static constexpr size_t kFlushAt = 1u << 20;
    static constexpr int kCodeLines = 1072;  // every code a file may hold
    struct CodeLine {
        char text[6];
        uint8_t size;
    };
    static const CodeLine* codeLines();
    int mFd;
    int mError = 0;
    std::string mBuf;
};
