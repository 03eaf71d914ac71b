#include "editor/commands/commands.h"

namespace cvx::editor {

void registerHostCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    commands::Registrar add = [](const wchar_t* name, AcRxFunctionPtr fn) {
        acedRegCmds->addCommand(L"CVXHOST", name, name, ACRX_CMD_MODAL, fn);
    };
    commands::registerLineCommands(add);
    commands::registerCurveCommands(add);
    commands::registerTextCommands(add);
    commands::registerBlockCommands(add);
    commands::registerSettingCommands(add);
    commands::registerModifyCommands(add);
    commands::registerFileCommands(add);
    commands::registerUcsCommands(add);
    commands::registerPeditCommands(add);
    commands::registerViewCommands(add);
    commands::registerModuleCommands(add);
    commands::registerMenuCommands(add);
    commands::registerOffsetCommands(add);
    commands::registerListCommands(add);
    commands::registerBoundaryCommands(add);
    commands::registerWmfoutCommand(add);
    commands::registerWmfinCommand(add);
    commands::registerUndoCommands(add);
    commands::registerCopyArrayCommands(add);
    commands::registerRotateAlignCommands(add);
    commands::registerStretchCommand(add);
    commands::registerTrimExtendCommands(add);
    commands::registerBreakLengthenCommands(add);
    commands::registerFilletChamferCommands(add);
    commands::registerExplodeJoinCommands(add);
    commands::registerHelpCommands(add);
}

}  // namespace cvx::editor
