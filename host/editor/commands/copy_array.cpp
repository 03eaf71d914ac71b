// COPY (as many copies as the user places) and ARRAY (rows and columns along the user system's axes, or
// items round a centre).
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

int copyAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& m) {
    int made = 0;
    for (AcDbObjectId id : ids)
        if (!copyEntity(id, m).isNull()) ++made;
    return made;
}

void copyCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d base, to;
    acedInitGet(0, L"Displacement");
    int rc = getPoint(nullptr, L"Specify base point or [Displacement] <Displacement>: ", base);
    if (rc == RTKWORD || rc == RTNONE) {
        if (getPoint(nullptr, L"Specify displacement: ", to) != RTNORM) return;
        copyAll(ids, AcGeMatrix3d::translation(to - userToWorld() * AcGePoint3d::kOrigin));
        return;
    }
    if (rc != RTNORM) return;
    // The first second point may be Enter: the base point is then the displacement.
    rc = getPoint(&base, L"Specify second point or <use first point as displacement>: ", to);
    if (rc == RTNONE) {
        copyAll(ids, AcGeMatrix3d::translation(base - userToWorld() * AcGePoint3d::kOrigin));
        return;
    }
    while (rc == RTNORM) {
        copyAll(ids, AcGeMatrix3d::translation(to - base));
        rc = getPoint(&base, L"Specify second point or <Exit>: ", to);
    }
}

void rectangularArray(const std::vector<AcDbObjectId>& ids) {
    int rows = 1, cols = 1;
    acedInitGet(2 | 4, nullptr);
    int rc = acedGetInt(L"Enter the number of rows (---) <1>: ", &rows);
    if (rc != RTNORM && rc != RTNONE) return;
    acedInitGet(2 | 4, nullptr);
    rc = acedGetInt(L"Enter the number of columns (|||) <1>: ", &cols);
    if (rc != RTNORM && rc != RTNONE) return;
    if (rows * cols <= 1) {
        acutPrintf(L"One row and one column: nothing to copy.\n");
        return;
    }
    ads_real dy = 0, dx = 0;
    if (rows > 1) {
        acedInitGet(1 | 2, nullptr);
        if (acedGetDist(nullptr, L"Enter the distance between rows (---): ", &dy) != RTNORM) return;
    }
    if (cols > 1) {
        acedInitGet(1 | 2, nullptr);
        if (acedGetDist(nullptr, L"Specify the distance between columns (|||): ", &dx) != RTNORM) return;
    }
    AcGeMatrix3d toWorld = userToWorld();
    AcGeVector3d ux = toWorld * AcGeVector3d::kXAxis, uy = toWorld * AcGeVector3d::kYAxis;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (r || c) copyAll(ids, AcGeMatrix3d::translation(ux * (c * dx) + uy * (r * dy)));
}

void polarArray(const std::vector<AcDbObjectId>& ids) {
    AcGePoint3d center;
    if (getPoint(nullptr, L"Specify center point of array: ", center) != RTNORM) return;
    int items = 0;
    acedInitGet(1 | 2 | 4, nullptr);
    if (acedGetInt(L"Enter the number of items in the array: ", &items) != RTNORM) return;
    ads_real fill = 360;
    acedInitGet(2, nullptr);
    int rc = acedGetReal(L"Specify the angle to fill (+=ccw, -=cw) <360>: ", &fill);
    if (rc != RTNORM && rc != RTNONE) return;
    acedInitGet(0, L"Yes No");
    ACHAR kw[8] = L"Yes";
    rc = acedGetKword(L"Rotate arrayed objects? [Yes/No] <Y>: ", kw, 8);
    if (rc != RTNORM && rc != RTNONE) return;
    bool rotate = rc == RTNONE || kw[0] == L'Y';
    if (items < 2) return;
    // A full turn spreads the items evenly; a part of one puts the last item at its end.
    double step = (std::fabs(fill) >= 360 - 1e-9 ? fill / items : fill / (items - 1)) * M_PI / 180;
    AcGeVector3d axis = userToWorld() * AcGeVector3d::kZAxis;
    for (int i = 1; i < items; ++i) {
        AcGeMatrix3d turn = AcGeMatrix3d::rotation(step * i, axis, center);
        if (rotate) {
            copyAll(ids, turn);
            continue;
        }
        // Unturned copies keep their direction: each goes where its base point (the box centre) turns to.
        for (AcDbObjectId id : ids) {
            AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
            AcDbExtents ext;
            if (!ent || ent->getGeomExtents(ext) != Acad::eOk) continue;
            ent.close();
            AcGePoint3d mid = ext.minPoint() + (ext.maxPoint() - ext.minPoint()) / 2;
            copyEntity(id, AcGeMatrix3d::translation(turn * mid - mid));
        }
    }
}

void arrayCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    acedInitGet(0, L"Rectangular Polar");
    ACHAR kw[16] = L"Rectangular";
    int rc = acedGetKword(L"Enter the type of array [Rectangular/Polar] <R>: ", kw, 16);
    if (rc != RTNORM && rc != RTNONE) return;
    if (rc == RTNORM && kw[0] == L'P') polarArray(ids);
    else rectangularArray(ids);
}

}  // namespace

void registerCopyArrayCommands(Registrar& add) {
    add(L"COPY", copyCommand);
    add(L"ARRAY", arrayCommand);
}

}  // namespace cvx::editor::commands
