// Menu groups loaded from menu files (docs/menus.md), and the menu bar their pull-down menus are placed on.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cvx::editor::menus {

struct MenuItem {
    std::wstring caption, command;  // a separator has neither
    bool separator = false;
};

struct PullDown {
    std::wstring tag;  // POP1, POP2, ... (upper case)
    std::wstring caption;
    std::vector<MenuItem> items;
};

struct MenuGroup {
    std::wstring name;
    std::wstring file;
    std::vector<PullDown> menus;
    const PullDown* find(const std::wstring& tag) const;
};

// Parses a menu file's text; null and "name:line: reason" when it is malformed.
std::optional<MenuGroup> parseMenuFile(const std::wstring& text, const std::wstring& fileName, std::wstring& error);

// Reads and loads a menu file; false with a message when it cannot be read, is malformed or its group is
// loaded already.
bool loadMenuFile(const std::wstring& path, std::wstring& error);
// Removes a group and its menus from the menu bar.
bool unloadMenuGroup(const std::wstring& name, std::wstring& error);
const MenuGroup* findGroup(const std::wstring& name);
const std::vector<MenuGroup>& loadedGroups();

struct BarEntry {
    std::wstring group, tag;
};
const std::vector<BarEntry>& menuBar();
// A menucmd string: "Pn=+GROUP.POPm" places the group's pull-down at position n of the bar (counted from 1;
// past the end it goes last; a menu already on the bar moves), "Pn=-" takes the menu at position n off.
bool menuCommand(const std::wstring& entry, std::wstring& error);
// No groups and an empty bar (tests).
void resetMenus();

}  // namespace cvx::editor::menus
