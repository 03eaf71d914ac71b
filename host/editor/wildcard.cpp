// Wildcard patterns of selection filters and names.
#include <cwctype>
#include <string>
#include <vector>

#include "cvx/editor.h"

namespace {

wchar_t fold(wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); }

// Matches a character class at p[0] == '['; on return p is past the closing bracket.
bool matchClass(const wchar_t*& p, wchar_t c) {
    ++p;
    bool negate = *p == L'~';
    if (negate) ++p;
    bool hit = false;
    bool first = true;
    while (*p && (*p != L']' || first)) {
        wchar_t lo = *p == L'`' && p[1] ? *++p : *p;
        ++p;
        wchar_t hi = lo;
        if (*p == L'-' && p[1] && p[1] != L']') {
            hi = p[1] == L'`' && p[2] ? p[2] : p[1];
            p += p[1] == L'`' ? 3 : 2;
        }
        if (fold(c) >= fold(lo) && fold(c) <= fold(hi)) hit = true;
        first = false;
    }
    if (*p == L']') ++p;
    return hit != negate;
}

bool matchHere(const wchar_t* p, const wchar_t* s) {
    for (; *p; ) {
        switch (*p) {
        case L'*':
            for (const wchar_t* t = s;; ++t) {
                if (matchHere(p + 1, t)) return true;
                if (!*t) return false;
            }
        case L'?':
            if (!*s) return false;
            ++p, ++s;
            break;
        case L'#':
            if (!std::iswdigit(*s)) return false;
            ++p, ++s;
            break;
        case L'@':
            if (!std::iswalpha(*s)) return false;
            ++p, ++s;
            break;
        case L'.':
            if (!*s || std::iswalnum(*s)) return false;
            ++p, ++s;
            break;
        case L'[':
            if (!*s || !matchClass(p, *s)) return false;
            ++s;
            break;
        case L'`':
            if (p[1]) ++p;
            [[fallthrough]];
        default:
            if (fold(*p) != fold(*s)) return false;
            ++p, ++s;
        }
    }
    return *s == 0;
}

// The alternatives of a pattern, split at commas that are not escaped or inside brackets.
std::vector<std::wstring> alternatives(const wchar_t* pattern) {
    std::vector<std::wstring> out(1);
    bool inClass = false;
    for (const wchar_t* p = pattern; *p; ++p) {
        if (*p == L'`' && p[1]) {
            out.back() += *p++;
            out.back() += *p;
            continue;
        }
        if (*p == L'[') inClass = true;
        if (*p == L']') inClass = false;
        if (*p == L',' && !inClass) {
            out.emplace_back();
            continue;
        }
        out.back() += *p;
    }
    return out;
}

}  // namespace

int acutWcMatch(const ACHAR* string, const ACHAR* pattern) {
    if (!string || !pattern) return RTERROR;
    for (const std::wstring& alt : alternatives(pattern)) {
        bool negate = !alt.empty() && alt[0] == L'~';
        bool hit = matchHere(alt.c_str() + (negate ? 1 : 0), string);
        if (hit != negate) return RTNORM;
    }
    return RTERROR;
}
