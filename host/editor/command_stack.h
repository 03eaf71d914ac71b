// The command stack's lookup as the command line uses it, and where loaded modules will plug in.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cvx/editor.h"

namespace cvx::editor {

// The command a typed name stands for: a leading "_" looks among global names, a leading "." (use the built-in
// command) is allowed and ignored; a plain name that is no local name may still be a global one. Null when
// there is none.
AcEdCommand* findCommand(const std::wstring& typedName);
// Every registered command as (group, local name), the groups in the order they were added.
std::vector<std::pair<std::wstring, std::wstring>> registeredCommands();

}  // namespace cvx::editor
