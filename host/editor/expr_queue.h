// Expressions waiting for the command line to be idle (ads_queueexpr).
#pragma once

#include <string>

namespace cvx::editor {

// Runs the queued expressions in order (those they queue too); errors are printed. Nothing happens while a
// command runs.
void runQueuedExpressions();
// Evaluates one expression as typed at the command line and prints its value or its error.
void evaluateAndPrint(const std::wstring& expression);

}  // namespace cvx::editor
