// SAVE, SAVEAS and QUIT.
#include "cvx/wide.h"
#include "editor/command_line.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

void saveTo(AcDbDatabase* db, const std::wstring& file) {
    acedVports2VportTableRecords();
    Acad::ErrorStatus es = db->dxfOut(file.c_str());
    if (es != Acad::eOk) {
        acutPrintf(L"Could not save %ls: %ls\n", file.c_str(), db->lastErrorText().c_str());
        return;
    }
    db->setFileName(file);
    acutPrintf(L"Saved %ls\n", file.c_str());
}

void saveAsCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    ACHAR file[4096];
    if (acedGetString(1, L"Enter file name: ", file, 4096) != RTNORM || !file[0]) return;
    saveTo(db, file);
}

void saveCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    if (db->fileName().empty()) return saveAsCommand();
    saveTo(db, db->fileName());
}

void quitCommand() { requestQuit(); }

}  // namespace

void registerFileCommands(Registrar& add) {
    add(L"SAVE", saveCommand);
    add(L"SAVEAS", saveAsCommand);
    add(L"QUIT", quitCommand);
}

}  // namespace cvx::editor::commands
