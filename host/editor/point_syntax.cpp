#include "editor/point_syntax.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace cvx::editor {
namespace {

std::wstring trim(const std::wstring& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::iswspace(s[a])) ++a;
    while (b > a && std::iswspace(s[b - 1])) --b;
    return s.substr(a, b - a);
}

std::vector<std::wstring> split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
        if (at == std::wstring::npos) return parts;
        start = at + 1;
    }
}

}  // namespace

std::optional<double> parseReal(const std::wstring& text) {
    std::wstring t = trim(text);
    if (t.empty()) return std::nullopt;
    for (wchar_t c : t)
        if (!(std::iswdigit(c) || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E')) return std::nullopt;
    wchar_t* end = nullptr;
    double v = std::wcstod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> parseInteger(const std::wstring& text) {
    std::wstring t = trim(text);
    if (t.empty()) return std::nullopt;
    size_t i = (t[0] == L'-' || t[0] == L'+') ? 1 : 0;
    if (i == t.size()) return std::nullopt;
    for (size_t k = i; k < t.size(); ++k)
        if (!std::iswdigit(t[k])) return std::nullopt;
    if (t.size() - i > 18) return std::nullopt;
    return std::wcstoll(t.c_str(), nullptr, 10);
}

std::optional<AcGePoint3d> parsePoint(const std::wstring& text, const AcGePoint3d& lastPoint) {
    std::wstring t = trim(text);
    if (t.empty()) return std::nullopt;
    bool relative = t[0] == L'@';
    if (relative) {
        t = t.substr(1);
        if (t.empty()) return lastPoint;
    }
    AcGePoint3d base = relative ? lastPoint : AcGePoint3d(0, 0, 0);
    if (t.find(L'<') != std::wstring::npos) {
        auto parts = split(t, L'<');
        if (parts.size() != 2) return std::nullopt;
        auto d = parseReal(parts[0]), a = parseReal(parts[1]);
        if (!d || !a) return std::nullopt;
        double rad = *a * M_PI / 180.0;
        return AcGePoint3d(base.x + *d * std::cos(rad), base.y + *d * std::sin(rad), base.z);
    }
    auto parts = split(t, L',');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    double c[3] = {0, 0, 0};
    for (size_t i = 0; i < parts.size(); ++i) {
        auto v = parseReal(parts[i]);
        if (!v) return std::nullopt;
        c[i] = *v;
    }
    if (parts.size() == 2 && !relative) c[2] = 0;
    return AcGePoint3d(base.x + c[0], base.y + c[1], base.z + c[2]);
}

std::wstring formatReal(double v) {
    if (v == 0) v = 0;  // no "-0"
    for (int precision = 6; precision <= 17; ++precision) {
        wchar_t buf[64];
        std::swprintf(buf, 64, L"%.*g", precision, v);
        if (std::wcstod(buf, nullptr) == v) return buf;
    }
    return std::to_wstring(v);
}

std::wstring formatPoint(const AcGePoint3d& p) {
    return formatReal(p.x) + L"," + formatReal(p.y) + L"," + formatReal(p.z);
}

}  // namespace cvx::editor
