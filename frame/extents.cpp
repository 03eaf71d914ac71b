#include "frame/extents.h"

#include <algorithm>

#include "frame/sysvars.h"

namespace {

void addEntityExtents(AcDbExtents& extents, AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    if (!entity) return;
    AcDbExtents box;
    if (entity->getGeomExtents(box) != Acad::eOk) return;
    extents.addPoint(box.minPoint());
    extents.addPoint(box.maxPoint());
}

void transInPlace(AcGePoint3d& point, short from, short to) {
    resbuf fromRb{}, toRb{};
    fromRb.restype = toRb.restype = RTSHORT;
    fromRb.resval.rint = from;
    toRb.resval.rint = to;
    ads_point result;
    if (acedTrans(asDblArray(point), &fromRb, &toRb, 0, result) == RTNORM) point = asPnt3d(result);
}

AcGePoint3d viewCentre() {
    AcGePoint2d centre;
    getSysVarPoint2d(L"VIEWCTR", centre);
    return {centre.x, centre.y, 0};
}

}  // namespace

void selectionExtents(AcDbExtents& extents, const ads_name selectionSet) {
    int32_t length = 0;
    if (acedSSLength(selectionSet, &length) != RTNORM) return;
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(selectionSet, i, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk)
            addEntityExtents(extents, id);
    }
}

void idArrayExtents(AcDbExtents& extents, const AcDbObjectIdArray& ids) {
    for (const AcDbObjectId& id : ids) addEntityExtents(extents, id);
}

void currentViewExtents(AcGePoint3d& lowerLeft, AcGePoint3d& upperRight) {
    double viewHeight = 0;
    getSysVarReal(L"VIEWSIZE", viewHeight);
    AcGePoint2d screen(9, 16);
    if (getSysVarPoint2d(L"SCREENSIZE", screen) != 0) screen = AcGePoint2d(9, 16);
    const double halfHeight = viewHeight / 2;
    const double halfWidth = screen.x * viewHeight / std::max(screen.y, 1.0) / 2;
    const AcGePoint3d centre = viewCentre();
    lowerLeft = AcGePoint3d(centre.x - halfWidth, centre.y - halfHeight, centre.z);
    upperRight = AcGePoint3d(centre.x + halfWidth, centre.y + halfHeight, centre.z);
    ucsToWcs(lowerLeft);
    ucsToWcs(upperRight);
}

bool activeViewportExtents(AcGePoint3d& lowerLeft, AcGePoint3d& upperRight) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    acedVports2VportTableRecords();
    AcDbViewportTable* table = nullptr;
    if (db->getViewportTable(table, AcDb::kForRead) != Acad::eOk) return true;
    AcDbViewportTableRecord* record = nullptr;
    Acad::ErrorStatus es = table->getAt(L"*Active", record, AcDb::kForRead);
    table->close();
    if (es != Acad::eOk) return true;
    const double halfWidth = record->width() / 2, halfHeight = record->height() / 2;
    record->close();
    const AcGePoint3d centre = viewCentre();
    lowerLeft = AcGePoint3d(centre.x - halfWidth, centre.y - halfHeight, 0);
    upperRight = AcGePoint3d(centre.x + halfWidth, centre.y + halfHeight, 0);
    return true;
}

void wcsToUcs(AcGePoint3d& point) { transInPlace(point, 0, 1); }
void ucsToWcs(AcGePoint3d& point) { transInPlace(point, 1, 0); }
