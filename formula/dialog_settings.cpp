#include "formula/dialog_settings.h"

#include "frame/product.h"
#include "frame/registry_values.h"

namespace {
constexpr const ACHAR* kListIndex = L"formula_ListIndex";
constexpr const ACHAR* kCurveIsPline = L"formula_curveIsPline";
constexpr const ACHAR* kXYcoor = L"formula_XYcoor";
}  // namespace

FormulaDialogSettings readFormulaDialogSettings() {
    FormulaDialogSettings s;
    s.listIndex = static_cast<int>(readRegDword(HKEY_CURRENT_USER, kProductKey, kListIndex));
    s.curveIsPline = static_cast<int>(readRegDword(HKEY_CURRENT_USER, kProductKey, kCurveIsPline));
    s.drawAxes = readRegDword(HKEY_CURRENT_USER, kProductKey, kXYcoor) != 0;
    return s;
}

void writeFormulaDialogSettings(const FormulaDialogSettings& s) {
    writeRegDword(HKEY_CURRENT_USER, kProductKey, kXYcoor, s.drawAxes ? 1 : 0);
    writeRegDword(HKEY_CURRENT_USER, kProductKey, kCurveIsPline, static_cast<DWORD>(s.curveIsPline));
    writeRegDword(HKEY_CURRENT_USER, kProductKey, kListIndex, static_cast<DWORD>(s.listIndex));
}
