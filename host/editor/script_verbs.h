// Extension lines of scripts: lines starting with ";@" (a comment to other programs) answer what a plain
// script cannot: keys held down, message boxes, file dialogs, dialog events, checks of the printed text.
//   ;@key <name> down|up       ;@msgbox <yes|no|ok|cancel>     ;@file "<path>" (empty: cancel)
//   ;@dialog <event> <control-id> [value]       ;@echo <text>      ;@expect-message <text>      ;@cancel
//   ;@grab "<path>"   a picture of the top window (without a window: of the current view)
// Modules add verbs of their own with registerScriptVerb.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/input.h"

namespace cvx::editor {

struct ScriptVerbCall {
    std::wstring verb;
    std::vector<std::wstring> args;  // split at blanks; "double quotes" keep blanks, \" and \\ inside them
    std::wstring rest;               // the text after the verb, as written
    std::wstring where;              // "file:line"
};

struct ScriptVerbResult {
    std::wstring error;            // not empty: the script stops with this message
    std::optional<Input> answer;   // answers the prompt that was reading when the line was reached
};

using ScriptVerb = std::function<ScriptVerbResult(const ScriptVerbCall&)>;

void registerScriptVerb(const std::wstring& verb, ScriptVerb handler);
void unregisterScriptVerb(const std::wstring& verb);
// Runs one extension line (without its ";@").
ScriptVerbResult runScriptVerb(const std::wstring& line, const std::wstring& where);
// Splits the arguments of an extension line.
std::vector<std::wstring> splitVerbArguments(const std::wstring& text, std::wstring* error = nullptr);

// Answers that verbs like msgbox, file and dialog keep for the code that will ask for them. takeQueuedAnswer
// first runs the extension lines at the current script position, so the answer may follow the command line.
void queueAnswer(const std::wstring& verb, const ScriptVerbCall& call);
std::optional<ScriptVerbCall> takeQueuedAnswer(const std::wstring& verb);
void clearQueuedAnswers();

}  // namespace cvx::editor
