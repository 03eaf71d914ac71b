#include "editor/expr_queue.h"

#include <deque>

#include "cvx/editor.h"
#include "cvx/menus.h"
#include "editor/command_line.h"
#include "editor/lisp.h"
#include "editor/output.h"

namespace cvx::editor {
namespace {

std::deque<std::wstring>& queue() {
    static std::deque<std::wstring> q;
    return q;
}

bool gRunning = false;

void run(const std::wstring& expression, bool printValue) {
    lisp::Result r = lisp::evaluate(expression);
    if (!r.error.empty()) writeOutput(L"; error: " + r.error + L"\n");
    else if (printValue) writeOutput(lisp::print(r.value) + L"\n");
}

}  // namespace

void runQueuedExpressions() {
    if (gRunning || commandDepth() > 0) return;
    gRunning = true;
    while (!queue().empty()) {
        std::wstring e = queue().front();
        queue().pop_front();
        run(e, false);
    }
    gRunning = false;
}

void evaluateAndPrint(const std::wstring& expression) { run(expression, true); }

}  // namespace cvx::editor

int ads_queueexpr(const ACHAR* expression) {
    if (!expression || !*expression) return RTERROR;
    cvx::editor::queue().push_back(expression);
    cvx::editor::runQueuedExpressions();
    return RTNORM;
}
