#include "window/snaps.h"

#include <cmath>
#include <memory>
#include <vector>

#include "cvx/dbents.h"
#include "cvx/dbmain.h"
#include "editor/selection.h"

namespace cvx::window {
namespace {

double flatDistance(const AcGePoint3d& a, const AcGePoint3d& b) { return std::hypot(a.x - b.x, a.y - b.y); }

void curveCandidates(const AcDbCurve* c, int modes, std::vector<Snap>& out) {
    if (modes & SnapEnd) {
        AcGePoint3d p;
        if (!c->isClosed() || !c->isKindOf(AcDbCircle::desc())) {
            if (c->getStartPoint(p) == Acad::eOk) out.push_back({p, SnapEnd});
            if (c->getEndPoint(p) == Acad::eOk) out.push_back({p, SnapEnd});
        }
    }
    if (modes & SnapMiddle) {
        double a, b, length;
        AcGePoint3d p;
        if (c->getStartParam(a) == Acad::eOk && c->getEndParam(b) == Acad::eOk &&
            c->getDistAtParam(b, length) == Acad::eOk && c->getPointAtDist(length / 2, p) == Acad::eOk &&
            !c->isKindOf(AcDbCircle::desc()))
            out.push_back({p, SnapMiddle});
    }
    AcGePoint3d center;
    double radius = 0;
    if (auto* circle = AcDbCircle::cast(c)) {
        center = circle->center();
        radius = circle->radius();
    } else if (auto* arc = AcDbArc::cast(c)) {
        center = arc->center();
        radius = arc->radius();
    } else {
        return;
    }
    if (modes & SnapCenter) out.push_back({center, SnapCenter});
    if (modes & SnapQuadrant) {
        const AcGeVector3d dirs[4] = {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis,
                                      -AcGeVector3d::kYAxis};
        for (const auto& d : dirs) {
            AcGePoint3d q = center + d * radius, on;
            // An arc has only the quadrants on it.
            if (c->getClosestPointTo(q, on) == Acad::eOk && flatDistance(on, q) < 1e-9 * (1 + radius))
                out.push_back({q, SnapQuadrant});
        }
    }
}

}  // namespace

std::optional<Snap> findSnap(const AcGePoint3d& cursor, double aperture, int modes) {
    if (!(modes & (SnapEnd | SnapMiddle | SnapCenter | SnapQuadrant | SnapIntersection | SnapNearest)))
        return std::nullopt;
    std::vector<std::unique_ptr<AcDbEntity, void (*)(AcDbEntity*)>> near;
    std::vector<Snap> candidates;
    for (AcDbObjectId id : editor::selectableEntities()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk || !e) continue;
        std::unique_ptr<AcDbEntity, void (*)(AcDbEntity*)> held(e, [](AcDbEntity* x) { x->close(); });
        auto* curve = AcDbCurve::cast(e);
        if (!curve) continue;
        AcGePoint3d closest;
        // A circle's centre is in reach while the cursor is near it, whatever the radius.
        bool centerNear = false;
        if (auto* circle = AcDbCircle::cast(e)) centerNear = flatDistance(circle->center(), cursor) <= aperture;
        if (auto* arc = AcDbArc::cast(e)) centerNear = flatDistance(arc->center(), cursor) <= aperture;
        bool onIt = curve->getClosestPointTo(cursor, closest) == Acad::eOk && flatDistance(closest, cursor) <= aperture;
        if (!onIt && !centerNear) continue;
        curveCandidates(curve, onIt ? modes : (modes & SnapCenter), candidates);
        if (onIt && (modes & SnapNearest)) candidates.push_back({closest, SnapNearest});
        if (onIt) near.push_back(std::move(held));
    }
    if (modes & SnapIntersection)
        for (size_t i = 0; i < near.size(); ++i)
            for (size_t j = i + 1; j < near.size(); ++j) {
                AcGePoint3dArray points;
                if (near[i]->intersectWith(near[j].get(), AcDb::kOnBothOperands, points) != Acad::eOk) continue;
                for (int k = 0; k < points.length(); ++k) candidates.push_back({points[k], SnapIntersection});
            }
    std::optional<Snap> best;
    double bestDistance = 0;
    for (const Snap& s : candidates) {
        double d = flatDistance(s.point, cursor);
        if (d > aperture) continue;
        bool better = !best || (best->kind == SnapNearest && s.kind != SnapNearest) ||
                      ((s.kind == SnapNearest) == (best->kind == SnapNearest) && d < bestDistance);
        if (better) {
            best = s;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace cvx::window
