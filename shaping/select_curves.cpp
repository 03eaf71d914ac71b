#include "shaping/select_curves.h"

#include "cvx/dbents.h"
#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/type_selection.h"

bool selectCurves(AcDbObjectIdArray& ids, const ACHAR* cn, const ACHAR* en) {
    printBilingual(cn ? cn : L"请选择曲线 >\n", en ? en : L"Please select Curves >\n");
    ads_name set;
    int32_t length = 0;
    const bool held = selectByTypes({L"POLYLINE", L"LWPOLYLINE", L"LINE", L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC",
                                     L"SPLINE"},
                                    set) == RTNORM;
    if (held && acedSSLength(set, &length) != RTNORM) length = 0;
    const int before = ids.length();
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
        if (curve) ids.append(id);
    }
    if (held) acedSSFree(set);
    if (length <= 0) printBilingual(L"没有选择曲线。\n", L"No Curve selected.\n");
    return ids.length() > before;
}
