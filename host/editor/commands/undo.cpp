// U, UNDO and REDO over the drawing's undo log (db/undo.h), which every command fills without code of its own.
#include <cstdint>
#include <string>
#include <vector>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "db/undo.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

AcDbDatabase* drawing() { return acdbHostApplicationServices()->workingDatabase(); }

void tellUndone(const std::vector<std::wstring>& names, bool everything) {
    if (names.empty()) {
        acutPrintf(L"\nNothing to undo.\n");
        return;
    }
    if (names.size() == 1) acutPrintf(L"\nUndone: %ls\n", names[0].c_str());
    else acutPrintf(L"\nUndone %d steps, the last %ls.\n", static_cast<int>(names.size()), names.back().c_str());
    if (everything) acutPrintf(L"Everything has been undone.\n");
}

void uCommand() {
    if (AcDbDatabase* db = drawing()) tellUndone(cvxUndoLog(db).undo(1), false);
}

void undoCommand() {
    AcDbDatabase* db = drawing();
    if (!db) return;
    CvxUndoLog& log = cvxUndoLog(db);
    int count = 1;
    acedInitGet(2 | 4, L"Mark Back All");
    int rc = acedGetInt(L"Enter the number of operations to undo or [Mark/Back/All] <1>: ", &count);
    if (rc == RTKWORD) {
        ACHAR kw[32];
        acedGetInput(kw, 32);
        std::wstring k = kw;
        if (k == L"Mark") {
            log.mark();
            acutPrintf(L"\nMark set.\n");
        } else if (k == L"Back") {
            bool found = false;
            std::vector<std::wstring> names = log.undoToMark(found);
            tellUndone(names, !found);
            if (found) acutPrintf(L"Mark reached.\n");
        } else {
            tellUndone(log.undo(SIZE_MAX), true);
        }
        return;
    }
    if (rc == RTNONE) count = 1;
    else if (rc != RTNORM) return;
    tellUndone(log.undo(static_cast<size_t>(count)), log.steps() == 0);
}

void redoCommand() {
    AcDbDatabase* db = drawing();
    if (!db) return;
    std::vector<std::wstring> names = cvxUndoLog(db).redo();
    if (names.empty()) acutPrintf(L"\nNothing to redo.\n");
    else if (names.size() == 1) acutPrintf(L"\nRedone: %ls\n", names[0].c_str());
    else acutPrintf(L"\nRedone %d steps, the last %ls.\n", static_cast<int>(names.size()), names.back().c_str());
}

}  // namespace

void registerUndoCommands(Registrar& add) {
    add(L"U", uCommand);
    add(L"UNDO", undoCommand);
    add(L"REDO", redoCommand);
}

}  // namespace cvx::editor::commands
