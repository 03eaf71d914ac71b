// PLYH, PLYH2 and PLYH3: the optimisation engines run on a selection of polylines.
#include <algorithm>

#include "frame/bilingual.h"
#include "frame/extents.h"
#include "polyline/commands.h"
#include "polyline/duplicates.h"
#include "polyline/optimize.h"
#include "polyline/selection.h"
#include "polyline/smooth.h"
#include "polyline/vertex_counters.h"

namespace {

constexpr double kSmallestScale = 0.001;

TypedSelection selectPolylines() {
    return TypedSelection({L"POLYLINE", L"LWPOLYLINE"}, {L"请选择多段线 >\n", L"Please select polyline >\n"},
                          {L"没有选择多段线。\n", L"No polyline selected.\n"});
}

// The diagonal of the selection's box; 0 (with the message printed) when it is too small to work with.
double scaleLengthOf(const TypedSelection& selection) {
    AcDbExtents extents;
    selectionExtents(extents, selection.set());
    const double s = extents.isValid() ? extents.minPoint().distanceTo(extents.maxPoint()) : 0.0;
    if (s < kSmallestScale) {
        printBilingual(L"多段线的包围盒高度太小。\n", L"The height of the polyline bounding box is too low.\n");
        return 0;
    }
    return s;
}

int askTolerance() {
    acedInitGet(6, nullptr);
    int tolerance = 1;
    if (getIntBilingual(L"\n请输入容差[1--10](1):", L"\nPlease input the tolerance[1--10](1):", tolerance) != RTNORM)
        return 1;
    return std::clamp(tolerance, 1, 10);
}

void reportOptimization() {
    VertexCounters& c = vertexCounters();
    if (c.before <= 0) return;
    c.after = std::min(c.after, c.before);
    const int efficiency = static_cast<int>(static_cast<double>(c.before - c.after) / c.before * 100.0);
    wchar_t cn[256], en[256];
    std::swprintf(cn, 256, L"\n优化前顶点数 : %d，现在顶点数: %d，优化效率为 %d%%。", c.before, c.after, efficiency);
    std::swprintf(en, 256, L"\nVertexs befor optimization : %d\uFF0C nVertexs now: %d\uFF0Coptimization efficiency is %d percent.",
                  c.before, c.after, efficiency);
    printBilingual(cn, en);
}

}  // namespace

void plyhCommand() {
    VertexCounters& counters = vertexCounters();
    counters.before = counters.after = 0;
    TypedSelection selection = selectPolylines();
    if (!selection.ok()) return;
    const double scale = scaleLengthOf(selection);
    if (scale <= 0) return;
    const double factor = askTolerance() - 0.5;
    for (AcDbObjectId id : selection.ids()) {
        AcDbObjectPointer<AcDbEntity> source(id, AcDb::kForRead);
        AcDbObjectId newId;
        if (source) optimizePolyline(newId, nullptr, source.object(), scale, factor);
    }
    reportOptimization();
}

void plyh2Command() {
    vertexCounters().deletedDuplicates = 0;
    TypedSelection selection = selectPolylines();
    if (!selection.ok()) return;
    for (AcDbObjectId id : selection.ids()) {
        AcDbObjectPointer<AcDbEntity> source(id, AcDb::kForRead);
        if (source) removeDuplicateVertices(source.object());
    }
    printBilingualCount(L"\n成功删除 <%d > 个重复顶点。", L"\nDeleted <%d > duplicate vertexs OK.",
                        vertexCounters().deletedDuplicates);
}

void plyh3Command() {
    TypedSelection selection = selectPolylines();
    if (!selection.ok()) return;
    const double scale = scaleLengthOf(selection);
    if (scale <= 0) return;
    for (AcDbObjectId id : selection.ids()) {
        AcDbObjectPointer<AcDbEntity> source(id, AcDb::kForWrite);
        AcDbObjectId newId;
        if (source) smoothPolyline(newId, nullptr, source.object(), scale, 1.0);
    }
}
