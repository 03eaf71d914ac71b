// OFFSET: parallel copies of picked curves at a distance, or through a point, on the side the user shows.
// The distance is kept in OFFSETDIST (negative: through a point) and offered as the default next time.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/point_syntax.h"
#include "editor/state.h"

namespace cvx::editor::commands {
namespace {

double& lastDistance() { return editorState().reals[L"OFFSETDIST"]; }

// The distance, or a negative value for Through; false when the user cancelled.
bool askDistance(double& dist) {
    double last = lastDistance();
    std::wstring prompt = L"Specify offset distance or [Through] <" +
                          (last < 0 ? std::wstring(L"Through") : formatReal(last)) + L">: ";
    acedInitGet(2 | 4, L"Through");
    ads_real d = 0;
    int rc = acedGetDist(nullptr, prompt.c_str(), &d);
    if (rc == RTKWORD) dist = -1;
    else if (rc == RTNONE) dist = last;
    else if (rc == RTNORM) dist = d;
    else return false;
    lastDistance() = dist;
    return true;
}

// The normal the curve's offsets are taken about: its own plane's, or for a line its extrusion direction.
AcGeVector3d offsetNormal(const AcDbCurve* c) {
    if (auto* l = AcDbLine::cast(c)) return l->normal();
    AcGePlane plane;
    int planarity = 0;
    if (c->getPlane(plane, planarity) != Acad::eOk || planarity != AcDb::kPlanar) return AcGeVector3d::kZAxis;
    AcGeVector3d n = plane.normal();
    return n.z < 0 ? -n : n;
}

// +1 when p lies to the right of the curve's direction at its closest point, seen from the normal's tip; -1 on
// the left; 0 on the curve.
int sideOf(const AcDbCurve* c, const AcGeVector3d& normal, const AcGePoint3d& p) {
    AcGePoint3d at;
    AcGeVector3d tangent;
    if (c->getClosestPointTo(p, at) != Acad::eOk || c->getFirstDeriv(at, tangent) != Acad::eOk) return 0;
    double s = (p - at).dotProduct(tangent.crossProduct(normal));
    double scale = std::max(1.0, (p - AcGePoint3d::kOrigin).length()) * tangent.length();
    return std::fabs(s) <= 1e-12 * scale ? 0 : (s > 0 ? 1 : -1);
}

// Appends the curves to a block record; deletes those it cannot add. Returns how many were added.
int appendTo(AcDbObjectId blockId, AcDbVoidPtrArray& curves) {
    AcDbBlockTableRecord* block = nullptr;
    bool open = acdbOpenObject(block, blockId, AcDb::kForWrite) == Acad::eOk;
    int added = 0;
    for (void* p : curves) {
        auto* e = static_cast<AcDbEntity*>(p);
        AcDbObjectId id;
        if (open && block->appendAcDbEntity(id, e) == Acad::eOk) {
            e->close();
            ++added;
        } else {
            delete e;
        }
    }
    if (open) block->close();
    return added;
}

// Offsets one curve toward a side point (at a distance, or through the point when dist < 0).
void offsetCurve(AcDbObjectId id, double dist) {
    AcGePoint3d side;
    if (getPoint(nullptr, dist < 0 ? L"Specify through point: " : L"Specify point on side to offset: ", side) != RTNORM)
        return;
    AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
    if (!curve) return;
    if (dist < 0) {
        AcGePoint3d at;
        if (curve->getClosestPointTo(side, at) != Acad::eOk) return;
        dist = at.distanceTo(side);
    }
    AcGeVector3d normal = offsetNormal(curve.object());
    int sign = sideOf(curve.object(), normal, side);
    if (sign == 0 || dist <= 0) {
        acutPrintf(L"The point lies on the object: no side to offset to.\n");
        return;
    }
    AcDbVoidPtrArray made;
    Acad::ErrorStatus es = curve->getOffsetCurvesGivenPlaneNormal(normal, sign * dist, made);
    if (es != Acad::eOk) {
        acutPrintf(L"Cannot offset that object: %hs.\n", acadErrorStatusText(es));
        return;
    }
    if (made.isEmpty()) {
        acutPrintf(L"Nothing is left of the object at that distance.\n");
        return;
    }
    AcDbObjectId block = curve->blockId();
    curve.close();
    appendTo(block, made);
}

void offsetCommand() {
    double dist = 0;
    if (!askDistance(dist)) return;
    for (;;) {
        acedInitGet(0, L"Exit");
        ads_name picked;
        ads_point at;
        int rc = acedEntSel(L"Select object to offset or [Exit] <Exit>: ", picked, at);
        if (rc == RTERROR) continue;  // a pick that missed: ask again
        if (rc != RTNORM) return;     // Enter, Exit or a cancel
        AcDbObjectId id;
        if (acdbGetObjectId(id, picked) != Acad::eOk) continue;
        {
            AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
            if (!curve) {
                acutPrintf(L"Cannot offset that object.\n");
                continue;
            }
        }
        offsetCurve(id, dist);
    }
}

}  // namespace

void registerOffsetCommands(Registrar& add) { add(L"OFFSET", offsetCommand); }

}  // namespace cvx::editor::commands
