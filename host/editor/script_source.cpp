#include "editor/script_source.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "cvx/wide.h"
#include "editor/output.h"
#include "editor/script_verbs.h"
#include "editor/tokens.h"

namespace cvx::editor {

ScriptSource::ScriptSource(std::wstring text, std::wstring name) : mName(std::move(name)) {
    mText.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) mText += text[i];
    if (mText.size() >= 1 && mText[0] == 0xFEFF) mText.erase(0, 1);
}

std::unique_ptr<ScriptSource> ScriptSource::fromFile(const std::string& path, std::wstring& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = L"cannot read the script " + cvxFromUtf8(path);
        return nullptr;
    }
    // Read in pieces with a bound on a line, so that a file without end (a device, a pipe that never
    // stops) or without line breaks gets a message instead of filling the memory.
    constexpr size_t kMaxLine = size_t(1) << 20;
    std::string text;
    std::vector<char> piece(1 << 16);
    size_t lineLength = 0, lineNo = 1;
    while (in) {
        in.read(piece.data(), std::streamsize(piece.size()));
        size_t n = size_t(in.gcount());
        for (size_t i = 0; i < n; ++i) {
            if (piece[i] == '\n') {
                lineLength = 0;
                ++lineNo;
            } else if (++lineLength > kMaxLine) {
                error = L"line " + std::to_wstring(lineNo) + L" of the script " + cvxFromUtf8(path) +
                        L" is longer than " + std::to_wstring(kMaxLine) + L" characters";
                return nullptr;
            }
        }
        text.append(piece.data(), n);
    }
    return std::make_unique<ScriptSource>(cvxFromUtf8(text), cvxFromUtf8(path));
}

std::wstring ScriptSource::where(int line) const { return mName + L":" + std::to_wstring(line); }

bool ScriptSource::skipSpecialLines(std::optional<Input>& answer) {
    while (failed() == false && mPos < mText.size() && atLineStart() && mText[mPos] == L';') {
        size_t end = mText.find(L'\n', mPos);
        if (end == std::wstring::npos) end = mText.size();
        std::wstring line = mText.substr(mPos, end - mPos);
        int lineNo = mLine;
        mPos = end < mText.size() ? end + 1 : end;
        ++mLine;
        if (line.size() >= 2 && line[1] == L'@') {
            mAnswerLine = lineNo;
            ScriptVerbResult r = runScriptVerb(line.substr(2), where(lineNo));
            if (!r.error.empty()) {
                fail(r.error);
                return false;
            }
            if (r.answer) {
                answer = r.answer;
                return true;
            }
        }
    }
    return !failed();
}

bool ScriptSource::runPendingExtensions() {
    std::optional<Input> ignored;
    return skipSpecialLines(ignored);
}

bool ScriptSource::atEnd() {
    std::optional<Input> ignored;
    skipSpecialLines(ignored);
    return mPos >= mText.size();
}

Input ScriptSource::read(const InputRequest& request) {
    std::optional<Input> special;
    if (!skipSpecialLines(special)) return Input::cancel();
    Input in;
    if (special) {
        in = *special;
    } else if (mPos >= mText.size()) {
        return Input::end();
    } else {
        mAnswerLine = mLine;
        size_t before = mPos;
        in = Input::ofText(takeAnswer(mText, mPos, request.restOfLine));
        for (size_t i = before; i < mPos; ++i)
            if (mText[i] == L'\n') ++mLine;
    }
    writeOutput(request.prompt + (in.kind == Input::Cancel ? L"*Cancel*" : in.text) + L"\n");
    return in;
}

bool ScriptSource::refuse(const std::wstring& message, const std::wstring& answer) {
    std::wstring m = message;
    while (!m.empty() && (m.back() == L'.' || m.back() == L' ')) m.pop_back();
    fail(answer.empty() ? message : m + L" (got '" + answer + L"')");
    return false;
}

void ScriptSource::fail(const std::wstring& message) {
    if (failed()) return;
    mError = where(mAnswerLine) + L": " + message;
    writeOutput(mError + L"\n");
}

}  // namespace cvx::editor
