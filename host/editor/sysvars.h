// System variables: the editor's own and the drawing's header variables, by name without regard to case.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cvx/ge.h"

namespace cvx::editor {

struct SysVarValue {
    short type = 0;  // RTSHORT, RTREAL, RTPOINT, RT3DPOINT or RTSTR
    int shortValue = 0;
    double real = 0;
    AcGePoint3d point;
    std::wstring text;
};

std::optional<SysVarValue> getSysVar(const std::wstring& name);
// False for an unknown or read-only name, or a value the variable refuses.
bool setSysVar(const std::wstring& name, const SysVarValue& value);
std::vector<std::wstring> sysVarNames();
// The value as the SETVAR command shows it.
std::wstring sysVarText(const SysVarValue& v);

}  // namespace cvx::editor
