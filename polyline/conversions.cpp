#include "polyline/conversions.h"

bool convertToOldPolyline(AcDbEntity* entity) {
    auto* lw = AcDbPolyline::cast(entity);
    AcDb2dPolyline* converted = nullptr;
    const Acad::ErrorStatus es = lw ? lw->convertTo(converted, true) : Acad::eWrongObjectType;
    if ((es != Acad::eOk && es != Acad::eObjectToBeDeleted) || !converted) {
        entity->close();
        return false;
    }
    // The lightweight object has left the database; the 2D polyline holds its place, open for write.
    delete lw;
    converted->close();
    return true;
}

bool convertToLightweightPolyline(AcDbEntity* entity) {
    auto* lw = new AcDbPolyline;
    AcDbEntity* source = entity;
    if (lw->convertFrom(source, true) != Acad::eOk) {
        delete lw;
        entity->close();
        return false;
    }
    delete entity;
    lw->close();
    return true;
}

bool reverseCurveDirection(AcDbEntity* entity) {
    auto* curve = AcDbCurve::cast(entity);
    const bool reversed = curve && curve->reverseCurve() == Acad::eOk;
    entity->close();
    return reversed;
}
