// The command line's output: what acutPrintf and the prompts print goes to standard output, to an optional log
// file and to a transcript that scripts can check.
#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

namespace cvx::editor {

void writeOutput(std::wstring_view text);
// Appends everything printed from now on to a file as well (an empty name stops it); false when it cannot open.
bool setOutputLog(const std::string& fileName);
// Everything printed since the last call; the transcript is emptied.
std::wstring takeTranscript();
// Keeps standard output quiet (tests); the transcript and the log still get the text.
void setOutputQuiet(bool quiet);
// Also hands everything printed to a listener (a window's command-line history); an empty one stops it.
void setOutputListener(std::function<void(std::wstring_view)> listener);

// A printf format with the host's conventions (%s and %c wide, %hs and %hc narrow) formatted into a string.
std::wstring formatV(const wchar_t* format, va_list args);
std::wstring format(const wchar_t* format, ...);

}  // namespace cvx::editor
