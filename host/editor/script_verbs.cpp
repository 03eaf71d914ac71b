#include "editor/script_verbs.h"

#include <cwctype>
#include <deque>
#include <map>

#include "cvx/dbmain.h"
#include "cvx/keys.h"
#include "cvx/render.h"
#include "cvx/wide.h"
#include "editor/output.h"
#include "editor/view_render.h"

namespace cvx::editor {
namespace {

std::wstring lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

int keyCode(const std::wstring& name) {
    static const std::map<std::wstring, int> names = {
        {L"escape", VK_ESCAPE}, {L"esc", VK_ESCAPE},     {L"shift", VK_SHIFT}, {L"control", VK_CONTROL},
        {L"ctrl", VK_CONTROL},  {L"alt", VK_MENU},       {L"return", VK_RETURN}, {L"enter", VK_RETURN},
        {L"space", VK_SPACE},   {L"tab", VK_TAB},        {L"backspace", VK_BACK}};
    auto it = names.find(lower(name));
    if (it != names.end()) return it->second;
    if (name.size() == 1 && std::iswalnum(name[0])) return static_cast<int>(std::towupper(name[0]));
    return -1;
}

ScriptVerbResult keyVerb(const ScriptVerbCall& c) {
    if (c.args.size() != 2 || (lower(c.args[1]) != L"down" && lower(c.args[1]) != L"up"))
        return {L";@key needs a key name and 'down' or 'up'", {}};
    int code = keyCode(c.args[0]);
    if (code < 0) return {L";@key: unknown key '" + c.args[0] + L"'", {}};
    cvxSetKeyDown(code, lower(c.args[1]) == L"down");
    return {};
}

ScriptVerbResult echoVerb(const ScriptVerbCall& c) {
    writeOutput(c.rest + L"\n");
    return {};
}

ScriptVerbResult expectVerb(const ScriptVerbCall& c) {
    std::wstring printed = takeTranscript();
    if (c.rest.empty()) return {L";@expect-message needs the text to look for", {}};
    if (printed.find(c.rest) == std::wstring::npos)
        return {L"expected the message '" + c.rest + L"', which was not printed", {}};
    return {};
}

// Without a window, a grab is the picture of the current view, as the window would show it.
ScriptVerbResult grabVerb(const ScriptVerbCall& c) {
    if (c.args.size() != 1 || c.args[0].empty()) return {L";@grab needs the path of the picture", {}};
    std::string error;
    if (!cvxRenderToPng(acdbCurDwg(), currentViewRenderOptions(), cvxToUtf8(c.args[0]), &error))
        return {L";@grab: " + cvxFromUtf8(error), {}};
    return {};
}

ScriptVerbResult cancelVerb(const ScriptVerbCall&) { return {{}, Input::cancel()}; }

ScriptVerbResult queueVerb(const ScriptVerbCall& c) {
    queueAnswer(c.verb, c);
    return {};
}

struct Registry {
    std::map<std::wstring, ScriptVerb> verbs{{L"key", keyVerb},           {L"echo", echoVerb},
                                             {L"expect-message", expectVerb}, {L"cancel", cancelVerb},
                                             {L"msgbox", queueVerb},       {L"file", queueVerb},
                                             {L"dialog", queueVerb},       {L"grab", grabVerb}};
    std::map<std::wstring, std::deque<ScriptVerbCall>> queued;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

void registerScriptVerb(const std::wstring& verb, ScriptVerb handler) { registry().verbs[lower(verb)] = std::move(handler); }

void unregisterScriptVerb(const std::wstring& verb) { registry().verbs.erase(lower(verb)); }

std::vector<std::wstring> splitVerbArguments(const std::wstring& text, std::wstring* error) {
    std::vector<std::wstring> args;
    size_t i = 0;
    while (i < text.size()) {
        if (std::iswspace(text[i])) { ++i; continue; }
        std::wstring arg;
        if (text[i] == L'"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                wchar_t c = text[i++];
                if (c == L'"') { closed = true; break; }
                if (c == L'\\' && i < text.size() && (text[i] == L'"' || text[i] == L'\\')) c = text[i++];
                arg += c;
            }
            if (!closed && error) *error = L"a quoted argument is not closed";
        } else {
            while (i < text.size() && !std::iswspace(text[i])) arg += text[i++];
        }
        args.push_back(arg);
    }
    return args;
}

ScriptVerbResult runScriptVerb(const std::wstring& line, const std::wstring& where) {
    ScriptVerbCall call;
    call.where = where;
    size_t verbEnd = line.find_first_of(L" \t");
    call.verb = lower(line.substr(0, verbEnd));
    if (verbEnd != std::wstring::npos) {
        size_t restStart = line.find_first_not_of(L" \t", verbEnd);
        if (restStart != std::wstring::npos) call.rest = line.substr(restStart);
    }
    while (!call.rest.empty() && std::iswspace(call.rest.back())) call.rest.pop_back();
    std::wstring error;
    call.args = splitVerbArguments(call.rest, &error);
    if (!error.empty()) return {L";@" + call.verb + L": " + error, {}};
    auto it = registry().verbs.find(call.verb);
    if (it == registry().verbs.end()) return {L"unknown extension line ';@" + call.verb + L"'", {}};
    return it->second(call);
}

void queueAnswer(const std::wstring& verb, const ScriptVerbCall& call) { registry().queued[lower(verb)].push_back(call); }

std::optional<ScriptVerbCall> takeQueuedAnswer(const std::wstring& verb) {
    if (InputSource* s = currentSource()) s->runPendingExtensions();
    auto& q = registry().queued[lower(verb)];
    if (q.empty()) return std::nullopt;
    ScriptVerbCall c = q.front();
    q.pop_front();
    return c;
}

void clearQueuedAnswers() { registry().queued.clear(); }

}  // namespace cvx::editor
