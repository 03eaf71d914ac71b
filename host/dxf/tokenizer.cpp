#include "dxf/tokenizer.h"

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

bool onlyBlank(const char* p, const char* end) {
    for (; p < end; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != '\0' && *p != '\x1a') return false;
    return true;
}
}  // namespace

bool DxfTokenizer::nextGeneral(DxfRawGroup& g) {
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
