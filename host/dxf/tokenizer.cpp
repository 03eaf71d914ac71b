#include "dxf/tokenizer.h"

#include <bit>
#include <charconv>
#include <cstring>

#include "dxf/dxf_error.h"

DxfTokenizer::DxfTokenizer(std::string_view text, bool final, uint32_t line, bool fileStart)
    : mBegin(text.data()), mP(text.data()), mEnd(text.data() + text.size()), mLine(line), mFinal(final) {
    if (fileStart && text.size() >= 3 && std::memcmp(mP, "\xEF\xBB\xBF", 3) == 0) mP += 3;  // byte order mark
}

std::string_view DxfTokenizer::readLine() {
    const char* nl = static_cast<const char*>(std::memchr(mP, '\n', static_cast<size_t>(mEnd - mP)));
    if (!nl) endOfWindow();
    const char* stop = nl ? nl : mEnd;
    std::string_view line(mP, static_cast<size_t>(stop - mP));
    mP = nl ? nl + 1 : mEnd;
    ++mLine;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The first line feed at or after p, or end. Eight bytes are looked at in one step: a value line is some
// twenty bytes, too short for a library search to pay off, too long for a byte loop to be quick.
static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");
const char* lineEnd(const char* p, const char* end) {
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

bool onlyBlank(const char* p, const char* end) {
    for (; p < end; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != '\0' && *p != '\x1a') return false;
    return true;
}
}  // namespace

// The usual group: a code line of blanks and digits, then a value line, both ended by a line feed. Anything
// else (a sign, a carriage return, a bad code, the end of the text) is left to the general path.
bool DxfTokenizer::nextPlain(DxfRawGroup& g) {
    const char* p = mP;
    while (p < mEnd && *p == ' ') ++p;
    if (p == mEnd || *p < '0' || *p > '9') return false;
    int code = 0;
    int digits = 0;
    for (; p < mEnd && *p >= '0' && *p <= '9' && digits < 9; ++p, ++digits) code = code * 10 + (*p - '0');
    if (p == mEnd || *p != '\n' || code == 999) return false;
    const char* value = ++p;
    p = lineEnd(p, mEnd);
    if (p == mEnd || (p > value && p[-1] == '\r')) return false;
    g.code = code;
    g.value = std::string_view(value, static_cast<size_t>(p - value));
    mLine += 2;
    g.line = mLine;
    mP = p + 1;
    return true;
}

bool DxfTokenizer::next(DxfRawGroup& g) {
    if (nextPlain(g)) return true;
    for (;;) {
        if (mP >= mEnd || onlyBlank(mP, mEnd)) {
            endOfWindow();
            return false;
        }
        std::string_view codeText = trim(readLine());
        const char* first = codeText.data();
        const char* last = first + codeText.size();
        if (first != last && *first == '+') ++first;
        auto r = std::from_chars(first, last, g.code);
        if (codeText.empty() || r.ec != std::errc() || r.ptr != last)
            dxfFail(mLine, "expected a group code, found " + dxfQuote(codeText));
        if (mP >= mEnd) endOfWindow();
        if (mP >= mEnd) dxfFail(mLine, "the file ends after group code " + std::to_string(g.code) + " without its value");
        g.value = readLine();
        g.line = mLine;
        if (g.code != 999) return true;
    }
}
