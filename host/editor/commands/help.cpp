// HELP and ?: every command registered (the host's and each loaded module's, by group), or the prompts of one.
#include <algorithm>
#include <cwctype>
#include <map>

#include "editor/command_stack.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

// The prompts of the editing commands, in the order they are asked; options in brackets.
const std::map<std::wstring, std::vector<const wchar_t*>>& promptTable() {
    static const std::map<std::wstring, std::vector<const wchar_t*>> table = {
        {L"COPY", {L"Select objects:", L"Specify base point or [Displacement] <Displacement>:",
                   L"Specify second point or <use first point as displacement>:", L"Specify second point or <Exit>: (repeats)"}},
        {L"MOVE", {L"Select objects:", L"Specify base point or [Displacement]:", L"Specify second point:"}},
        {L"ROTATE", {L"Select objects:", L"Specify base point:", L"Specify rotation angle or [Copy/Reference] <0>:",
                     L"Reference: Specify the reference angle <0>:", L"Reference: Specify the new angle or [Points] <0>:"}},
        {L"SCALE", {L"Select objects:", L"Specify base point:", L"Specify scale factor:"}},
        {L"MIRROR", {L"Select objects:", L"Specify first point of mirror line:", L"Specify second point of mirror line:",
                     L"Erase source objects? [Yes/No] <N>:"}},
        {L"ERASE", {L"Select objects:"}},
        {L"STRETCH", {L"Specify first corner or [Crossing/CPolygon]:", L"Specify opposite corner:",
                      L"Specify base point or [Displacement] <Displacement>:",
                      L"Specify second point or <use first point as displacement>:"}},
        {L"ARRAY", {L"Select objects:", L"Enter the type of array [Rectangular/Polar] <R>:",
                    L"Rectangular: Enter the number of rows (---) <1>:", L"Rectangular: Enter the number of columns (|||) <1>:",
                    L"Rectangular: Enter the distance between rows (---):",
                    L"Rectangular: Specify the distance between columns (|||):",
                    L"Polar: Specify center point of array:", L"Polar: Enter the number of items in the array:",
                    L"Polar: Specify the angle to fill (+=ccw, -=cw) <360>:", L"Polar: Rotate arrayed objects? [Yes/No] <Y>:"}},
        {L"EXPLODE", {L"Select objects:"}},
        {L"JOIN", {L"Select source object or multiple objects to join at once:", L"Select objects to join:"}},
        {L"TRIM", {L"Select cutting edges ... Select objects or <select all>:", L"Select object to trim <Exit>: (repeats)"}},
        {L"EXTEND", {L"Select boundary edges ... Select objects or <select all>:",
                     L"Select object to extend <Exit>: (repeats)"}},
        {L"FILLET", {L"Select first object or [Polyline/Radius]:", L"Radius: Specify fillet radius <current>:",
                     L"Polyline: Select 2D polyline:", L"Select second object:"}},
        {L"CHAMFER", {L"Select first line or [Polyline/Distance]:", L"Distance: Specify first chamfer distance <current>:",
                      L"Distance: Specify second chamfer distance <first>:", L"Polyline: Select 2D polyline:",
                      L"Select second line:"}},
        {L"BREAK", {L"Select object:", L"Specify second break point or [First point]:",
                    L"First point: Specify first break point:", L"First point: Specify second break point:"}},
        {L"LENGTHEN", {L"Select an object to measure or [DElta/Percent/Total] <Total>:",
                       L"DElta: Enter delta length <current>:", L"Percent: Enter percentage length <current>:",
                       L"Total: Specify total length <current>:", L"Select an object to change <Exit>: (repeats)"}},
        {L"ALIGN", {L"Select objects:", L"Specify first source point:", L"Specify first destination point:",
                    L"Specify second source point or <continue>:", L"Specify second destination point:",
                    L"Specify third source point or <continue>:", L"Scale objects based on alignment points? [Yes/No] <N>:"}},
        {L"HELP", {L"Enter a command name or <list all commands>:"}},
    };
    return table;
}

void listAll() {
    auto all = registeredCommands();
    std::wstring group;
    std::vector<std::wstring> names;
    auto flush = [&] {
        if (group.empty()) return;
        std::sort(names.begin(), names.end());
        acutPrintf(L"%ls (%d):\n", group.c_str(), int(names.size()));
        std::wstring line;
        for (const auto& n : names) {
            if (line.size() + n.size() + 2 > 78) {
                acutPrintf(L"  %ls\n", line.c_str());
                line.clear();
            }
            line += (line.empty() ? L"" : L" ") + n;
        }
        if (!line.empty()) acutPrintf(L"  %ls\n", line.c_str());
        names.clear();
    };
    for (const auto& [g, name] : all) {
        if (upper(g) != upper(group)) {
            flush();
            group = g;
        }
        names.push_back(name);
    }
    flush();
    acutPrintf(L"HELP <name> shows a command's prompts.\n");
}

void describe(const std::wstring& typed) {
    AcEdCommand* cmd = findCommand(typed);
    if (!cmd) {
        acutPrintf(L"Unknown command \"%ls\". HELP with no name lists every command.\n", typed.c_str());
        return;
    }
    acutPrintf(L"%ls (group %ls)\n", cmd->localName(), cmd->groupName());
    auto it = promptTable().find(upper(cmd->globalName()));
    if (it == promptTable().end()) {
        acutPrintf(L"  Its prompts show as it runs; each takes the usual answers (points, numbers, keywords).\n");
        return;
    }
    for (const wchar_t* p : it->second) acutPrintf(L"  %ls\n", p);
}

void helpCommand() {
    ACHAR name[133] = L"";
    int rc = acedGetString(0, L"Enter a command name or <list all commands>: ", name);
    if (rc != RTNORM && rc != RTNONE) return;
    if (rc == RTNONE || !name[0]) listAll();
    else describe(name);
}

}  // namespace

void registerHelpCommands(Registrar& add) {
    add(L"HELP", helpCommand);
    add(L"?", helpCommand);
}

}  // namespace cvx::editor::commands
