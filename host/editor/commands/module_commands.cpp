// ARX (Load, Unload, ? to list) and APPLOAD: loading and unloading modules by hand.
#include "editor/commands/commands.h"
#include "editor/modules.h"

namespace cvx::editor::commands {
namespace {

void loadByPath(const wchar_t* prompt) {
    ACHAR path[4096];
    if (acedGetString(1, prompt, path, 4096) != RTNORM || !path[0]) return;
    std::wstring error;
    if (loadModule(path, error)) acutPrintf(L"%ls loaded.\n", loadedModules().back().path.c_str());
    else acutPrintf(L"%ls\n", error.c_str());
}

void listModules() {
    if (loadedModules().empty()) acutPrintf(L"No modules are loaded.\n");
    for (const auto& m : loadedModules()) acutPrintf(L"  %ls%ls\n", m.path.c_str(), m.locked ? L"  (locked)" : L"");
}

void arxCommand() {
    acedInitGet(0, L"? Load Unload");
    ACHAR kw[32];
    if (acedGetKword(L"Enter an option [?/Load/Unload]: ", kw, 32) != RTNORM) return;
    std::wstring k = kw;
    if (k == L"?") return listModules();
    if (k == L"Load") return loadByPath(L"Module file to load: ");
    ACHAR name[4096];
    if (acedGetString(1, L"Module to unload: ", name, 4096) != RTNORM || !name[0]) return;
    std::wstring error;
    if (unloadModule(name, error)) acutPrintf(L"%ls unloaded.\n", name);
    else acutPrintf(L"%ls\n", error.c_str());
}

void appLoadCommand() { loadByPath(L"Module file to load: "); }

}  // namespace

void registerModuleCommands(Registrar& add) {
    add(L"ARX", arxCommand);
    add(L"APPLOAD", appLoadCommand);
}

}  // namespace cvx::editor::commands
