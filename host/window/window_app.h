// Running curvix in a window.
#pragma once

#include <string>

namespace cvx::editor {
class ScriptSource;
}

namespace cvx::window {

// Shows the window over the working database and reads commands until the window closes, QUIT, or (with
// a script) the script ends; `grab`, when given, is a picture of the whole window taken then. The status:
// 0, or 1 when the grab could not be written.
int runWindow(int& argc, char** argv, editor::ScriptSource* script, const std::string& grab);

// A picture of the top window (the open dialog while there is one); false when it cannot be written.
bool grabTopWindow(const std::wstring& path, std::wstring& error);

}  // namespace cvx::window
