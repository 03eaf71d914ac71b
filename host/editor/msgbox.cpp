// Message boxes on the command line: the caption and text are printed; the answer comes from a ";@msgbox" line
// of the script, from a person at the terminal, or is the first button.
#include <cwctype>
#include <string>
#include <vector>

#include "cvx/editor.h"
#include "cvx/msgbox.h"
#include "editor/front_end.h"
#include "editor/input.h"
#include "editor/output.h"
#include "editor/script_verbs.h"
#include "editor/terminal_source.h"

namespace cvx::editor {
namespace {

struct Button {
    const wchar_t* name;  // as a script names it, lower case
    const wchar_t* keyword;
    int id;
};

std::vector<Button> buttonsOf(UINT type) {
    const Button ok{L"ok", L"OK", IDOK}, cancel{L"cancel", L"Cancel", IDCANCEL}, yes{L"yes", L"Yes", IDYES},
        no{L"no", L"No", IDNO};
    switch (type & 0xFu) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_YESNO: return {yes, no};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    default: return {ok};
    }
}

std::wstring lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// A person at the terminal picks a button by keyword; Enter takes the first.
int askAtTerminal(const std::vector<Button>& buttons) {
    std::wstring list, prompt = L"[";
    for (const Button& b : buttons) {
        list += std::wstring(list.empty() ? L"" : L" ") + b.keyword;
        prompt += std::wstring(prompt.size() > 1 ? L"/" : L"") + b.keyword;
    }
    prompt += std::wstring(L"] <") + buttons[0].keyword + L">: ";
    acedInitGet(0, list.c_str());
    ACHAR kw[32];
    if (acedGetKword(prompt.c_str(), kw, 32) == RTNORM)
        for (const Button& b : buttons)
            if (lower(kw) == b.name) return b.id;
    return buttons[0].id;
}

int showMessageBox(const std::wstring& caption, const std::wstring& text, UINT type) {
    std::vector<Button> buttons = buttonsOf(type);
    writeOutput(L"[" + caption + L"] " + text + L"\n");
    int answer = buttons[0].id;
    if (auto queued = takeQueuedAnswer(L"msgbox")) {
        std::wstring said = queued->args.empty() ? L"" : lower(queued->args[0]);
        bool found = false;
        for (const Button& b : buttons)
            if (b.name == said) {
                answer = b.id;
                found = true;
            }
        if (!found) {
            std::wstring offered;
            for (const Button& b : buttons) offered += std::wstring(offered.empty() ? L"" : L", ") + b.name;
            refuseAnswer(L"The message box has no button '" + said + L"' (it offers " + offered + L")", said);
        }
    } else if (int shown = frontEnd().messageBox ? frontEnd().messageBox(caption, text, type) : -1; shown >= 0) {
        answer = shown;
    } else if (dynamic_cast<TerminalSource*>(currentSource())) {
        answer = askAtTerminal(buttons);
    }
    for (const Button& b : buttons)
        if (b.id == answer) writeOutput(std::wstring(L"  <") + b.keyword + L">\n");
    return answer;
}

}  // namespace
}  // namespace cvx::editor

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
    return cvx::editor::showMessageBox(L"curvix", text ? text : L"", type);
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    return cvx::editor::showMessageBox(caption ? caption : L"Error", text ? text : L"", type);
}
