#include "holenet/hole_drawing.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "cvx/progress.h"
#include "frame/append.h"

namespace {

// A copy of the entity outside any database; null (and nothing left over) when it cannot be copied.
AcDbEntity* copyOf(const AcDbEntity& entity) {
    AcRxObject* made = entity.clone();
    AcDbEntity* copy = AcDbEntity::cast(made);
    if (!copy) delete made;
    return copy;
}

AcDbPolyline* closedPolyline(std::initializer_list<AcGePoint2d> corners, double elevation) {
    auto* pl = new AcDbPolyline(static_cast<unsigned int>(corners.size()));
    for (const AcGePoint2d& p : corners) pl->addVertexAt(pl->numVerts(), p);
    pl->setClosed(true);
    pl->setElevation(elevation);
    return pl;
}

// The selected pattern, copied out of the drawing once: its copies are centred and scaled per hole.
struct Pattern {
    std::unique_ptr<AcDbEntity> entity;
    AcGePoint3d centre;
    double halfSize = 1.0;  // (box width + box height) / 4

    explicit Pattern(AcDbObjectId id) {
        if (id.isNull()) return;
        AcDbObjectPointer<AcDbEntity> source(id, AcDb::kForRead);
        AcDbExtents box;
        if (source.openStatus() != Acad::eOk || source->getGeomExtents(box) != Acad::eOk) return;
        entity.reset(copyOf(*source.object()));
        const AcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
        centre = AcGePoint3d((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2);
        halfSize = (std::abs(hi.x - lo.x) + std::abs(hi.y - lo.y)) / 4;
        if (halfSize < 0.000001) halfSize = 1.0;
    }

    AcDbEntity* placed(const AcGePoint3d& at, double radius) const {
        AcDbEntity* copy = copyOf(*entity);
        if (!copy) return nullptr;
        const double r = radius < 0.00001 ? 0.001 : radius;
        copy->transformBy(AcGeMatrix3d::translation(at - centre));
        copy->transformBy(AcGeMatrix3d::scaling(r / halfSize, at));
        return copy;
    }
};

AcDbEntity* holeEntity(HoleShape shape, const Pattern& pattern, const AcGePoint3d& p, double q) {
    switch (shape) {
    case HoleShape::Square:
        return closedPolyline({{p.x - q, p.y - q}, {p.x + q, p.y - q}, {p.x + q, p.y + q}, {p.x - q, p.y + q}}, p.z);
    case HoleShape::Diamond:
        return closedPolyline({{p.x + q, p.y}, {p.x, p.y + q}, {p.x - q, p.y}, {p.x, p.y - q}}, p.z);
    case HoleShape::Selected:
        if (pattern.entity) return pattern.placed(p, q);
        [[fallthrough]];
    case HoleShape::Circle:
        break;
    }
    return new AcDbCircle(p, AcGeVector3d(0, 0, 1), q);
}

}  // namespace

AcGePoint3d holeCentre(const NetPlacement& at, const NetHole& hole) {
    const double k = at.height / at.imageHeight;  // drawing units per pixel
    return AcGePoint3d(at.origin.x + k * hole.x, at.origin.y + at.height - k * hole.y, at.origin.z);
}

double holeRadius(const NetPlacement& at, const NetHole& hole) {
    // A light cell of a cell size that is not whole has a measure below 0: its hole is an empty one.
    return std::max(hole.measure, 0.0) * (at.height / at.imageHeight) * (at.size + 5) / 100.0;
}

int drawHoleNet(const HoleNet& net, const NetPlacement& at, HoleShape shape, AcDbObjectId pattern) {
    const Pattern selected(shape == HoleShape::Selected ? pattern : AcDbObjectId());
    int added = 0;
    long long done = 0;
    cvxProgressBegin(L"Drawing holes:", static_cast<long long>(net.holes.size()));
    for (const NetHole& hole : net.holes) {
        cvxProgressStep(++done);
        AcDbEntity* entity = holeEntity(shape, selected, holeCentre(at, hole), holeRadius(at, hole));
        if (!entity) continue;
        AcDbObjectId id;
        if (appendToWorkingSpace(entity, id) == Acad::eOk)
            ++added;
        else
            delete entity;
    }
    cvxProgressEnd();
    return added;
}
