// ERASE, MOVE, SCALE, MIRROR and ZOOM.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/state.h"

namespace cvx::editor::commands {
namespace {

void eraseCommand() {
    for (AcDbObjectId id : selectObjects()) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
        if (ent) ent->erase();
    }
}

void moveCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d from, to;
    acedInitGet(0, L"Displacement");
    int rc = getPoint(nullptr, L"Specify base point or [Displacement]: ", from);
    if (rc == RTKWORD) {
        from = AcGePoint3d::kOrigin;
        if (getPoint(nullptr, L"Specify displacement: ", to) != RTNORM) return;
    } else if (rc != RTNORM || getPoint(&from, L"Specify second point: ", to) != RTNORM) {
        return;
    }
    transformEntities(ids, AcGeMatrix3d::translation(to - from));
}

void scaleCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d base;
    if (getPoint(nullptr, L"Specify base point: ", base) != RTNORM) return;
    ads_real factor;
    acedInitGet(1 | 2 | 4, nullptr);
    if (acedGetDist(asDblArray(base), L"Specify scale factor: ", &factor) != RTNORM) return;
    transformEntities(ids, AcGeMatrix3d::scaling(factor, base));
}

void mirrorCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d a, b;
    if (getPoint(nullptr, L"Specify first point of mirror line: ", a) != RTNORM) return;
    if (getPoint(&a, L"Specify second point of mirror line: ", b) != RTNORM) return;
    if (a.isEqualTo(b)) {
        acutPrintf(L"The mirror line needs two different points.\n");
        return;
    }
    acedInitGet(0, L"Yes No");
    ACHAR kw[8] = L"No";
    int rc = acedGetKword(L"Erase source objects? [Yes/No] <N>: ", kw, 8);
    if (rc != RTNORM && rc != RTNONE) return;
    bool eraseSource = rc == RTNORM && kw[0] == L'Y';
    AcGeVector3d along = b - a;
    AcGePlane plane(a, along.crossProduct(AcGeVector3d::kZAxis).normal());
    AcGeMatrix3d m = AcGeMatrix3d::mirroring(plane);
    if (eraseSource) {
        transformEntities(ids, m);
        return;
    }
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        AcDbEntity* copy = nullptr;
        if (ent && ent->getTransformedCopy(m, copy) == Acad::eOk && copy) addEntity(copy);
    }
}

void zoomCommand() {
    acedInitGet(0, L"All Center Extents Window");
    AcGePoint3d a;
    int rc = getPoint(nullptr, L"Specify corner of window or [All/Center/Extents/Window] <real time>: ", a);
    std::wstring k;
    if (rc == RTKWORD) {
        ACHAR kw[32];
        acedGetInput(kw, 32);
        k = kw;
    } else if (rc != RTNORM) {
        return;
    }
    if (k == L"All" || k == L"Extents") {
        AcDbDatabase* db = acdbCurDwg();
        if (!db) return;
        db->updateExt(true);
        if (db->extmin().x > db->extmax().x) return;
        // A little room around the drawing, so that nothing sits on the edge of the view.
        AcGeVector3d margin = (db->extmax() - db->extmin()) * 0.02;
        zoomToBox(db->extmin() - margin, db->extmax() + margin);
        return;
    }
    if (k == L"Center") {
        AcGePoint3d c;
        if (getPoint(nullptr, L"Specify center point: ", c) != RTNORM) return;
        ads_real h = editorState().view.height;
        acedInitGet(2 | 4, nullptr);
        rc = acedGetDist(asDblArray(c), L"Enter magnification or height: ", &h);
        if (rc != RTNORM && rc != RTNONE) return;
        zoomCenter(c.convert2d(), h);
        return;
    }
    if (k == L"Window" && getPoint(nullptr, L"Specify first corner: ", a) != RTNORM) return;
    ads_point b;
    if (acedGetCorner(asDblArray(a), L"Specify opposite corner: ", b) != RTNORM) return;
    zoomToBox(a, asPnt3d(b));
}

}  // namespace

void registerModifyCommands(Registrar& add) {
    add(L"ERASE", eraseCommand);
    add(L"MOVE", moveCommand);
    add(L"SCALE", scaleCommand);
    add(L"MIRROR", mirrorCommand);
    add(L"ZOOM", zoomCommand);
}

}  // namespace cvx::editor::commands
