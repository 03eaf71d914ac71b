#include "frame/sysvars.h"

#include "cvx/editor.h"

short getSysVarShort(const ACHAR* name) {
    resbuf value{};
    if (acedGetVar(name, &value) != RTNORM) return -999;
    if (value.restype == RTSTR) delete[] value.resval.rstring;
    if (value.restype != RTSHORT) return -999;
    return value.resval.rint;
}
