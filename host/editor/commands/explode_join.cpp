// EXPLODE (polylines into lines and arcs, block references into their entities, pattern hatches into their
// lines) and JOIN (collinear lines into one line, arcs of one circle into one arc, lines, arcs and polylines
// meeting end to end into one polyline).
#include <algorithm>
#include <cmath>
#include <deque>

#include "curves/bulge_polyline.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "render/hatch.h"

using cvx::geom::Segment2;

namespace cvx::editor::commands {
namespace {

// The lines and arcs of a lightweight polyline's segments, in the world.
void polylinePieces(const AcDbPolyline* pl, AcDbVoidPtrArray& out) {
    for (const Segment2& s : cvx::geom::segments(cvx::geom::BulgePolyline{[&] {
             std::vector<cvx::geom::Vertex2> v;
             for (unsigned int i = 0; i < pl->numVerts(); ++i) {
                 AcGePoint2d p;
                 double b = 0;
                 pl->getPointAt(i, p), pl->getBulgeAt(i, b);
                 v.push_back({p, b});
             }
             return v;
         }(), pl->isClosed()})) {
        if (s.start.isEqualTo(s.end)) continue;
        AcDbCurve* c = nullptr;
        if (!s.arc) {
            c = new AcDbLine(pl->toWorld(s.start), pl->toWorld(s.end));
        } else {
            double a0 = s.startAngle, a1 = a0 + s.sweep;
            if (s.sweep < 0) std::swap(a0, a1);
            c = new AcDbArc(pl->toWorld(s.center), pl->normal(), s.radius, a0, a1);
        }
        c->setPropertiesFrom(pl);
        out.append(c);
    }
}

// The pattern lines of a hatch (a solid fill gives its boundary loops as closed polylines).
void hatchPieces(const AcDbHatch* h, AcDbVoidPtrArray& out) {
    AcDbExtents ext;
    double size = h->getGeomExtents(ext) == Acad::eOk ? ext.minPoint().distanceTo(ext.maxPoint()) : 1;
    std::vector<std::vector<AcGePoint2d>> loops;
    for (int i = 0; i < h->numLoops(); ++i) {
        auto outline = h->loopOutline(i, 1e-4 * std::max(size, 1e-9));
        if (outline.size() >= 2) loops.push_back(std::move(outline));
    }
    AcGeMatrix3d toWorld = h->planeToWorld();
    auto add = [&](AcDbEntity* e) {
        e->setPropertiesFrom(h);
        out.append(e);
    };
    if (h->isSolidFill()) {
        for (const auto& loop : loops) {
            auto* pl = new AcDbPolyline;
            for (unsigned int i = 0; i < loop.size(); ++i) pl->addVertexAt(i, loop[i]);
            pl->setClosed(true);
            pl->transformBy(toWorld);
            add(pl);
        }
        return;
    }
    for (const auto& family : h->patternDefinition())
        for (const auto& [a, b] : cvx::render::patternSegments(loops, family))
            add(new AcDbLine(toWorld * AcGePoint3d(a.x, a.y, 0), toWorld * AcGePoint3d(b.x, b.y, 0)));
}

// The pieces an entity explodes into; false for kinds that do not explode.
bool explodeEntity(const AcDbEntity* e, AcDbVoidPtrArray& out) {
    if (auto* pl = AcDbPolyline::cast(e)) {
        polylinePieces(pl, out);
        return true;
    }
    if (auto* pl2 = AcDb2dPolyline::cast(e)) {
        AcDbPolyline lw;
        AcDbEntity* src = const_cast<AcDb2dPolyline*>(pl2);
        if (lw.convertFrom(src, false) != Acad::eOk) return false;
        polylinePieces(&lw, out);
        for (void* p : out) static_cast<AcDbEntity*>(p)->setPropertiesFrom(pl2);
        return true;
    }
    if (auto* pl3 = AcDb3dPolyline::cast(e)) {
        std::vector<AcGePoint3d> pts;
        for (const AcDbVertex* v : pl3->vertices()) pts.push_back(static_cast<const AcDb3dPolylineVertex*>(v)->position());
        if (pl3->isClosed() && pts.size() > 2) pts.push_back(pts.front());
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            auto* l = new AcDbLine(pts[i], pts[i + 1]);
            l->setPropertiesFrom(pl3);
            out.append(l);
        }
        return true;
    }
    if (auto* h = AcDbHatch::cast(e)) {
        hatchPieces(h, out);
        return true;
    }
    Acad::ErrorStatus es = e->explode(out);
    if (es != Acad::eOk) acutPrintf(L"Cannot explode the %ls: %hs.\n", e->dxfTypeName(), acadErrorStatusText(es));
    return es == Acad::eOk;
}

void explodeCommand() {
    int skipped = 0;
    for (AcDbObjectId id : selectObjects()) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
        if (!ent) continue;
        AcDbVoidPtrArray pieces;
        if (!explodeEntity(ent.object(), pieces)) {
            ++skipped;
            continue;
        }
        AcDbObjectId block = ent->blockId();
        ent->erase();
        ent.close();
        for (void* p : pieces) appendToBlock(static_cast<AcDbEntity*>(p), block);
    }
    if (skipped) acutPrintf(L"%d object(s) could not be exploded.\n", skipped);
}

// ---- JOIN ----

struct Plane {
    AcGeMatrix3d toPlane, toWorld;
    AcGeVector3d normal;
    double z = 0;
};

// The segments of a curve in the plane's coordinates; false when it is not a line, an arc or a 2D polyline
// lying in that plane.
bool planeSegments(const AcDbCurve* c, const Plane& pl, double tol, std::vector<Segment2>& out) {
    auto at = [&](const AcGePoint3d& w, AcGePoint2d& p) {
        AcGePoint3d q = pl.toPlane * w;
        p.set(q.x, q.y);
        return std::fabs(q.z - pl.z) <= tol;
    };
    if (auto* l = AcDbLine::cast(c)) {
        AcGePoint2d a, b;
        if (!at(l->startPoint(), a) || !at(l->endPoint(), b)) return false;
        out.push_back(Segment2::line(a, b));
        return true;
    }
    if (auto* arc = AcDbArc::cast(c)) {
        double dot = arc->normal().dotProduct(pl.normal);
        if (std::fabs(std::fabs(dot) - 1) > 1e-9) return false;
        AcGePoint3d s, e;
        arc->getStartPoint(s), arc->getEndPoint(e);
        AcGePoint2d ps, pe, pc;
        if (!at(s, ps) || !at(e, pe) || !at(arc->center(), pc)) return false;
        Segment2 seg = Segment2::fromArc(pc, arc->radius(), std::atan2(ps.y - pc.y, ps.x - pc.x),
                                         dot > 0 ? arc->totalAngle() : -arc->totalAngle());
        seg.start = ps, seg.end = pe;
        out.push_back(seg);
        return true;
    }
    auto* lw = AcDbPolyline::cast(c);
    AcDbPolyline converted;
    if (auto* pl2 = AcDb2dPolyline::cast(c)) {
        AcDbEntity* src = const_cast<AcDb2dPolyline*>(pl2);
        if (converted.convertFrom(src, false) != Acad::eOk) return false;
        lw = &converted;
    }
    if (!lw || lw->isClosed()) return false;
    double dot = lw->normal().dotProduct(pl.normal);
    if (std::fabs(std::fabs(dot) - 1) > 1e-9) return false;
    for (unsigned int i = 0; i + 1 < lw->numVerts(); ++i) {
        AcGePoint2d a, b, pa, pb;
        double bulge = 0;
        lw->getPointAt(i, a), lw->getPointAt(i + 1, b), lw->getBulgeAt(i, bulge);
        if (!at(lw->toWorld(a), pa) || !at(lw->toWorld(b), pb)) return false;
        out.push_back(Segment2::fromBulge(pa, pb, dot > 0 ? bulge : -bulge));
    }
    return !out.empty();
}

// Lines on one line that touch or overlap, as the one line from the first's start over all of them.
bool joinCollinear(const AcDbLine* src, const std::vector<const AcDbLine*>& others, AcGePoint3d& a, AcGePoint3d& b,
                   double tol) {
    AcGeVector3d u = (src->endPoint() - src->startPoint()).normal();
    AcGePoint3d o = src->startPoint();
    double lo = 0, hi = src->startPoint().distanceTo(src->endPoint());
    std::vector<std::pair<double, double>> spans;
    for (const AcDbLine* l : others) {
        for (AcGePoint3d p : {l->startPoint(), l->endPoint()}) {
            AcGeVector3d d = p - o;
            if ((d - u * d.dotProduct(u)).length() > tol) return false;
        }
        double s = (l->startPoint() - o).dotProduct(u), e = (l->endPoint() - o).dotProduct(u);
        spans.push_back({std::min(s, e), std::max(s, e)});
    }
    std::sort(spans.begin(), spans.end());
    bool grew = true;
    while (grew) {
        grew = false;
        for (auto it = spans.begin(); it != spans.end(); ++it)
            if (it->first <= hi + tol && it->second >= lo - tol) {
                lo = std::min(lo, it->first), hi = std::max(hi, it->second);
                spans.erase(it);
                grew = true;
                break;
            }
    }
    if (!spans.empty()) return false;
    a = o + u * lo, b = o + u * hi;
    return true;
}

// The segments chained end to end from the source's; what is not reached stays out. Returns the chain and
// which of the others were used.
std::vector<Segment2> chain(std::vector<Segment2> run, std::vector<std::vector<Segment2>> others, double tol,
                            std::vector<bool>& used) {
    used.assign(others.size(), false);
    auto reversed = [](std::vector<Segment2> s) {
        std::reverse(s.begin(), s.end());
        for (auto& x : s) x = x.reversed();
        return s;
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < others.size(); ++i) {
            if (used[i]) continue;
            auto& o = others[i];
            AcGePoint2d head = run.front().start, tail = run.back().end;
            if ((o.front().start - tail).length() <= tol) run.insert(run.end(), o.begin(), o.end());
            else if ((o.back().end - tail).length() <= tol) { auto r = reversed(o); run.insert(run.end(), r.begin(), r.end()); }
            else if ((o.back().end - head).length() <= tol) run.insert(run.begin(), o.begin(), o.end());
            else if ((o.front().start - head).length() <= tol) { auto r = reversed(o); run.insert(run.begin(), r.begin(), r.end()); }
            else continue;
            used[i] = grew = true;
        }
    }
    return run;
}

void joinCommand() {
    AcDbObjectId sourceId;
    AcGePoint3d at;
    if (pickEntity(L"Select source object or multiple objects to join at once: ", sourceId, at) != RTNORM) return;
    acutPrintf(L"Select objects to join:\n");
    std::vector<AcDbObjectId> ids = selectObjects();
    ids.erase(std::remove(ids.begin(), ids.end(), sourceId), ids.end());
    if (ids.empty()) return;
    AcDbObjectPointer<AcDbCurve> src(sourceId, AcDb::kForWrite);
    if (!src) {
        acutPrintf(L"The source must be a line, an arc or an open polyline.\n");
        return;
    }
    AcDbExtents ext;
    src->getGeomExtents(ext);
    double tol = 1e-9 * std::max(1.0, (ext.maxPoint() - AcGePoint3d::kOrigin).length() +
                                      (ext.minPoint() - AcGePoint3d::kOrigin).length());
    std::deque<AcDbObjectPointer<AcDbCurve>> others;  // opened in place: the pointers do not move
    for (AcDbObjectId id : ids) {
        others.emplace_back(id, AcDb::kForWrite);
        if (!others.back()) others.pop_back();
    }
    // Lines with a line: one line, when they all lie on it.
    if (auto* line = AcDbLine::cast(src.object())) {
        std::vector<const AcDbLine*> lines;
        for (auto& o : others)
            if (auto* l = AcDbLine::cast(o.object())) lines.push_back(l);
        AcGePoint3d a, b;
        if (lines.size() == others.size() && joinCollinear(line, lines, a, b, tol)) {
            line->setStartPoint(a), line->setEndPoint(b);
            for (auto& o : others) o->erase();
            acutPrintf(L"%d lines joined into 1 line\n", int(others.size()) + 1);
            return;
        }
    }
    // Arcs of one circle with an arc: one arc over all of them (a circle when they close it).
    if (auto* arc = AcDbArc::cast(src.object())) {
        bool same = !others.empty();
        for (auto& o : others) {
            auto* a = AcDbArc::cast(o.object());
            same = same && a && a->center().isEqualTo(arc->center()) && std::fabs(a->radius() - arc->radius()) <= tol &&
                   a->normal().isEqualTo(arc->normal());
        }
        if (same) {
            // Each arc as a span of angles from the source's start; spans that touch or overlap grow the source's.
            double s0 = arc->startAngle(), lo = 0, hi = arc->totalAngle(), eps = 1e-9;
            std::vector<bool> taken(others.size(), false);
            for (bool grew = true; grew && hi - lo < 2 * M_PI - eps;) {
                grew = false;
                for (size_t i = 0; i < others.size(); ++i) {
                    if (taken[i]) continue;
                    auto* a = AcDbArc::cast(others[i].object());
                    double o = std::fmod(a->startAngle() - s0 + 4 * M_PI, 2 * M_PI), len = a->totalAngle();
                    if (o <= hi + eps) hi = std::max(hi, o + len);
                    else if (o + len >= 2 * M_PI + lo - eps) lo = std::min(lo, o - 2 * M_PI);
                    else continue;
                    taken[i] = grew = true;
                }
            }
            int n = int(std::count(taken.begin(), taken.end(), true));
            for (size_t i = 0; i < others.size(); ++i)
                if (taken[i]) others[i]->erase();
            if (hi - lo >= 2 * M_PI - eps) {
                auto* circle = new AcDbCircle(arc->center(), arc->normal(), arc->radius());
                circle->setPropertiesFrom(arc);
                AcDbObjectId block = arc->blockId();
                arc->erase();
                src.close();
                appendToBlock(circle, block);
                acutPrintf(L"%d arcs joined into a circle\n", n + 1);
                return;
            }
            arc->setStartAngle(s0 + lo), arc->setEndAngle(s0 + hi);
            acutPrintf(L"%d arcs joined into 1 arc\n", n + 1);
            if (n < int(others.size())) acutPrintf(L"%d arc(s) did not meet the source.\n", int(others.size()) - n);
            return;
        }
    }
    // Anything else: one polyline in the source's plane.
    Plane plane;
    if (auto* lw = AcDbPolyline::cast(src.object())) plane.normal = lw->normal();
    else if (auto* a = AcDbArc::cast(src.object())) plane.normal = a->normal();
    else plane.normal = userToWorld() * AcGeVector3d::kZAxis;
    if (plane.normal.z < 0 && !AcDbPolyline::cast(src.object())) plane.normal = -plane.normal;
    plane.toWorld = AcGeMatrix3d::planeToWorld(plane.normal);
    plane.toPlane = plane.toWorld.inverse();
    AcGePoint3d start;
    src->getStartPoint(start);
    plane.z = (plane.toPlane * start).z;
    std::vector<Segment2> run;
    if (!planeSegments(src.object(), plane, tol, run)) {
        acutPrintf(L"The source must be a line, an arc or an open polyline.\n");
        return;
    }
    std::vector<std::vector<Segment2>> pieces(others.size());
    for (size_t i = 0; i < others.size(); ++i) planeSegments(others[i].object(), plane, tol, pieces[i]);
    std::vector<bool> used;
    for (size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].empty()) pieces[i].push_back(Segment2::line({1e300, 1e300}, {1e300, 1e300}));  // never meets
    run = chain(run, pieces, tol, used);
    int joined = int(std::count(used.begin(), used.end(), true));
    if (!joined) {
        acutPrintf(L"No object meets the source end to end; nothing was joined.\n");
        return;
    }
    bool closed = (run.front().start - run.back().end).length() <= tol;
    cvx::geom::BulgePolyline v = cvx::geom::fromSegments(run, closed);
    auto* pl = AcDbPolyline::cast(src.object());
    AcDbPolyline* made = pl ? pl : new AcDbPolyline;
    while (made->numVerts()) made->removeVertexAt(made->numVerts() - 1);
    for (unsigned int i = 0; i < v.v.size(); ++i) made->addVertexAt(i, v.v[i].pt, v.v[i].bulge);
    made->setClosed(closed);
    if (!pl) {
        made->setNormal(plane.normal);
        made->setElevation(plane.z);
        made->setPropertiesFrom(src.object());
        AcDbObjectId block = src->blockId();
        src->erase();
        src.close();
        appendToBlock(made, block);
    }
    for (size_t i = 0; i < others.size(); ++i)
        if (used[i]) others[i]->erase();
    acutPrintf(L"%d objects joined into 1 polyline\n", joined + 1);
}

}  // namespace

void registerExplodeJoinCommands(Registrar& add) {
    add(L"EXPLODE", explodeCommand);
    add(L"JOIN", joinCommand);
}

}  // namespace cvx::editor::commands
