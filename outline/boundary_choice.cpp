#include "outline/boundary_choice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cvx/editor.h"

namespace {

constexpr int kMostBoundaries = 100;
constexpr double kSame = 0.001;

}  // namespace

AcDbObjectIdArray entitiesAfter(const ads_name last) {
    AcDbObjectIdArray ids;
    ads_name current, next;
    if (last) ads_name_set(last, current);
    else ads_name_clear(current);
    while (ids.length() < kMostBoundaries && acdbEntNext(current, next) == RTNORM) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, next) == Acad::eOk) ids.append(id);
        ads_name_set(next, current);
    }
    return ids;
}

void keepLargestBoundary(const AcDbObjectIdArray& boundaries, const AcDbExtents& rectangle, double width) {
    if (boundaries.isEmpty()) return;
    std::vector<double> areas(static_cast<size_t>(boundaries.length()), 0.0);
    for (int i = 0; i < boundaries.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> boundary(boundaries[i], AcDb::kForWrite);
        if (!boundary) continue;
        AcDbExtents x;
        if (boundary->getGeomExtents(x) == Acad::eOk &&
            std::fabs(x.minPoint().x - rectangle.minPoint().x) < kSame &&
            std::fabs(x.minPoint().y - rectangle.minPoint().y) < kSame) {
            boundary->erase();
            continue;
        }
        boundary->setColorIndex(1);
        if (auto* pl = AcDbPolyline::cast(boundary.object())) {
            pl->setConstantWidth(width);
            pl->getArea(areas[static_cast<size_t>(i)]);
        }
    }
    const double largest = std::max(0.0, *std::max_element(areas.begin(), areas.end()));
    for (int i = 0; i < boundaries.length(); ++i) {
        if (areas[static_cast<size_t>(i)] > largest - kSame) continue;
        AcDbObjectPointer<AcDbEntity> boundary(boundaries[i], AcDb::kForWrite);
        if (boundary) boundary->erase();
    }
}
