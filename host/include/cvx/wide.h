// Conversion between the host's wide strings (wchar_t holds one Unicode code point here) and UTF-8,
// the encoding of file names and text files on this platform. Invalid input becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::string cvxToUtf8(std::wstring_view text);
std::wstring cvxFromUtf8(std::string_view text);
