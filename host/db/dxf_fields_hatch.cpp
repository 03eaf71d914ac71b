// Filing of hatches: boundary loops (polyline or edge loops), pattern definition lines and seed points.
#include <algorithm>
#include <cmath>

#include "cvx/dbents.h"
#include "db/dxf_support.h"

namespace {
AcGePoint2d pt2(const AcDbDxfGroup& g) { return {g.point.x, g.point.y}; }
AcGeVector2d vec2(const AcDbDxfGroup& g) { return {g.point.x, g.point.y}; }

// Reads the groups of one boundary loop after its 92 group, up to and including its source objects.
void readLoop(AcDbDxfFiler* f, AcDbHatch::Loop& loop) {
    AcDbDxfGroup g;
    AcDbHatch::Edge* edge = nullptr;
    bool fitCountSeen = false;
    auto readSources = [&](int64_t count) {
        for (int64_t i = 0; i < count && f->readGroup(g); ++i) {
            if (g.code != 330) {
                f->pushBackGroup();
                break;
            }
            AcDbObjectId id = f->idFromHandle(static_cast<uint64_t>(g.integer));
            if (!id.isNull()) loop.sources.push_back(id);
        }
    };
    while (f->readGroup(g)) {
        if (g.code == 92 || g.code == 75 || g.code == 76 || g.code == 100) {  // the next loop or the pattern
            f->pushBackGroup();
            return;
        }
        if (g.code == 97) {
            AcDbDxfGroup count = g;
            if (edge && edge->type == AcDbHatch::kSpline && !fitCountSeen) {
                // A spline edge of a newer file counts its fit points with 97, even when it has none; the loop's
                // source count, also 97, follows later. The group after the count tells the two apart: fit
                // data, the next edge or the source count come after a fit count, source handles or the end
                // of the loop after a source count.
                fitCountSeen = true;
                if (f->readGroup(g)) {
                    f->pushBackGroup();
                    if (g.code == 11 || g.code == 12 || g.code == 13 || g.code == 72 || g.code == 97) continue;
                }
            }
            readSources(count.integer);
            return;
        }
        if (loop.isPolyline()) {
            switch (g.code) {
                case 10: loop.vertices.push_back(pt2(g)); loop.bulges.push_back(0); break;
                case 42: if (!loop.bulges.empty()) loop.bulges.back() = g.real; break;
                case 73: loop.closed = g.integer != 0; break;
                default: break;  // 72 (has bulges), 93 (count)
            }
            continue;
        }
        if (g.code == 72) {
            loop.edges.emplace_back();
            edge = &loop.edges.back();
            edge->type = static_cast<AcDbHatch::HatchEdgeType>(std::clamp<int64_t>(g.integer, 1, 4));
            fitCountSeen = false;
            continue;
        }
        if (!edge) continue;  // 93 (edge count)
        switch (edge->type) {
            case AcDbHatch::kLine:
                if (g.code == 10) edge->start = pt2(g);
                else if (g.code == 11) edge->end = pt2(g);
                break;
            case AcDbHatch::kCirArc:
            case AcDbHatch::kEllArc:
                switch (g.code) {
                    case 10: edge->center = pt2(g); break;
                    case 11: edge->majorAxis = vec2(g); break;
                    case 40: (edge->type == AcDbHatch::kCirArc ? edge->radius : edge->minorRatio) = g.real; break;
                    case 50: edge->startAngle = cvxRadians(g.real); break;
                    case 51: edge->endAngle = cvxRadians(g.real); break;
                    case 73: edge->ccw = g.integer != 0; break;
                    default: break;
                }
                break;
            case AcDbHatch::kSpline:
                switch (g.code) {
                    case 94: edge->degree = static_cast<int>(g.integer); break;
                    case 73: edge->rational = g.integer != 0; break;
                    case 74: edge->periodic = g.integer != 0; break;
                    case 40: edge->knots.push_back(g.real); break;
                    case 10: edge->controlPoints.push_back(pt2(g)); break;
                    case 42: edge->weights.push_back(g.real); break;
                    case 11: edge->fitPoints.push_back(pt2(g)); break;
                    case 12: edge->startTangent = vec2(g); break;
                    case 13: edge->endTangent = vec2(g); break;
                    default: break;  // 95, 96: counts
                }
                break;
        }
    }
}

// Where an edge starts and ends. A clockwise arc or elliptical arc measures its angles clockwise.
AcGePoint2d edgePoint(const AcDbHatch::Edge& e, bool atEnd) {
    switch (e.type) {
        case AcDbHatch::kLine: return atEnd ? e.end : e.start;
        case AcDbHatch::kCirArc:
        case AcDbHatch::kEllArc: {
            double a = atEnd ? e.endAngle : e.startAngle;
            if (!e.ccw) a = -a;
            AcGeVector2d major = e.type == AcDbHatch::kCirArc ? AcGeVector2d(e.radius, 0) : e.majorAxis;
            AcGeVector2d minor = major.perpVector() * (e.type == AcDbHatch::kCirArc ? 1.0 : e.minorRatio);
            return e.center + major * std::cos(a) + minor * std::sin(a);
        }
        case AcDbHatch::kSpline: {
            const auto& pts = e.controlPoints.empty() ? e.fitPoints : e.controlPoints;
            if (pts.empty()) return e.start;
            return atEnd ? pts.back() : pts.front();
        }
    }
    return e.start;
}

// The same edge run the other way.
void reverseEdge(AcDbHatch::Edge& e) {
    switch (e.type) {
        case AcDbHatch::kLine: std::swap(e.start, e.end); break;
        case AcDbHatch::kCirArc:
        case AcDbHatch::kEllArc: {
            double s = e.startAngle, t = e.endAngle;
            e.startAngle = -t;
            e.endAngle = -s;
            e.ccw = !e.ccw;
            break;
        }
        case AcDbHatch::kSpline: {
            std::reverse(e.controlPoints.begin(), e.controlPoints.end());
            std::reverse(e.weights.begin(), e.weights.end());
            std::reverse(e.fitPoints.begin(), e.fitPoints.end());
            if (!e.knots.empty()) {
                double sum = e.knots.front() + e.knots.back();
                std::reverse(e.knots.begin(), e.knots.end());
                for (double& k : e.knots) k = sum - k;
            }
            AcGeVector2d st = e.startTangent;
            e.startTangent = -e.endTangent;
            e.endTangent = -st;
            break;
        }
    }
}

// Edges some programs store in any order and direction ("a to b, a to c, b to c") are put head to tail, so
// that the loop encloses its area; a loop that cannot be chained so is left as the file gave it.
void chainEdges(AcDbHatch::Loop& loop) {
    auto& edges = loop.edges;
    if (edges.size() < 2) return;
    double size = 0;
    for (const auto& e : edges)
        for (bool end : {false, true}) {
            AcGePoint2d p = edgePoint(e, end);
            size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
        }
    const double tol = 1e-9 * std::max(size, 1.0) + 1e-12;
    auto near = [&](const AcGePoint2d& a, const AcGePoint2d& b) { return (a - b).length() <= 1e-6 * std::max(size, 1.0); };
    bool chained = true;
    for (size_t i = 0; i < edges.size() && chained; ++i)
        chained = (edgePoint(edges[i], true) - edgePoint(edges[(i + 1) % edges.size()], false)).length() <= tol;
    if (chained) return;
    std::vector<AcDbHatch::Edge> out;
    std::vector<bool> used(edges.size(), false);
    out.push_back(edges[0]);
    used[0] = true;
    for (size_t k = 1; k < edges.size(); ++k) {
        AcGePoint2d at = edgePoint(out.back(), true);
        size_t best = edges.size();
        bool flip = false;
        double bestDist = HUGE_VAL;
        for (size_t i = 0; i < edges.size(); ++i) {
            if (used[i]) continue;
            double ds = (edgePoint(edges[i], false) - at).length(), de = (edgePoint(edges[i], true) - at).length();
            if (ds < bestDist) bestDist = ds, best = i, flip = false;
            if (de < bestDist) bestDist = de, best = i, flip = true;
        }
        if (best == edges.size() || !near(edgePoint(edges[best], flip ? true : false), at)) return;
        used[best] = true;
        out.push_back(edges[best]);
        if (flip) reverseEdge(out.back());
    }
    if (!near(edgePoint(out.back(), true), edgePoint(out.front(), false))) return;
    edges = std::move(out);
}

void writeLoop(AcDbDxfFiler* f, const AcDbHatch::Loop& loop) {
    f->writeInt32(92, loop.type);
    if (loop.isPolyline()) {
        bool bulges = std::any_of(loop.bulges.begin(), loop.bulges.end(), [](double b) { return b != 0; });
        f->writeInt16(72, bulges ? 1 : 0);
        f->writeInt16(73, loop.closed ? 1 : 0);
        f->writeInt32(93, static_cast<int32_t>(loop.vertices.size()));
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            f->writePoint2d(10, loop.vertices[i]);
            if (bulges) f->writeDouble(42, i < loop.bulges.size() ? loop.bulges[i] : 0.0);
        }
    } else {
        f->writeInt32(93, static_cast<int32_t>(loop.edges.size()));
        for (const AcDbHatch::Edge& e : loop.edges) {
            f->writeInt16(72, static_cast<int16_t>(e.type));
            switch (e.type) {
                case AcDbHatch::kLine:
                    f->writePoint2d(10, e.start);
                    f->writePoint2d(11, e.end);
                    break;
                case AcDbHatch::kCirArc:
                case AcDbHatch::kEllArc:
                    f->writePoint2d(10, e.center);
                    if (e.type == AcDbHatch::kEllArc) f->writePoint2d(11, AcGePoint2d(e.majorAxis.x, e.majorAxis.y));
                    f->writeDouble(40, e.type == AcDbHatch::kCirArc ? e.radius : e.minorRatio);
                    f->writeDouble(50, cvxDegrees(e.startAngle));
                    f->writeDouble(51, cvxDegrees(e.endAngle));
                    f->writeInt16(73, e.ccw ? 1 : 0);
                    break;
                case AcDbHatch::kSpline: {
                    bool rational = e.rational && e.weights.size() == e.controlPoints.size();
                    f->writeInt32(94, e.degree);
                    f->writeInt16(73, rational ? 1 : 0);
                    f->writeInt16(74, e.periodic ? 1 : 0);
                    f->writeInt32(95, static_cast<int32_t>(e.knots.size()));
                    f->writeInt32(96, static_cast<int32_t>(e.controlPoints.size()));
                    for (double k : e.knots) f->writeDouble(40, k);
                    for (size_t i = 0; i < e.controlPoints.size(); ++i) {
                        f->writePoint2d(10, e.controlPoints[i]);
                        if (rational) f->writeDouble(42, e.weights[i]);
                    }
                    if (!e.fitPoints.empty()) {
                        f->writeInt32(97, static_cast<int32_t>(e.fitPoints.size()));
                        for (const AcGePoint2d& p : e.fitPoints) f->writePoint2d(11, p);
                        f->writePoint2d(12, AcGePoint2d(e.startTangent.x, e.startTangent.y));
                        f->writePoint2d(13, AcGePoint2d(e.endTangent.x, e.endTangent.y));
                    }
                    break;
                }
            }
        }
    }
    int32_t live = 0;
    for (AcDbObjectId id : loop.sources) live += id.isErased() ? 0 : 1;
    f->writeInt32(97, live);
    for (AcDbObjectId id : loop.sources)
        if (!id.isErased()) f->writeObjectId(330, id);
}
}  // namespace

Acad::ErrorStatus AcDbHatch::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mLoops.clear();
    mPatternLines.clear();
    mSeeds.clear();
    AcDbDxfGroup g;
    while (filer->readGroup(g)) switch (g.code) {
            case 100: break;
            case 10: mElevation = g.point.z; break;
            case 210: mNormal = {g.point.x, g.point.y, g.point.z}; break;
            case 2: mPatternName = g.wtext(); break;
            case 70: mSolid = g.integer != 0; break;
            case 71: mAssociative = g.integer != 0; break;
            case 91: break;  // the loop count: loops are counted as they come
            case 92: {
                Loop loop;
                loop.type = static_cast<int>(g.integer);
                readLoop(filer, loop);
                if (!loop.isPolyline()) chainEdges(loop);
                mLoops.push_back(std::move(loop));
                break;
            }
            case 75: mStyle = static_cast<HatchStyle>(std::clamp<int64_t>(g.integer, 0, 2)); break;
            case 76: mPatternType = static_cast<HatchPatternType>(std::clamp<int64_t>(g.integer, 0, 2)); break;
            case 52: mPatternAngle = cvxRadians(g.real); break;
            case 41: mPatternScale = g.real; break;
            case 77: mPatternDouble = g.integer != 0; break;
            case 78: break;  // the pattern line count
            case 53: mPatternLines.emplace_back().angle = cvxRadians(g.real); break;
            case 43: case 44: case 45: case 46: case 49:
                if (mPatternLines.empty()) break;
                if (g.code == 43) mPatternLines.back().base.x = g.real;
                if (g.code == 44) mPatternLines.back().base.y = g.real;
                if (g.code == 45) mPatternLines.back().offset.x = g.real;
                if (g.code == 46) mPatternLines.back().offset.y = g.real;
                if (g.code == 49) mPatternLines.back().dashes.push_back(g.real);
                break;
            case 79: break;  // dash count
            case 47: mPixelSize = g.real; break;
            case 98: {
                int64_t n = g.integer;
                for (int64_t i = 0; i < n && filer->readGroup(g); ++i) {
                    if (g.code != 10) {
                        filer->pushBackGroup();
                        break;
                    }
                    mSeeds.emplace_back(g.point.x, g.point.y);
                }
                break;
            }
            default: cvxKeepGroup(this, kSectionTail, g);
        }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbHatch");
    filer->writePoint3d(10, AcGePoint3d(0, 0, mElevation));
    filer->writeVector3d(210, mNormal);
    filer->writeString(2, mPatternName);
    filer->writeInt16(70, mSolid ? 1 : 0);
    filer->writeInt16(71, mAssociative ? 1 : 0);
    filer->writeInt32(91, static_cast<int32_t>(mLoops.size()));
    for (const Loop& loop : mLoops) writeLoop(filer, loop);
    filer->writeInt16(75, static_cast<int16_t>(mStyle));
    filer->writeInt16(76, static_cast<int16_t>(mPatternType));
    if (!mSolid) {
        filer->writeDouble(52, cvxDegrees(mPatternAngle));
        filer->writeDouble(41, mPatternScale);
        filer->writeInt16(77, mPatternDouble ? 1 : 0);
        std::vector<PatternLine> lines = patternDefinition();
        filer->writeInt16(78, static_cast<int16_t>(lines.size()));
        for (const PatternLine& l : lines) {
            filer->writeDouble(53, cvxDegrees(l.angle));
            filer->writeDouble(43, l.base.x);
            filer->writeDouble(44, l.base.y);
            filer->writeDouble(45, l.offset.x);
            filer->writeDouble(46, l.offset.y);
            filer->writeInt16(79, static_cast<int16_t>(l.dashes.size()));
            for (double d : l.dashes) filer->writeDouble(49, d);
        }
    }
    if (mPixelSize != 0) filer->writeDouble(47, mPixelSize);
    filer->writeInt32(98, static_cast<int32_t>(mSeeds.size()));
    for (const AcGePoint2d& p : mSeeds) filer->writePoint2d(10, p);
    return filer->filerStatus();
}
