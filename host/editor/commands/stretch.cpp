// STRETCH: the points of the objects that lie inside a crossing window (or crossing polygon) move; objects
// wholly inside move whole. Line ends, polyline vertices, spline fit or control points and arc ends stretch;
// circles, ellipses, texts, block references, points and hatches move when their base point is inside.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

// The crossing area in user coordinates, tested in the user system's XY plane.
struct Area {
    std::vector<AcGePoint2d> pts;
    AcGeMatrix3d toUser;
    bool contains(const AcGePoint3d& world) const {
        AcGePoint3d p = toUser * world;
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const AcGePoint2d &a = pts[i], &b = pts[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    }
};

bool askArea(Area& area) {
    acutPrintf(L"Select objects to stretch by crossing-window or crossing-polygon...\n");
    for (;;) {
        acedInitGet(0, L"Crossing CPolygon");
        ads_point a;
        int rc = acedGetPoint(nullptr, L"Specify first corner or [Crossing/CPolygon]: ", a);
        if (rc == RTKWORD) {
            ACHAR kw[16];
            acedGetInput(kw, 16);
            if (kw[1] == L'r') continue;  // Crossing: the corners follow
            for (;;) {
                ads_point p;
                rc = acedGetPoint(area.pts.empty() ? nullptr : nullptr,
                                  area.pts.empty() ? L"First polygon point: " : L"Specify endpoint of line: ", p);
                if (rc == RTNONE) break;
                if (rc != RTNORM) return false;
                area.pts.emplace_back(p[0], p[1]);
            }
            return area.pts.size() >= 3;
        }
        if (rc != RTNORM) return false;
        ads_point b;
        if (acedGetCorner(a, L"Specify opposite corner: ", b) != RTNORM) return false;
        area.pts = {{a[0], a[1]}, {b[0], a[1]}, {b[0], b[1]}, {a[0], b[1]}};
        return true;
    }
}

// The arc through three points, as a change of the arc's own data (it keeps its id and properties).
void refitArc(AcDbArc* arc, const AcGePoint3d& s, const AcGePoint3d& m, const AcGePoint3d& e) {
    AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(arc->normal());
    AcGePoint3d ps = toPlane * s, pm = toPlane * m, pe = toPlane * e, c;
    double r = 0;
    if (!circleThrough(ps, pm, pe, c, r)) return;
    double a0 = angleOf(c, ps), a1 = angleOf(c, pe), am = angleOf(c, pm);
    auto ccw = [](double from, double to) { return std::fmod(to - from + 4 * M_PI, 2 * M_PI); };
    if (ccw(a0, am) > ccw(a0, a1)) std::swap(a0, a1);  // the middle point must lie on the arc
    c.z = ps.z;
    arc->setCenter(toPlane.inverse() * c);
    arc->setRadius(r);
    arc->setStartAngle(a0);
    arc->setEndAngle(a1);
}

// The stretch points of an entity inside the area move by d; true when any moved.
bool stretchEntity(AcDbEntity* ent, const Area& area, const AcGeVector3d& d) {
    if (auto* l = AcDbLine::cast(ent)) {
        bool s = area.contains(l->startPoint()), e = area.contains(l->endPoint());
        if (s) l->setStartPoint(l->startPoint() + d);
        if (e) l->setEndPoint(l->endPoint() + d);
        return s || e;
    }
    if (auto* a = AcDbArc::cast(ent)) {
        AcGePoint3d s, e, m;
        double p0, p1;
        a->getStartPoint(s), a->getEndPoint(e), a->getStartParam(p0), a->getEndParam(p1);
        a->getPointAtParam((p0 + p1) / 2, m);
        bool is = area.contains(s), ie = area.contains(e), im = area.contains(m);
        if (is && ie && im) return a->transformBy(AcGeMatrix3d::translation(d)) == Acad::eOk;
        if (!is && !ie) return false;
        refitArc(a, is ? s + d : s, im ? m + d : m, ie ? e + d : e);
        return true;
    }
    if (auto* pl = AcDbPolyline::cast(ent)) {
        AcGeVector3d inPlane = AcGeMatrix3d::worldToPlane(pl->normal()) * d;
        bool any = false;
        for (unsigned int i = 0; i < pl->numVerts(); ++i) {
            AcGePoint3d w;
            AcGePoint2d p;
            pl->getPointAt(i, w), pl->getPointAt(i, p);
            if (!area.contains(w)) continue;
            pl->setPointAt(i, p + AcGeVector2d(inPlane.x, inPlane.y));
            any = true;
        }
        return any;
    }
    if (auto* pl = AcDb2dPolyline::cast(ent)) {
        AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(pl->normal());
        AcGeVector3d inPlane = toWorld.inverse() * d;
        inPlane.z = 0;
        bool any = false;
        for (AcDbVertex* v : pl->verticesForWrite()) {
            auto* v2 = static_cast<AcDb2dVertex*>(v);
            if (!area.contains(toWorld * v2->position())) continue;
            v2->setPosition(v2->position() + inPlane);
            any = true;
        }
        return any;
    }
    if (auto* pl = AcDb3dPolyline::cast(ent)) {
        bool any = false;
        for (AcDbVertex* v : pl->verticesForWrite()) {
            auto* v3 = static_cast<AcDb3dPolylineVertex*>(v);
            if (!area.contains(v3->position())) continue;
            v3->setPosition(v3->position() + d);
            any = true;
        }
        return any;
    }
    if (auto* sp = AcDbSpline::cast(ent)) {
        bool fit = sp->hasFitData(), any = false;
        int n = fit ? sp->numFitPoints() : sp->numControlPoints();
        for (int i = 0; i < n; ++i) {
            AcGePoint3d p;
            if (fit ? sp->getFitPointAt(i, p) : sp->getControlPointAt(i, p)) continue;
            if (!area.contains(p)) continue;
            fit ? sp->setFitPointAt(i, p + d) : sp->setControlPointAt(i, p + d);
            any = true;
        }
        return any;
    }
    // Everything else moves with its base point.
    AcGePoint3d base;
    if (auto* c = AcDbCircle::cast(ent)) base = c->center();
    else if (auto* el = AcDbEllipse::cast(ent)) base = el->center();
    else if (auto* t = AcDbText::cast(ent)) base = t->position();
    else if (auto* mt = AcDbMText::cast(ent)) base = mt->location();
    else if (auto* br = AcDbBlockReference::cast(ent)) base = br->position();
    else if (auto* pt = AcDbPoint::cast(ent)) base = pt->position();
    else {
        AcDbExtents ext;
        if (ent->getGeomExtents(ext) != Acad::eOk) return false;
        base = ext.minPoint() + (ext.maxPoint() - ext.minPoint()) / 2;
    }
    return area.contains(base) && ent->transformBy(AcGeMatrix3d::translation(d)) == Acad::eOk;
}

void stretchCommand() {
    Area area;
    if (!askArea(area)) return;
    area.toUser = userToWorld().inverse();
    AcGeMatrix3d toWorld = userToWorld();
    resbuf* poly = nullptr;
    for (auto it = area.pts.rbegin(); it != area.pts.rend(); ++it) {
        resbuf* rb = acutNewRb(RT3DPOINT);
        AcGePoint3d w = toWorld * AcGePoint3d(it->x, it->y, 0);
        rb->resval.rpoint[0] = w.x, rb->resval.rpoint[1] = w.y, rb->resval.rpoint[2] = w.z;
        rb->rbnext = poly;
        poly = rb;
    }
    ads_name set;
    int rc = acedSSGet(L"CP", poly, nullptr, nullptr, set);
    acutRelRb(poly);
    if (rc != RTNORM) {
        acutPrintf(L"0 found\n");
        return;
    }
    std::vector<AcDbObjectId> ids;
    int32_t n = 0;
    acedSSLength(set, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name e;
        AcDbObjectId id;
        if (acedSSName(set, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk) ids.push_back(id);
    }
    acedSSFree(set);
    acutPrintf(L"%d found\n", int(ids.size()));
    AcGePoint3d from, to;
    acedInitGet(0, L"Displacement");
    rc = getPoint(nullptr, L"Specify base point or [Displacement] <Displacement>: ", from);
    if (rc == RTKWORD || rc == RTNONE) {
        from = toWorld * AcGePoint3d::kOrigin;
        if (getPoint(nullptr, L"Specify displacement: ", to) != RTNORM) return;
    } else if (rc != RTNORM) {
        return;
    } else {
        rc = getPoint(&from, L"Specify second point or <use first point as displacement>: ", to);
        if (rc == RTNONE) to = from, from = toWorld * AcGePoint3d::kOrigin;
        else if (rc != RTNORM) return;
    }
    AcGeVector3d d = to - from;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
        if (ent) stretchEntity(ent.object(), area, d);
    }
}

}  // namespace

void registerStretchCommand(Registrar& add) { add(L"STRETCH", stretchCommand); }

}  // namespace cvx::editor::commands
