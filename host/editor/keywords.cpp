#include "editor/keywords.h"

#include <cwctype>
#include <sstream>

namespace cvx::editor {
namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

enum class Fit { No, Exact, Partial };

Fit fits(const std::wstring& keyword, const std::wstring& typedUpper) {
    std::wstring full = upper(keyword);
    if (typedUpper == full) return Fit::Exact;
    std::wstring abbrev;
    for (wchar_t c : keyword)
        if (!std::iswlower(c)) abbrev += c;
    if (abbrev.empty()) return Fit::No;
    abbrev = upper(abbrev);
    if (typedUpper == abbrev) return Fit::Exact;
    bool abbrevStarts = full.compare(0, abbrev.size(), abbrev) == 0;
    if (abbrevStarts && typedUpper.size() >= abbrev.size() && full.compare(0, typedUpper.size(), typedUpper) == 0)
        return Fit::Partial;
    return Fit::No;
}

}  // namespace

std::vector<Keyword> parseKeywords(const std::wstring& list) {
    std::wistringstream in(list);
    std::vector<std::wstring> local, global;
    bool inGlobal = false;
    for (std::wstring w; in >> w;) {
        if (w == L"_") inGlobal = true;
        else (inGlobal ? global : local).push_back(w);
    }
    std::vector<Keyword> out;
    for (size_t i = 0; i < local.size(); ++i)
        out.push_back({local[i], i < global.size() ? global[i] : local[i]});
    return out;
}

KeywordMatch matchKeyword(const std::vector<Keyword>& keywords, const std::wstring& answer, std::wstring& global) {
    if (answer.empty()) return KeywordMatch::None;
    bool useGlobal = answer[0] == L'_';
    std::wstring typed = upper(useGlobal ? answer.substr(1) : answer);
    if (typed.empty()) return KeywordMatch::None;
    const Keyword* exact = nullptr;
    const Keyword* partial = nullptr;
    int partials = 0;
    for (const Keyword& k : keywords) {
        Fit f = fits(useGlobal ? k.global : k.local, typed);
        if (f == Fit::Exact && !exact) exact = &k;
        if (f == Fit::Partial) {
            partial = &k;
            ++partials;
        }
    }
    const Keyword* hit = exact ? exact : (partials == 1 ? partial : nullptr);
    if (!hit) return partials > 1 ? KeywordMatch::Ambiguous : KeywordMatch::None;
    global = hit->global;
    return KeywordMatch::Found;
}

}  // namespace cvx::editor
