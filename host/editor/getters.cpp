// The editor's prompts for numbers, points, angles, keywords and text.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "cvx/editor.h"
#include "cvx/keys.h"
#include "editor/point_syntax.h"
#include "editor/prompt.h"

using namespace cvx::editor;

namespace {

InputRequest request(const ACHAR* prompt, bool wantsPoint = false, bool restOfLine = false) {
    return {prompt ? prompt : L"", restOfLine, wantsPoint};
}

int copyOut(const std::wstring& text, ACHAR* result, size_t length) {
    if (!result || length == 0) return RTERROR;
    size_t n = std::min(text.size(), length - 1);
    std::wmemcpy(result, text.data(), n);
    result[n] = 0;
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

// A point from an answer: typed, or given (a window pick, a command's point value).
std::optional<AcGePoint3d> answerPoint(const Input& in) {
    if (in.kind == Input::Point) return in.point;
    if (in.kind == Input::Text) return parsePoint(in.text, editorState().lastPoint);
    return std::nullopt;
}

void setResult(ads_point out, const AcGePoint3d& p) {
    out[0] = p.x;
    out[1] = p.y;
    out[2] = p.z;
}

// A second point after a first one (distances and angles given by two points).
int askSecondPoint(const AcGePoint3d& first, AcGePoint3d& second) {
    editorState().lastPoint = first;
    PromptRules none;
    return ask(request(L"Specify second point: ", true), none, L"Invalid point.", [&](const Input& in) {
        auto p = answerPoint(in);
        if (!p) return Verdict::refuse(L"Invalid point.");
        second = *p;
        return Verdict::accept(RTNORM);
    });
}

double planarOr3dDistance(const AcGePoint3d& a, const AcGePoint3d& b, bool ignoreZ) {
    return ignoreZ ? std::hypot(b.x - a.x, b.y - a.y) : a.distanceTo(b);
}

double angleOf(const AcGePoint3d& from, const AcGePoint3d& to) {
    double a = std::atan2(to.y - from.y, to.x - from.x);
    return a < 0 ? a + 2 * M_PI : a;
}

}  // namespace

int acedInitGet(int flags, const ACHAR* keywords) {
    PromptRules& r = editorState().nextRules;
    r.flags = flags;
    r.keywords = parseKeywords(keywords ? keywords : L"");
    return RTNORM;
}

int acedGetInput(ACHAR* result, size_t bufferLength) { return copyOut(editorState().lastInput, result, bufferLength); }

bool acedUsrBrk() { return editorState().cancelled || GetKeyState(VK_ESCAPE) < 0; }

int acedGetInt(const ACHAR* prompt, int* result) {
    PromptRules rules = takeRules();
    const std::wstring need = L"Requires an integer value.";
    return ask(request(prompt), rules, need, [&](const Input& in) {
        auto v = in.kind == Input::Text ? parseInteger(in.text) : std::nullopt;
        if (!v) return Verdict::refuse(need);
        if (*v < -32768 || *v > 32767) return Verdict::refuse(L"Requires an integer between -32768 and 32767.");
        std::wstring broken = numberRuleBroken(rules, double(*v));
        if (!broken.empty()) return Verdict::refuse(broken);
        if (result) *result = static_cast<int>(*v);
        return Verdict::accept(RTNORM);
    });
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    PromptRules rules = takeRules();
    const std::wstring need = L"Requires numeric value.";
    return ask(request(prompt), rules, need, [&](const Input& in) {
        auto v = in.kind == Input::Text ? parseReal(in.text) : std::nullopt;
        if (!v) return Verdict::refuse(need);
        std::wstring broken = numberRuleBroken(rules, *v);
        if (!broken.empty()) return Verdict::refuse(broken);
        if (result) *result = *v;
        return Verdict::accept(RTNORM);
    });
}

int acedGetDist(const ads_point basePoint, const ACHAR* prompt, ads_real* result) {
    PromptRules rules = takeRules();
    const std::wstring need = L"Requires a distance, numeric value or two points.";
    bool ignoreZ = rules.flags & 64;
    return ask(request(prompt, true), rules, need, [&](const Input& in) {
        double d = 0;
        if (auto v = in.kind == Input::Text ? parseReal(in.text) : std::nullopt) {
            d = *v;
        } else if (auto p = answerPoint(in)) {
            AcGePoint3d second = *p;
            AcGePoint3d first = basePoint ? asPnt3d(basePoint) : *p;
            if (!basePoint) {
                int rc = askSecondPoint(first, second);
                if (rc != RTNORM) return Verdict::accept(rc);
            }
            d = planarOr3dDistance(first, second, ignoreZ);
            editorState().lastPoint = second;
        } else {
            return Verdict::refuse(need);
        }
        std::wstring broken = numberRuleBroken(rules, d);
        if (!broken.empty()) return Verdict::refuse(broken);
        if (result) *result = d;
        return Verdict::accept(RTNORM);
    });
}

int acedGetAngle(const ads_point basePoint, const ACHAR* prompt, ads_real* result) {
    PromptRules rules = takeRules();
    const std::wstring need = L"Requires valid numeric angle or second point.";
    return ask(request(prompt, true), rules, need, [&](const Input& in) {
        double a = 0;
        if (auto v = in.kind == Input::Text ? parseReal(in.text) : std::nullopt) {
            a = std::fmod(*v * M_PI / 180.0, 2 * M_PI);
            if (a < 0) a += 2 * M_PI;
        } else if (auto p = answerPoint(in)) {
            AcGePoint3d second = *p;
            AcGePoint3d first = basePoint ? asPnt3d(basePoint) : *p;
            if (!basePoint) {
                int rc = askSecondPoint(first, second);
                if (rc != RTNORM) return Verdict::accept(rc);
            }
            if (first.isEqualTo(second)) return Verdict::refuse(need);
            a = angleOf(first, second);
        } else {
            return Verdict::refuse(need);
        }
        std::wstring broken = numberRuleBroken(rules, a);
        if (!broken.empty()) return Verdict::refuse(broken);
        if (result) *result = a;
        return Verdict::accept(RTNORM);
    });
}

int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result) {
    PromptRules rules = takeRules();
    if (basePoint) editorState().lastPoint = asPnt3d(basePoint);
    return ask(request(prompt, true), rules, L"Invalid point.", [&](const Input& in) {
        auto p = answerPoint(in);
        if (!p) return Verdict::refuse(L"Invalid point.");
        editorState().lastPoint = *p;
        if (result) setResult(result, *p);
        return Verdict::accept(RTNORM);
    });
}

int acedGetCorner(const ads_point basePoint, const ACHAR* prompt, ads_point result) {
    if (!basePoint) return RTERROR;
    return acedGetPoint(basePoint, prompt, result);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
    PromptRules rules = takeRules();
    std::wstring word;
    int rc = ask(request(prompt), rules, L"Invalid option keyword.", [&](const Input& in) {
        if (in.kind == Input::Text && (rules.flags & 128)) {
            word = in.text;
            return Verdict::accept(RTNORM);
        }
        return Verdict::refuse(L"Invalid option keyword.");
    });
    if (rc == RTKWORD) {
        word = editorState().lastInput;
        rc = RTNORM;
    }
    if (rc == RTNORM) return copyOut(word, result, bufferLength);
    if (result && bufferLength) result[0] = 0;
    return rc;
}

int acedGetString(int allowSpaces, const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
    Input in = readAnswer(request(prompt, false, allowSpaces != 0));
    editorState().nextRules = PromptRules();
    editorState().cancelled = in.kind == Input::Cancel || in.kind == Input::End;
    if (editorState().cancelled) return RTCAN;
    return copyOut(in.kind == Input::Text ? in.text : describe(in), result, bufferLength);
}
