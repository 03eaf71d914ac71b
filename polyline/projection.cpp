// QXTY: every selected curve projected along the world Z axis onto the world XY plane, added as a new curve.
#include "cvx/dbents.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "polyline/commands.h"
#include "polyline/curve_kinds.h"

namespace {

// The flat copy of one curve added to the working space; false when the entity is no curve or the host
// cannot project it.
bool addFlatCopy(AcDbObjectId id) {
    AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
    if (!curve) return false;
    AcDbCurve* flat = nullptr;
    if (curve->getProjectedCurve(AcGePlane::kXYPlane, AcGeVector3d::kZAxis, flat) != Acad::eOk || !flat) return false;
    curve.close();
    AcDbObjectId newId;
    if (appendToWorkingSpace(flat, newId) == Acad::eOk) return true;
    delete flat;
    return false;
}

}  // namespace

void qxtyCommand() {
    printBilingual(L"\n将各种曲线垂直投影到世界坐标系的XY平面...",
                   L"\nVertically project all kinds of curves to the XY plane of the world coordinate system...");
    TypedSelection selection = selectCurvesOfAnyKind({L"请选择曲线 >", L"Please select curves >"},
                                                     {L"没有选择曲线。\n", L"No curves selected.\n"});
    if (!selection.ok()) return;
    int added = 0;
    for (AcDbObjectId id : selection.ids())
        if (addFlatCopy(id)) ++added;
    if (added > 0) printBilingualCount(L"\n< %d > 条新曲线已添加。", L"\n< %d > new curves added.", added);
}
