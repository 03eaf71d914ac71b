// PLBH: the vertices of the selected curves numbered in the drawing, each curve from 1, by default from its
// lower-left end. The vertices are those the polyline report lists.
#include <vector>

#include "cvx/dbobject.h"
#include "reports/commands.h"
#include "reports/point_marks.h"
#include "reports/report_prompts.h"
#include "reports/vertex_list.h"

void plbhCommand() {
    std::vector<AcDbObjectId> ids;
    if (!selectVertexCurves(ids)) return;
    const double height = askMarkHeight();
    const bool lowerLeft = askLowerLeft();
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) continue;
        const auto vertices = reportVertices(entity.object(), lowerLeft);
        if (!vertices) continue;
        addPointMarks(*vertices, height);
    }
    finishPointMarks();
}
