#include "editor/commands/command_util.h"

#include <cmath>

#include "editor/state.h"

namespace cvx::editor::commands {

AcDbObjectId addEntity(AcDbEntity* ent) {
    AcDbDatabase* db = acdbCurDwg();
    AcDbObjectId id;
    AcDbBlockTableRecord* space = nullptr;
    if (!db || acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete ent;
        return id;
    }
    ent->setDatabaseDefaults(db);
    Acad::ErrorStatus es = space->appendAcDbEntity(id, ent);
    space->close();
    if (es != Acad::eOk) {
        acutPrintf(L"Could not add the %ls: %hs.\n", ent->dxfTypeName(), acadErrorStatusText(es));
        delete ent;
        return AcDbObjectId();
    }
    ent->close();
    return id;
}

int getPoint(const AcGePoint3d* base, const wchar_t* prompt, AcGePoint3d& p) {
    // Prompts speak the user system; the commands work in the world.
    const AcGeMatrix3d toWorld = editorState().ucs.toWorld();
    AcGePoint3d userBase = base ? toWorld.inverse() * *base : AcGePoint3d();
    ads_point out;
    int rc = acedGetPoint(base ? asDblArray(userBase) : nullptr, prompt, out);
    if (rc == RTNORM) p = toWorld * asPnt3d(out);
    return rc;
}

std::vector<AcDbObjectId> selectObjects() {
    std::vector<AcDbObjectId> ids;
    ads_name set;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set) != RTNORM) return ids;
    int32_t n = 0;
    acedSSLength(set, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name e;
        AcDbObjectId id;
        if (acedSSName(set, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk) ids.push_back(id);
    }
    acedSSFree(set);
    return ids;
}

bool circleThrough(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c, AcGePoint3d& center, double& r) {
    double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    double scale = std::max({a.distanceTo(b), b.distanceTo(c), a.distanceTo(c)});
    if (std::fabs(d) <= 1e-12 * scale * scale) return false;
    double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    center.set((a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
               (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d, a.z);
    r = std::hypot(a.x - center.x, a.y - center.y);
    return true;
}

double angleOf(const AcGePoint3d& from, const AcGePoint3d& to) {
    double a = std::atan2(to.y - from.y, to.x - from.x);
    return a < 0 ? a + 2 * M_PI : a;
}

AcDbObjectId appendToBlock(AcDbEntity* ent, AcDbObjectId blockId) {
    AcDbObjectId id;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForWrite) != Acad::eOk) {
        delete ent;
        return id;
    }
    Acad::ErrorStatus es = block->appendAcDbEntity(id, ent);
    block->close();
    if (es != Acad::eOk) {
        delete ent;
        return AcDbObjectId();
    }
    ent->close();
    return id;
}

AcDbObjectId copyEntity(AcDbObjectId id, const AcGeMatrix3d& m) {
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    AcDbEntity* copy = nullptr;
    if (!ent || ent->getTransformedCopy(m, copy) != Acad::eOk || !copy) return AcDbObjectId();
    AcDbObjectId block = ent->blockId();
    ent.close();
    return appendToBlock(copy, block);
}

AcGeMatrix3d userToWorld() { return editorState().ucs.toWorld(); }

int pickEntity(const wchar_t* prompt, AcDbObjectId& id, AcGePoint3d& at) {
    for (;;) {
        ads_name picked;
        ads_point p;
        int rc = acedEntSel(prompt, picked, p);
        if (rc == RTERROR) continue;
        if (rc != RTNORM) return rc;
        if (acdbGetObjectId(id, picked) != Acad::eOk) continue;
        at = userToWorld() * asPnt3d(p);
        return RTNORM;
    }
}

int transformEntities(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& m) {
    int done = 0;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
        if (ent && ent->transformBy(m) == Acad::eOk) ++done;
    }
    return done;
}

bool askInsertion(AcGePoint3d& at, ads_real& sx, ads_real& sy, ads_real& rotation) {
    if (getPoint(nullptr, L"Specify insertion point: ", at) != RTNORM) return false;
    sx = 1;
    rotation = 0;
    acedInitGet(2, nullptr);
    int rc = acedGetReal(L"Enter X scale factor <1>: ", &sx);
    if (rc != RTNORM && rc != RTNONE) return false;
    sy = sx;
    acedInitGet(2, nullptr);
    rc = acedGetReal(L"Enter Y scale factor <use X scale factor>: ", &sy);
    if (rc != RTNORM && rc != RTNONE) return false;
    rc = acedGetAngle(asDblArray(at), L"Specify rotation angle <0>: ", &rotation);
    return rc == RTNORM || rc == RTNONE;
}

}  // namespace cvx::editor::commands
