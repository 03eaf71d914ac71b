// Keyword lists of prompts: "Yes No", "eXit", "Close Undo _ Close Undo". The capitals (and digits) of a keyword
// are its abbreviation: the user types the abbreviation, or the keyword or any part of it at least as long as the
// abbreviation when the abbreviation starts it. Case does not matter. After a lone "_", the global names follow
// in the same order; an answer starting with "_" is matched against those.
#pragma once

#include <string>
#include <vector>

namespace cvx::editor {

struct Keyword {
    std::wstring local, global;
};

std::vector<Keyword> parseKeywords(const std::wstring& list);

enum class KeywordMatch { None, Found, Ambiguous };
// On Found, global is the global name of the keyword the answer stands for.
KeywordMatch matchKeyword(const std::vector<Keyword>& keywords, const std::wstring& answer, std::wstring& global);

}  // namespace cvx::editor
