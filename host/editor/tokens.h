// Splitting typed or scripted text into answers: a blank or a line end ends an answer, so two in a row give an
// empty answer (Enter). Prompts for text with blanks take the rest of the line.
#pragma once

#include <string>

namespace cvx::editor {

// The answer starting at pos; pos moves past it and the one blank or line end that ended it.
std::wstring takeAnswer(const std::wstring& text, size_t& pos, bool restOfLine);

}  // namespace cvx::editor
