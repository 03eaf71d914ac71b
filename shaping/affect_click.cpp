// plAffClick: a red copy of a closed curve is moved or resized by the user, round after round, and the
// entities near it grow (Ctrl held) or shrink each time it comes to rest.
#include <cmath>

#include "cvx/dbobject.h"
#include "cvx/keys.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "frame/extents.h"
#include "outline/command_echo.h"
#include "shaping/affect_commands.h"
#include "shaping/affect_geometry.h"
#include "shaping/affect_operations.h"
#include "shaping/affect_prompts.h"

namespace {

constexpr int kMostRounds = 51;

bool held(int key) { return GetAsyncKeyState(key) < 0; }

// The red copy of the tool in the current space; a null id when it cannot be made.
AcDbObjectId addRedCopy(const AcDbCurve* tool) {
    auto* copy = AcDbEntity::cast(tool->clone());
    if (!copy) return {};
    copy->setColorIndex(1, true);
    AcDbObjectId id;
    if (appendToWorkingSpace(copy, id) != Acad::eOk) {
        delete copy;
        return {};
    }
    return id;
}

// Resizes the copy about `base` by f with the host's SCALE; then, when f is 1, lets the user drag it with the
// host's MOVE, else waits for one pick.
void letUserPlaceCopy(AcDbObjectId copyId, const AcGePoint3d& base, double f) {
    ads_name copy;
    if (acdbGetAdsName(copy, copyId) != Acad::eOk) return;
    AcGePoint3d ucsBase = base;
    wcsToUcs(ucsBase);
    CommandEchoOff quiet;
    acedCommand(RTSTR, L"_Scale", RTENAME, copy, RTSTR, L"", RTPOINT, asDblArray(ucsBase), RTREAL, f, RTNONE);
    if (std::abs(f - 1) < 0.0001) {
        acedCommand(RTSTR, L"_MOVE", RTENAME, copy, RTSTR, L"", RTPOINT, asDblArray(ucsBase), RTSTR, L"\\", RTNONE);
    } else {
        ads_point picked;
        acedGetPoint(nullptr, L"", picked);
    }
}

void clickLoop(AcDbObjectId toolId, const AcDbObjectIdArray& affected) {
    double d = 0;
    AcGePoint3d base;
    AcDbObjectId copyId;
    {
        AcDbObjectPointer<AcDbEntity> picked(toolId, AcDb::kForRead);
        const AcDbCurve* tool = picked ? AcDbCurve::cast(picked.object()) : nullptr;
        if (!tool) {
            printNotAnAffectCurve();
            return;
        }
        AcDbExtents ext;
        const auto centre = extentsCentre(tool);
        if (tool->getGeomExtents(ext) != Acad::eOk || !centre) return;
        const AcGeVector3d size = ext.maxPoint() - ext.minPoint();
        d = 1.2 * 0.25 * (std::abs(size.x) + std::abs(size.y));
        base = *centre;
        copyId = addRedCopy(tool);
    }
    if (copyId.isNull()) return;
    printBilingual(
        L"\n按住Ctrl键放大实体，否则缩小实体；按住Shift键放大红线，按住Alt键缩小红线，松开按键可拖动红线；"
        L"按ESC键退出。",
        L"\nPress Ctrl to enlarge the entities, and press ESC to exit.");
    for (int round = 0; round < kMostRounds; ++round) {
        if (acedUsrBrk()) return;
        const double f = held(VK_MENU) ? 0.8 : held(VK_SHIFT) ? 1.2 : 1.0;
        letUserPlaceCopy(copyId, base, f);
        if (acedUsrBrk()) return;  // Escape held, or the placing was cancelled
        const bool enlarge = held(VK_CONTROL);
        AcDbObjectPointer<AcDbEntity> copy(copyId, AcDb::kForRead);
        const AcDbCurve* tool = copy ? AcDbCurve::cast(copy.object()) : nullptr;
        if (!tool) return;
        if (const auto centre = extentsCentre(tool)) base = *centre;
        scaleAffect(tool, copyId, affected, d, true, enlarge);
        if (acedUsrBrk()) return;
    }
}

}  // namespace

void plAffClickCommand() {
    AcDbObjectId toolId;
    if (!pickAffectTool(L"\n请选择一条封闭曲线作为影响工具: ", L"\nPlease select a closed curve as affective tool: ",
                        toolId))
        return;
    AcDbObjectIdArray affected;
    if (!selectAffectedEntities(affected)) return;
    clickLoop(toolId, affected);
}
