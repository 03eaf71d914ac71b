#include "editor/color_text.h"

#include <cwctype>
#include <map>

#include "editor/point_syntax.h"

namespace cvx::editor {
namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

}  // namespace

std::optional<AcCmColor> parseTrueColor(const std::wstring& text) {
    int rgb[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t comma = text.find(L',', start);
        if ((i < 2) != (comma != std::wstring::npos)) return std::nullopt;
        auto v = parseInteger(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (!v || *v < 0 || *v > 255) return std::nullopt;
        rgb[i] = static_cast<int>(*v);
        start = comma + 1;
    }
    AcCmColor c;
    c.setRGB(uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2]));
    return c;
}

std::optional<AcCmColor> parseColor(const std::wstring& text) {
    static const std::map<std::wstring, int> names = {{L"RED", 1},  {L"YELLOW", 2},  {L"GREEN", 3}, {L"CYAN", 4},
                                                      {L"BLUE", 5}, {L"MAGENTA", 6}, {L"WHITE", 7}};
    std::wstring u = upper(text);
    AcCmColor c;
    if (u == L"BYLAYER") { c.setByLayer(); return c; }
    if (u == L"BYBLOCK") { c.setByBlock(); return c; }
    if (u.rfind(L"RGB:", 0) == 0) return parseTrueColor(u.substr(4));
    auto it = names.find(u);
    auto index = it != names.end() ? std::optional<long long>(it->second) : parseInteger(u);
    if (!index || *index < 1 || *index > 255) return std::nullopt;
    c.setColorIndex(static_cast<int16_t>(*index));
    return c;
}

std::wstring colorText(const AcCmColor& c) {
    if (c.isByLayer()) return L"BYLAYER";
    if (c.isByBlock()) return L"BYBLOCK";
    if (c.isByColor())
        return L"RGB:" + std::to_wstring(c.red()) + L"," + std::to_wstring(c.green()) + L"," + std::to_wstring(c.blue());
    return std::to_wstring(c.colorIndex());
}

}  // namespace cvx::editor
