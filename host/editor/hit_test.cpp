#include "editor/hit_test.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cvx/dbents.h"

namespace cvx::editor {
namespace {

using Outline = std::vector<std::vector<AcGePoint2d>>;

bool boxOf(const AcDbEntity* ent, AcGePoint2d& lo, AcGePoint2d& hi) {
    AcDbExtents ext;
    if (ent->getGeomExtents(ext) != Acad::eOk || !ext.isValid()) return false;
    lo = ext.minPoint().convert2d();
    hi = ext.maxPoint().convert2d();
    return true;
}

std::vector<AcGePoint2d> boxOutline(const AcGePoint2d& lo, const AcGePoint2d& hi) {
    return {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}, lo};
}

// Samples a curve by its parameters; false when the curve cannot say where its points are.
bool sampleCurve(const AcDbCurve* c, std::vector<AcGePoint2d>& out) {
    double s = 0, e = 0;
    if (c->getStartParam(s) != Acad::eOk || c->getEndParam(e) != Acad::eOk || !(e >= s)) return false;
    int n = 96;
    if (auto* pl = AcDbPolyline::cast(c)) n = std::max(1, static_cast<int>(pl->numVerts())) * 16;
    for (int i = 0; i <= n; ++i) {
        AcGePoint3d p;
        if (c->getPointAtParam(s + (e - s) * i / n, p) != Acad::eOk) return false;
        out.push_back(p.convert2d());
    }
    return true;
}

bool boxLikeOnly(const AcDbEntity* ent) { return !AcDbCurve::cast(ent) && !AcDbPoint::cast(ent); }

bool inBox(const AcGePoint2d& p, const AcGePoint2d& lo, const AcGePoint2d& hi) {
    return p.x >= lo.x && p.x <= hi.x && p.y >= lo.y && p.y <= hi.y;
}

bool segmentTouchesBox(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& lo, const AcGePoint2d& hi) {
    if (inBox(a, lo, hi) || inBox(b, lo, hi)) return true;
    auto edges = boxOutline(lo, hi);
    for (size_t i = 0; i + 1 < edges.size(); ++i)
        if (segmentsIntersect(a, b, edges[i], edges[i + 1])) return true;
    return false;
}

std::vector<AcGePoint2d> closed(const std::vector<AcGePoint2d>& polygon) {
    std::vector<AcGePoint2d> p = polygon;
    if (!p.empty() && !p.front().isEqualTo(p.back())) p.push_back(p.front());
    return p;
}

bool outlineCrossesLines(const Outline& outline, const std::vector<AcGePoint2d>& lines) {
    for (const auto& part : outline)
        for (size_t i = 0; i + 1 < part.size(); ++i)
            for (size_t k = 0; k + 1 < lines.size(); ++k)
                if (segmentsIntersect(part[i], part[i + 1], lines[k], lines[k + 1])) return true;
    return false;
}

double cross(const AcGePoint2d& o, const AcGePoint2d& a, const AcGePoint2d& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool onSegment(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

}  // namespace

bool segmentsIntersect(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGePoint2d& d) {
    double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    return (d1 == 0 && onSegment(a, c, d)) || (d2 == 0 && onSegment(b, c, d)) || (d3 == 0 && onSegment(c, a, b)) ||
           (d4 == 0 && onSegment(d, a, b));
}

bool pointInPolygon(const AcGePoint2d& p, const std::vector<AcGePoint2d>& polygon) {
    bool in = false;
    size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const AcGePoint2d &a = polygon[i], &b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

double distanceToSegment(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b) {
    AcGeVector2d ab = b - a;
    double len2 = ab.lengthSqrd();
    double t = len2 > 0 ? std::clamp((p - a).dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
    return p.distanceTo(a + ab * t);
}

Outline entityOutline(const AcDbEntity* ent) {
    if (auto* line = AcDbLine::cast(ent)) return {{line->startPoint().convert2d(), line->endPoint().convert2d()}};
    if (auto* pt = AcDbPoint::cast(ent)) return {{pt->position().convert2d()}};
    if (auto* pl = AcDbPolyline::cast(ent); pl && !pl->hasBulges() && pl->numVerts() > 0) {
        std::vector<AcGePoint2d> pts;
        for (unsigned i = 0; i < pl->numVerts(); ++i) {
            AcGePoint3d p;
            pl->getPointAt(i, p);
            pts.push_back(p.convert2d());
        }
        if (pl->isClosed()) pts.push_back(pts.front());
        return {pts};
    }
    if (auto* curve = AcDbCurve::cast(ent)) {
        std::vector<AcGePoint2d> pts;
        if (sampleCurve(curve, pts)) return {pts};
    }
    AcGePoint2d lo, hi;
    if (!boxOf(ent, lo, hi)) return {};
    return {boxOutline(lo, hi)};
}

double distanceToEntity(const AcDbEntity* ent, const AcGePoint3d& p) {
    const double far = std::numeric_limits<double>::infinity();
    if (auto* curve = AcDbCurve::cast(ent)) {
        AcGePoint3d closest;
        // Seen from above: the nearest point of the curve's plan view, not of the curve in space, so a 3D
        // polyline is picked where it shows.
        if (curve->getClosestPointTo(AcGePoint3d(p.x, p.y, 0), AcGeVector3d::kZAxis, closest) == Acad::eOk)
            return std::hypot(closest.x - p.x, closest.y - p.y);
    }
    AcGePoint2d q = p.convert2d(), lo, hi;
    if (boxLikeOnly(ent) && boxOf(ent, lo, hi) && inBox(q, lo, hi)) return 0;
    double best = far;
    for (const auto& part : entityOutline(ent)) {
        if (part.size() == 1) best = std::min(best, q.distanceTo(part[0]));
        for (size_t i = 0; i + 1 < part.size(); ++i) best = std::min(best, distanceToSegment(q, part[i], part[i + 1]));
    }
    return best;
}

bool insideBox(const AcDbEntity* ent, const AcGePoint2d& lo, const AcGePoint2d& hi) {
    AcGePoint2d a, b;
    return boxOf(ent, a, b) && inBox(a, lo, hi) && inBox(b, lo, hi);
}

bool crossesBox(const AcDbEntity* ent, const AcGePoint2d& lo, const AcGePoint2d& hi) {
    if (insideBox(ent, lo, hi)) return true;
    for (const auto& part : entityOutline(ent)) {
        if (part.size() == 1 && inBox(part[0], lo, hi)) return true;
        for (size_t i = 0; i + 1 < part.size(); ++i)
            if (segmentTouchesBox(part[i], part[i + 1], lo, hi)) return true;
    }
    return false;
}

bool insidePolygon(const AcDbEntity* ent, const std::vector<AcGePoint2d>& polygon) {
    if (polygon.size() < 3) return false;
    Outline outline = entityOutline(ent);
    if (outline.empty()) return false;
    for (const auto& part : outline)
        for (const auto& p : part)
            if (!pointInPolygon(p, polygon)) return false;
    return !outlineCrossesLines(outline, closed(polygon));
}

bool crossesPolygon(const AcDbEntity* ent, const std::vector<AcGePoint2d>& polygon) {
    if (polygon.size() < 3) return false;
    Outline outline = entityOutline(ent);
    for (const auto& part : outline)
        for (const auto& p : part)
            if (pointInPolygon(p, polygon)) return true;
    return outlineCrossesLines(outline, closed(polygon));
}

bool crossesFence(const AcDbEntity* ent, const std::vector<AcGePoint2d>& fence) {
    return fence.size() >= 2 && outlineCrossesLines(entityOutline(ent), fence);
}

}  // namespace cvx::editor
