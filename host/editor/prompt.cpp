#include "editor/prompt.h"

#include "cvx/editor.h"
#include "editor/point_syntax.h"

namespace cvx::editor {

PromptRules takeRules() {
    PromptRules r;
    std::swap(r, editorState().nextRules);
    return r;
}

std::wstring describe(const Input& in) {
    switch (in.kind) {
    case Input::Text: return in.text;
    case Input::Point: return formatPoint(in.point);
    case Input::Entity: return L"<entity>";
    case Input::Selection: return L"<selection set>";
    case Input::Cancel: return L"<cancel>";
    case Input::End: return L"<end of input>";
    }
    return {};
}

std::wstring numberRuleBroken(const PromptRules& rules, double value) {
    bool noZero = rules.flags & 2, noNegative = rules.flags & 4;
    if (noZero && noNegative && value <= 0) return L"Value must be positive and nonzero.";
    if (noZero && value == 0) return L"Value must be nonzero.";
    if (noNegative && value < 0) return L"Value must be positive.";
    return {};
}

int ask(const InputRequest& request, const PromptRules& rules, const std::wstring& emptyRefusal,
        const std::function<Verdict(const Input&)>& judge) {
    EditorState& st = editorState();
    st.cancelled = false;
    for (;;) {
        Input in = readAnswer(request);
        if (in.kind == Input::Cancel || in.kind == Input::End) {
            st.cancelled = true;
            return RTCAN;
        }
        Verdict v;
        if (in.kind == Input::Text && in.text.empty()) {
            v = (rules.flags & 1) ? Verdict::refuse(emptyRefusal) : Verdict::accept(RTNONE);
        } else if (in.kind == Input::Text && !rules.keywords.empty() &&
                   matchKeyword(rules.keywords, in.text, st.lastInput) == KeywordMatch::Found) {
            return RTKWORD;
        } else if (in.kind == Input::Text && !rules.keywords.empty() &&
                   matchKeyword(rules.keywords, in.text, st.lastInput) == KeywordMatch::Ambiguous) {
            v = Verdict::refuse(L"Ambiguous response, please clarify...");
        } else {
            v = judge(in);
            if (!v.refusal.empty() && (rules.flags & 128) && in.kind == Input::Text) {
                st.lastInput = in.text;
                return RTKWORD;
            }
        }
        if (v.refusal.empty()) return v.code;
        if (!refuseAnswer(v.refusal, describe(in))) {
            st.cancelled = true;
            return RTCAN;
        }
    }
}

}  // namespace cvx::editor
