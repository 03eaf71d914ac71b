// Demand loading: the command line asks here for names no loaded command answers to.
#pragma once

#include <string>

namespace cvx::editor {

// The module path registered for a command name (global or local, any case, a leading "_" allowed) whose
// application loads on command invocation; empty when none.
std::wstring demandLoadModuleFor(const std::wstring& commandName);
// Makes the command line load such modules (setCommandLoader).
void installDemandLoader();

}  // namespace cvx::editor
