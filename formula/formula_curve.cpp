#include "formula/formula_curve.h"

#include <cmath>
#include <memory>

#include "formula/output_mode.h"
#include "formula/polyline_through_points.h"
#include "frame/append.h"
#include "linkline/curve_through_points.h"

namespace {

// Unsigned angle (0..pi) between v and the X axis; 0 for a zero vector.
double angleToXAxis(const AcGeVector3d& v) { return std::atan2(std::hypot(v.y, v.z), v.x); }

AcDbObjectId appendNew(AcDbEntity* entity, const AcCmColor& color) {
    std::unique_ptr<AcDbEntity> owned(entity);
    owned->setColor(color);
    AcDbObjectId id;
    if (appendToWorkingSpace(owned.get(), id) != Acad::eOk) return AcDbObjectId();
    owned.release();
    return id;
}

}  // namespace

AcCmColor formulaColor(int code) {
    AcCmColor color;
    if (code == 0 || code == 256) {
        color.setByLayer();
    } else if (code >= 1 && code <= 255) {
        color.setColorIndex(static_cast<int16_t>(code));
    } else if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase()) {
        color = db->cecolor();
    }
    return color;
}

bool formulaPointsOnOneLine(const AcGePoint3d* points, int n) {
    if (n == 2) return true;
    if (n < 2) return false;
    const double a = angleToXAxis(points[1] - points[0]);
    for (int i = 2; i < n; ++i)
        if (std::abs(angleToXAxis(points[i] - points[0]) - a) > 0.001) return false;
    return true;
}

AcDbObjectId addFormulaCurve(const AcGePoint3d* points, int n, int colour, bool closed,
                             const AcGeVector3d& startTangent, const AcGeVector3d& endTangent) {
    if (n < 2 || !points) return AcDbObjectId();
    const AcCmColor color = formulaColor(colour);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (formulaPointsOnOneLine(points, n)) {
        auto* line = new AcDbLine(points[0], points[n - 1]);
        line->setDatabaseDefaults(db);
        return appendNew(line, color);
    }
    if (splineOutput()) {
        AcDbObjectId id;
        addCurveThroughPoints(n, points, color, closed, startTangent, endTangent, id);
        return id;
    }
    AcDbCurve* polyline = newPolylineThroughPoints(db, points, n, closed);
    return polyline ? appendNew(polyline, color) : AcDbObjectId();
}
