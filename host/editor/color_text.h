// Colours as the command line writes them: "BYLAYER", "BYBLOCK", an index 1..255 or a standard colour name,
// "RGB:r,g,b" (also "r,g,b" where a true colour is asked for).
#pragma once

#include <optional>
#include <string>

#include "cvx/color.h"

namespace cvx::editor {

std::optional<AcCmColor> parseColor(const std::wstring& text);
std::optional<AcCmColor> parseTrueColor(const std::wstring& text);  // "r,g,b"
std::wstring colorText(const AcCmColor& c);

}  // namespace cvx::editor
