// WMFIN: brings a metafile (editor/commands/metafile.h) in as a block of polylines, inserted with its upper-left
// corner at the insertion point; the block is named WMF0, WMF1, ... (the first free name).
#include <string>

#include "cvx/files.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/commands/metafile.h"

namespace cvx::editor::commands {

namespace {

// The picture's chains and dots as entities of a new block, in block units (Y upwards); null id on failure.
AcDbObjectId newMetafileBlock(AcDbDatabase* db, const metafile::Picture& picture) {
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return {};
    std::wstring name;
    for (int n = 0; name.empty() || table->has(name.c_str()); ++n) name = L"WMF" + std::to_wstring(n);
    auto* rec = new AcDbBlockTableRecord;
    rec->setName(name.c_str());
    AcDbObjectId recId;
    Acad::ErrorStatus es = table->add(recId, rec);
    table->close();
    if (es != Acad::eOk) {
        delete rec;
        return {};
    }
    auto append = [&](AcDbEntity* e) {
        e->setDatabaseDefaults(db);
        if (rec->appendAcDbEntity(e) == Acad::eOk) e->close();
        else delete e;
    };
    for (const metafile::Chain& chain : picture.chains) {
        auto* pl = new AcDbPolyline;
        for (const AcGePoint2d& p : chain.points) pl->addVertexAt(pl->numVerts(), AcGePoint2d(p.x, -p.y));
        pl->setClosed(chain.closed);
        append(pl);
    }
    for (const AcGePoint2d& p : picture.dots) append(new AcDbPoint(AcGePoint3d(p.x, -p.y, 0)));
    rec->close();
    return recId;
}

void wmfinCommand() {
    AcDbDatabase* db = acdbCurDwg();
    ACHAR typed[4096];
    if (!db || acedGetString(1, L"Enter metafile name: ", typed, 4096) != RTNORM || !typed[0]) return;
    std::wstring file = metafile::fileName(typed);
    metafile::Picture picture;
    std::wstring error;
    if (!metafile::readPicture(cvxNativePath(file.c_str()), picture, error)) {
        acutPrintf(L"The metafile %ls %ls.\n", file.c_str(), error.c_str());
        return;
    }
    AcGePoint3d corner;
    ads_real sx = 1, sy = 1, rotation = 0;
    if (!askInsertion(corner, sx, sy, rotation)) return;
    AcDbObjectId block = newMetafileBlock(db, picture);
    if (block.isNull()) {
        acutPrintf(L"Could not add the metafile's block.\n");
        return;
    }
    auto* ref = new AcDbBlockReference(corner, block);
    ref->setScaleFactors(AcGeScale3d(sx, sy, 1));
    ref->setRotation(rotation);
    addEntity(ref);
}

}  // namespace

void registerWmfinCommand(Registrar& add) { add(L"WMFIN", wmfinCommand); }

}  // namespace cvx::editor::commands
