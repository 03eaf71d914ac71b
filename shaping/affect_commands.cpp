// PLAFFECT and plAffectMoveX: their dialogues; the work lies in affect_operations.
#include "shaping/affect_commands.h"

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/sysvars.h"
#include "shaping/affect_operations.h"
#include "shaping/affect_prompts.h"
#include "shaping/select_curves.h"

namespace {

// Strength, distance and the four Yes/No choices of PLAFFECT; false when the user cancels.
bool askInfluence(AffectSettings& settings, bool& rigid) {
    int typed = 3;
    acedInitGet(6, nullptr);
    const int rc =
        getIntBilingual(L"\n请输入影响力强度[1--10](3):", L"\nPlease input the influence strength[1--10](3):", typed);
    if (rc == RTCAN) return false;
    settings.strength = affectStrength(rc == RTNORM ? typed : 3);

    double viewSize = 10.0;
    if (getSysVarReal(L"VIEWSIZE", viewSize) != 0) viewSize = 10.0;
    double answer = 0;
    acedInitGet(6, nullptr);
    const int distanceRc = getDistBilingual(nullptr, L"\n影响距离:", L"\nInfluence distance:", answer);
    if (distanceRc == RTCAN) return false;
    settings.distance = affectDistance(distanceRc == RTNORM ? answer : viewSize / 2, viewSize);

    settings.move = askYesNo(L"\n 位置受影响？[Y/N]（Y）:", L"\n Position affect?[Y/N]（Y）:", true);
    settings.rotate = askYesNo(L"\n旋转？[Y/N]（N）:", L"\nRotate?[Y/N]（N）:", false);
    settings.scale = askYesNo(L"\n缩放？[Y/N]（Y）:", L"\nSclae?[Y/N]（Y）:", true);
    rigid = askYesNo(L"\n被影响的物体是否为刚体（刚体不会弯曲，只能旋转和移动）？[Y/N]（Y）:",
                     L"\nWhether the affected object is a rigid body (the rigid body will not curve, but can only "
                     L"rotate and move)?[Y/N]（Y）:",
                     true);
    return true;
}

// One influence curve acting on every affected entity; a bent curve's new id takes the old one's place, so the
// next influence curve acts on what is now in the drawing.
void affectAll(const AcDbCurve* influence, AcDbObjectId influenceId, AcDbObjectIdArray& affected,
               const AffectSettings& settings, bool rigid) {
    for (int i = 0; i < affected.length(); ++i) {
        if (affected[i] == influenceId) continue;
        AcDbObjectPointer<AcDbEntity> entity(affected[i], AcDb::kForWrite);
        if (!entity) continue;
        AcDbCurve* curve = rigid ? nullptr : AcDbCurve::cast(entity.object());
        if (!curve) {
            rigidAffect(influence, entity.object(), settings);
            continue;
        }
        const AcDbObjectId bent = bendCurve(influence, curve, settings.strength, settings.distance);
        if (!bent.isNull()) affected[i] = bent;
    }
}

}  // namespace

void plAffectCommand() {
    AcDbObjectIdArray influences, affected;
    if (!selectCurves(influences, L"\n请选择影响力曲线（一根或多根）>", L"\nPlease Select Curve(s) With Affection >"))
        return;
    if (!selectAffectedEntities(affected)) return;
    AffectSettings settings;
    bool rigid = true;
    if (!askInfluence(settings, rigid)) return;
    for (int k = 0; k < influences.length(); ++k) {
        AcDbObjectPointer<AcDbCurve> influence(influences[k], AcDb::kForRead);
        if (influence) affectAll(influence.object(), influences[k], affected, settings, rigid);
    }
}

void plAffectMoveXCommand() {
    AcDbObjectId curveId;
    if (!pickAffectTool(L"\n请选择一条曲线: ", L"\nPlease select a curve: ", curveId)) return;
    AcDbObjectIdArray affected;
    if (!selectAffectedEntities(affected)) return;
    const bool falloff = askYesNo(L"\n影响是否越来越小[N]:", L"\nIs the impact getting smaller and smaller[N]:", false);
    AcDbObjectPointer<AcDbEntity> picked(curveId, AcDb::kForRead);
    const AcDbCurve* curve = picked ? AcDbCurve::cast(picked.object()) : nullptr;
    if (!curve) {
        printNotAnAffectCurve();
        return;
    }
    shiftAlongCurve(curve, curveId, affected, falloff);
}
