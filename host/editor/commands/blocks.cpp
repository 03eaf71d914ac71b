// BLOCK, INSERT (of a block or a drawing file) and HATCH.
#include <cmath>
#include <cwctype>

#include "cvx/files.h"
#include "cvx/wide.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/drawing_import.h"

namespace cvx::editor::commands {
namespace {

AcDbObjectId findBlock(AcDbDatabase* db, const ACHAR* name) {
    AcDbObjectId id;
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name, id);
    table->close();
    return id;
}

bool validBlockName(const std::wstring& n) {
    if (n.empty() || n.size() > 255 || n[0] == L'*') return false;
    for (wchar_t c : n)
        if (std::wcschr(L"<>/\\\":;?*|,=`", c)) return false;
    return true;
}

void blockCommand() {
    AcDbDatabase* db = acdbCurDwg();
    ACHAR name[256];
    if (!db || acedGetString(0, L"Enter block name: ", name, 256) != RTNORM || !name[0]) return;
    if (!validBlockName(name)) {
        acutPrintf(L"Invalid block name.\n");
        return;
    }
    if (!findBlock(db, name).isNull()) {
        acutPrintf(L"Block \"%ls\" already exists.\n", name);
        return;
    }
    AcGePoint3d base;
    if (getPoint(nullptr, L"Specify insertion base point: ", base) != RTNORM) return;
    std::vector<AcDbObjectId> ids = selectObjects();
    if (ids.empty()) {
        acutPrintf(L"No objects selected; the block is not made.\n");
        return;
    }
    auto* rec = new AcDbBlockTableRecord;
    rec->setName(name);
    rec->setOrigin(base);
    AcDbBlockTable* table = nullptr;
    AcDbObjectId recId;
    if (db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk || table->add(recId, rec) != Acad::eOk) {
        if (table) table->close();
        delete rec;
        acutPrintf(L"Could not add the block.\n");
        return;
    }
    table->close();
    // The objects move into the block: a copy joins the definition and the original leaves the drawing.
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForWrite);
        if (!ent) continue;
        auto* copy = AcDbEntity::cast(ent->clone());
        if (!copy) continue;
        if (rec->appendAcDbEntity(copy) != Acad::eOk) {
            delete copy;
            continue;
        }
        copy->close();
        ent->erase();
    }
    rec->close();
}

// A drawing file named at the block prompt ("path.dxf", or a path that exists) becomes a block named after the
// file; a block of that name that already exists is used as it is.
AcDbObjectId blockForInsert(AcDbDatabase* db, const std::wstring& answer) {
    AcDbObjectId block = findBlock(db, answer.c_str());
    if (!block.isNull()) return block;
    CFileStatus status;
    bool isFile = CFile::GetStatus(answer.c_str(), status) && !(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    if (!isFile) {
        acutPrintf(answer.find_last_of(L"/\\.") != std::wstring::npos ? L"File \"%ls\" not found.\n"
                                                                       : L"Block \"%ls\" not found.\n",
                   answer.c_str());
        return {};
    }
    std::wstring name = blockNameOfFile(answer);
    block = findBlock(db, name.c_str());
    if (!block.isNull()) return block;
    std::wstring error;
    block = importDrawingAsBlock(db, cvxFromUtf8(cvxNativePath(answer.c_str())), name, error);
    if (block.isNull()) acutPrintf(L"%ls\n", error.c_str());
    return block;
}

void insertCommand() {
    AcDbDatabase* db = acdbCurDwg();
    ACHAR name[4096];
    if (!db || acedGetString(0, L"Enter block name or file: ", name, 4096) != RTNORM || !name[0]) return;
    AcDbObjectId block = blockForInsert(db, name);
    if (block.isNull()) return;
    AcGePoint3d p;
    ads_real sx = 1, sy = 1, rotation = 0;
    if (!askInsertion(p, sx, sy, rotation)) return;
    auto* ref = new AcDbBlockReference(p, block);
    ref->setScaleFactors(AcGeScale3d(sx, sy, 1));
    ref->setRotation(rotation);
    addEntity(ref);
}

// A boundary loop of the hatch from a closed object, in the XY plane.
bool loopFrom(const AcDbEntity* ent, AcDbHatch::Loop& loop) {
    loop.type = AcDbHatch::kExternal;
    loop.sources.push_back(ent->objectId());
    if (auto* c = AcDbCircle::cast(ent)) {
        AcDbHatch::Edge e;
        e.type = AcDbHatch::kCirArc;
        e.center = c->center().convert2d();
        e.radius = c->radius();
        e.startAngle = 0;
        e.endAngle = 2 * M_PI;
        loop.edges.push_back(e);
        return true;
    }
    if (auto* pl = AcDbPolyline::cast(ent); pl && pl->isClosed() && pl->numVerts() >= 2) {
        loop.type |= AcDbHatch::kPolyline;
        for (unsigned i = 0; i < pl->numVerts(); ++i) {
            AcGePoint3d p;
            double b = 0;
            pl->getPointAt(i, p);
            pl->getBulgeAt(i, b);
            loop.vertices.push_back(p.convert2d());
            loop.bulges.push_back(b);
        }
        return true;
    }
    if (auto* el = AcDbEllipse::cast(ent); el && el->isClosed()) {
        AcDbHatch::Edge e;
        e.type = AcDbHatch::kEllArc;
        e.center = el->center().convert2d();
        e.majorAxis = el->majorAxis().convert2d();
        e.minorRatio = el->radiusRatio();
        e.startAngle = 0;
        e.endAngle = 2 * M_PI;
        loop.edges.push_back(e);
        return true;
    }
    if (auto* sp = AcDbSpline::cast(ent); sp && sp->isClosed()) {
        AcDbHatch::Edge e;
        e.type = AcDbHatch::kSpline;
        e.degree = sp->degree();
        e.rational = sp->isRational();
        e.periodic = sp->isPeriodic();
        e.knots = sp->knots();
        e.weights = sp->weights();
        for (const auto& p : sp->controlPoints()) e.controlPoints.push_back(p.convert2d());
        loop.edges.push_back(e);
        return true;
    }
    return false;
}

void hatchCommand() {
    ACHAR pattern[64];
    int rc = acedGetString(0, L"Enter a pattern name or [Solid] <ANSI31>: ", pattern, 64);
    if (rc != RTNORM) return;
    std::wstring name = pattern[0] ? pattern : L"ANSI31";
    for (auto& c : name) c = static_cast<wchar_t>(std::towupper(c));
    if (name == L"S") name = L"SOLID";
    std::vector<AcDbObjectId> ids = selectObjects();
    auto* hatch = new AcDbHatch;
    hatch->setPattern(AcDbHatch::kPreDefined, name.c_str());
    int skipped = 0;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        AcDbHatch::Loop loop;
        if (ent && loopFrom(ent.object(), loop)) hatch->insertLoopAt(hatch->numLoops(), loop);
        else ++skipped;
    }
    if (skipped) acutPrintf(L"%d object(s) are not closed boundaries and were left out.\n", skipped);
    if (hatch->numLoops() == 0) {
        acutPrintf(L"No valid hatch boundary found.\n");
        delete hatch;
        return;
    }
    hatch->evaluateHatch();
    addEntity(hatch);
}

}  // namespace

void registerBlockCommands(Registrar& add) {
    add(L"BLOCK", blockCommand);
    add(L"INSERT", insertCommand);
    add(L"HATCH", hatchCommand);
}

}  // namespace cvx::editor::commands
