// MENULOAD, MENUUNLOAD and MENUS (the loaded groups and the menu bar).
#include "editor/commands/commands.h"
#include "editor/menus.h"
#include "editor/state.h"

namespace cvx::editor::commands {
namespace {

void menuLoadCommand() {
    ACHAR path[4096];
    if (acedGetString(1, L"Enter name of menu file to load: ", path, 4096) != RTNORM || !path[0]) return;
    std::wstring error;
    if (menus::loadMenuFile(path, error))
        acutPrintf(L"Menu group %ls loaded.\n", menus::loadedGroups().back().name.c_str());
    else
        acutPrintf(L"%ls\n", error.c_str());
}

void menuUnloadCommand() {
    ACHAR name[256];
    if (acedGetString(0, L"Enter the name of the menu group to unload: ", name, 256) != RTNORM || !name[0]) return;
    std::wstring error;
    if (menus::unloadMenuGroup(name, error)) acutPrintf(L"Menu group %ls unloaded.\n", name);
    else acutPrintf(L"%ls\n", error.c_str());
}

void menusCommand() {
    if (menus::loadedGroups().empty()) acutPrintf(L"No menu groups are loaded.\n");
    for (const auto& g : menus::loadedGroups()) {
        acutPrintf(L"Menu group %ls (%ls)\n", g.name.c_str(), g.file.c_str());
        for (const auto& m : g.menus) {
            acutPrintf(L"  %ls  %ls\n", m.tag.c_str(), m.caption.c_str());
            for (const auto& item : m.items) {
                if (item.separator) acutPrintf(L"      ---\n");
                else acutPrintf(L"      %ls = %ls\n", item.caption.c_str(), item.command.c_str());
            }
        }
    }
    bool shown = editorState().shorts[L"MENUBAR"] != 0;
    acutPrintf(L"Menu bar%ls:", shown ? L"" : L" (hidden, MENUBAR is 0)");
    int position = 1;
    for (const auto& e : menus::menuBar()) {
        const menus::PullDown* m = menus::findGroup(e.group)->find(e.tag);
        acutPrintf(L" P%d=%ls.%ls \"%ls\"", position++, e.group.c_str(), e.tag.c_str(), m->caption.c_str());
    }
    acutPrintf(menus::menuBar().empty() ? L" empty\n" : L"\n");
}

}  // namespace

void registerMenuCommands(Registrar& add) {
    add(L"MENULOAD", menuLoadCommand);
    add(L"MENUUNLOAD", menuUnloadCommand);
    add(L"MENUS", menusCommand);
}

}  // namespace cvx::editor::commands
