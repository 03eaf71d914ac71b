#include "shaping/affect_operations.h"

#include <vector>

#include "cvx/dbobject.h"
#include "formula/formula_curve.h"
#include "frame/extents.h"
#include "frame/scale_xdata.h"
#include "frame/sysvars.h"
#include "shaping/affect_geometry.h"
#include "shaping/sample_by_length.h"

namespace {

const AcGePoint3d* pointer(const std::optional<AcGePoint3d>& p) { return p ? &*p : nullptr; }

}  // namespace

AcDbObjectId bendCurve(const AcDbCurve* influence, AcDbCurve* affected, double strength, double distance) {
    std::vector<AcGePoint3d> samples;
    if (!sampleCurveByLength(affected, 6 * getSysVarShort(L"surftab1"), samples)) return {};
    for (AcGePoint3d& p : samples)
        p = affectBendPoint(p, pointer(firstCrossingInRow(influence, p, distance)), distance, strength);
    const AcDbObjectId id = addFormulaCurve(samples.data(), int(samples.size()), affected->colorIndex(),
                                            affected->isClosed(), AcGeVector3d(), AcGeVector3d());
    if (id.isNull()) return {};
    AcDbObjectPointer<AcDbEntity> made(id, AcDb::kForWrite);
    if (made) made->setLayer(affected->layerId());
    affected->erase();
    return id;
}

void rigidAffect(const AcDbCurve* influence, AcDbEntity* entity, const AffectSettings& settings) {
    const auto centre = extentsCentre(entity);
    if (!centre) return;
    const auto nearest = closestPointOnCurve(influence, *centre);
    if (!nearest) return;
    const auto crossing = firstCrossingInRow(influence, *centre, settings.distance);
    const AcGeMatrix3d m = affectRigidMatrix(*centre, centre->distanceTo(*nearest), pointer(crossing), settings);
    if (!m.isEqualTo(AcGeMatrix3d::kIdentity)) entity->transformBy(m);
}

int shiftAlongCurve(const AcDbCurve* curve, AcDbObjectId curveId, const AcDbObjectIdArray& ids, bool falloff) {
    AcDbObjectIdArray others;
    for (int i = 0; i < ids.length(); ++i)
        if (ids[i] != curveId) others.append(ids[i]);
    AcDbExtents range;
    idArrayExtents(range, others);
    if (!range.isValid()) return 0;
    const double widen = falloff ? 0 : 1e9;
    const double minX = range.minPoint().x - widen, maxX = range.maxPoint().x + widen;
    const AcGePoint3d top = curveTopEnd(curve);
    int moved = 0;
    for (int i = 0; i < others.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> entity(others[i], AcDb::kForWrite);
        if (!entity) continue;
        const auto centre = extentsCentre(entity.object());
        if (!centre) continue;
        const AcGePoint3d onCurve = curvePointAtHeight(curve, centre->y);
        const double shift = followCurveShift(*centre, onCurve, onCurve.x - top.x, minX, maxX);
        if (shift == 0) continue;
        entity->transformBy(AcGeMatrix3d::translation(AcGeVector3d(shift, 0, 0)));
        ++moved;
    }
    return moved;
}

int scaleAffect(const AcDbCurve* tool, AcDbObjectId toolId, const AcDbObjectIdArray& ids, double d, bool strong,
                bool enlarge) {
    const auto toolCentre = extentsCentre(tool);
    if (!toolCentre) return 0;
    int scaled = 0;
    for (int i = 0; i < ids.length(); ++i) {
        if (ids[i] == toolId) continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, ids[i], AcDb::kForWrite) != Acad::eOk) continue;
        const auto centre = extentsCentre(entity);
        const auto nearest = centre ? closestPointOnCurve(tool, *centre) : std::nullopt;
        if (!nearest) {
            entity->close();
            continue;
        }
        const double r = centre->distanceTo(*nearest);
        const bool inside = !firstCrossingOnSegment(tool, *centre, *toolCentre);
        const double factor = clickScaleFactor(r, d, enlarge, strong, inside);
        const double cumulative = getScaleFactorXData(entity);
        if ((r > d && !inside) || !clickScaleAllowed(cumulative, factor)) {
            entity->close();
            continue;
        }
        entity->transformBy(AcGeMatrix3d::scaling(factor, *centre));
        setScaleFactorXData(entity, cumulative * factor);  // closes the entity
        ++scaled;
    }
    return scaled;
}
