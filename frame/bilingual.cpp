#include "frame/bilingual.h"

#include "cvx/msgbox.h"
#include "frame/language.h"
#include "frame/product.h"

const ACHAR* chooseText(const ACHAR* cn, const ACHAR* en) {
    const ACHAR* text = chineseLanguage() ? cn : en;
    return text ? text : L"";
}

void printBilingual(const ACHAR* cn, const ACHAR* en) { acutPrintf(L"%s", chooseText(cn, en)); }

void messageBoxBilingual(const ACHAR* cn, const ACHAR* en) {
    if (!chineseLanguage()) {
        AfxMessageBox(chooseText(cn, en), MB_OK);
        return;
    }
    ACHAR caption[64];
    acutSPrintf(caption, 64, L"Curvix[V%s]", kVersionLabel);
    MessageBoxW(nullptr, chooseText(cn, en), caption, MB_OK);
}

int getDistBilingual(const ads_point basePoint, const ACHAR* cn, const ACHAR* en, double& distance) {
    return acedGetDist(basePoint, chooseText(cn, en), &distance);
}

int getPointBilingual(const ads_point basePoint, const ACHAR* cn, const ACHAR* en, AcGePoint3d& point) {
    ads_point p = {0, 0, 0};
    int rc = acedGetPoint(basePoint, chooseText(cn, en), p);
    if (rc == RTNORM) point = asPnt3d(p);
    return rc;
}

int getIntBilingual(const ACHAR* cn, const ACHAR* en, int& value) {
    return acedGetInt(chooseText(cn, en), &value);
}

int entSelBilingual(const ACHAR* cn, const ACHAR* en, ads_name entity, AcGePoint3d& pickedPoint) {
    ads_point p = {0, 0, 0};
    int rc = acedEntSel(chooseText(cn, en), entity, p);
    if (rc == RTNORM) pickedPoint = asPnt3d(p);
    return rc;
}

bool askYesNo(const ACHAR* cn, const ACHAR* en, bool defaultAnswer) {
    acedInitGet(0, L"Yes No");
    ACHAR answer[133] = {};
    if (acedGetKword(chooseText(cn, en), answer, 133) != RTNORM) return defaultAnswer;
    return answer[0] == L'Y' || answer[0] == L'y';
}
