#include "editor/commands/curve_ends.h"

#include <cmath>

#include "editor/commands/command_util.h"

namespace cvx::editor::commands {
namespace {

double angleIn(const AcGeMatrix3d& toPlane, const AcGePoint3d& center, const AcGePoint3d& p) {
    AcGePoint3d c = toPlane * center, q = toPlane * p;
    return std::atan2(q.y - c.y, q.x - c.x);
}

// The ellipse's angle parameter of a point in its plane.
double ellipseParam(const AcDbEllipse* e, const AcGePoint3d& p) {
    AcGeVector3d d = p - e->center(), major = e->majorAxis(), minor = e->minorAxis();
    return std::atan2(d.dotProduct(minor) / minor.lengthSqrd(), d.dotProduct(major) / major.lengthSqrd());
}

// The vertex list of a simple 2D polyline, as a lightweight one in the same plane (for reading segments).
AcDbPolyline* asLightweight(const AcDbCurve* c) {
    auto* pl2 = AcDb2dPolyline::cast(c);
    if (!pl2) return nullptr;
    auto* lw = new AcDbPolyline;
    AcDbEntity* src = const_cast<AcDb2dPolyline*>(pl2);
    if (lw->convertFrom(src, false) != Acad::eOk) {
        delete lw;
        return nullptr;
    }
    return lw;
}

// The end segment of a lightweight polyline as a line or arc in the world.
AcDbCurve* endSegment(const AcDbPolyline* pl, bool atStart) {
    unsigned int n = pl->numVerts();
    if (n < 2 || pl->isClosed()) return nullptr;
    unsigned int i = atStart ? 0 : n - 2;
    AcGePoint2d a, b;
    double bulge = 0;
    pl->getPointAt(i, a), pl->getPointAt(i + 1, b), pl->getBulgeAt(i, bulge);
    if (bulge == 0) return new AcDbLine(pl->toWorld(a), pl->toWorld(b));
    double sweep = 4 * std::atan(bulge), chord = (b - a).length();
    double r = chord / (2 * std::sin(std::fabs(sweep) / 2));
    AcGeVector2d d = (b - a) / chord;
    double h = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
    AcGePoint2d c = AcGePoint2d((a.x + b.x) / 2, (a.y + b.y) / 2) + d.perpVector() * h;
    AcGeVector3d normal = pl->normal();
    double a0 = std::atan2(a.y - c.y, a.x - c.x), a1 = std::atan2(b.y - c.y, b.x - c.x);
    if (sweep < 0) std::swap(a0, a1);
    // An arc in the polyline's plane: its own angles are measured in the same plane axes.
    return new AcDbArc(pl->toWorld(c), normal, r, a0, a1);
}

// Moves an end vertex of a lightweight polyline to p along its end segment (a line, or an arc about its
// centre); the vertex lists of 2D polylines go through the same.
bool moveVertexEnd(AcDbPolyline* pl, bool atStart, const AcGePoint3d& p) {
    unsigned int n = pl->numVerts();
    if (n < 2 || pl->isClosed()) return false;
    AcGePoint3d local = AcGeMatrix3d::worldToPlane(pl->normal()) * p;
    AcGePoint2d q(local.x, local.y);
    unsigned int seg = atStart ? 0 : n - 2, moved = atStart ? 0 : n - 1, fixed = atStart ? 1 : n - 2;
    double bulge = 0;
    pl->getBulgeAt(seg, bulge);
    if (bulge != 0) {
        AcGePoint2d a, b;
        pl->getPointAt(seg, a), pl->getPointAt(seg + 1, b);
        double sweep = 4 * std::atan(bulge), chord = (b - a).length();
        double h = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
        AcGePoint2d c = AcGePoint2d((a.x + b.x) / 2, (a.y + b.y) / 2) + ((b - a) / chord).perpVector() * h;
        AcGePoint2d f;
        pl->getPointAt(fixed, f);
        // The new sweep runs from the segment's start to its end in the same turning sense.
        AcGePoint2d s = atStart ? q : f, e = atStart ? f : q;
        double turn = std::atan2((s - c).crossProduct(e - c), (s - c).dotProduct(e - c));
        if (sweep > 0 && turn <= 0) turn += 2 * M_PI;
        if (sweep < 0 && turn >= 0) turn -= 2 * M_PI;
        pl->setBulgeAt(seg, std::tan(turn / 4));
    }
    pl->setPointAt(moved, q);
    return true;
}

// Writes a lightweight polyline's vertices back into a simple 2D polyline with the same vertex count.
void writeBack(const AcDbPolyline* lw, AcDb2dPolyline* pl2) {
    unsigned int i = 0;
    for (AcDbVertex* v : pl2->verticesForWrite()) {
        auto* v2 = static_cast<AcDb2dVertex*>(v);
        AcGePoint2d p;
        double bulge = 0;
        lw->getPointAt(i, p), lw->getBulgeAt(i, bulge);
        v2->setPosition(AcGePoint3d(p.x, p.y, v2->position().z));
        v2->setBulge(bulge);
        ++i;
    }
}

}  // namespace

bool nearerStart(const AcDbCurve* c, const AcGePoint3d& p) {
    AcGePoint3d on;
    double d = 0, total = 0, end = 0;
    if (c->getClosestPointTo(p, on) != Acad::eOk || c->getDistAtPoint(on, d) != Acad::eOk) return false;
    c->getEndParam(end);
    c->getDistAtParam(end, total);
    return d < total / 2;
}

AcDbCurve* endCourse(const AcDbCurve* c, bool atStart) {
    if (c->isClosed()) return nullptr;
    if (auto* l = AcDbLine::cast(c)) return new AcDbLine(l->startPoint(), l->endPoint());
    if (auto* a = AcDbArc::cast(c)) return new AcDbCircle(a->center(), a->normal(), a->radius());
    if (auto* e = AcDbEllipse::cast(c))
        return new AcDbEllipse(e->center(), e->normal(), e->majorAxis(), e->radiusRatio());
    if (auto* pl = AcDbPolyline::cast(c)) return endSegment(pl, atStart);
    if (AcDbPolyline* lw = asLightweight(c)) {
        AcDbCurve* s = endSegment(lw, atStart);
        delete lw;
        return s;
    }
    return nullptr;
}

bool endFrame(const AcDbCurve* c, bool atStart, AcGePoint3d& end, AcGeVector3d& outward) {
    double t = 0;
    if ((atStart ? c->getStartParam(t) : c->getEndParam(t)) != Acad::eOk) return false;
    if (c->getPointAtParam(t, end) != Acad::eOk || c->getFirstDeriv(t, outward) != Acad::eOk) return false;
    if (atStart) outward = -outward;
    return !outward.isZeroLength();
}

double travelBeyond(const AcDbCurve* course, const AcGePoint3d& end, const AcGeVector3d& outward,
                    const AcGePoint3d& p) {
    AcGePoint3d center;
    AcGeVector3d normal;
    double radius = 0;
    if (auto* a = AcDbArc::cast(course)) center = a->center(), normal = a->normal(), radius = a->radius();
    else if (auto* c = AcDbCircle::cast(course)) center = c->center(), normal = c->normal(), radius = c->radius();
    else if (auto* e = AcDbEllipse::cast(course)) center = e->center(), normal = e->normal(), radius = e->majorRadius();
    else return (p - end).dotProduct(outward.normal());
    // Round the circle (or ellipse) in the sense the end travels, from the end to the point.
    AcGeVector3d from = end - center, to = p - center;
    double sense = from.crossProduct(outward).dotProduct(normal) >= 0 ? 1 : -1;
    double a = std::atan2(from.crossProduct(to).dotProduct(normal) * sense, from.dotProduct(to));
    if (a < 0) a += 2 * M_PI;
    if (a > 2 * M_PI - 1e-9) a = 0;
    return a * radius;
}

bool moveEndTo(AcDbCurve* c, bool atStart, const AcGePoint3d& p) {
    if (auto* l = AcDbLine::cast(c)) return (atStart ? l->setStartPoint(p) : l->setEndPoint(p)) == Acad::eOk;
    if (auto* a = AcDbArc::cast(c)) {
        double ang = angleIn(AcGeMatrix3d::worldToPlane(a->normal()), a->center(), p);
        return (atStart ? a->setStartAngle(ang) : a->setEndAngle(ang)) == Acad::eOk;
    }
    if (auto* e = AcDbEllipse::cast(c)) {
        double t = ellipseParam(e, p), s = e->startParam(), f = e->endParam();
        if (atStart) {
            while (t > f) t -= 2 * M_PI;
            while (t <= f - 2 * M_PI) t += 2 * M_PI;
            s = t;
        } else {
            while (t < s) t += 2 * M_PI;
            while (t >= s + 2 * M_PI) t -= 2 * M_PI;
            f = t;
        }
        if (s < 0) s += 2 * M_PI, f += 2 * M_PI;
        e->setStartParam(s);
        e->setEndParam(f);
        return true;
    }
    if (auto* pl = AcDbPolyline::cast(c)) return moveVertexEnd(pl, atStart, p);
    if (auto* pl2 = AcDb2dPolyline::cast(c)) {
        AcDbPolyline* lw = asLightweight(pl2);
        if (!lw) return false;
        bool ok = moveVertexEnd(lw, atStart, p);
        if (ok) writeBack(lw, pl2);
        delete lw;
        return ok;
    }
    return false;
}

bool replaceByPieces(AcDbObjectId id, AcDbVoidPtrArray& pieces) {
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForWrite);
    if (!c) {
        for (void* p : pieces) delete static_cast<AcDbEntity*>(p);
        return false;
    }
    if (pieces.length() == 1) {
        auto* piece = static_cast<AcDbCurve*>(pieces[0]);
        bool taken = false;
        if (auto* l = AcDbLine::cast(c.object()); l && AcDbLine::cast(piece)) {
            l->setStartPoint(AcDbLine::cast(piece)->startPoint());
            l->setEndPoint(AcDbLine::cast(piece)->endPoint());
            taken = true;
        } else if (auto* a = AcDbArc::cast(c.object()); a && AcDbArc::cast(piece)) {
            a->setStartAngle(AcDbArc::cast(piece)->startAngle());
            a->setEndAngle(AcDbArc::cast(piece)->endAngle());
            taken = true;
        } else if (auto* e = AcDbEllipse::cast(c.object()); e && AcDbEllipse::cast(piece) && !e->isClosed()) {
            e->setStartParam(AcDbEllipse::cast(piece)->startParam());
            e->setEndParam(AcDbEllipse::cast(piece)->endParam());
            taken = true;
        } else if (auto* pl = AcDbPolyline::cast(c.object()); pl && AcDbPolyline::cast(piece) && !pl->isClosed()) {
            auto* src = AcDbPolyline::cast(piece);
            while (pl->numVerts()) pl->removeVertexAt(pl->numVerts() - 1);
            for (unsigned int i = 0; i < src->numVerts(); ++i) {
                AcGePoint2d p;
                double b = 0;
                src->getPointAt(i, p), src->getBulgeAt(i, b);
                pl->addVertexAt(i, p, b);
            }
            taken = true;
        }
        if (taken) {
            delete piece;
            return true;
        }
    }
    AcDbObjectId block = c->blockId();
    c->erase();
    c.close();
    for (void* p : pieces) appendToBlock(static_cast<AcDbEntity*>(p), block);
    return true;
}

}  // namespace cvx::editor::commands
