#include "linkline/link_follow.h"

#include "cvx/editor.h"

namespace {

bool nothingMoved(const SideMidpoints& before, const SideMidpoints& after) {
    for (LinkSide side : {kTopSide, kBottomSide, kLeftSide, kRightSide})
        if (before.at(side).distanceTo(after.at(side)) >= 0.001) return false;
    return true;
}

struct AttachedEnd {
    LinkSide side = kNoSide;
    int fitIndex = 0;
};

// The end of the spline that sat on an old midpoint; the end point is tested last and wins.
AttachedEnd attachedEnd(const AcDbSpline& spline, const SideMidpoints& before, double t) {
    AcGePoint3d start, end;
    spline.getStartPoint(start);
    spline.getEndPoint(end);
    const int last = spline.numFitPoints() - 1;
    AttachedEnd found;
    for (auto [point, index] : {std::pair{start, 0}, std::pair{end, last}})
        for (LinkSide side : {kRightSide, kLeftSide, kTopSide, kBottomSide})
            if (point.distanceTo(before.at(side)) < t) found = {side, index};
    return found;
}

}  // namespace

AcDbObjectIdArray splinesAround(const AcDbExtents& extents) {
    AcDbObjectIdArray ids(0, 8);
    const AcGePoint3d lo = extents.minPoint(), hi = extents.maxPoint();
    const double d = lo.distanceTo(hi) / 30;
    ads_point corner1 = {lo.x - d, lo.y - d, 0}, corner2 = {hi.x + d, hi.y + d, 0};
    resbuf* filter = acutBuildList(RTDXF0, L"SPLINE", 0);
    ads_name set;
    int rc = acedSSGet(L"_C", corner1, corner2, filter, set);
    acutRelRb(filter);
    if (rc != RTNORM) return ids;
    int32_t length = 0;
    acedSSLength(set, &length);
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk) ids.append(id);
    }
    acedSSFree(set);
    return ids;
}

int followLinkedShape(const SideMidpoints& before, const SideMidpoints& after, const AcDbObjectIdArray& splines) {
    if (nothingMoved(before, after)) return 0;
    const double t = after.tolerance();
    int moved = 0;
    for (const AcDbObjectId& id : splines) {
        AcDbObjectPointer<AcDbSpline> spline(id, AcDb::kForWrite);
        if (!spline) continue;
        const AttachedEnd end = attachedEnd(*spline.object(), before, t);
        if (end.side != kNoSide && spline->setFitPointAt(end.fitIndex, after.at(end.side)) == Acad::eOk) ++moved;
    }
    return moved;
}
