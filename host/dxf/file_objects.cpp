#include "dxf/file_objects.h"

#include <charconv>

#include "cvx/dbents.h"
#include "db/database_impl.h"
#include "cvx/wide.h"

namespace {
AcDbHandle reserveHandle(AcDbDatabase& db) {
    AcDbDatabase::Impl& store = db.impl();
    uint64_t h = db.handseed().value();
    while (store.stubFor(h, false)) ++h;
    store.stubFor(h, true);
    db.setHandseed(AcDbHandle(h + 1));
    return AcDbHandle(h);
}

std::string hex(AcDbHandle h) {
    char buf[24];
    char* end = std::to_chars(buf, buf + sizeof buf, h.value(), 16).ptr;
    std::string s(buf, end);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

AcDbObjectId addToDictionary(AcDbObjectId dictId, const ACHAR* key, AcDbObject* obj) {
    AcDbDictionary* dict = nullptr;
    if (acdbOpenObject(dict, dictId, AcDb::kForWrite) != Acad::eOk) {
        delete obj;
        return {};
    }
    AcDbObjectId id;
    if (dict->setAt(key, obj, id) == Acad::eOk) obj->close();
    else delete obj;
    dict->close();
    return id;
}

// A layout object for a block record, with the plot settings a reader expects.
AcDbObject* makeLayout(const ACHAR* name, int tabOrder, AcDbObjectId block) {
    auto* layout = new AcDbUnknownObject(L"LAYOUT");
    auto& g = layout->groups();
    auto add = [&](int code, std::string text) { g.emplace_back(code, std::move(text)); };
    add(100, "AcDbPlotSettings");
    add(1, "");
    add(2, "none_device");
    add(4, "");
    add(6, "");
    for (int c : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) add(c, "0");
    add(142, "1");
    add(143, "1");
    add(70, tabOrder == 0 ? "1712" : "688");
    add(72, "0");
    add(73, "0");
    add(74, "5");
    add(7, "");
    add(75, "16");
    add(147, "1");
    add(148, "0");
    add(149, "0");
    add(100, "AcDbLayout");
    add(1, cvxToUtf8(name));
    add(70, "1");
    add(71, std::to_string(tabOrder));
    for (int c : {10, 20, 11, 21, 12, 22, 32}) add(c, "0");
    add(14, "1e+20"); add(24, "1e+20"); add(34, "1e+20");
    add(15, "-1e+20"); add(25, "-1e+20"); add(35, "-1e+20");
    add(146, "0");
    for (int c : {13, 23, 33}) add(c, "0");
    add(16, "1"); add(26, "0"); add(36, "0");
    add(17, "0"); add(27, "1"); add(37, "0");
    add(76, "0");
    add(330, hex(block.handle()));
    return layout;
}

void linkLayout(AcDbObjectId blockId, AcDbObjectId layoutId) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForWrite) != Acad::eOk) return;
    block->setLayoutId(layoutId);
    block->close();
}
}  // namespace

void dxfAddFileObjects(AcDbDatabase& db) {
    // Every block needs handles for its BLOCK and ENDBLK markers.
    if (auto* blocks = AcDbBlockTable::cast(db.blockTableId().objectPtr()))
        for (AcDbObjectId id : blocks->recordIds()) {
            auto* btr = AcDbBlockTableRecord::cast(id.objectPtr());
            if (!btr) continue;
            if (btr->markers().begin.isNull()) btr->markers().begin = reserveHandle(db);
            if (btr->markers().end.isNull()) btr->markers().end = reserveHandle(db);
            // Entities of paper space say so in the file.
            if (id == db.paperSpaceId())
                for (AcDbObjectId e : btr->entityIds())
                    if (auto* ent = AcDbEntity::cast(e.objectPtr())) ent->setInPaperSpace(true);
        }

    auto* nod = AcDbDictionary::cast(db.namedObjectsDictionaryId().objectPtr());
    if (!nod) return;
    if (!nod->has(L"ACAD_GROUP")) addToDictionary(nod->objectId(), L"ACAD_GROUP", new AcDbDictionary());
    if (!nod->has(L"ACAD_LAYOUT")) {
        AcDbObjectId layouts = addToDictionary(nod->objectId(), L"ACAD_LAYOUT", new AcDbDictionary());
        AcDbObjectId ms = db.modelSpaceId(), ps = db.paperSpaceId();
        if (!ms.isNull()) linkLayout(ms, addToDictionary(layouts, L"Model", makeLayout(L"Model", 0, ms)));
        if (!ps.isNull()) linkLayout(ps, addToDictionary(layouts, L"Layout1", makeLayout(L"Layout1", 1, ps)));
    }
}
