#include "formula/formula_curve.h"

#include <algorithm>
#include <cmath>
#include <vector>
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

// The points without those that coincide with the one before (within a billionth of the points' size):
// a spline cannot pass through one place twice in a row.
std::vector<AcGePoint3d> withoutRepeats(const AcGePoint3d* points, int n) {
    double size = 1;
    for (int i = 0; i < n; ++i) size = std::max({size, std::abs(points[i].x), std::abs(points[i].y), std::abs(points[i].z)});
    std::vector<AcGePoint3d> kept{points[0]};
    for (int i = 1; i < n; ++i)
        if (points[i].distanceTo(kept.back()) > 1e-9 * size) kept.push_back(points[i]);
    return kept;
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
        std::vector<AcGePoint3d> fit = withoutRepeats(points, n);
        AcDbObjectId id;
        addCurveThroughPoints(static_cast<int>(fit.size()), fit.data(), color, closed, startTangent, endTangent, id);
        return id;
    }
    AcDbCurve* polyline = newPolylineThroughPoints(db, points, n, closed);
    return polyline ? appendNew(polyline, color) : AcDbObjectId();
}
