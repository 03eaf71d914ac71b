#include "linkline/linked_shape.h"

#include "cvx/editor.h"
#include "frame/sysvars.h"

const AcGePoint3d& SideMidpoints::at(LinkSide side) const {
    switch (side) {
        case kTopSide: return top;
        case kBottomSide: return bottom;
        case kLeftSide: return left;
        default: return right;
    }
}

double SideMidpoints::tolerance() const {
    return (left.distanceTo(right) + top.distanceTo(bottom)) / 100;
}

SideMidpoints sideMidpointsOf(const AcDbExtents& extents) {
    const AcGePoint3d lo = extents.minPoint(), hi = extents.maxPoint();
    const double cx = (lo.x + hi.x) / 2, cy = (lo.y + hi.y) / 2;
    return {{cx, hi.y, 0}, {cx, lo.y, 0}, {lo.x, cy, 0}, {hi.x, cy, 0}};
}

LinkSide sideAt(const SideMidpoints& sides, const AcGePoint3d& p) {
    const double t = sides.tolerance();
    LinkSide side = kNoSide;
    if (p.distanceTo(sides.top) < t) side = kTopSide;
    if (p.distanceTo(sides.bottom) < t) side = kBottomSide;
    if (p.distanceTo(sides.left) < t) side = kLeftSide;
    if (p.distanceTo(sides.right) < t) side = kRightSide;
    return side;
}

namespace {

LinkSide sideOfClosedCurve(AcDbObjectId id, const AcGePoint3d& p) {
    AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
    if (!curve || !curve->isClosed()) return kNoSide;
    AcDbExtents extents;
    if (curve->getGeomExtents(extents) != Acad::eOk) return kNoSide;
    return sideAt(sideMidpointsOf(extents), p);
}

}  // namespace

LinkSide findLinkedShape(const AcGePoint3d& p, AcDbObjectId& shapeId) {
    shapeId = AcDbObjectId();
    double v = 100.0;
    if (getSysVarReal(L"VIEWSIZE", v) != 0) v = 100.0;
    ads_point corner1 = {p.x + v, p.y + v, p.z}, corner2 = {p.x - v, p.y - v, p.z};
    resbuf* filter = acutBuildList(-4, L"<or", RTDXF0, L"POLYLINE", RTDXF0, L"LWPOLYLINE", RTDXF0, L"ELLIPSE",
                                   RTDXF0, L"CIRCLE", -4, L"or>", 0);
    ads_name set;
    int rc = acedSSGet(L"_C", corner1, corner2, filter, set);
    acutRelRb(filter);
    if (rc != RTNORM) return kNoSide;
    int32_t length = 0;
    acedSSLength(set, &length);
    LinkSide side = kNoSide;
    for (int32_t i = 0; i < length && side == kNoSide; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        side = sideOfClosedCurve(id, p);
        if (side != kNoSide) shapeId = id;
    }
    acedSSFree(set);
    return side;
}
