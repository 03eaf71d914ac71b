// A script as an input source: answers separated by blanks and line ends, ';' comment lines, ';@' extension
// lines (script_verbs.h). A refused answer is an error that names the file and line; after it every prompt is
// cancelled and the script stops.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "editor/input.h"

namespace cvx::editor {

class ScriptSource : public InputSource {
public:
    // name: how messages name the script (usually its path).
    ScriptSource(std::wstring text, std::wstring name);
    // Null and an error message when the file cannot be read.
    static std::unique_ptr<ScriptSource> fromFile(const std::string& path, std::wstring& error);

    Input read(const InputRequest& request) override;
    bool refuse(const std::wstring& message, const std::wstring& answer) override;
    bool runPendingExtensions() override;
    bool failed() const override { return !mError.empty(); }

    // Stops the script with an error at the line of the last answer; the message is printed.
    void fail(const std::wstring& message);
    const std::wstring& error() const { return mError; }
    bool atEnd();

private:
    // Runs comment and extension lines at the reading position; an extension may answer the prompt.
    bool skipSpecialLines(std::optional<Input>& answer);
    std::wstring where(int line) const;
    bool atLineStart() const { return mPos == 0 || mText[mPos - 1] == L'\n'; }

    std::wstring mText, mName, mError;
    size_t mPos = 0;
    int mLine = 1;        // line of the reading position
    int mAnswerLine = 1;  // line of the last answer
};

}  // namespace cvx::editor
