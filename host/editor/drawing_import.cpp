#include "editor/drawing_import.h"

#include <map>

#include "cvx/dbents.h"
#include "cvx/editor.h"

namespace cvx::editor {
namespace {

class Importer {
public:
    Importer(AcDbDatabase& from, AcDbDatabase& to) : mFrom(from), mTo(to) {}

    // Copies the entities of a source block record into a target one.
    void copyEntities(const AcDbBlockTableRecord& source, AcDbBlockTableRecord& target) {
        for (AcDbObjectId id : source.entityIds()) {
            AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
            if (!ent || ent->isErased()) continue;
            auto* copy = AcDbEntity::cast(ent->clone());
            if (!copy) continue;
            remap(*ent.object(), *copy);
            if (target.appendAcDbEntity(copy) != Acad::eOk) {
                delete copy;
                continue;
            }
            copy->close();
        }
    }

    // The target block of the same name as a source block, copied over when the target lacks it.
    AcDbObjectId block(AcDbObjectId sourceId) {
        auto done = mBlocks.find(sourceId);
        if (done != mBlocks.end()) return done->second;
        AcDbObjectPointer<AcDbBlockTableRecord> src(sourceId, AcDb::kForRead);
        if (!src) return {};
        AcDbObjectId id;
        AcDbBlockTable* table = nullptr;
        if (mTo.getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return {};
        if (table->getAt(src->getName(), id) != Acad::eOk) {
            auto* rec = new AcDbBlockTableRecord;
            rec->setName(src->isAnonymous() ? L"*U" : src->getName());
            rec->setOrigin(src->origin());
            if (table->add(id, rec) != Acad::eOk) {
                delete rec;
                table->close();
                return {};
            }
            table->close();
            mBlocks[sourceId] = id;
            copyEntities(*src.object(), *rec);
            rec->close();
            return id;
        }
        table->close();
        mBlocks[sourceId] = id;
        return id;
    }

private:
    void remap(const AcDbEntity& from, AcDbEntity& to) {
        to.setLayer(layer(from.layer()));
        to.setLinetype(from.linetypeId().isNull() ? AcDbObjectId() : recordIn(AcDbDatabase::kLtype, from.linetype()));
        auto styleOf = [&](AcDbObjectId s) {
            auto* rec = AcDbSymbolTableRecord::cast(s.objectPtr());
            return rec ? recordIn(AcDbDatabase::kStyle, rec->getName()) : AcDbObjectId();
        };
        if (auto* t = AcDbText::cast(&to)) t->setTextStyle(styleOf(t->textStyle()));
        if (auto* m = AcDbMText::cast(&to)) m->setTextStyle(styleOf(m->textStyle()));
        if (auto* ref = AcDbBlockReference::cast(&to)) ref->setBlockTableRecord(block(ref->blockTableRecord()));
    }

    // The target's record of that name in one of its tables, or null.
    AcDbObjectId recordIn(AcDbDatabase::TableIndex t, const ACHAR* name) {
        AcDbObjectPointer<AcDbSymbolTable> table(mTo.tableId(t), AcDb::kForRead);
        AcDbObjectId id;
        if (table) table->getAt(name, id);
        return id;
    }

    // The target layer of that name, added with the source layer's colour when missing.
    AcDbObjectId layer(const ACHAR* name) {
        AcDbLayerTable* table = nullptr;
        AcDbObjectId id;
        if (mTo.getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return id;
        if (table->getAt(name, id) != Acad::eOk) {
            auto* rec = new AcDbLayerTableRecord;
            rec->setName(name);
            AcDbLayerTable* srcTable = nullptr;
            AcDbLayerTableRecord* src = nullptr;
            if (mFrom.getLayerTable(srcTable, AcDb::kForRead) == Acad::eOk) {
                if (srcTable->getAt(name, src, AcDb::kForRead) == Acad::eOk) {
                    rec->setColor(src->color());
                    src->close();
                }
                srcTable->close();
            }
            if (table->add(id, rec) != Acad::eOk) {
                delete rec;
                id = AcDbObjectId();
            } else {
                rec->close();
            }
        }
        table->close();
        return id;
    }

    AcDbDatabase &mFrom, &mTo;
    std::map<AcDbObjectId, AcDbObjectId> mBlocks;
};

}  // namespace

std::wstring blockNameOfFile(const std::wstring& path) {
    size_t slash = path.find_last_of(L"/\\");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

AcDbObjectId importDrawingAsBlock(AcDbDatabase* target, const std::wstring& path, const std::wstring& blockName,
                                  std::wstring& error) {
    AcDbDatabase source(false);
    if (source.readDxfFile(path.c_str()) != Acad::eOk) {
        error = L"cannot read " + path + L": " + source.lastErrorText();
        return {};
    }
    for (const std::wstring& note : source.openNotes()) acutPrintf(L"%ls: %ls\n", path.c_str(), note.c_str());
    auto* rec = new AcDbBlockTableRecord;
    if (rec->setName(blockName.c_str()) != Acad::eOk) {
        delete rec;
        error = L"\"" + blockName + L"\" is not a valid block name";
        return {};
    }
    rec->setOrigin(source.insbase());
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (target->getBlockTable(table, AcDb::kForWrite) != Acad::eOk || table->add(id, rec) != Acad::eOk) {
        if (table) table->close();
        delete rec;
        error = L"cannot add the block \"" + blockName + L"\"";
        return {};
    }
    table->close();
    AcDbObjectPointer<AcDbBlockTableRecord> model(source.modelSpaceId(), AcDb::kForRead);
    if (model) Importer(source, *target).copyEntities(*model.object(), *rec);
    rec->close();
    return id;
}

}  // namespace cvx::editor
