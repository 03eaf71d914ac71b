#include "polyline/selection.h"

#include <cwchar>

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/type_selection.h"

TypedSelection::TypedSelection(std::initializer_list<const ACHAR*> types, BilingualText prompt,
                               BilingualText nothingSelected) {
    if (prompt.cn && prompt.en) printBilingual(prompt.cn, prompt.en);
    mHeld = selectByTypes(types, mSet) == RTNORM;
    if (mHeld && acedSSLength(mSet, &mLength) != RTNORM) mLength = 0;
    if (mLength <= 0) printBilingual(nothingSelected.cn, nothingSelected.en);
}

TypedSelection::~TypedSelection() {
    if (mHeld) acedSSFree(mSet);
}

std::vector<AcDbObjectId> TypedSelection::ids() const {
    std::vector<AcDbObjectId> out;
    for (int32_t i = 0; i < mLength; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(mSet, i, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk) out.push_back(id);
    }
    return out;
}

void printBilingualCount(const ACHAR* cnFormat, const ACHAR* enFormat, int count) {
    wchar_t cn[512], en[512];
    std::swprintf(cn, 512, cnFormat, count);
    std::swprintf(en, 512, enFormat, count);
    printBilingual(cn, en);
}

void reportProcessedCurves(int count) {
    printBilingualCount(L"\n成功处理 <%d > 条曲线。", L"\nProcessed <%d > curve(s) OK.", count);
}
