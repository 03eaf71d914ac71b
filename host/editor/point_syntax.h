// Typed numbers and points: "x,y", "x,y,z", "@dx,dy[,dz]" (from the last point), "d<a" and "@d<a" (polar,
// degrees counter-clockwise from east), "@" alone (the last point).
#pragma once

#include <optional>
#include <string>

#include "cvx/ge.h"

namespace cvx::editor {

std::optional<double> parseReal(const std::wstring& text);
std::optional<long long> parseInteger(const std::wstring& text);
std::optional<AcGePoint3d> parsePoint(const std::wstring& text, const AcGePoint3d& lastPoint);
// "x,y,z" with the shortest exact decimal forms.
std::wstring formatPoint(const AcGePoint3d& p);
std::wstring formatReal(double v);

}  // namespace cvx::editor
