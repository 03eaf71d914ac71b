// Reading the host's system variables.
#pragma once

#include "cvx/status.h"

// The value of a short (integer) system variable, or -999 when it cannot be read as one.
short getSysVarShort(const ACHAR* name);
