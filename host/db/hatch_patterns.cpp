#include "db/hatch_patterns.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <map>
#include <string>

namespace {
// One family as a pattern file writes it: angle in degrees, base point, offset (along the line, then across
// it) and dashes (positive dash, negative gap, 0 dot).
struct Family {
    double angle, x, y, along, across;
    std::vector<double> dashes;
};

AcDbHatch::PatternLine toLine(const Family& f) {
    AcDbHatch::PatternLine l;
    l.angle = f.angle * M_PI / 180;
    l.base = {f.x, f.y};
    AcGeVector2d dir(std::cos(l.angle), std::sin(l.angle));
    l.offset = dir * f.along + dir.perpVector() * f.across;
    l.dashes = f.dashes;
    return l;
}

using Table = std::map<std::wstring, std::vector<AcDbHatch::PatternLine>>;

Table makeTable() {
    const std::map<std::wstring, std::vector<Family>> families = {
        {L"ANSI31", {{45, 0, 0, 0, 3.175, {}}}},
        {L"ANSI32", {{45, 0, 0, 0, 9.525, {}}, {45, 4.49013, 0, 0, 9.525, {}}}},
        {L"ANSI33", {{45, 0, 0, 0, 6.35, {}}, {45, 4.49013, 0, 0, 6.35, {3.175, -1.5875}}}},
        {L"ANSI34",
         {{45, 0, 0, 0, 19.05, {}}, {45, 4.49013, 0, 0, 19.05, {}}, {45, 8.98026, 0, 0, 19.05, {}},
          {45, 13.4704, 0, 0, 19.05, {}}}},
        {L"ANSI35", {{45, 0, 0, 0, 6.35, {}}, {45, 4.49013, 0, 0, 6.35, {7.9375, -1.5875, 0, -1.5875}}}},
        {L"ANSI36", {{45, 0, 0, 5.55625, 3.175, {7.9375, -1.5875, 0, -1.5875}}}},
        {L"ANSI37", {{45, 0, 0, 0, 3.175, {}}, {135, 0, 0, 0, 3.175, {}}}},
        {L"ANSI38", {{45, 0, 0, 0, 3.175, {}}, {135, 0, 0, 6.35, 3.175, {7.9375, -4.7625}}}},
        {L"LINE", {{0, 0, 0, 0, 3.175, {}}}},
        {L"NET", {{0, 0, 0, 0, 3.175, {}}, {90, 0, 0, 0, 3.175, {}}}},
        {L"DASH", {{0, 0, 0, 3.175, 3.175, {3.175, -3.175}}}},
        {L"DOTS", {{0, 0, 0, 0.79375, 1.5875, {0, -1.5875}}}},
    };
    Table t;
    for (const auto& [name, list] : families)
        for (const Family& f : list) t[name].push_back(toLine(f));
    return t;
}
}  // namespace

const std::vector<AcDbHatch::PatternLine>* predefinedPattern(std::wstring_view name) {
    static const Table table = makeTable();
    std::wstring upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), ::towupper);
    auto it = table.find(upper);
    return it == table.end() ? nullptr : &it->second;
}
