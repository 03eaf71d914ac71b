// Menu groups and the expressions that load them. Expressions are a small LISP: if, null, menugroup, command,
// menucmd, strings, integers, nil and T (see docs/menus.md).
#pragma once

#include "cvx/status.h"

// Queues an expression to run when the command line is idle: after the running command ends, or at once when
// no command runs. Returns RTNORM, or RTERROR for a null or empty expression.
int ads_queueexpr(const ACHAR* expression);
#define acedQueueExpr ads_queueexpr

// True when a menu group of that name (any case) is loaded.
bool acedIsMenuGroupLoaded(const ACHAR* groupName);
