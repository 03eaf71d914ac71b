#include "polyline/placement.h"

#include "frame/append.h"

Acad::ErrorStatus appendResult(AcDbEntity* entity, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                               AcDbObjectId& id) {
    id = AcDbObjectId();
    if (targetBlock) {
        Acad::ErrorStatus es = targetBlock->appendAcDbEntity(id, entity);
        if (es == Acad::eOk) entity->close();
        return es;
    }
    AcDbDatabase* db = source->database() ? source->database() : acdbHostApplicationServices()->workingDatabase();
    // appendBesideEntity reads the source's owner by opening it for read, which a write opening forbids.
    const bool wasWritable = source->isWriteEnabled();
    if (wasWritable) source->downgradeOpen();
    Acad::ErrorStatus es = appendBesideEntity(db, entity, source->objectId(), id);
    if (wasWritable) source->upgradeOpen();
    return es;
}

Acad::ErrorStatus eraseOpenEntity(AcDbEntity* source) {
    if (!source->isWriteEnabled()) {
        Acad::ErrorStatus es = source->upgradeOpen();
        if (es != Acad::eOk) return es;
    }
    return source->erase();
}
