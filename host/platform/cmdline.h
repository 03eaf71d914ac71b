// Splitting one command-line string into arguments.
#pragma once

#include <string>
#include <vector>

namespace cvx {

// Windows rules: blanks separate arguments; double quotes group; 2n backslashes before a quote give n
// backslashes and the quote groups, 2n + 1 give n backslashes and a literal quote; other backslashes
// are literal.
std::vector<std::wstring> splitCommandLine(const std::wstring& line);

}  // namespace cvx
