#include "dxf/text_codec.h"

#include <iconv.h>

#include <charconv>
#include <string>

#include "ge/iconv_text.h"
#include "ge/utf8.h"

int dxfCodePageFromName(std::string_view name) {
    auto eq = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
        return true;
    };
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (eq(name, "UTF-8") || eq(name, "UTF8")) return 0;
    for (std::string_view prefix : {"ANSI_", "DOS", "CP"}) {
        if (name.size() > prefix.size() && eq(name.substr(0, prefix.size()), prefix)) {
            int cp = 0;
            auto digits = name.substr(prefix.size());
            auto r = std::from_chars(digits.data(), digits.data() + digits.size(), cp);
            if (r.ec == std::errc() && r.ptr == digits.data() + digits.size() && cp > 0) return cp;
        }
    }
    if (eq(name, "ISO8859-1")) return 28591;
    return 1252;
}

std::string dxfCodePageName(int codePage) {
    if (codePage == 0) return "UTF-8";
    if (codePage == 437 || codePage == 850 || codePage == 852 || codePage == 855 || codePage == 857 ||
        codePage == 860 || codePage == 861 || codePage == 863 || codePage == 864 || codePage == 865 ||
        codePage == 866 || codePage == 869)
        return "DOS" + std::to_string(codePage);
    if (codePage == 28591) return "ISO8859-1";
    return "ANSI_" + std::to_string(codePage);
}

DxfCodePageDecoder::DxfCodePageDecoder(int codePage) {
    if (codePage == 0) return;
    std::string from = codePage == 28591 ? "ISO-8859-1" : "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) mConverter = cd;
}

DxfCodePageDecoder::~DxfCodePageDecoder() {
    if (mConverter) iconv_close(static_cast<iconv_t>(mConverter));
}

bool DxfCodePageDecoder::changes(std::string_view text) const {
    if (!mConverter) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

void DxfCodePageDecoder::convert(std::string_view in, std::string& out) {
    cvxIconv(mConverter, in, out, "\xEF\xBF\xBD");
}

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code unit of "\U+XXXX" at text[i], or -1.
long unicodeEscapeAt(std::string_view text, size_t i) {
    if (i + 7 > text.size() || text[i] != '\\' || (text[i + 1] != 'U' && text[i + 1] != 'u') || text[i + 2] != '+')
        return -1;
    long v = 0;
    for (size_t k = i + 3; k < i + 7; ++k) {
        int d = hexDigit(text[k]);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

bool isCaretControl(char c) { return c == ' ' || (c >= '@' && c <= '_'); }
}  // namespace

bool dxfTextNeedsDecoding(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && unicodeEscapeAt(text, i) >= 0) return true;
        if (text[i] == '^' && i + 1 < text.size() && isCaretControl(text[i + 1])) return true;
    }
    return false;
}

void dxfDecodeText(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size();) {
        long u = text[i] == '\\' ? unicodeEscapeAt(text, i) : -1;
        if (u >= 0) {
            i += 7;
            if (u >= 0xD800 && u <= 0xDBFF) {
                long lo = unicodeEscapeAt(text, i);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                    i += 7;
                }
            }
            cvxUtf8Append(out, static_cast<char32_t>(u));
        } else if (text[i] == '^' && i + 1 < text.size() && isCaretControl(text[i + 1])) {
            out += text[i + 1] == ' ' ? '^' : static_cast<char>(text[i + 1] - '@');
            i += 2;
        } else {
            out += text[i++];
        }
    }
}

void dxfAppendEncodedText(std::string& out, std::string_view text, bool escapeNonAscii) {
    static const char digits[] = "0123456789ABCDEF";
    auto escape = [&](unsigned v) {
        out += "\\U+";
        for (int s = 12; s >= 0; s -= 4) out += digits[(v >> s) & 15];
    };
    for (size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x20) {
            out += '^';
            out += static_cast<char>(b + 64);
            ++i;
        } else if (b == '^') {
            out += '^';
            if (i + 1 < text.size() && isCaretControl(text[i + 1])) out += ' ';
            ++i;
        } else if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else if (!escapeNonAscii) {
            size_t start = i;
            char32_t c = cvxUtf8Next(text, i);
            if (c == 0xFFFD && i == start + 1) cvxUtf8Append(out, c);  // not UTF-8: write a valid replacement
            else out.append(text.substr(start, i - start));
        } else {
            char32_t c = cvxUtf8Next(text, i);
            if (c >= 0x10000) {
                escape(0xD800 + ((c - 0x10000) >> 10));
                escape(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                escape(c);
            }
        }
    }
}
