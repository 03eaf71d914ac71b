// Coordinate conversion between the world, the user system (the UCS command's), the display (a plan view of the
// world) and entities' own systems.
#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/state.h"

namespace {

AcGeVector3d entityNormal(const AcDbEntity* e) {
    if (auto* c = AcDbCircle::cast(e)) return c->normal();
    if (auto* a = AcDbArc::cast(e)) return a->normal();
    if (auto* p = AcDbPolyline::cast(e)) return p->normal();
    if (auto* p = AcDb2dPolyline::cast(e)) return p->normal();
    if (auto* t = AcDbText::cast(e)) return t->normal();
    if (auto* m = AcDbMText::cast(e)) return m->normal();
    if (auto* r = AcDbBlockReference::cast(e)) return r->normal();
    if (auto* h = AcDbHatch::cast(e)) return h->normal();
    if (auto* pt = AcDbPoint::cast(e)) return pt->normal();
    return AcGeVector3d::kZAxis;
}

// The matrix from a coordinate system to the world; false when the description is not understood.
bool toWorld(const resbuf* sys, AcGeMatrix3d& m) {
    if (!sys) return false;
    switch (sys->restype) {
    case RTSHORT:
        if (sys->resval.rint < 0 || sys->resval.rint > 3) return false;
        m = sys->resval.rint == 1 ? cvx::editor::editorState().ucs.toWorld() : AcGeMatrix3d();
        return true;
    case RTENAME: {
        AcDbObjectId id;
        if (acdbGetObjectId(id, sys->resval.rlname) != Acad::eOk) return false;
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        if (!ent) return false;
        m = AcGeMatrix3d::planeToWorld(entityNormal(ent.object()));
        return true;
    }
    case RT3DPOINT: {
        AcGeVector3d n(sys->resval.rpoint[0], sys->resval.rpoint[1], sys->resval.rpoint[2]);
        if (n.isZeroLength()) return false;
        m = AcGeMatrix3d::planeToWorld(n.normal());
        return true;
    }
    default: return false;
    }
}

}  // namespace

int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int disp, ads_point result) {
    AcGeMatrix3d a, b;
    if (!point || !result || !toWorld(from, a) || !toWorld(to, b)) return RTERROR;
    AcGeMatrix3d m = b.inverse() * a;
    AcGePoint3d p(point[0], point[1], point[2]);
    if (disp) {
        AcGeVector3d v = m * AcGeVector3d(p.x, p.y, p.z);
        p.set(v.x, v.y, v.z);
    } else {
        p = m * p;
    }
    result[0] = p.x;
    result[1] = p.y;
    result[2] = p.z;
    return RTNORM;
}
