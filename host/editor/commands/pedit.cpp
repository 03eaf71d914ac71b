// PEDIT: close, open and set the width of polylines (lightweight, 2D and 3D), one picked or several selected
// ("Multiple"). Options run on every polyline at once until Enter ends the command.
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/input.h"

namespace cvx::editor::commands {
namespace {

bool isPolyline(AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    return e && (AcDbPolyline::cast(e.object()) || AcDb2dPolyline::cast(e.object()) || AcDb3dPolyline::cast(e.object()));
}

void setClosed(AcDbObjectId id, bool closed) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
    if (!e) return;
    if (auto* lw = AcDbPolyline::cast(e.object())) lw->setClosed(closed);
    else if (auto* heavy = AcDbHeavyPolyline::cast(e.object())) closed ? heavy->makeClosed() : heavy->makeOpen();
}

// 3D polylines have no width: they are left as they are.
void setWidth(AcDbObjectId id, double width) {
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
    if (!e) return;
    if (auto* lw = AcDbPolyline::cast(e.object())) {
        lw->setConstantWidth(width);
    } else if (auto* pl = AcDb2dPolyline::cast(e.object())) {
        pl->setDefaultStartWidth(width);
        pl->setDefaultEndWidth(width);
        for (const AcDbVertex* v : pl->vertices()) {
            AcDbObjectPointer<AcDb2dVertex> vertex(v->objectId(), AcDb::kForWrite);
            if (!vertex) continue;
            vertex->setStartWidth(width);
            vertex->setEndWidth(width);
        }
    }
}

// The polylines to edit: one pick, or a selection after "Multiple".
std::vector<AcDbObjectId> choosePolylines() {
    acedInitGet(0, L"Multiple");
    ads_name picked;
    ads_point at;
    int rc = acedEntSel(L"Select polyline or [Multiple]: ", picked, at);
    std::vector<AcDbObjectId> ids;
    if (rc == RTKWORD) {
        for (AcDbObjectId id : selectObjects())
            if (isPolyline(id)) ids.push_back(id);
    } else if (rc == RTNORM) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, picked) == Acad::eOk && isPolyline(id)) ids.push_back(id);
        else acutPrintf(L"Object selected is not a polyline.\n");
    }
    return ids;
}

void peditCommand() {
    std::vector<AcDbObjectId> ids = choosePolylines();
    if (ids.empty()) return;
    acutPrintf(L"%d polyline(s) selected.\n", static_cast<int>(ids.size()));
    for (;;) {
        acedInitGet(0, L"Close Open Width");
        ACHAR kw[32];
        int rc = acedGetKword(L"Enter an option [Close/Open/Width]: ", kw, 32);
        if (rc != RTNORM) return;  // Enter or a cancel ends the command
        std::wstring k = kw;
        if (k == L"Width") {
            ads_real w = 0;
            acedInitGet(4, nullptr);
            if (acedGetDist(nullptr, L"Specify new width for all segments: ", &w) != RTNORM) continue;
            for (AcDbObjectId id : ids) setWidth(id, w);
        } else {
            for (AcDbObjectId id : ids) setClosed(id, k == L"Close");
        }
    }
}

}  // namespace

void registerPeditCommands(Registrar& add) { add(L"PEDIT", peditCommand); }

}  // namespace cvx::editor::commands
