#include "editor/tokens.h"

namespace cvx::editor {

std::wstring takeAnswer(const std::wstring& text, size_t& pos, bool restOfLine) {
    size_t start = pos;
    size_t end = restOfLine ? text.find(L'\n', pos) : text.find_first_of(L" \t\n", pos);
    if (end == std::wstring::npos) {
        pos = text.size();
        return text.substr(start);
    }
    pos = end + 1;
    return text.substr(start, end - start);
}

}  // namespace cvx::editor
