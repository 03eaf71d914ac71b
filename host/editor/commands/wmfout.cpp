// WMFOUT: writes the selected objects, as the current view shows them, to a metafile (editor/commands/metafile.h).
#include "cvx/files.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/commands/metafile.h"
#include "editor/state.h"

namespace cvx::editor::commands {

namespace {

void wmfoutCommand() {
    AcDbDatabase* db = acdbCurDwg();
    ACHAR typed[4096];
    if (!db || acedGetString(1, L"Enter metafile name: ", typed, 4096) != RTNORM || !typed[0]) return;
    std::wstring file = metafile::fileName(typed);
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) {
        acutPrintf(L"Nothing selected; no metafile written.\n");
        return;
    }
    const View& view = editorState().view;
    AcGePoint2d upperLeft(view.center.x - view.width() / 2, view.center.y + view.height / 2);
    metafile::Picture picture = metafile::pictureOf(*db, ids, upperLeft, view.width(), view.height);
    std::wstring error;
    if (!metafile::writePicture(picture, cvxNativePath(file.c_str()), error))
        acutPrintf(L"The metafile %ls %ls.\n", file.c_str(), error.c_str());
}

}  // namespace

void registerWmfoutCommand(Registrar& add) { add(L"WMFOUT", wmfoutCommand); }

}  // namespace cvx::editor::commands
