// Loaded menu groups and the menu bar.
#include "editor/menus.h"

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <sstream>

#include "cvx/files.h"
#include "cvx/menus.h"
#include "cvx/wide.h"

namespace cvx::editor::menus {
namespace {

struct State {
    std::vector<MenuGroup> groups;
    std::vector<BarEntry> bar;
};

State& state() {
    static State s;
    return s;
}

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

}  // namespace

const MenuGroup* findGroup(const std::wstring& name) {
    for (const auto& g : state().groups)
        if (g.name == upper(name)) return &g;
    return nullptr;
}

const std::vector<MenuGroup>& loadedGroups() { return state().groups; }
const std::vector<BarEntry>& menuBar() { return state().bar; }
void resetMenus() { state() = State(); }

bool loadMenuFile(const std::wstring& path, std::wstring& error) {
    std::ifstream in(cvxNativePath(path.c_str()), std::ios::binary);
    if (!in) {
        error = L"Cannot find the menu file \"" + path + L"\".";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::wstring why;
    auto group = parseMenuFile(cvxFromUtf8(text.str()), path, why);
    if (!group) {
        error = L"The menu file is not valid: " + why;
        return false;
    }
    if (findGroup(group->name)) {
        error = L"The menu group \"" + group->name + L"\" is already loaded.";
        return false;
    }
    state().groups.push_back(std::move(*group));
    return true;
}

bool unloadMenuGroup(const std::wstring& name, std::wstring& error) {
    auto& groups = state().groups;
    auto it = std::find_if(groups.begin(), groups.end(), [&](const MenuGroup& g) { return g.name == upper(name); });
    if (it == groups.end()) {
        error = L"The menu group \"" + name + L"\" is not loaded.";
        return false;
    }
    std::erase_if(state().bar, [&](const BarEntry& e) { return e.group == it->name; });
    groups.erase(it);
    return true;
}

bool menuCommand(const std::wstring& entryIn, std::wstring& error) {
    std::wstring entry = upper(entryIn);
    size_t eq = entry.find(L'=');
    auto bad = [&] {
        error = L"menucmd: \"" + entryIn + L"\" is not understood (\"Pn=+GROUP.POPm\" or \"Pn=-\")";
        return false;
    };
    if (entry.size() < 3 || entry[0] != L'P' || eq == std::wstring::npos || eq < 2) return bad();
    std::wstring digits = entry.substr(1, eq - 1);
    if (digits.find_first_not_of(L"0123456789") != std::wstring::npos || digits.size() > 4) return bad();
    size_t position = std::stoul(digits);
    if (position == 0) return bad();
    std::wstring what = entry.substr(eq + 1);
    auto& bar = state().bar;
    if (what == L"-") {
        if (position > bar.size()) {
            error = L"menucmd: the menu bar has no position " + digits;
            return false;
        }
        bar.erase(bar.begin() + static_cast<long>(position - 1));
        return true;
    }
    size_t dot = what.find(L'.');
    if (what.empty() || what[0] != L'+' || dot == std::wstring::npos) return bad();
    std::wstring groupName = what.substr(1, dot - 1), tag = what.substr(dot + 1);
    const MenuGroup* g = findGroup(groupName);
    if (!g) {
        error = L"menucmd: the menu group \"" + groupName + L"\" is not loaded";
        return false;
    }
    if (!g->find(tag)) {
        error = L"menucmd: the menu group " + g->name + L" has no menu " + tag;
        return false;
    }
    std::erase_if(bar, [&](const BarEntry& e) { return e.group == g->name && e.tag == tag; });
    size_t at = std::min(position - 1, bar.size());
    bar.insert(bar.begin() + static_cast<long>(at), {g->name, tag});
    return true;
}

}  // namespace cvx::editor::menus

bool acedIsMenuGroupLoaded(const ACHAR* groupName) {
    return groupName && cvx::editor::menus::findGroup(groupName) != nullptr;
}
