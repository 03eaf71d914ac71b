#include "reports/point_marks.h"

#include <string>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "frame/sysvars.h"

namespace {

constexpr double kSmallestHeight = 0.001;

void appendOrDrop(AcDbEntity* entity) {
    AcDbObjectId id;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    entity->setDatabaseDefaults(db);
    if (appendToCurrentSpace(db, entity, id) != Acad::eOk) delete entity;
}

}  // namespace

double defaultMarkHeight() {
    double viewSize = 100.0;
    if (getSysVarReal(L"VIEWSIZE", viewSize) != 0) viewSize = 100.0;
    return viewSize / 30.0;
}

double askMarkHeight() {
    const double fallback = defaultMarkHeight();
    ACHAR prompt[160];
    acutSPrintf(prompt, 160,
                chooseText(L"\n请输入标记文字高度(%.2f):", L"\nPlease enter the mark text height(%.2f):"), fallback);
    double answer = 0;
    if (acedGetReal(prompt, &answer) == RTNORM && answer > kSmallestHeight) return answer;
    return fallback;
}

void addPointMark(const AcGePoint3d& p, double height, int number, bool numbered) {
    appendOrDrop(new AcDbPoint(p));
    if (!numbered) return;
    auto* text = new AcDbText;
    text->setTextString(std::to_wstring(number + 1).c_str());
    text->setHeight(height / 2);
    text->setPosition(AcGePoint3d(p.x + height / 2, p.y + height / 2, p.z));
    appendOrDrop(text);
}

void addPointMarks(const std::vector<AcGePoint3d>& points, double height, bool numbered) {
    for (size_t i = 0; i < points.size(); ++i) addPointMark(points[i], height, static_cast<int>(i), numbered);
}

void finishPointMarks() { setSysVarShort(L"PDMODE", 35); }
