#include "frame/append.h"

namespace {

Acad::ErrorStatus appendToBlock(AcDbObjectId blockId, AcDbEntity* entity, AcDbObjectId& id) {
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, blockId, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    es = block->appendAcDbEntity(id, entity);
    if (es == Acad::eOk) entity->close();
    block->close();
    return es;
}

}  // namespace

Acad::ErrorStatus appendToCurrentSpace(AcDbDatabase* database, AcDbEntity* entity, AcDbObjectId& id) {
    id = AcDbObjectId();
    if (!database || !entity) return Acad::eInvalidInput;
    return appendToBlock(database->currentSpaceId(), entity, id);
}

Acad::ErrorStatus appendToWorkingSpace(AcDbEntity* entity, AcDbObjectId& id) {
    return appendToCurrentSpace(acdbHostApplicationServices()->workingDatabase(), entity, id);
}

Acad::ErrorStatus appendBesideEntity(AcDbDatabase* database, AcDbEntity* entity, AcDbObjectId referenceId,
                                     AcDbObjectId& id) {
    id = AcDbObjectId();
    AcDbObjectId owner;
    {
        AcDbObjectPointer<AcDbEntity> reference(referenceId, AcDb::kForRead);
        if (referenceId.isNull() || !reference) return appendToCurrentSpace(database, entity, id);
        owner = reference->ownerId();
    }
    if (!entity) return Acad::eInvalidInput;
    if (owner.isNull()) return Acad::eNullObjectId;
    return appendToBlock(owner, entity, id);
}

bool newAnonymousBlock(AcDbDatabase* database, AcDbBlockTableRecord*& record, AcDbObjectId& id) {
    record = nullptr;
    id = AcDbObjectId();
    AcDbBlockTable* table = nullptr;
    if (!database || database->getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return false;
    auto* fresh = new AcDbBlockTableRecord;
    bool added = fresh->setName(L"*U") == Acad::eOk && table->add(id, fresh) == Acad::eOk;
    table->close();
    if (!added) {
        delete fresh;
        id = AcDbObjectId();
        return false;
    }
    record = fresh;
    return true;
}
