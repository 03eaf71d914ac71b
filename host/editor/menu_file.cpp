// The menu file format: UTF-8 text, one statement a line; '#' starts a comment line.
//   group = NAME          the group's name, first of all
//   [POP1] Caption        starts a pull-down menu (POP1, POP2, ... each once)
//   Caption = COMMAND     an item of the pull-down above
//   ---                   a separator
#include <cwctype>

#include "editor/menus.h"

namespace cvx::editor::menus {
namespace {

std::wstring trim(const std::wstring& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::iswspace(s[a])) ++a;
    while (b > a && std::iswspace(s[b - 1])) --b;
    return s.substr(a, b - a);
}

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

bool validTag(const std::wstring& tag) {
    return tag.size() > 3 && tag.compare(0, 3, L"POP") == 0 &&
           tag.find_first_not_of(L"0123456789", 3) == std::wstring::npos && tag[3] != L'0';
}

bool validName(const std::wstring& n) {
    if (n.empty() || n.size() > 32) return false;
    for (wchar_t c : n)
        if (!std::iswalnum(c) && c != L'_' && c != L'-') return false;
    return true;
}

}  // namespace

const PullDown* MenuGroup::find(const std::wstring& tag) const {
    for (const auto& m : menus)
        if (m.tag == upper(tag)) return &m;
    return nullptr;
}

std::optional<MenuGroup> parseMenuFile(const std::wstring& text, const std::wstring& fileName, std::wstring& error) {
    MenuGroup group;
    group.file = fileName;
    int lineNo = 0;
    size_t pos = 0;
    auto fail = [&](const std::wstring& why) {
        error = fileName + L":" + std::to_wstring(lineNo) + L": " + why;
        return std::nullopt;
    };
    if (!text.empty() && text[0] == 0xFEFF) pos = 1;
    while (pos <= text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        if (line.empty() || line[0] == L'#') continue;
        if (group.name.empty()) {
            size_t eq = line.find(L'=');
            if (eq == std::wstring::npos || upper(trim(line.substr(0, eq))) != L"GROUP")
                return fail(L"the file must start with \"group = NAME\"");
            std::wstring name = trim(line.substr(eq + 1));
            if (!validName(name)) return fail(L"\"" + name + L"\" is not a valid group name (letters, digits, _ and -)");
            group.name = upper(name);
            continue;
        }
        if (line[0] == L'[') {
            size_t close = line.find(L']');
            if (close == std::wstring::npos) return fail(L"a menu tag lacks its ']'");
            std::wstring tag = upper(trim(line.substr(1, close - 1)));
            if (!validTag(tag)) return fail(L"\"" + tag + L"\" is not a pull-down tag (POP1, POP2, ...)");
            if (group.find(tag)) return fail(L"the menu " + tag + L" is defined twice");
            std::wstring caption = trim(line.substr(close + 1));
            if (caption.empty()) return fail(L"the menu " + tag + L" has no caption");
            group.menus.push_back({tag, caption, {}});
            continue;
        }
        if (group.menus.empty()) return fail(L"an item comes before the first menu ([POP1] Caption)");
        if (line == L"---") {
            group.menus.back().items.push_back({L"", L"", true});
            continue;
        }
        size_t eq = line.rfind(L'=');
        if (eq == std::wstring::npos) return fail(L"expected \"Caption = COMMAND\", found \"" + line + L"\"");
        std::wstring caption = trim(line.substr(0, eq)), command = trim(line.substr(eq + 1));
        if (caption.empty() || command.empty()) return fail(L"an item needs a caption and a command");
        group.menus.back().items.push_back({caption, command, false});
    }
    if (group.name.empty()) {
        error = fileName + L": the file holds no menu group";
        return std::nullopt;
    }
    return group;
}

}  // namespace cvx::editor::menus
