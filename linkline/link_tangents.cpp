#include "linkline/link_tangents.h"

AcGeVector3d horizontalLinkTangent(const AcGePoint3d& s, const AcGePoint3d& e) {
    return e.x > s.x ? AcGeVector3d(1, 0, 0) : AcGeVector3d(-1, 0, 0);
}

AcGeVector3d verticalLinkTangent(const AcGePoint3d& s, const AcGePoint3d& e) {
    return s.y > e.y ? AcGeVector3d(0, -1, 0) : AcGeVector3d(0, 1, 0);
}

AcGeVector3d startTangentOf(LinkSide side) {
    switch (side) {
        case kRightSide: return {1, 0, 0};
        case kTopSide: return {0, 1, 0};
        case kLeftSide: return {-1, 0, 0};
        case kBottomSide: return {0, -1, 0};
        default: return {0, 0, 0};
    }
}

AcGeVector3d endTangentOf(LinkSide side) { return -startTangentOf(side); }

AcGeVector3d dominantTangent(const AcGePoint3d& s, const AcGePoint3d& e, double m) {
    if (e.x - m > s.x) return {1, 0, 0};
    if (s.x - m > e.x) return {-1, 0, 0};
    if (s.y > e.y + m) return {0, -1, 0};
    return {0, 1, 0};
}
