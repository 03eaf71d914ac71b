#include "linkline/link_commands.h"

#include "cvx/editor.h"
#include "frame/bilingual.h"
#include "frame/extents.h"
#include "frame/sysvars.h"
#include "linkline/curve_through_points.h"
#include "linkline/link_key.h"
#include "linkline/link_reactor.h"
#include "linkline/link_tangents.h"

namespace {

// Asks for the start and then the end point (with a rubber band from the start), as typed: in the current
// UCS. False when either prompt is not answered with a point.
bool askLinkPoints(AcGePoint3d& s, AcGePoint3d& e) {
    if (getPointBilingual(nullptr, L"\n请指定起点>>", L"\nPlease specify the starting point>>", s) != RTNORM)
        return false;
    return getPointBilingual(asDblArray(s), L"\n请指定终点>>", L"\nPlease specify the end point>>", e) == RTNORM;
}

// A direction of the current UCS in world coordinates.
AcGeVector3d ucsToWcs(const AcGeVector3d& v) {
    resbuf from, to;
    from.restype = RTSHORT, from.resval.rint = 1;
    to.restype = RTSHORT, to.resval.rint = 0;
    ads_point in = {v.x, v.y, v.z}, out = {v.x, v.y, v.z};
    if (acedTrans(in, &from, &to, 1, out) != RTNORM) return v;
    return AcGeVector3d(out[0], out[1], out[2]);
}

// The two points in world coordinates, with the tangent that `tangentOf` gives for them in the UCS, where
// horizontal and vertical are the user's.
template <typename TangentOf>
bool askStraightLink(AcGePoint3d& s, AcGePoint3d& e, AcGeVector3d& tangent, TangentOf tangentOf) {
    if (!askLinkPoints(s, e)) return false;
    tangent = ucsToWcs(tangentOf(s, e));
    ::ucsToWcs(s);
    ::ucsToWcs(e);
    return true;
}

void drawLink(const AcGePoint3d& s, const AcGePoint3d& e, const AcGeVector3d& startTangent,
              const AcGeVector3d& endTangent) {
    const AcGePoint3d points[2] = {s, e};
    AcCmColor byLayer;
    byLayer.setByLayer();
    AcDbObjectId id;
    addCurveThroughPoints(2, points, byLayer, false, startTangent, endTangent, id);
}

double viewSize() {
    double v = 100.0;
    return getSysVarReal(L"VIEWSIZE", v) == 0 ? v : 100.0;
}

bool hasPersistentReactor(const AcDbEntity* shape) {
    const AcDbVoidPtrArray* reactors = shape->reactors();
    if (!reactors) return false;
    for (void* reactor : *reactors)
        if (acdbIsPersistentReactor(reactor)) return true;
    return false;
}

// "CVX_DICT" of the working database open for write, made when missing; null when it cannot be had.
AcDbDictionary* openLinkDictionary() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbDictionary* named = nullptr;
    if (!db || db->getNamedObjectsDictionary(named, AcDb::kForWrite) != Acad::eOk) return nullptr;
    AcDbObject* found = nullptr;
    AcDbDictionary* dict = nullptr;
    if (named->getAt(kLinkDictionary, found, AcDb::kForWrite) == Acad::eOk) {
        dict = AcDbDictionary::cast(found);
        if (!dict) found->close();
    } else {
        dict = new AcDbDictionary;
        AcDbObjectId id;
        if (named->setAt(kLinkDictionary, dict, id) != Acad::eOk) {
            delete dict;
            dict = nullptr;
        }
    }
    named->close();
    return dict;
}

void attachAt(AcDbObjectId shapeId) {
    if (shapeId.isNull()) return;
    AcDbObjectPointer<AcDbEntity> shape(shapeId, AcDb::kForWrite);
    if (shape) attachLinkReactor(shape.object());
}

}  // namespace

bool attachLinkReactor(AcDbEntity* shape) {
    if (!shape || hasPersistentReactor(shape)) return false;
    AcDbDictionary* dict = openLinkDictionary();
    if (!dict) return false;
    const std::wstring key = newLinkKey();
    AcDbObjectId reactorId;
    auto* reactor = new LinkLineToNotify;
    if (dict->has(key.c_str()) || dict->setAt(key.c_str(), reactor, reactorId) != Acad::eOk) {
        delete reactor;
        acutPrintf(L"\n%s", key.c_str());
        dict->close();
        return false;
    }
    reactor->close();
    shape->addPersistentReactor(reactorId);
    dict->close();
    return true;
}

void linkLine00() {
    AcGePoint3d s, e;
    AcGeVector3d tangent;
    if (askStraightLink(s, e, tangent, horizontalLinkTangent)) drawLink(s, e, tangent, tangent);
}

void linkLine90() {
    AcGePoint3d s, e;
    AcGeVector3d tangent;
    if (askStraightLink(s, e, tangent, verticalLinkTangent)) drawLink(s, e, tangent, tangent);
}

void linkLineAuto() {
    const double margin = viewSize() / 20;
    AcGePoint3d s, e;
    if (!askLinkPoints(s, e)) return;
    ucsToWcs(s);  // the shapes and their sides are found in world coordinates
    ucsToWcs(e);
    AcDbObjectId startShape, endShape;
    const LinkSide startSide = findLinkedShape(s, startShape);
    const LinkSide endSide = findLinkedShape(e, endShape);
    const AcGeVector3d startTangent =
        startSide == kNoSide ? dominantTangent(s, e, margin) : startTangentOf(startSide);
    const AcGeVector3d endTangent = endSide == kNoSide ? dominantTangent(s, e, margin) : endTangentOf(endSide);
    drawLink(s, e, startTangent, endTangent);
    attachAt(startShape);
    attachAt(endShape);
}
