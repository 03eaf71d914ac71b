#include "editor/state.h"

#include <algorithm>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "db/undo.h"

namespace cvx::editor {

EditorState& editorState() {
    static EditorState s;
    return s;
}

void resetEditorState() { editorState() = EditorState(); }

double pickTolerance() {
    const EditorState& s = editorState();
    return std::max(1, s.shorts.at(L"PICKBOX")) * s.view.unitsPerPixel();
}

void zoomCenter(const AcGePoint2d& center, double height) {
    View& v = editorState().view;
    v.center = center;
    if (height > 0 && std::isfinite(height)) v.height = height;
}

void zoomToBox(const AcGePoint3d& lo, const AcGePoint3d& hi) {
    View& v = editorState().view;
    double w = std::fabs(hi.x - lo.x), h = std::fabs(hi.y - lo.y);
    double aspect = double(v.screenWidth) / std::max(1, v.screenHeight);
    double height = std::max(h, w / aspect);
    if (height <= 0) height = v.height;
    zoomCenter({(lo.x + hi.x) / 2, (lo.y + hi.y) / 2}, height);
}

bool loadViewFrom(AcDbDatabase* db) {
    AcDbViewportTable* table = nullptr;
    if (!db || db->getViewportTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbViewportTableRecord* rec = nullptr;
    bool ok = table->getAt(L"*Active", rec, AcDb::kForRead) == Acad::eOk;
    table->close();
    if (!ok) return false;
    if (rec->height() > 0) zoomCenter(rec->centerPoint(), rec->height());
    rec->close();
    return true;
}

}  // namespace cvx::editor

Acad::ErrorStatus acedVports2VportTableRecords() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return Acad::eNoDatabase;
    CvxUndoPause viewIsNoStep(db);  // the view kept in the drawing follows the screen, not the undo steps
    AcDbViewportTable* table = nullptr;
    Acad::ErrorStatus es = db->getViewportTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    AcDbViewportTableRecord* rec = nullptr;
    if (table->getAt(L"*Active", rec, AcDb::kForWrite) != Acad::eOk) {
        rec = new AcDbViewportTableRecord;
        rec->setName(L"*Active");
        if ((es = table->add(rec)) != Acad::eOk) {
            delete rec;
            table->close();
            return es;
        }
    }
    const cvx::editor::View& v = cvx::editor::editorState().view;
    rec->setCenterPoint(v.center);
    rec->setHeight(v.height);
    rec->setWidth(v.width());
    rec->close();
    table->close();
    return Acad::eOk;
}
