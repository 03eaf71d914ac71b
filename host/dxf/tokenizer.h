// Splits the text of a drawing file into groups: a line with the code, a line with the value.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
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
    bool next(DxfRawGroup& g) { return nextPlain(g) || nextGeneral(g); }
    size_t offset() const { return static_cast<size_t>(mP - mBegin); }
    size_t size() const { return static_cast<size_t>(mEnd - mBegin); }
    uint32_t line() const { return mLine; }
    bool final() const { return mFinal; }  // the text reaches the file's end

private:
    std::string_view readLine();
    inline bool nextPlain(DxfRawGroup& g);
    bool nextGeneral(DxfRawGroup& g);
    void endOfWindow() const {
        if (!mFinal) throw DxfNeedMoreText{};
    }
    const char* mBegin;
    const char* mP;
    const char* mEnd;
    uint32_t mLine = 0;
    bool mFinal = true;
};

// The first line feed at or after p, or end. Eight bytes are looked at in one step: a value line is some
// twenty bytes, too short for a library search to pay off, too long for a byte loop to be quick.
static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");
inline const char* dxfLineEnd(const char* p, const char* end) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u, kFeeds = kOnes * '\n';
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        w ^= kFeeds;  // a line feed becomes a zero byte
        // The lowest flagged byte is the first zero byte (flags above it may be false).
        if (uint64_t zero = (w - kOnes) & ~w & kHighs) return p + (std::countr_zero(zero) >> 3);
    }
    while (p < end && *p != '\n') ++p;
    return p;
}

// The usual group: a code line of blanks and digits, then a value line, both ended by a line feed. Anything
// else (a sign, a carriage return, a bad code, the end of the text) is left to the general path.
inline bool DxfTokenizer::nextPlain(DxfRawGroup& g) {
    const char* p = mP;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    int code = 0;
    if (mEnd - p >= 4 && p[3] == '\n' && digit(p[2]) && (p[1] == ' ' ? p[0] == ' ' : digit(p[1]) && (p[0] == ' ' || digit(p[0])))) {
        // The code line most writers write: three places, right-aligned ("  0", " 10", "100").
        code = (p[0] == ' ' ? 0 : p[0] - '0') * 100 + (p[1] == ' ' ? 0 : p[1] - '0') * 10 + (p[2] - '0');
        p += 3;
    } else {
        while (p < mEnd && *p == ' ') ++p;
        if (p == mEnd || !digit(*p)) return false;
        for (int digits = 0; p < mEnd && digit(*p) && digits < 9; ++p, ++digits) code = code * 10 + (*p - '0');
        if (p == mEnd || *p != '\n') return false;
    }
    if (code == 999) return false;
    const char* value = ++p;
    p = dxfLineEnd(p, mEnd);
    if (p == mEnd || (p > value && p[-1] == '\r')) return false;
    g.code = code;
    g.value = std::string_view(value, static_cast<size_t>(p - value));
    mLine += 2;
    g.line = mLine;
    mP = p + 1;
    return true;
}
