// TEXT and MTEXT.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/point_syntax.h"

namespace cvx::editor::commands {
namespace {

void textCommand() {
    AcDbDatabase* db = acdbCurDwg();
    AcGePoint3d p;
    if (!db || getPoint(nullptr, L"Specify start point of text: ", p) != RTNORM) return;
    ads_real height = db->textsize();
    acedInitGet(2 | 4, nullptr);
    std::wstring ask = L"Specify height <" + formatReal(height) + L">: ";
    int rc = acedGetDist(asDblArray(p), ask.c_str(), &height);
    if (rc != RTNORM && rc != RTNONE) return;
    ads_real rotation = 0;
    rc = acedGetAngle(asDblArray(p), L"Specify rotation angle of text <0>: ", &rotation);
    if (rc != RTNORM && rc != RTNONE) return;
    ACHAR text[1024];
    if (acedGetString(1, L"Enter text: ", text, 1024) != RTNORM || !text[0]) return;
    db->setTextsize(height);
    auto* t = new AcDbText(p, text, db->textstyle(), height, rotation);
    addEntity(t);
}

void mtextCommand() {
    AcDbDatabase* db = acdbCurDwg();
    AcGePoint3d a;
    if (!db || getPoint(nullptr, L"Specify first corner: ", a) != RTNORM) return;
    ads_point b;
    if (acedGetCorner(asDblArray(a), L"Specify opposite corner: ", b) != RTNORM) return;
    ACHAR text[4096];
    if (acedGetString(1, L"Enter text: ", text, 4096) != RTNORM || !text[0]) return;
    auto* m = new AcDbMText;
    m->setLocation({std::min(a.x, b[0]), std::max(a.y, b[1]), a.z});
    m->setWidth(std::fabs(b[0] - a.x));
    m->setTextHeight(db->textsize());
    m->setTextStyle(db->textstyle());
    m->setContents(text);
    addEntity(m);
}

}  // namespace

void registerTextCommands(Registrar& add) {
    add(L"TEXT", textCommand);
    add(L"MTEXT", mtextCommand);
}

}  // namespace cvx::editor::commands
