// Hatches: boundary loops (polylines with bulges, or edges), pattern, area, transformation and extents.
#include <algorithm>
#include <cmath>

#include "curves/bulge_polyline.h"
#include "curves/nurbs.h"
#include "cvx/dbents.h"
#include "cvx/gecurve2d.h"
#include "db/entity_transform.h"
#include "db/hatch_patterns.h"

using Edge = AcDbHatch::Edge;
using Loop = AcDbHatch::Loop;

Acad::ErrorStatus AcDbHatch::setPattern(HatchPatternType type, const ACHAR* name) {
    if (!name || !*name) return Acad::eInvalidInput;
    assertWriteEnabled();
    mPatternType = type;
    mPatternName = name;
    std::wstring upper = mPatternName;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::towupper);
    mSolid = upper == L"SOLID";
    mPatternLines.clear();  // lines read with the old pattern no longer apply
    return Acad::eOk;
}

std::vector<AcDbHatch::PatternLine> AcDbHatch::patternDefinition() const {
    if (mSolid) return {};
    if (!mPatternLines.empty()) return mPatternLines;
    const std::vector<PatternLine>* families = predefinedPattern(mPatternName);
    if (!families) families = predefinedPattern(L"ANSI31");
    double scale = mPatternScale > 0 ? mPatternScale : 1;
    std::vector<PatternLine> out = *families;
    for (PatternLine& l : out) {
        AcGeVector2d base(l.base.x, l.base.y);
        base.rotateBy(mPatternAngle);
        l.offset.rotateBy(mPatternAngle);
        l.angle += mPatternAngle;
        l.base = AcGePoint2d::kOrigin + base * scale;
        l.offset *= scale;
        for (double& d : l.dashes) d *= scale;
    }
    return out;
}

int AcDbHatch::loopTypeAt(int index) const {
    return index >= 0 && index < numLoops() ? mLoops[static_cast<size_t>(index)].type : 0;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, int& loopType, AcGePoint2dArray& vertices,
                                       AcGeDoubleArray& bulges) const {
    if (index < 0 || index >= numLoops()) return Acad::eInvalidIndex;
    const Loop& l = mLoops[static_cast<size_t>(index)];
    if (!l.isPolyline()) return Acad::eInvalidInput;
    loopType = l.type;
    vertices.vec() = l.vertices;
    bulges.vec() = l.bulges;
    bulges.setLogicalLength(vertices.length());
    return Acad::eOk;
}

namespace {
// An edge as a geometric curve the caller owns.
AcGeCurve2d* toGeCurve(const Edge& e) {
    switch (e.type) {
        case AcDbHatch::kLine: return new AcGeLineSeg2d(e.start, e.end);
        case AcDbHatch::kCirArc:
            // A clockwise arc measures its angles clockwise from the reference direction.
            return e.ccw ? new AcGeCircArc2d(e.center, e.radius, e.startAngle, e.endAngle, AcGeVector2d::kXAxis, false)
                         : new AcGeCircArc2d(e.center, e.radius, -e.startAngle, -e.endAngle, AcGeVector2d::kXAxis, true);
        case AcDbHatch::kEllArc: {
            double major = e.majorAxis.length();
            AcGeVector2d mj = e.majorAxis.normal();
            AcGeVector2d mn = e.ccw ? mj.perpVector() : -mj.perpVector();
            double s = e.ccw ? e.startAngle : -e.startAngle, t = e.ccw ? e.endAngle : -e.endAngle;
            return new AcGeEllipArc2d(e.center, mj, mn, major, major * e.minorRatio, s, t);
        }
        case AcDbHatch::kSpline: {
            AcGeKnotVector knots(AcGeDoubleArray(), 1e-9);
            for (double k : e.knots) knots.append(k);
            AcGePoint2dArray ctrl;
            ctrl.vec() = e.controlPoints;
            AcGeNurbCurve2d* c;
            if (e.rational) {
                AcGeDoubleArray w;
                w.vec() = e.weights;
                c = new AcGeNurbCurve2d(e.degree, knots, ctrl, w, e.periodic);
            } else {
                c = new AcGeNurbCurve2d(e.degree, knots, ctrl, e.periodic);
            }
            if (!e.fitPoints.empty()) {
                AcGePoint2dArray fit;
                fit.vec() = e.fitPoints;
                c->setFitData(fit, e.startTangent, e.endTangent);
            }
            return c;
        }
    }
    return nullptr;
}

// An edge from a geometric curve; false for curve kinds a hatch cannot hold.
bool fromGeCurve(const AcGeCurve2d* c, Edge& e) {
    switch (c->type()) {
        case AcGe::kLineSeg2d: {
            auto* l = static_cast<const AcGeLineSeg2d*>(c);
            e.type = AcDbHatch::kLine;
            e.start = l->startPoint();
            e.end = l->endPoint();
            return true;
        }
        case AcGe::kCircArc2d: {
            auto* a = static_cast<const AcGeCircArc2d*>(c);
            e.type = AcDbHatch::kCirArc;
            e.center = a->center();
            e.radius = a->radius();
            e.ccw = !a->isClockWise();
            // True angles of the end points.
            AcGeVector2d s = a->startPoint() - a->center(), t = a->endPoint() - a->center();
            e.startAngle = s.angle();
            e.endAngle = t.angle();
            if (e.ccw && e.endAngle <= e.startAngle) e.endAngle += 2 * M_PI;
            if (!e.ccw && e.endAngle >= e.startAngle) e.endAngle -= 2 * M_PI;
            return true;
        }
        case AcGe::kEllipArc2d: {
            auto* a = static_cast<const AcGeEllipArc2d*>(c);
            e.type = AcDbHatch::kEllArc;
            e.center = a->center();
            e.majorAxis = a->majorAxis() * a->majorRadius();
            e.minorRatio = a->majorRadius() > 0 ? a->minorRadius() / a->majorRadius() : 1;
            e.ccw = !a->isClockWise();
            e.startAngle = e.ccw ? a->startAng() : -a->startAng();
            e.endAngle = e.ccw ? a->endAng() : -a->endAng();
            return true;
        }
        case AcGe::kNurbCurve2d: {
            auto* n = static_cast<const AcGeNurbCurve2d*>(c);
            e.type = AcDbHatch::kSpline;
            e.degree = n->degree();
            e.rational = n->isRational();
            e.periodic = n->isPeriodic();
            e.knots = n->knots().knots().vec();
            e.controlPoints.clear();
            e.weights.clear();
            for (int i = 0; i < n->numControlPoints(); ++i) {
                e.controlPoints.push_back(n->controlPointAt(i));
                if (e.rational) e.weights.push_back(n->weightAt(i));
            }
            e.fitPoints.clear();
            for (int i = 0; i < n->numFitPoints(); ++i) {
                AcGePoint2d p;
                n->getFitPointAt(i, p);
                e.fitPoints.push_back(p);
            }
            n->getFitTangents(e.startTangent, e.endTangent);
            return true;
        }
        default: return false;
    }
}

// Points along an edge, its start included and its end left out (the next edge starts there).
void sampleEdge(const Edge& e, double tol, std::vector<AcGePoint2d>& out) {
    std::unique_ptr<AcGeCurve2d> c(toGeCurve(e));
    if (!c) return;
    double a, b;
    c->getInterval(a, b);
    int n = 1;
    if (e.type == AcDbHatch::kCirArc || e.type == AcDbHatch::kEllArc) {
        double r = e.type == AcDbHatch::kCirArc ? e.radius : e.majorAxis.length();
        double step = r > tol ? 2 * std::acos(std::max(-1.0, 1 - tol / r)) : M_PI / 4;
        n = std::clamp(static_cast<int>(std::ceil(std::fabs(b - a) / std::max(step, 1e-3))), 2, 4096);
    } else if (e.type == AcDbHatch::kSpline) {
        n = std::clamp(static_cast<int>(e.controlPoints.size()) * 16, 16, 4096);
    }
    for (int i = 0; i < n; ++i) out.push_back(c->evalPoint(a + (b - a) * i / n));
}

double polygonArea(const std::vector<AcGePoint2d>& pts) {
    double a = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const AcGePoint2d& p = pts[i];
        const AcGePoint2d& q = pts[(i + 1) % pts.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return a / 2;
}
}  // namespace

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, int& loopType, AcGeVoidPointerArray& edgePtrs,
                                       AcGeIntArray& edgeTypes) const {
    if (index < 0 || index >= numLoops()) return Acad::eInvalidIndex;
    const Loop& l = mLoops[static_cast<size_t>(index)];
    loopType = l.type;
    edgePtrs.removeAll();
    edgeTypes.removeAll();
    if (l.isPolyline()) {
        // A polyline loop reads as its line and arc segments.
        cvx::geom::BulgePolyline pl;
        pl.closed = true;
        for (size_t i = 0; i < l.vertices.size(); ++i) pl.v.push_back({l.vertices[i], i < l.bulges.size() ? l.bulges[i] : 0.0});
        for (const cvx::geom::Segment2& s : cvx::geom::segments(pl)) {
            if (s.start.isEqualTo(s.end)) continue;
            if (!s.arc) {
                edgePtrs.append(new AcGeLineSeg2d(s.start, s.end));
                edgeTypes.append(kLine);
            } else if (s.sweep > 0) {
                edgePtrs.append(new AcGeCircArc2d(s.center, s.radius, s.startAngle, s.startAngle + s.sweep));
                edgeTypes.append(kCirArc);
            } else {
                edgePtrs.append(new AcGeCircArc2d(s.center, s.radius, -s.startAngle, -(s.startAngle + s.sweep),
                                                  AcGeVector2d::kXAxis, true));
                edgeTypes.append(kCirArc);
            }
        }
        return Acad::eOk;
    }
    for (const Edge& e : l.edges) {
        edgePtrs.append(toGeCurve(e));
        edgeTypes.append(e.type);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendLoop(int loopType, const AcGePoint2dArray& vertices, const AcGeDoubleArray& bulges) {
    if (vertices.length() < 2) return Acad::eInvalidInput;
    assertWriteEnabled();
    Loop l;
    l.type = loopType | kPolyline;
    l.vertices = vertices.vec();
    l.bulges = bulges.vec();
    l.bulges.resize(l.vertices.size(), 0.0);
    // A closing vertex equal to the first one is implied by the loop.
    if (l.vertices.size() > 2 && l.vertices.front().isEqualTo(l.vertices.back())) {
        l.vertices.pop_back();
        l.bulges.pop_back();
    }
    mLoops.push_back(std::move(l));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendLoop(int loopType, const AcGeVoidPointerArray& edgePtrs, const AcGeIntArray& edgeTypes) {
    if (edgePtrs.isEmpty()) return Acad::eInvalidInput;
    Loop l;
    l.type = loopType & ~kPolyline;
    for (void* p : edgePtrs) {
        Edge e;
        if (!p || !fromGeCurve(static_cast<const AcGeCurve2d*>(p), e)) return Acad::eInvalidInput;
        l.edges.push_back(std::move(e));
    }
    assertWriteEnabled();
    mLoops.push_back(std::move(l));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::insertLoopAt(int index, const Loop& loop) {
    if (index < 0 || index > numLoops()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mLoops.insert(mLoops.begin() + index, loop);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::removeLoopAt(int index) {
    if (index < 0 || index >= numLoops()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mLoops.erase(mLoops.begin() + index);
    return Acad::eOk;
}

// Pattern lines are made when the hatch is drawn, so there is nothing to compute ahead of time.
Acad::ErrorStatus AcDbHatch::evaluateHatch(bool) { return mLoops.empty() ? Acad::eInvalidInput : Acad::eOk; }

std::vector<AcGePoint2d> AcDbHatch::loopOutline(int index, double chordTolerance) const {
    std::vector<AcGePoint2d> out;
    if (index < 0 || index >= numLoops()) return out;
    const Loop& l = mLoops[static_cast<size_t>(index)];
    if (l.isPolyline()) {
        cvx::geom::BulgePolyline pl;
        pl.closed = true;
        for (size_t i = 0; i < l.vertices.size(); ++i) pl.v.push_back({l.vertices[i], i < l.bulges.size() ? l.bulges[i] : 0.0});
        for (const cvx::geom::Segment2& s : cvx::geom::segments(pl)) {
            Edge e;
            if (s.arc) {
                e.type = kCirArc;
                e.center = s.center;
                e.radius = s.radius;
                e.ccw = s.sweep > 0;
                e.startAngle = s.startAngle;
                e.endAngle = s.startAngle + s.sweep;
            } else {
                e.start = s.start;
                e.end = s.end;
            }
            sampleEdge(e, chordTolerance, out);
        }
        return out;
    }
    for (const Edge& e : l.edges) sampleEdge(e, chordTolerance, out);
    return out;
}

double AcDbHatch::getArea() const {
    // Outer loops add, the loops inside them (holes) subtract.
    double total = 0;
    bool anyOuter = false;
    for (const Loop& l : mLoops) anyOuter |= (l.type & (kExternal | kOutermost)) != 0;
    for (int i = 0; i < numLoops(); ++i) {
        double a = std::fabs(polygonArea(loopOutline(i, 1e-4)));
        bool outer = anyOuter ? (mLoops[static_cast<size_t>(i)].type & (kExternal | kOutermost)) != 0 : i == 0;
        total += outer ? a : -a;
    }
    return std::fabs(total);
}

AcGeMatrix3d AcDbHatch::planeToWorld() const {
    return AcGeMatrix3d::planeToWorld(mNormal) * AcGeMatrix3d::translation({0, 0, mElevation});
}

Acad::ErrorStatus AcDbHatch::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    AcGeVector3d newNormal = cvxTransformedNormal(m, mNormal);
    // The 2D map from the old hatch plane to the new one (a similarity, possibly mirrored).
    AcGeMatrix3d full = AcGeMatrix3d::worldToPlane(newNormal) * m * planeToWorld();
    auto map = [&](const AcGePoint2d& p) { return (full * AcGePoint3d(p.x, p.y, 0)).convert2d(); };
    auto mapV = [&](const AcGeVector2d& v) { return (full * AcGeVector3d(v.x, v.y, 0)).convert2d(); };
    bool mirror = m.det() < 0;
    double s = m.scale();
    double rot = mapV(AcGeVector2d::kXAxis).angle();
    auto mapAngle = [&](double a) { return mirror ? rot - a : rot + a; };
    assertWriteEnabled();
    for (Loop& l : mLoops) {
        for (AcGePoint2d& p : l.vertices) p = map(p);
        if (mirror)
            for (double& b : l.bulges) b = -b;
        for (Edge& e : l.edges) {
            e.start = map(e.start);
            e.end = map(e.end);
            e.center = map(e.center);
            e.radius *= s;
            if (e.type == kCirArc) {
                e.startAngle = mapAngle(e.startAngle);
                e.endAngle = mapAngle(e.endAngle);
                if (mirror) e.ccw = !e.ccw;
            } else if (e.type == kEllArc) {
                e.majorAxis = mapV(e.majorAxis);
                if (mirror) {
                    e.ccw = !e.ccw;
                    e.startAngle = -e.startAngle;
                    e.endAngle = -e.endAngle;
                }
            }
            for (AcGePoint2d& p : e.controlPoints) p = map(p);
            for (AcGePoint2d& p : e.fitPoints) p = map(p);
            e.startTangent = mapV(e.startTangent);
            e.endTangent = mapV(e.endTangent);
        }
    }
    for (PatternLine& l : mPatternLines) {
        l.angle = mapAngle(l.angle);
        l.base = map(l.base);
        l.offset = mapV(l.offset);
        for (double& d : l.dashes) d *= s;
    }
    for (AcGePoint2d& p : mSeeds) p = map(p);
    mElevation = (full * AcGePoint3d(0, 0, 0)).z;
    mNormal = newNormal;
    mPatternScale *= s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getGeomExtents(AcDbExtents& ext) const {
    AcGeMatrix3d toWorld = planeToWorld();
    bool any = false;
    for (int i = 0; i < numLoops(); ++i)
        for (const AcGePoint2d& p : loopOutline(i, 1e-6)) {
            ext.addPoint(toWorld * AcGePoint3d(p.x, p.y, 0));
            any = true;
        }
    return any ? Acad::eOk : Acad::eInvalidExtents;
}

void AcDbHatch::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbHatch*>(other);
    o->mLoops = mLoops;
    o->mPatternLines = mPatternLines;
    o->mSeeds = mSeeds;
    o->mPatternName = mPatternName;
    o->mPatternType = mPatternType;
    o->mStyle = mStyle;
    o->mPatternAngle = mPatternAngle;
    o->mPatternScale = mPatternScale;
    o->mElevation = mElevation;
    o->mPixelSize = mPixelSize;
    o->mNormal = mNormal;
    o->mSolid = mSolid;
    o->mAssociative = mAssociative;
    o->mPatternDouble = mPatternDouble;
}
