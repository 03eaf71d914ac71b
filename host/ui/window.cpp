#include "ui/window.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace cvx::ui {

bool sameText(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

bool parseNumber(const std::wstring& text, double& value) {
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    double v = std::wcstod(start, &end);
    if (end == start || errno == ERANGE || !std::isfinite(v)) return false;
    while (*end && std::iswspace(*end)) ++end;
    if (*end) return false;
    value = v;
    return true;
}

bool parseInteger(const std::wstring& text, int& value) {
    const wchar_t* start = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    long v = std::wcstol(start, &end, 10);
    if (end == start || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    while (*end && std::iswspace(*end)) ++end;
    if (*end) return false;
    value = static_cast<int>(v);
    return true;
}

std::wstring formatNumber(double value) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.15g", value);
    return buf;
}

const wchar_t* kindName(CvxControl kind) {
    switch (kind) {
    case CvxControl::PushButton:
    case CvxControl::DefPushButton: return L"button";
    case CvxControl::CheckBox: return L"check box";
    case CvxControl::RadioButton: return L"radio button";
    case CvxControl::Label: return L"label";
    case CvxControl::GroupBox: return L"group";
    case CvxControl::Picture: return L"picture";
    case CvxControl::Edit: return L"edit";
    case CvxControl::NumericEdit: return L"number edit";
    case CvxControl::Slider: return L"slider";
    case CvxControl::ListBox: return L"list";
    case CvxControl::ComboBox: return L"combo box";
    }
    return L"control";
}

}  // namespace cvx::ui
