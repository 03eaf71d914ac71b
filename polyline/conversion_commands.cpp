// PL2OLD, OLDPL2LW and PLDD: one conversion applied to every member of a selection, with a count at the end.
#include "polyline/commands.h"
#include "polyline/conversions.h"
#include "polyline/selection.h"

namespace {

// Opens each member for write and hands it to the conversion, which closes it; reports how many succeeded.
void convertEach(const TypedSelection& selection, bool (*convert)(AcDbEntity*)) {
    int done = 0;
    for (AcDbObjectId id : selection.ids()) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForWrite) == Acad::eOk && convert(entity)) ++done;
    }
    reportProcessedCurves(done);
}

}  // namespace

void pl2oldCommand() {
    TypedSelection selection({L"LWPOLYLINE"}, {L"请选择轻量多段线 >\n", L"Please select Lightweight Polyline(s) >\n"},
                             {L"没有选择多段线。\n", L"No Polyline selected.\n"});
    if (selection.ok()) convertEach(selection, &convertToOldPolyline);
}

void oldpl2lwCommand() {
    TypedSelection selection({L"POLYLINE"}, {L"请选择旧式多段线 >\n", L"Please select old type Polyline(s) >\n"},
                             {L"没有选择二维多段线。\n", L"No Polyline2D selected.\n"});
    if (selection.ok()) convertEach(selection, &convertToLightweightPolyline);
}

void plddCommand() {
    TypedSelection selection(
        {L"POLYLINE", L"LWPOLYLINE", L"LINE", L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC", L"SPLINE"},
        {L"请选择曲线 >\n", L"Please select PLINE >\n"}, {L"没有选择曲线。\n", L"No PLINE selected.\n"});
    if (selection.ok()) convertEach(selection, &reverseCurveDirection);
}
