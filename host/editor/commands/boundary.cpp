// BOUNDARY: closed polylines around the areas that the visible curves enclose, one area per picked inner
// point: the area's outer loop first, then one loop per island (the outer contour of a group of curves lying
// in the area). Enter ends the command.
//
// The curves are taken as seen from above (world XY): every visible curve of the current space and of the
// blocks inserted there. Ends and crossings closer than 1e-9 of the drawing's size count as meeting. Lines
// and arcs stay exact; ellipses, splines and circles seen aslant become chords within 1e-6 of the drawing's
// size.
#include <algorithm>
#include <cmath>
#include <optional>

#include "curves/plan_view.h"
#include "curves/planar_faces.h"
#include "db/block_walk.h"
#include "db/curve_geometry.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

constexpr double kMeetTolerance = 1e-9;   // of the drawing's size
constexpr double kChordTolerance = 1e-6;  // of the drawing's size
struct PlacedCurve {
    geom::Curve curve;
    AcGeMatrix3d place;
};

// The visible curves of a block and of the blocks it inserts, each with the transform that places it.
class VisibleCurves {
public:
    std::vector<PlacedCurve> curves;

    void addBlock(AcDbObjectId blockId, const AcGeMatrix3d& place, AcDbObjectId insertLayer, int depth) {
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
        if (!block) return;
        // The model space is the walk's start, not a block it enters.
        std::optional<db::BlockVisit> visit;
        if (depth > 0 && !visit.emplace(block.object())) return;  // a block inside itself, or too much
        ids = block->entityIds();
        for (AcDbObjectId id : ids) addEntity(id, place, insertLayer, depth);
    }

private:
    struct LayerState {
        bool zero = false, off = false, frozen = false;
    };

    static LayerState layerState(AcDbObjectId id) {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForRead);
        if (!layer) return {};
        return {layer->name() == L"0", layer->isOff(), layer->isFrozen()};
    }

    // Inside a block, an entity on layer 0 shows on the insert's layer. An insert on a layer that is off
    // still shows its contents that lie on other layers.
    void addEntity(AcDbObjectId id, const AcGeMatrix3d& place, AcDbObjectId insertLayer, int depth) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        if (!e || e->visibility() == AcDb::kInvisible) return;
        AcDbObjectId layerId = e->layerId();
        LayerState layer = layerState(layerId);
        if (!insertLayer.isNull() && layer.zero) layer = layerState(layerId = insertLayer);
        if (layer.frozen) return;
        if (auto* ref = AcDbBlockReference::cast(e.object())) {
            AcDbObjectId block = ref->blockTableRecord();
            AcGeMatrix3d inner = place * ref->blockTransform();
            e.close();
            addBlock(block, inner, layerId, depth + 1);
            return;
        }
        geom::Curve c;
        auto* curve = AcDbCurve::cast(e.object());
        if (!layer.off && curve && cvxCurveGeometry(curve, c)) curves.push_back({std::move(c), place});
    }
};

// The diagonal of the curves' box in plan.
double planSize(const std::vector<PlacedCurve>& curves) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const PlacedCurve& c : curves) {
        auto [lo, hi] = geom::roughBox(c.curve);
        for (int k = 0; k < 8; ++k) {
            AcGePoint3d p = c.place * AcGePoint3d(k & 1 ? hi.x : lo.x, k & 2 ? hi.y : lo.y, k & 4 ? hi.z : lo.z);
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        }
    }
    double size = std::hypot(x1 - x0, y1 - y0);
    return std::isfinite(size) ? size : 0;
}

geom::PlanarFaces visibleAreas() {
    cvx::db::BlockWalk walk;
    VisibleCurves visible;
    if (AcDbDatabase* db = acdbCurDwg()) visible.addBlock(db->currentSpaceId(), AcGeMatrix3d(), AcDbObjectId(), 0);
    double size = std::max(planSize(visible.curves), 1e-6);
    std::vector<geom::Segment2> plan;
    for (const PlacedCurve& c : visible.curves) geom::appendPlanView(c.curve, c.place, kChordTolerance * size, plan);
    return geom::PlanarFaces(plan, kMeetTolerance * size);
}

AcDbPolyline* toEntity(const geom::BulgePolyline& loop) {
    auto* pl = new AcDbPolyline(unsigned(loop.v.size()));
    for (const geom::Vertex2& v : loop.v) pl->addVertexAt(pl->numVerts(), v.pt, v.bulge);
    pl->setClosed(true);
    return pl;
}

void boundaryCommand() {
    std::optional<geom::PlanarFaces> areas;  // found at the first pick: the loops made add no new areas
    for (;;) {
        AcGePoint3d p;
        if (getPoint(nullptr, L"Pick internal point: ", p) != RTNORM) return;
        if (!areas) areas.emplace(visibleAreas());
        std::vector<geom::BulgePolyline> loops = areas->loopsAround({p.x, p.y});
        if (loops.empty()) {
            acutPrintf(L"No closed boundary around the picked point.\n");
            continue;
        }
        int made = 0;
        for (const geom::BulgePolyline& loop : loops) made += !addEntity(toEntity(loop)).isNull();
        acutPrintf(L"BOUNDARY created %d polyline%ls\n", made, made == 1 ? L"" : L"s");
    }
}

}  // namespace

void registerBoundaryCommands(Registrar& add) { add(L"BOUNDARY", boundaryCommand); }

}  // namespace cvx::editor::commands
