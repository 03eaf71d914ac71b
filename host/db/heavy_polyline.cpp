// 2D and 3D polylines: vertex sub-objects, spline fitting, transformation and extents.
#include <algorithm>

#include "curves/curve.h"
#include "curves/spline_fit_polyline.h"
#include "cvx/dbents.h"
#include "db/children.h"
#include "db/curve_geometry.h"
#include "db/entity_transform.h"

// ---- vertices ----

int AcDb2dVertex::vertexFlags() const {
    int f = 0;
    if (mType == AcDb::k2dCurveFitVertex) f |= 1;
    if (mTangentUsed) f |= 2;
    if (mType == AcDb::k2dSplineFitVertex) f |= 8;
    if (mType == AcDb::k2dSplineCtlVertex) f |= 16;
    return f;
}

void AcDb2dVertex::setVertexFlags(int flags) {
    mTangentUsed = (flags & 2) != 0;
    mType = (flags & 16) ? AcDb::k2dSplineCtlVertex
            : (flags & 8) ? AcDb::k2dSplineFitVertex
            : (flags & 1) ? AcDb::k2dCurveFitVertex
                          : AcDb::k2dVertex;
}

void AcDb2dVertex::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDb2dVertex*>(other);
    o->mPos = mPos;
    o->mBulge = mBulge;
    o->mStartWidth = mStartWidth;
    o->mEndWidth = mEndWidth;
    o->mTangent = mTangent;
    o->mType = mType;
    o->mTangentUsed = mTangentUsed;
}

void AcDb3dPolylineVertex::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDb3dPolylineVertex*>(other);
    o->mPos = mPos;
    o->mType = mType;
}

// ---- iteration ----

void AcDbObjectIterator::step(bool backwards, bool skipDeleted) {
    do {
        if (backwards) mPos = mPos == 0 ? count() : mPos - 1;
        else ++mPos;
    } while (skipDeleted && mPos < mIds.size() && mIds[mPos].isErased());
}

AcDbEntity* AcDbObjectIterator::entity() const {
    if (done()) return nullptr;
    return AcDbEntity::cast(mIds.empty() ? mObjects[mPos] : mIds[mPos].objectPtr());
}

void AcDbObjectIterator::setPosition(AcDbObjectId id) {
    auto it = std::find(mIds.begin(), mIds.end(), id);
    mPos = static_cast<size_t>(it - mIds.begin());
}

// ---- the vertex list ----

AcDbHeavyPolyline::~AcDbHeavyPolyline() {
    for (AcDbVertex* v : mPendingVertices) delete v;
}

AcDbObjectIterator* AcDbHeavyPolyline::vertexIterator() const {
    std::vector<AcDbObjectId> live;
    for (AcDbObjectId id : mVertexIds)
        if (!id.isErased()) live.push_back(id);
    std::vector<AcDbObject*> pending(mPendingVertices.begin(), mPendingVertices.end());
    return new AcDbObjectIterator(std::move(live), std::move(pending));
}

Acad::ErrorStatus AcDbHeavyPolyline::appendVertex(AcDbVertex* vertex) {
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDbHeavyPolyline::appendVertex(AcDbObjectId& id, AcDbVertex* vertex) {
    id = AcDbObjectId();
    if (!vertex) return Acad::eNullEntityPointer;
    if (vertex->isDatabaseResident()) return Acad::eAlreadyInDb;
    assertWriteEnabled();
    if (!isDatabaseResident()) {
        mPendingVertices.push_back(vertex);
        return Acad::eOk;
    }
    Acad::ErrorStatus es = database()->addAcDbObject(id, vertex);
    if (es != Acad::eOk) return es;
    vertex->setOwnerId(objectId());
    vertex->setPropertiesFrom(this);
    vertex->close();
    mVertexIds.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHeavyPolyline::insertVertexAt(const AcDbVertex* after, AcDbVertex* vertex) {
    if (!vertex) return Acad::eNullEntityPointer;
    if (vertex->isDatabaseResident()) return Acad::eAlreadyInDb;
    assertWriteEnabled();
    if (!isDatabaseResident()) {
        auto it = after ? std::find(mPendingVertices.begin(), mPendingVertices.end(), after) : mPendingVertices.begin();
        if (after && it == mPendingVertices.end()) return Acad::eInvalidInput;
        mPendingVertices.insert(after ? it + 1 : it, vertex);
        return Acad::eOk;
    }
    auto pos = mVertexIds.begin();
    if (after) {
        pos = std::find(mVertexIds.begin(), mVertexIds.end(), after->objectId());
        if (pos == mVertexIds.end()) return Acad::eInvalidInput;
        ++pos;
    }
    AcDbObjectId id;
    Acad::ErrorStatus es = database()->addAcDbObject(id, vertex);
    if (es != Acad::eOk) return es;
    vertex->setOwnerId(objectId());
    vertex->setPropertiesFrom(this);
    vertex->close();
    mVertexIds.insert(pos, id);
    return Acad::eOk;
}

int AcDbHeavyPolyline::vertexCount() const { return static_cast<int>(vertices().size()); }

std::vector<const AcDbVertex*> AcDbHeavyPolyline::vertices() const {
    std::vector<const AcDbVertex*> out;
    if (!isDatabaseResident()) {
        out.assign(mPendingVertices.begin(), mPendingVertices.end());
        return out;
    }
    for (AcDbObjectId id : mVertexIds)
        if (!id.isErased())
            if (auto* v = AcDbVertex::cast(id.objectPtr())) out.push_back(v);
    return out;
}

std::vector<AcDbVertex*> AcDbHeavyPolyline::verticesForWrite() {
    std::vector<AcDbVertex*> out;
    for (const AcDbVertex* v : vertices()) out.push_back(const_cast<AcDbVertex*>(v));
    return out;
}

std::vector<AcDbObject*> AcDbHeavyPolyline::pendingChildren() const {
    std::vector<AcDbObject*> out(mPendingVertices.begin(), mPendingVertices.end());
    out.push_back(new AcDbSequenceEnd());
    return out;
}

void AcDbHeavyPolyline::childrenMadeResident(const std::vector<AcDbObjectId>& ids) {
    // The last child is the sequence end.
    mVertexIds.assign(ids.begin(), ids.end() - 1);
    mSeqEnd = ids.back();
    mPendingVertices.clear();
}

void AcDbHeavyPolyline::removeAllVertices() {
    assertWriteEnabled();
    for (AcDbVertex* v : mPendingVertices) delete v;
    mPendingVertices.clear();
    for (AcDbObjectId id : mVertexIds) {
        AcDbObject* v = nullptr;
        if (acdbOpenAcDbObject(v, id, AcDb::kForWrite) == Acad::eOk) {
            v->erase();
            v->close();
        }
    }
    mVertexIds.clear();
}

void AcDbHeavyPolyline::copyVerticesTo(AcDbHeavyPolyline* other) const {
    for (const AcDbVertex* v : vertices()) other->mPendingVertices.push_back(static_cast<AcDbVertex*>(v->clone()));
}

namespace {
// Replaces a polyline's vertices by new ones (resident or pending, as the polyline is).
void replaceVertices(AcDbHeavyPolyline* pl, const std::vector<AcDbVertex*>& fresh) {
    pl->removeAllVertices();
    for (AcDbVertex* v : fresh) pl->appendVertex(v);
}

std::vector<AcGePoint3d> controlPositions(const AcDbHeavyPolyline* pl, bool is2d) {
    std::vector<AcGePoint3d> pts;
    for (const AcDbVertex* v : pl->vertices()) {
        if (is2d) {
            auto* v2 = static_cast<const AcDb2dVertex*>(v);
            if (v2->vertexType() == AcDb::k2dSplineFitVertex || v2->vertexType() == AcDb::k2dCurveFitVertex) continue;
            pts.push_back(v2->position());
        } else {
            auto* v3 = static_cast<const AcDb3dPolylineVertex*>(v);
            if (v3->vertexType() == AcDb::k3dFitVertex) continue;
            pts.push_back(v3->position());
        }
    }
    return pts;
}

int splineSegments(const AcDbEntity* e) {
    AcDbDatabase* db = e->database() ? e->database() : acdbHostApplicationServices()->workingDatabase();
    int segs = db ? db->splinesegs() : 8;
    return segs == 0 ? 8 : std::abs(segs);
}
}  // namespace

// ---- 2D polylines ----

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation,
                               bool closed, double defStartWidth, double defEndWidth, const AcGeDoubleArray* bulges)
    : mType(AcDb::k2dSimplePoly), mDefStart(defStartWidth), mDefEnd(defEndWidth), mElevation(elevation) {
    mClosed = closed;
    for (int i = 0; i < vertices.length(); ++i) {
        AcGePoint3d p = vertices[i];
        p.z = elevation;
        double b = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
        appendVertex(new AcDb2dVertex(p, b, defStartWidth, defEndWidth));
    }
    if (type != AcDb::k2dSimplePoly) convertToPolyType(type);
}

Acad::ErrorStatus AcDb2dPolyline::setPolyType(AcDb::Poly2dType t) { return convertToPolyType(t); }

Acad::ErrorStatus AcDb2dPolyline::convertToPolyType(AcDb::Poly2dType t) {
    if (t == AcDb::k2dSimplePoly) return straighten();
    if (t == AcDb::k2dFitCurvePoly) return curveFit();
    return splineFit(t, static_cast<int16_t>(splineSegments(this)));
}

Acad::ErrorStatus AcDb2dPolyline::splineFit() { return splineFit(AcDb::k2dCubicSplinePoly, static_cast<int16_t>(splineSegments(this))); }

Acad::ErrorStatus AcDb2dPolyline::splineFit(AcDb::Poly2dType type, int16_t segments) {
    if (type != AcDb::k2dCubicSplinePoly && type != AcDb::k2dQuadSplinePoly) return Acad::eInvalidInput;
    std::vector<AcGePoint3d> ctrl = controlPositions(this, true);
    if (ctrl.size() < 3) return Acad::eDegenerateGeometry;
    int degree = type == AcDb::k2dCubicSplinePoly ? 3 : 2;
    std::vector<AcGePoint3d> fit = cvx::geom::splineFitVertices(ctrl, degree, mClosed, segments > 0 ? segments : 8);
    assertWriteEnabled();
    // The control vertices stay (hidden), followed by the generated fit vertices that show the curve.
    std::vector<AcDbVertex*> fresh;
    for (const AcGePoint3d& p : ctrl) {
        auto* v = new AcDb2dVertex(AcGePoint3d(p.x, p.y, mElevation), 0, mDefStart, mDefEnd);
        v->setVertexType(AcDb::k2dSplineCtlVertex);
        fresh.push_back(v);
    }
    for (const AcGePoint3d& p : fit) {
        auto* v = new AcDb2dVertex(AcGePoint3d(p.x, p.y, mElevation), 0, mDefStart, mDefEnd);
        v->setVertexType(AcDb::k2dSplineFitVertex);
        fresh.push_back(v);
    }
    replaceVertices(this, fresh);
    mType = type;
    mSegs = segments;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::curveFit() {
    // A curve-fit polyline passes through its vertices with arcs; here the vertices are kept and the smoothing
    // is carried by a cubic spline through them, sampled like a spline fit.
    std::vector<AcGePoint3d> pts = controlPositions(this, true);
    if (pts.size() < 3) return Acad::eDegenerateGeometry;
    return splineFit(AcDb::k2dCubicSplinePoly, static_cast<int16_t>(splineSegments(this)));
}

Acad::ErrorStatus AcDb2dPolyline::straighten() {
    if (mType == AcDb::k2dSimplePoly) return Acad::eOk;
    std::vector<AcGePoint3d> ctrl = controlPositions(this, true);
    assertWriteEnabled();
    std::vector<AcDbVertex*> fresh;
    for (const AcGePoint3d& p : ctrl) fresh.push_back(new AcDb2dVertex(p, 0, mDefStart, mDefEnd));
    replaceVertices(this, fresh);
    mType = AcDb::k2dSimplePoly;
    return Acad::eOk;
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& v) const {
    AcGePoint3d local(v.position().x, v.position().y, mElevation);
    if (mNormal.isEqualTo(AcGeVector3d::kZAxis)) return local;
    return AcGeMatrix3d::planeToWorld(mNormal) * local;
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& m) {
    bool hasBulge = false, hasWidth = mDefStart != 0 || mDefEnd != 0;
    for (const AcDbVertex* v : vertices()) {
        auto* v2 = static_cast<const AcDb2dVertex*>(v);
        hasBulge |= v2->bulge() != 0;
        hasWidth |= v2->startWidth() != 0 || v2->endWidth() != 0;
    }
    if (!m.isUniScaledOrtho() && (hasBulge || hasWidth)) return Acad::eCannotScaleNonUniformly;
    AcGeVector3d newNormal = cvxTransformedNormal(m, mNormal);
    assertWriteEnabled();
    AcGeMatrix3d full = AcGeMatrix3d::worldToPlane(newNormal) * m * AcGeMatrix3d::planeToWorld(mNormal);
    double s = m.scale();
    bool mirror = m.det() < 0;
    double elevation = (full * AcGePoint3d(0, 0, mElevation)).z;
    for (AcDbVertex* v : verticesForWrite()) {
        auto* v2 = static_cast<AcDb2dVertex*>(v);
        bool wasClosed = v2->isDatabaseResident() && v2->openMode() == AcDbObject::kClosed;
        if (wasClosed) v2->hostOpen(AcDb::kForWrite);
        AcGePoint3d q = full * AcGePoint3d(v2->position().x, v2->position().y, mElevation);
        elevation = q.z;
        v2->setPosition(AcGePoint3d(q.x, q.y, q.z));
        if (mirror) v2->setBulge(-v2->bulge());
        v2->setStartWidth(v2->startWidth() * s);
        v2->setEndWidth(v2->endWidth() * s);
        if (wasClosed) v2->close();
    }
    mElevation = elevation;
    mNormal = newNormal;
    mDefStart *= s;
    mDefEnd *= s;
    mThickness *= s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getGeomExtents(AcDbExtents& ext) const {
    cvx::geom::Curve g;
    if (!cvxCurveGeometry(this, g)) return Acad::eInvalidExtents;
    auto [mn, mx] = cvx::geom::roughBox(g);
    ext.addPoint(mn);
    ext.addPoint(mx);
    return Acad::eOk;
}

void AcDb2dPolyline::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDb2dPolyline*>(other);
    o->mClosed = mClosed;
    o->mType = mType;
    o->mDefStart = mDefStart;
    o->mDefEnd = mDefEnd;
    o->mElevation = mElevation;
    o->mThickness = mThickness;
    o->mNormal = mNormal;
    o->mPlinegen = mPlinegen;
    o->mSegs = mSegs;
    copyVerticesTo(o);
}

// ---- 3D polylines ----

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed) {
    mClosed = closed;
    for (const AcGePoint3d& p : vertices) appendVertex(new AcDb3dPolylineVertex(p));
    if (type != AcDb::k3dSimplePoly) convertToPolyType(type);
}

Acad::ErrorStatus AcDb3dPolyline::setPolyType(AcDb::Poly3dType t) { return convertToPolyType(t); }

Acad::ErrorStatus AcDb3dPolyline::convertToPolyType(AcDb::Poly3dType t) {
    if (t == AcDb::k3dSimplePoly) return straighten();
    return splineFit(t, static_cast<int16_t>(splineSegments(this)));
}

Acad::ErrorStatus AcDb3dPolyline::splineFit() {
    return splineFit(AcDb::k3dCubicSplinePoly, static_cast<int16_t>(splineSegments(this)));
}

Acad::ErrorStatus AcDb3dPolyline::splineFit(AcDb::Poly3dType type, int16_t segments) {
    if (type == AcDb::k3dSimplePoly) return Acad::eInvalidInput;
    std::vector<AcGePoint3d> ctrl = controlPositions(this, false);
    if (ctrl.size() < 3) return Acad::eDegenerateGeometry;
    int degree = type == AcDb::k3dCubicSplinePoly ? 3 : 2;
    std::vector<AcGePoint3d> fit = cvx::geom::splineFitVertices(ctrl, degree, mClosed, segments > 0 ? segments : 8);
    assertWriteEnabled();
    std::vector<AcDbVertex*> fresh;
    for (const AcGePoint3d& p : ctrl) {
        auto* v = new AcDb3dPolylineVertex(p);
        v->setVertexType(AcDb::k3dControlVertex);
        fresh.push_back(v);
    }
    for (const AcGePoint3d& p : fit) {
        auto* v = new AcDb3dPolylineVertex(p);
        v->setVertexType(AcDb::k3dFitVertex);
        fresh.push_back(v);
    }
    replaceVertices(this, fresh);
    mType = type;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::straighten() {
    if (mType == AcDb::k3dSimplePoly) return Acad::eOk;
    std::vector<AcGePoint3d> ctrl = controlPositions(this, false);
    assertWriteEnabled();
    std::vector<AcDbVertex*> fresh;
    for (const AcGePoint3d& p : ctrl) fresh.push_back(new AcDb3dPolylineVertex(p));
    replaceVertices(this, fresh);
    mType = AcDb::k3dSimplePoly;
    return Acad::eOk;
}

bool AcDb3dPolyline::isPlanar() const {
    std::vector<AcGePoint3d> pts;
    for (const AcDbVertex* v : vertices()) pts.push_back(static_cast<const AcDb3dPolylineVertex*>(v)->position());
    if (pts.size() < 4) return true;
    // A plane through the first point and the first two independent directions; all points must lie on it.
    AcGeVector3d n;
    for (size_t i = 1; i + 1 < pts.size() && n.isZeroLength(); ++i)
        for (size_t j = i + 1; j < pts.size() && n.isZeroLength(); ++j) n = (pts[i] - pts[0]).crossProduct(pts[j] - pts[0]);
    if (n.isZeroLength()) return true;
    AcGePlane plane(pts[0], n);
    double size = 0;
    for (const auto& p : pts) size = std::max(size, p.distanceTo(pts[0]));
    for (const auto& p : pts)
        if (plane.distanceTo(p) > 1e-9 * std::max(size, 1.0)) return false;
    return true;
}

Acad::ErrorStatus AcDb3dPolyline::transformBy(const AcGeMatrix3d& m) {
    assertWriteEnabled();
    for (AcDbVertex* v : verticesForWrite()) {
        auto* v3 = static_cast<AcDb3dPolylineVertex*>(v);
        bool wasClosed = v3->isDatabaseResident() && v3->openMode() == AcDbObject::kClosed;
        if (wasClosed) v3->hostOpen(AcDb::kForWrite);
        v3->setPosition(m * v3->position());
        if (wasClosed) v3->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::getGeomExtents(AcDbExtents& ext) const {
    bool any = false;
    for (const AcDbVertex* v : vertices()) {
        auto* v3 = static_cast<const AcDb3dPolylineVertex*>(v);
        if (v3->vertexType() == AcDb::k3dControlVertex) continue;
        ext.addPoint(v3->position());
        any = true;
    }
    return any ? Acad::eOk : Acad::eInvalidExtents;
}

void AcDb3dPolyline::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDb3dPolyline*>(other);
    o->mClosed = mClosed;
    o->mType = mType;
    copyVerticesTo(o);
}
