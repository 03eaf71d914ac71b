#include "editor/module_objects.h"

#include <vector>

#include "cvx/dbents.h"
#include "cvx/dbmain.h"
#include "editor/group_filer.h"

namespace cvx::editor {
namespace {

std::vector<AcDbObjectId> allObjects(AcDbDatabase* db) {
    std::vector<AcDbObjectId> ids;
    for (uint64_t h = 1; h < db->handseed().value(); ++h) {
        AcDbObjectId id;
        if (db->getAcDbObjectId(id, false, AcDbHandle(h)) == Acad::eOk && !id.isNull() && id.objectPtr())
            ids.push_back(id);
    }
    return ids;
}

// The groups the object's own classes file: everything after what its host base class writes.
GroupTexts ownGroups(const AcDbObject* obj, bool entity) {
    GroupFiler all(obj->database()), base(obj->database());
    obj->dxfOutFields(&all);
    if (entity) static_cast<const AcDbEntity*>(obj)->AcDbEntity::dxfOutFields(&base);
    else obj->AcDbObject::dxfOutFields(&base);
    GroupTexts g = all.groups();
    g.erase(g.begin(), g.begin() + static_cast<long>(std::min(base.groups().size(), g.size())));
    return g;
}

// Keeps the class in the drawing's class list, so that a saved drawing still names it.
void keepClass(AcDbDatabase* db, const AcRxClass* c, bool entity) {
    std::wstring dxf = c->dxfName() ? c->dxfName() : L"";
    for (const auto& k : db->keptClasses())
        if (k.dxfName == dxf) return;
    AcDbDatabase::KeptClass k;
    k.dxfName = dxf;
    k.className = c->name();
    k.appName = c->appName() ? c->appName() : L"";
    k.proxyFlags = c->proxyFlags();
    k.isEntity = entity;
    db->keptClasses().push_back(k);
}

bool detachOne(AcDbDatabase* db, AcDbObjectId id) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForWrite, true) != Acad::eOk) return false;
    auto* ent = AcDbEntity::cast(obj);
    std::wstring type = acdbDxfNameOf(obj);
    keepClass(db, obj->isA(), ent != nullptr);
    GroupTexts groups = ownGroups(obj, ent != nullptr);
    AcDbObject* replacement = nullptr;
    if (ent) {
        auto* u = new AcDbUnknownEntity(type);
        u->setPropertiesFrom(ent);
        u->groups() = std::move(groups);
        replacement = u;
    } else {
        auto* u = new AcDbUnknownObject(type);
        u->groups() = std::move(groups);
        replacement = u;
    }
    if (obj->handOverTo(replacement) != Acad::eOk) {
        delete replacement;
        obj->close();
        return false;
    }
    replacement->close();
    delete obj;
    return true;
}

}  // namespace

int detachObjects(AcDbDatabase* db, const std::function<bool(const AcDbObject*)>& belongs, int& skipped) {
    int done = 0;
    skipped = 0;
    if (!db) return 0;
    for (AcDbObjectId id : allObjects(db)) {
        AcDbObject* obj = id.objectPtr();
        if (!obj || !belongs(obj)) continue;
        if (detachOne(db, id)) ++done;
        else ++skipped;
    }
    return done;
}

int reviveObjects(AcDbDatabase* db) {
    int done = 0;
    if (!db) return 0;
    for (AcDbObjectId id : allObjects(db)) {
        AcDbObject* obj = id.objectPtr();
        auto* ue = AcDbUnknownEntity::cast(obj);
        auto* uo = AcDbUnknownObject::cast(obj);
        if (!ue && !uo) continue;
        const std::wstring& type = ue ? ue->dxfTypeName() : uo->dxfTypeName();
        AcRxClass* c = acrxFindClassByDxfName(type.c_str());
        if (!c || !c->isCustom()) continue;
        auto* fresh = AcDbObject::cast(c->create());
        if (!fresh || (ue != nullptr) != (AcDbEntity::cast(fresh) != nullptr)) {
            delete fresh;
            continue;
        }
        if (acdbOpenAcDbObject(obj, id, AcDb::kForWrite, true) != Acad::eOk) {
            delete fresh;
            continue;
        }
        GroupFiler in(db, ue ? ue->groups() : uo->groups());
        if (fresh->dxfInFields(&in) != Acad::eOk) {
            delete fresh;
            obj->close();
            continue;
        }
        if (ue) AcDbEntity::cast(fresh)->setPropertiesFrom(ue);
        if (obj->handOverTo(fresh) != Acad::eOk) {
            delete fresh;
            obj->close();
            continue;
        }
        fresh->close();
        delete obj;
        ++done;
    }
    return done;
}

}  // namespace cvx::editor
