#include "shaping/batch_intersect_commands.h"

#include <vector>

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/extents.h"
#include "frame/type_selection.h"
#include "shaping/batch_intersect.h"
#include "shaping/batch_intersect_output.h"
#include "shaping/select_curves.h"

namespace {

// The unique points, or none with "No intersection found." printed.
std::vector<AcGePoint3d> uniqueOrReport(const std::vector<AcGePoint3d>& found) {
    if (found.empty()) printBilingual(L"\n没有找到交点。", L"\nNo intersection found.");
    return uniquePoints(found);
}

// The picked curve's id and the pick point in world coordinates; false with a message otherwise.
bool pickCurve(AcDbObjectId& id, AcGePoint3d& pickPoint) {
    ads_name name;
    if (entSelBilingual(L"\n请选择一根曲线: ", L"\nPlease select a curve: ", name, pickPoint) != RTNORM ||
        acdbGetObjectId(id, name) != Acad::eOk) {
        printBilingual(L"\n没有选择对象", L"\nNothing selected");
        return false;
    }
    AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
    if (!curve) {
        printBilingual(L"\n错误：所选对象不是曲线。", L"\nError: not a curve selected.");
        return false;
    }
    ucsToWcs(pickPoint);
    return true;
}

// The curves a crossing window over the curve's extents touches, the curve itself among them.
AcDbObjectIdArray curvesAround(const AcDbCurve& curve) {
    AcDbObjectIdArray ids;
    AcDbExtents box;
    if (curve.getGeomExtents(box) != Acad::eOk) return ids;
    const AcGePoint3d low = box.minPoint(), high = box.maxPoint();
    const ads_point corner1 = {low.x, low.y, low.z}, corner2 = {high.x, high.y, high.z};
    resbuf* filter = entityTypeFilter({L"POLYLINE", L"LWPOLYLINE", L"LINE", L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC",
                                       L"SPLINE"});
    ads_name set;
    const bool held = acedSSGet(L"_C", corner1, corner2, filter, set) == RTNORM;
    acutRelRb(filter);
    int32_t length = 0;
    if (held && acedSSLength(set, &length) != RTNORM) length = 0;
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        if (AcDbObjectPointer<AcDbCurve>(id, AcDb::kForRead)) ids.append(id);
    }
    if (held) acedSSFree(set);
    return ids;
}

// Asks the output mode and finds the crossings of the picked curve in their order along it; false when the
// command ends (no candidates, a cancel, no crossing).
bool crossingsAlongPickedCurve(AcDbObjectId pickedId, const AcGePoint3d& pickPoint, IntersectionOutput& mode,
                               std::vector<AcGePoint3d>& points) {
    AcDbObjectPointer<AcDbCurve> picked(pickedId, AcDb::kForRead);
    if (!picked) return false;
    const AcDbObjectIdArray candidates = curvesAround(*picked.object());
    if (candidates.length() == 0) {
        printBilingual(L"没有相交的曲线。\n", L"No Curve intersected.\n");
        return false;
    }
    if (!askIntersectionOutput(mode)) return false;
    points = uniqueOrReport(intersectionsWith(*picked.object(), candidates));
    orderAlongCurve(*picked.object(), pickPoint, points);
    return !points.empty();
}

}  // namespace

void pljdCommand() {
    AcDbObjectIdArray ids;
    if (!selectCurves(ids, L"\n请选择多根曲线>", L"Please select Curves >\n")) return;
    IntersectionOutput mode;
    if (!askIntersectionOutput(mode)) return;
    const std::vector<AcGePoint3d> points = uniqueOrReport(mutualIntersections(ids));
    if (!points.empty()) applyIntersectionOutput(mode, points);
}

void pljd1Command() {
    AcDbObjectId pickedId;
    AcGePoint3d pickPoint;
    if (!pickCurve(pickedId, pickPoint)) return;
    IntersectionOutput mode;
    std::vector<AcGePoint3d> points;
    if (crossingsAlongPickedCurve(pickedId, pickPoint, mode, points)) applyIntersectionOutput(mode, points);
}
