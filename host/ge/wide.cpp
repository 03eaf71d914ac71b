#include "cvx/wide.h"

#include "ge/utf8.h"

std::string cvxToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) cvxUtf8Append(out, static_cast<char32_t>(c));
    return out;
}

std::wstring cvxFromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) out += static_cast<wchar_t>(cvxUtf8Next(text, i));
    return out;
}
