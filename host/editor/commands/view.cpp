// PNGOUT: the current view as a PNG picture of the screen's size, pixel for pixel what the screen shows.
#include "cvx/files.h"
#include "cvx/wide.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/view_render.h"

namespace cvx::editor::commands {
namespace {

void pngOutCommand() {
    AcDbDatabase* db = acdbCurDwg();
    ACHAR file[4096];
    if (!db || acedGetString(0, L"Enter file name: ", file, 4096) != RTNORM || !file[0]) return;
    // The picture always shows the whole view; a selection is accepted and ends the command.
    selectObjects();
    std::string error;
    if (!cvxRenderToPng(db, currentViewRenderOptions(), cvxNativePath(file), &error))
        acutPrintf(L"Could not write %ls: %ls\n", file, cvxFromUtf8(error).c_str());
}

}  // namespace

void registerViewCommands(Registrar& add) { add(L"PNGOUT", pngOutCommand); }

}  // namespace cvx::editor::commands
