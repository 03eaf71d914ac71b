// The host's multibyte code page: the national Chinese encoding GB18030 (code page 936, GBK, is part of it).
// Plain text files written on a Chinese system are in it, and so is what a program writes through text-mode
// file output. Every Unicode character has a form in it.
#pragma once

#include <string>
#include <string_view>

std::string cvxToCodePage(std::wstring_view text);
// A byte that starts no character of the code page becomes U+FFFD.
std::wstring cvxFromCodePage(std::string_view bytes);
// Whether the bytes are well-formed UTF-8 (plain ASCII is).
bool cvxIsUtf8(std::string_view bytes);
