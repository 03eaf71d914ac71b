// The terminal as an input source: a person types lines; blanks and Enter end answers as in scripts. A line
// holding an Escape character, or Ctrl-C, cancels the prompt; the end of input (Ctrl-D) ends the session.
#pragma once

#include <string>

#include "editor/input.h"

namespace cvx::editor {

class TerminalSource : public InputSource {
public:
    TerminalSource();
    ~TerminalSource() override;
    TerminalSource(const TerminalSource&) = delete;
    TerminalSource& operator=(const TerminalSource&) = delete;

    Input read(const InputRequest& request) override;
    bool refuse(const std::wstring& message, const std::wstring& answer) override;

private:
    std::wstring mLine;  // the rest of the last typed line, with its line end
    size_t mPos = 0;
};

// True once Ctrl-C was pressed since the last call (the flag is cleared).
bool takeInterrupt();

}  // namespace cvx::editor
