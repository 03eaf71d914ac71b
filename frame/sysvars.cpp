#include "frame/sysvars.h"

#include <string>

#include "cvx/editor.h"
#include "frame/bilingual.h"

namespace {

// Reads a variable; a string value is released at once (no caller here wants one).
bool readVar(const ACHAR* name, resbuf& value) {
    value = resbuf{};
    if (!name || acedGetVar(name, &value) != RTNORM) return false;
    if (value.restype == RTSTR) {
        delete[] value.resval.rstring;
        value.resval.rstring = nullptr;
    }
    return true;
}

}  // namespace

int setSysVarShort(const ACHAR* name, short value) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    return acedSetVar(name, &rb);
}

int setSysVarShortReported(const ACHAR* name, short value) {
    if (setSysVarShort(name, value) == RTNORM) return 0;
    std::wstring variable = name ? name : L"";
    std::wstring cn = L"无法设置系统变量“" + variable + L"”。";
    std::wstring en = L"Could not set system variable \"" + variable + L"\".";
    messageBoxBilingual(cn.c_str(), en.c_str());
    return 3;
}

short getSysVarShort(const ACHAR* name) {
    resbuf value;
    if (!readVar(name, value) || value.restype != RTSHORT) return -999;
    return value.resval.rint;
}

int getSysVarReal(const ACHAR* name, double& result) {
    resbuf value;
    if (!readVar(name, value) || value.restype != RTREAL) return 3;
    result = value.resval.rreal;
    return 0;
}

int getSysVarPoint2d(const ACHAR* name, AcGePoint2d& point) {
    resbuf value;
    if (!readVar(name, value) || (value.restype != RTPOINT && value.restype != RT3DPOINT)) return 3;
    point = AcGePoint2d(value.resval.rpoint[0], value.resval.rpoint[1]);
    return 0;
}
