// What a front end with a screen (the window) puts in place of the command line's own answers: message boxes
// and file dialogs it shows itself, and a redraw of the view when a command asks for one. Unset, the command
// line answers as always.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace cvx::editor {

struct FrontEnd {
    // The button the person chose (IDOK, IDYES, ...), or -1 when this front end does not answer now.
    std::function<int(const std::wstring& caption, const std::wstring& text, unsigned type)> messageBox;
    // The chosen path ("" when cancelled), or nothing when this front end does not answer now.
    std::function<std::optional<std::wstring>(bool open, const std::wstring& title, const std::wstring& filter,
                                              const std::wstring& initialName)>
        fileDialog;
    std::function<void()> updateDisplay;
};

FrontEnd& frontEnd();

}  // namespace cvx::editor
