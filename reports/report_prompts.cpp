#include "reports/report_prompts.h"

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/type_selection.h"

bool selectForReport(std::initializer_list<const ACHAR*> types, const ACHAR* cnPrompt, const ACHAR* enPrompt,
                     const ACHAR* cnNothing, const ACHAR* enNothing, std::vector<AcDbObjectId>& ids) {
    printBilingual(cnPrompt, enPrompt);
    ads_name set;
    int32_t length = 0;
    const bool held = selectByTypes(types, set) == RTNORM;
    if (held && acedSSLength(set, &length) != RTNORM) length = 0;
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk) ids.push_back(id);
    }
    if (held) acedSSFree(set);
    if (length > 0) return true;
    printBilingual(cnNothing, enNothing);
    return false;
}

bool selectVertexCurves(std::vector<AcDbObjectId>& ids) {
    return selectForReport({L"POLYLINE", L"LWPOLYLINE", L"SPLINE", L"LINE", L"ARC", L"ELLIPSE"},
                           L"请选择多段线>\n", L"Please select polyline >\n", L"没有选择多段线。\n",
                           L"No polyline selected.\n", ids);
}

bool askLowerLeft() { return askYesNo(L"左下角为起点?[Y/N](Y):", L"Lower Left default?[Y/N](Y):", true); }
