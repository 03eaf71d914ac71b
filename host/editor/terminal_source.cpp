#include "editor/terminal_source.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <unistd.h>

#include "cvx/wide.h"
#include "editor/output.h"
#include "editor/tokens.h"

namespace cvx::editor {
namespace {

std::atomic<bool> gInterrupted{false};
struct sigaction gPreviousAction;

void onInterrupt(int) { gInterrupted = true; }

enum class LineResult { Line, Interrupted, End };

// Reads one line from standard input; a signal interrupts the read.
LineResult readLine(std::string& line) {
    line.clear();
    for (;;) {
        char c;
        ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n == 1) {
            if (c == '\n') return LineResult::Line;
            line += c;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            if (gInterrupted.exchange(false)) return LineResult::Interrupted;
            continue;
        }
        return line.empty() ? LineResult::End : LineResult::Line;
    }
}

}  // namespace

bool takeInterrupt() { return gInterrupted.exchange(false); }

TerminalSource::TerminalSource() {
    struct sigaction sa = {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no restart: a read in progress returns
    sigaction(SIGINT, &sa, &gPreviousAction);
}

TerminalSource::~TerminalSource() { sigaction(SIGINT, &gPreviousAction, nullptr); }

Input TerminalSource::read(const InputRequest& request) {
    if (mPos >= mLine.size()) {
        writeOutput(request.prompt);
        std::string line;
        switch (readLine(line)) {
        case LineResult::Interrupted:
            writeOutput(L"*Cancel*\n");
            return Input::cancel();
        case LineResult::End:
            writeOutput(L"\n");
            return Input::end();
        case LineResult::Line:
            break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find('\x1b') != std::string::npos) {
            writeOutput(L"*Cancel*\n");
            return Input::cancel();
        }
        mLine = cvxFromUtf8(line) + L"\n";
        mPos = 0;
    } else {
        // A later answer of a line typed ahead: show the prompt it answers.
        size_t probe = mPos;
        writeOutput(request.prompt + takeAnswer(mLine, probe, request.restOfLine) + L"\n");
    }
    return Input::ofText(takeAnswer(mLine, mPos, request.restOfLine));
}

bool TerminalSource::refuse(const std::wstring& message, const std::wstring&) {
    writeOutput(message + L"\n");
    mLine.clear();
    mPos = 0;
    return true;
}

}  // namespace cvx::editor
