// Everything a module sees of the host.
#pragma once

#include "cvx/array.h"
#include "cvx/color.h"
#include "cvx/dbents.h"
#include "cvx/dbid.h"
#include "cvx/dbmain.h"
#include "cvx/dbobject.h"
#include "cvx/ge.h"
#include "cvx/resbuf.h"
#include "cvx/rx.h"
#include "cvx/status.h"
