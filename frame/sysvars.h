// Reading and setting the host's system variables (names as the host spells them, in any case).
#pragma once

#include "cvx/ge.h"
#include "cvx/status.h"

// Sets a short (integer) variable; returns the host's result code and reports nothing.
int setSysVarShort(const ACHAR* name, short value);
// As setSysVarShort, but a refusal is shown in a message box; 0 on success, 3 on refusal.
int setSysVarShortReported(const ACHAR* name, short value);
// The value of a short (integer) system variable, or -999 when it cannot be read as one.
short getSysVarShort(const ACHAR* name);
// 0 and the value of a real variable, or 3.
int getSysVarReal(const ACHAR* name, double& value);
// 0 and X, Y of a point variable, or 3.
int getSysVarPoint2d(const ACHAR* name, AcGePoint2d& point);
