#include "editor/input.h"

#include <algorithm>

namespace cvx::editor {
namespace {

std::vector<InputSource*>& stack() {
    static std::vector<InputSource*> s;
    return s;
}

}  // namespace

InputSource* currentSource() { return stack().empty() ? nullptr : stack().back(); }

void pushSource(InputSource* source) { stack().push_back(source); }

void popSource(InputSource* source) {
    auto& s = stack();
    auto it = std::find(s.rbegin(), s.rend(), source);
    if (it != s.rend()) s.erase(std::next(it).base());
}

Input readAnswer(const InputRequest& request) {
    InputSource* s = currentSource();
    if (!s) return Input::end();
    if (s->failed()) return Input::cancel();
    return s->read(request);
}

bool refuseAnswer(const std::wstring& message, const std::wstring& answer) {
    InputSource* s = currentSource();
    return s && s->refuse(message, answer);
}

}  // namespace cvx::editor
