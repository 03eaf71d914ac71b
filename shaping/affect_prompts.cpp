#include "shaping/affect_prompts.h"

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "outline/entity_lists.h"

bool pickAffectTool(const ACHAR* cn, const ACHAR* en, AcDbObjectId& id) {
    ads_name entity;
    AcGePoint3d at;
    if (entSelBilingual(cn, en, entity, at) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk) return true;
    printBilingual(L"\n没有选择任何对象", L"\nNothing selected");
    return false;
}

bool selectAffectedEntities(AcDbObjectIdArray& ids) {
    return selectEntities(L"\n请选择将被影响的物体。", L"\nPlease select the object that will be affected.", ids);
}

void printNotAnAffectCurve() {
    printBilingual(L"\n 您选择的影响曲线不是直线、多段线或样条曲线。",
                   L"\n Which you selected as an influence curve is not a line, polyline, or spline.");
}
