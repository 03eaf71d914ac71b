// The host's own commands (LINE, CIRCLE, LAYER, ZOOM, SAVE, ...), registered in the group "CVXHOST". Each is a
// plain function over the editor's prompts.
#pragma once

#include <functional>

#include "cvx/editor.h"

namespace cvx::editor::commands {

using Registrar = std::function<void(const wchar_t* name, AcRxFunctionPtr fn)>;

void registerLineCommands(Registrar& add);
void registerCurveCommands(Registrar& add);
void registerTextCommands(Registrar& add);
void registerBlockCommands(Registrar& add);
void registerSettingCommands(Registrar& add);
void registerModifyCommands(Registrar& add);
void registerFileCommands(Registrar& add);
void registerUcsCommands(Registrar& add);
void registerPeditCommands(Registrar& add);
void registerViewCommands(Registrar& add);
void registerModuleCommands(Registrar& add);
void registerMenuCommands(Registrar& add);
void registerOffsetCommands(Registrar& add);
void registerListCommands(Registrar& add);
void registerBoundaryCommands(Registrar& add);
void registerWmfoutCommand(Registrar& add);
void registerWmfinCommand(Registrar& add);
void registerUndoCommands(Registrar& add);
void registerCopyArrayCommands(Registrar& add);
void registerRotateAlignCommands(Registrar& add);
void registerStretchCommand(Registrar& add);
void registerTrimExtendCommands(Registrar& add);
void registerBreakLengthenCommands(Registrar& add);
void registerFilletChamferCommands(Registrar& add);
void registerExplodeJoinCommands(Registrar& add);
void registerHelpCommands(Registrar& add);

}  // namespace cvx::editor::commands

namespace cvx::editor {
// Adds every host command to the command stack (once).
void registerHostCommands();
}  // namespace cvx::editor
