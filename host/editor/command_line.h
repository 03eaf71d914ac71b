// The command line: "Command:" prompts answered by the current input source, and running commands by name.
#pragma once

#include <functional>
#include <string>

namespace cvx::editor {

// Runs a command as typed at the command prompt. False when no command has that name: the current source is
// told ("Unknown command ..."), which stops a script.
bool runCommand(const std::wstring& typedName);
// Reads and runs commands until the source's input ends, QUIT asks to stop, or the source fails. Queued
// expressions run before each "Command:" prompt; a line starting with "(" is an expression (lisp.h).
void runCommandLoop();
void requestQuit(bool quit = true);
bool quitRequested();

// Asked for a name no registered command answers to (demand loading of modules); true when a command of that
// name now exists.
using CommandLoader = std::function<bool(const std::wstring& name)>;
void setCommandLoader(CommandLoader loader);

// How many commands are running (a command run through acedCommand inside another counts twice).
int commandDepth();

}  // namespace cvx::editor
