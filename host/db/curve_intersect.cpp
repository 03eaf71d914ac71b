// Meeting points of two curve entities: every point once, tangent touches included, ordered along this
// entity. With the extend modes, a line runs on without end and an arc is taken as its full circle.
#include <algorithm>

#include "curves/intersect.h"
#include "db/curve_geometry.h"

using namespace cvx::geom;

namespace {
// The curve with its ends let go, far enough to reach everything in the box lo..hi.
Curve extended(const Curve& g, const AcGePoint3d& lo, const AcGePoint3d& hi) {
    if (auto* l = std::get_if<Line>(&g); l && l->length() > 0) {
        double reach = 2 * lo.distanceTo(hi) + l->start.distanceTo(lo) + l->length();
        return Line{l->start - l->direction() * reach, l->end + l->direction() * reach};
    }
    if (auto* a = std::get_if<Arc>(&g)) {
        Arc full = *a;
        full.endAngle = full.startAngle + kTwoPi;
        return full;
    }
    return g;
}
}  // namespace

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, int intType, AcGePoint3dArray& points,
                                            intptr_t, intptr_t) const {
    if (!other) return Acad::eNullEntityPointer;
    auto* a = AcDbCurve::cast(this);
    auto* b = AcDbCurve::cast(other);
    if (!a || !b) return Acad::eNotApplicable;
    Curve ga, gb;
    if (!cvxCurveGeometry(a, ga) || !cvxCurveGeometry(b, gb)) return Acad::eDegenerateGeometry;
    if (intType & (AcDb::kExtendThis | AcDb::kExtendArg)) {
        auto [alo, ahi] = roughBox(ga);
        auto [blo, bhi] = roughBox(gb);
        AcGePoint3d lo(std::min(alo.x, blo.x), std::min(alo.y, blo.y), std::min(alo.z, blo.z));
        AcGePoint3d hi(std::max(ahi.x, bhi.x), std::max(ahi.y, bhi.y), std::max(ahi.z, bhi.z));
        if (intType & AcDb::kExtendThis) ga = extended(ga, lo, hi);
        if (intType & AcDb::kExtendArg) gb = extended(gb, lo, hi);
    }
    for (const AcGePoint3d& p : intersect(ga, gb)) points.append(p);
    return Acad::eOk;
}
