#include "dxf/group_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "db/dxf_support.h"
#include "dxf/dxf_error.h"

namespace {
std::string_view trimmed(std::string_view s) {
    if (s.empty() || (s.front() > ' ' && s.back() > ' ')) return s;  // the usual value: no blanks around it
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool parseReal(std::string_view s, double& v) {
    // Values are almost always written without blanks or a plus sign.
    if (!s.empty() && s.front() > '+' && s.back() != ' ' && s.back() != '\t') {
        auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        return r.ec == std::errc() && r.ptr == s.data() + s.size();
    }
    s = trimmed(s);
    const char* first = s.data();
    const char* last = first + s.size();
    if (first != last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    return !s.empty() && r.ec == std::errc() && r.ptr == last;
}

bool parseInt(std::string_view s, int64_t& v) {
    s = trimmed(s);
    const char* first = s.data();
    const char* last = first + s.size();
    if (first != last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    if (!s.empty() && r.ec == std::errc() && r.ptr == last) return true;
    double d = 0;  // some writers put integers as reals ("1.0")
    if (!parseReal(s, d) || !std::isfinite(d) || std::fabs(d) > 9.2e18) return false;
    v = static_cast<int64_t>(d);
    return true;
}

// Handles are hexadecimal numbers of at most 16 digits after leading zeros.
bool parseHandle(std::string_view s, int64_t& v) {
    s = trimmed(s);
    if (s.empty()) return false;
    while (s.size() > 16 && s.front() == '0') s.remove_prefix(1);
    if (s.size() > 16) return false;
    uint64_t h = 0;
    for (char c : s) {
        unsigned d;
        if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
        else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') d = static_cast<unsigned>((c | 0x20) - 'a' + 10);
        else return false;
        h = h << 4 | d;
    }
    v = static_cast<int64_t>(h);
    return true;
}

[[noreturn]] void badValue(const DxfRawGroup& raw, const char* what) {
    dxfFail(raw.line, std::string("expected ") + what + " for group " + std::to_string(raw.code) + ", found " +
                          dxfQuote(raw.value));
}
}  // namespace

DxfGroupReader::DxfGroupReader(DxfTextSource& source, int codePage, size_t window)
    : DxfGroupReader(std::string_view(), codePage) {
    mSource = &source;
    mSize = source.size();
    mWindow = std::max<size_t>(window, 32);
    moveWindow(mWindow);
}

DxfGroupReader::DxfGroupReader(std::string_view text, int codePage)
    : mTok(text), mSize(text.size()), mCodePage(codePage) {
    mSpecial[static_cast<unsigned char>('\\')] = mSpecial[static_cast<unsigned char>('^')] = true;
    if (mCodePage.changes("\x80"))
        for (int b = 0x80; b < 0x100; ++b) mSpecial[b] = true;
}

void DxfGroupReader::moveWindow(size_t atLeast) {
    bool final = true;
    const size_t from = mWindowStart + mElementStart;
    std::string_view text = mSource->window(from, atLeast, final);
    mTok = DxfTokenizer(text, final, mElementLine, from == 0);
    mWindowStart = from;
    mElementStart = 0;
    mStarted = false;  // the element's 0 group is read again
}

// Most texts are plain: eight bytes at a time are checked for escapes and, where the code page needs it,
// bytes above 127. Inlined into the value parser: most groups of most files are short plain texts.
[[gnu::always_inline]] inline bool DxfGroupReader::isPlain(std::string_view text) const {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    auto hasByte = [](uint64_t w, unsigned char c) {
        const uint64_t x = w ^ (kOnes * c);
        return ((x - kOnes) & ~x & kHighs) != 0;
    };
    const uint64_t high = mSpecial[0x80] ? kHighs : 0;
    const char* p = text.data();
    const char* end = p + text.size();
    for (; end - p >= 8; p += 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        if ((w & high) || hasByte(w, '\\') || hasByte(w, '^')) return false;
    }
    for (; p < end; ++p)
        if (mSpecial[static_cast<unsigned char>(*p)]) return false;
    return true;
}

std::string_view DxfGroupReader::decodedText(std::string_view text) {
    const bool converted = mCodePage.changes(text);
    if (converted) {
        mCodePage.convert(text, mConverted);
        text = mConverted;
    }
    if (!converted && !dxfTextNeedsDecoding(text)) return text;
    if (mArenaUsed == mArena.size()) mArena.emplace_back();
    std::string& s = mArena[mArenaUsed++];
    dxfDecodeText(text, s);
    return s;
}

[[gnu::always_inline]] inline void DxfGroupReader::parseValue(AcDbDxfGroup& g) {
    // The group is used in place, not copied: the tokenizer has just written it, and reading it back whole
    // would wait for those writes to land. It is valid until the next pull().
    const DxfRawGroup& raw = mRaw;
    const int code = raw.code;
    g.code = code;
    // A dimension style's handle is group 105; its group 5 is the name of an arrow block (R12 files).
    CvxDxfKind kind = code == 5 && mInDimStyle ? CvxDxfKind::Text : cvxDxfKind(code);
    switch (kind) {
        case CvxDxfKind::Text: g.text = isPlain(raw.value) ? raw.value : decodedText(raw.value); break;
        case CvxDxfKind::Binary: g.text = trimmed(raw.value); break;
        case CvxDxfKind::Real:
            g.text = trimmed(raw.value);
            if (!parseReal(raw.value, g.real)) badValue(raw, "a number");
            break;
        case CvxDxfKind::Int:
            g.text = trimmed(raw.value);
            if (!parseInt(raw.value, g.integer)) badValue(raw, "a whole number");
            break;
        case CvxDxfKind::Handle:
            g.text = trimmed(raw.value);
            // References that are not handles (some writers put names there) are kept as text and refer to
            // nothing; an object's own handle must be one.
            if (!parseHandle(raw.value, g.integer)) {
                if (code == 5 || code == 105) badValue(raw, "a handle (hexadecimal number)");
                g.integer = 0;
            }
            break;
        case CvxDxfKind::PointX: {
            const uint32_t line = raw.line;
            g.text = trimmed(raw.value);
            if (!parseReal(raw.value, g.point.x)) badValue(raw, "a number");
            if (!pull() || mRaw.code != code + 10)
                dxfFail(mHaveRaw ? mRaw.line : line, "group " + std::to_string(code) +
                                                         " is not followed by its Y value (group " +
                                                         std::to_string(code + 10) + ")");
            if (!parseReal(mRaw.value, g.point.y)) badValue(mRaw, "a number");
            if (pull() && mRaw.code == code + 20) {
                if (!parseReal(mRaw.value, g.point.z)) badValue(mRaw, "a number");
                g.hasZ = true;
                pull();
            }
            return;  // the next raw group is already read
        }
        case CvxDxfKind::Invalid: dxfFail(raw.line - 1, "unknown group code " + std::to_string(code));  // the code's line
    }
    pull();
}

bool DxfGroupReader::next(DxfElement& e) {
    if (!mSource) return readElement(e);
    if (!mTok.final() && mTok.size() - mRawStart < mWindow / 32) {
        mElementStart = mStarted ? mRawStart : mElementStart;
        mElementLine = mStarted ? mRawLine : mElementLine;
        moveWindow(mWindow);
    }
    for (size_t window = mWindow;;) {
        try {
            return readElement(e);
        } catch (const DxfNeedMoreText&) {
            window *= 2;
            moveWindow(window);
        }
    }
}

bool DxfGroupReader::readElement(DxfElement& e) {
    if (!mStarted) {
        mStarted = true;
        pull();
    }
    mElementStart = mRawStart;
    mElementLine = mRawLine;
    if (!mHaveRaw) return false;
    if (mRaw.code != 0)
        dxfFail(mRaw.line, "expected the start of an element (group 0), found group " + std::to_string(mRaw.code));
    e.type = trimmed(mRaw.value);
    mInDimStyle = e.type == "DIMSTYLE";
    e.line = mRaw.line;
    e.groups.clear();
    e.lines.clear();
    mArenaUsed = 0;
    pull();
    while (mHaveRaw && mRaw.code != 0) {
        e.lines.push_back(mRaw.line);
        parseValue(e.groups.emplace_back());
    }
    return true;
}
