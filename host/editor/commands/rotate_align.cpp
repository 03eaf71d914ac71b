// ROTATE (by an angle, or from a reference angle to a new one; optionally a copy) and ALIGN (one or two pairs
// of source and destination points, optionally scaling). Angles are measured in the user system's XY plane.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

// An angle typed or shown by a second point from base (a user point); RTNORM, RTNONE or what ended it.
int askAngle(const AcGePoint3d* userBase, const wchar_t* prompt, const wchar_t* keywords, double& a) {
    acedInitGet(0, keywords);
    ads_real r = 0;
    int rc = acedGetAngle(userBase ? asDblArray(*userBase) : nullptr, prompt, &r);
    if (rc == RTNORM) a = r;
    return rc;
}

double userAngleOf(const AcGePoint3d& worldFrom, const AcGePoint3d& worldTo) {
    AcGeMatrix3d toUser = userToWorld().inverse();
    return angleOf(toUser * worldFrom, toUser * worldTo);
}

void rotateCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d base;
    if (getPoint(nullptr, L"Specify base point: ", base) != RTNORM) return;
    AcGePoint3d userBase = userToWorld().inverse() * base;
    bool copy = false;
    double angle = 0;
    for (;;) {
        int rc = askAngle(&userBase, L"Specify rotation angle or [Copy/Reference] <0>: ", L"Copy Reference", angle);
        if (rc == RTNORM || rc == RTNONE) break;
        if (rc != RTKWORD) return;
        ACHAR kw[16];
        acedGetInput(kw, 16);
        if (kw[0] == L'C') {
            copy = true;
            acutPrintf(L"Rotating a copy of the selected objects.\n");
            continue;
        }
        double ref = 0, to = 0;
        rc = askAngle(nullptr, L"Specify the reference angle <0>: ", nullptr, ref);
        if (rc != RTNORM && rc != RTNONE) return;
        rc = askAngle(&userBase, L"Specify the new angle or [Points] <0>: ", L"Points", to);
        if (rc == RTKWORD) {
            AcGePoint3d a, b;
            if (getPoint(nullptr, L"Specify first point: ", a) != RTNORM) return;
            if (getPoint(&a, L"Specify second point: ", b) != RTNORM) return;
            to = userAngleOf(a, b);
        } else if (rc != RTNORM && rc != RTNONE) {
            return;
        }
        angle = to - ref;
        break;
    }
    AcGeMatrix3d m = AcGeMatrix3d::rotation(angle, userToWorld() * AcGeVector3d::kZAxis, base);
    if (!copy) {
        transformEntities(ids, m);
        return;
    }
    for (AcDbObjectId id : ids) copyEntity(id, m);
}

void alignCommand() {
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) return;
    AcGePoint3d s1, d1, s2, d2;
    if (getPoint(nullptr, L"Specify first source point: ", s1) != RTNORM) return;
    if (getPoint(&s1, L"Specify first destination point: ", d1) != RTNORM) return;
    int rc = getPoint(nullptr, L"Specify second source point or <continue>: ", s2);
    if (rc == RTNONE) {
        transformEntities(ids, AcGeMatrix3d::translation(d1 - s1));
        return;
    }
    if (rc != RTNORM || getPoint(&s2, L"Specify second destination point: ", d2) != RTNORM) return;
    AcGePoint3d s3;
    rc = getPoint(nullptr, L"Specify third source point or <continue>: ", s3);
    if (rc != RTNONE && rc != RTNORM) return;
    if (rc == RTNORM) acutPrintf(L"A third pair of points is not used: the objects are aligned in the XY plane.\n");
    if (s1.isEqualTo(s2) || d1.isEqualTo(d2)) {
        acutPrintf(L"The source or destination points coincide; nothing was aligned.\n");
        return;
    }
    acedInitGet(0, L"Yes No");
    ACHAR kw[8] = L"No";
    rc = acedGetKword(L"Scale objects based on alignment points? [Yes/No] <N>: ", kw, 8);
    if (rc != RTNORM && rc != RTNONE) return;
    AcGeMatrix3d m = AcGeMatrix3d::rotation(userAngleOf(d1, d2) - userAngleOf(s1, s2),
                                            userToWorld() * AcGeVector3d::kZAxis, d1) *
                     AcGeMatrix3d::translation(d1 - s1);
    if (rc == RTNORM && kw[0] == L'Y') m = AcGeMatrix3d::scaling(d1.distanceTo(d2) / s1.distanceTo(s2), d1) * m;
    transformEntities(ids, m);
}

}  // namespace

void registerRotateAlignCommands(Registrar& add) {
    add(L"ROTATE", rotateCommand);
    add(L"ALIGN", alignCommand);
}

}  // namespace cvx::editor::commands
