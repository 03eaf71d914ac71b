#include "polyline/duplicates.h"

#include <memory>

#include "polyline/placement.h"
#include "polyline/polyline_points.h"
#include "polyline/vertex_counters.h"

namespace {

constexpr double kCoincident = 1e-5;

void removeFromLightweight(AcDbPolyline* pl, const std::vector<bool>& marks, bool closesRing, int& counter) {
    const bool wasClosed = pl->isClosed();
    for (size_t i = marks.size(); i-- > 0;) {
        if (marks[i] && pl->removeVertexAt(static_cast<unsigned int>(i)) == Acad::eOk) ++counter;
    }
    if (wasClosed || closesRing) pl->setClosed(true);
}

void removeFromHeavy(AcDbHeavyPolyline* pl, const std::vector<bool>& marks, bool closesRing, int& counter) {
    std::vector<AcDbObjectId> ids;
    std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
    for (it->start(); !it->done(); it->step()) ids.push_back(it->objectId());
    for (size_t i = 0; i < ids.size() && i < marks.size(); ++i) {
        if (!marks[i]) continue;
        AcDbObjectPointer<AcDbVertex> vertex(ids[i], AcDb::kForWrite);
        if (vertex && vertex->erase() == Acad::eOk) ++counter;
    }
    if (closesRing) pl->makeClosed();
}

}  // namespace

std::vector<bool> duplicateVertexMarks(const std::vector<AcGePoint3d>& p, bool& closesRing) {
    const size_t n = p.size();
    std::vector<bool> marks(n, false);
    for (size_t i = 0; i + 1 < n; ++i) marks[i] = p[i].distanceTo(p[i + 1]) < kCoincident;
    closesRing = n > 1 && p[n - 1].distanceTo(p[0]) < kCoincident;
    if (closesRing) marks[n - 1] = true;
    return marks;
}

int removeDuplicateVertices(AcDbEntity* source) {
    int& counter = vertexCounters().deletedDuplicates;
    const auto* curve = AcDbCurve::cast(source);
    if (!curve || polylineKindOf(source) == PolylineKind::kNone) return counter;
    if (curveLength(curve) < kCoincident) {
        eraseOpenEntity(source);
        return counter;
    }
    bool closesRing = false;
    const std::vector<bool> marks = duplicateVertexMarks(readPolylinePoints(source).points, closesRing);
    if (!source->isWriteEnabled() && source->upgradeOpen() != Acad::eOk) return counter;
    if (auto* lw = AcDbPolyline::cast(source)) removeFromLightweight(lw, marks, closesRing, counter);
    else removeFromHeavy(AcDbHeavyPolyline::cast(source), marks, closesRing, counter);
    return counter;
}
