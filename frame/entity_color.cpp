#include "frame/entity_color.h"

bool effectiveColor(const AcDbEntity* entity, AcCmColor& color) {
    if (!entity) return false;
    const AcCmColor own = entity->color();
    if (own.isByColor() || own.isByACI()) {
        color = own;
        return true;
    }
    if (own.isByBlock()) {
        color.setColorIndex(AcCmEntityColor::kACIforeground);
        return true;
    }
    AcDbObjectPointer<AcDbLayerTableRecord> layer(entity->layerId(), AcDb::kForRead);
    if (!layer) return false;
    color = layer->color();
    return true;
}
