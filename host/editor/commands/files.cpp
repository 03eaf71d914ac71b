// SAVE, SAVEAS and QUIT.
#include <cwctype>

#include "cvx/wide.h"
#include "editor/command_line.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

// The versions drawing files are written in, by the names a user gives them.
struct Version {
    const wchar_t *year, *ac;
    AcDb::AcDbDwgVersion version;
};
constexpr Version kVersions[] = {{L"2000", L"AC1015", AcDb::kDHL_1015}, {L"2004", L"AC1018", AcDb::kDHL_1018},
                                 {L"2007", L"AC1021", AcDb::kDHL_1021}, {L"2010", L"AC1024", AcDb::kDHL_1024},
                                 {L"2013", L"AC1027", AcDb::kDHL_1027}, {L"2018", L"AC1032", AcDb::kDHL_1032}};

std::wstring upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

// The version a drawing is saved in: the one it was read in (or last saved in), 2000 for older ones.
AcDb::AcDbDwgVersion saveVersion(const AcDbDatabase* db) {
    for (const Version& v : kVersions)
        if (db->originalFileVersion() == v.version) return v.version;
    return AcDb::kDHL_1015;
}

const wchar_t* yearOf(AcDb::AcDbDwgVersion version) {
    for (const Version& v : kVersions)
        if (v.version == version) return v.year;
    return L"2000";
}

void saveTo(AcDbDatabase* db, const std::wstring& file, AcDb::AcDbDwgVersion version) {
    acedVports2VportTableRecords();
    Acad::ErrorStatus es = db->dxfOut(file.c_str(), 16, version);
    if (es != Acad::eOk) {
        acutPrintf(L"Could not save %ls: %ls\n", file.c_str(), db->lastErrorText().c_str());
        return;
    }
    db->setFileName(file);
    db->setOriginalFileVersion(version);
    acutPrintf(L"Saved %ls (%ls)\n", file.c_str(), yearOf(version));
}

void saveAsCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    AcDb::AcDbDwgVersion version = saveVersion(db);
    ACHAR file[4096];
    for (;;) {
        if (acedGetString(1, L"Enter file name or [Version]: ", file, 4096) != RTNORM || !file[0]) return;
        std::wstring answer = upper(file);
        if (answer != L"V" && answer != L"VERSION") break;
        std::wstring prompt = L"File version [2000/2004/2007/2010/2013/2018] <" + std::wstring(yearOf(version)) + L">: ";
        ACHAR given[64];
        if (acedGetString(0, prompt.c_str(), given, 64) != RTNORM) return;
        std::wstring name = upper(given);
        if (name.size() > 1 && name[0] == L'R' && std::iswdigit(name[1])) name.erase(0, 1);
        if (name.empty()) continue;
        const Version* found = nullptr;
        for (const Version& v : kVersions)
            if (name == v.year || name == v.ac) found = &v;
        if (!found) {
            acutPrintf(L"No such file version: %ls\n", given);
            continue;
        }
        version = found->version;
    }
    saveTo(db, file, version);
}

void saveCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    if (db->fileName().empty()) return saveAsCommand();
    saveTo(db, db->fileName(), saveVersion(db));
}

void quitCommand() { requestQuit(); }

}  // namespace

void registerFileCommands(Registrar& add) {
    add(L"SAVE", saveCommand);
    add(L"SAVEAS", saveAsCommand);
    add(L"QUIT", quitCommand);
}

}  // namespace cvx::editor::commands
