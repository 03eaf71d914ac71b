// TRIM and EXTEND: cutting or boundary edges picked (or every curve, with Enter), then the objects to trim or
// extend, each at the side of its pick point.
#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/commands/curve_ends.h"

namespace cvx::editor::commands {
namespace {

// The edges: the selection, or with Enter every curve of the current space.
std::vector<AcDbObjectId> askEdges(const wchar_t* what) {
    acutPrintf(L"Current settings: Projection=UCS, Edge=None\nSelect %ls ...\n", what);
    std::vector<AcDbObjectId> ids = selectObjects();
    if (!ids.empty()) return ids;
    ads_name all;
    if (acedSSGet(L"A", nullptr, nullptr, nullptr, all) != RTNORM) return ids;
    int32_t n = 0;
    acedSSLength(all, &n);
    for (int32_t i = 0; i < n; ++i) {
        ads_name e;
        AcDbObjectId id;
        if (acedSSName(all, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk) ids.push_back(id);
    }
    acedSSFree(all);
    return ids;
}

// Where the curve meets the edges (the curve itself left out), on the curve, or on its course with `extended`.
std::vector<AcGePoint3d> meetings(const AcDbCurve* c, AcDbObjectId self, const std::vector<AcDbObjectId>& edges,
                                  bool extendThis) {
    std::vector<AcGePoint3d> out;
    for (AcDbObjectId id : edges) {
        if (id == self) continue;
        AcDbObjectPointer<AcDbCurve> edge(id, AcDb::kForRead);
        if (!edge) continue;
        AcGePoint3dArray pts;
        if (c->intersectWith(edge.object(), extendThis ? AcDb::kExtendThis : AcDb::kOnBothOperands, pts) != Acad::eOk)
            continue;
        for (const AcGePoint3d& p : pts) out.push_back(p);
    }
    return out;
}

// The piece of a split nearest a point: the one the pick (or the middle of a break) lies on.
int nearestPiece(const AcDbVoidPtrArray& pieces, const AcGePoint3d& p) {
    int best = -1;
    double bestD = std::numeric_limits<double>::max();
    for (int i = 0; i < pieces.length(); ++i) {
        AcGePoint3d on;
        if (static_cast<AcDbCurve*>(pieces[i])->getClosestPointTo(p, on) != Acad::eOk) continue;
        if (on.distanceTo(p) < bestD) bestD = on.distanceTo(p), best = i;
    }
    return best;
}

}  // namespace

// Splits the curve at the parameters and removes the piece nearest `drop`; false when it cannot be split.
bool cutAway(AcDbObjectId id, const AcGeDoubleArray& params, const AcGePoint3d& drop) {
    AcDbVoidPtrArray pieces;
    {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        if (!c || params.isEmpty() || c->getSplitCurves(params, pieces) != Acad::eOk || pieces.length() < 2) {
            for (void* p : pieces) delete static_cast<AcDbEntity*>(p);
            return false;
        }
    }
    int gone = nearestPiece(pieces, drop);
    delete static_cast<AcDbEntity*>(pieces[gone]);
    pieces.removeAt(gone);
    return replaceByPieces(id, pieces);
}

namespace {

void trimOne(AcDbObjectId id, const AcGePoint3d& pick, const std::vector<AcDbObjectId>& edges) {
    AcGeDoubleArray cuts;
    {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        if (!c) {
            acutPrintf(L"Cannot trim that object.\n");
            return;
        }
        AcGePoint3d on;
        double t = 0, start = 0, end = 0;
        c->getClosestPointTo(pick, on);
        c->getParamAtPoint(on, t);
        c->getStartParam(start), c->getEndParam(end);
        double lo = -std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::max();
        std::vector<double> all;
        for (const AcGePoint3d& p : meetings(c.object(), id, edges, false)) {
            double s = 0;
            if (c->getParamAtPoint(p, s) != Acad::eOk) continue;
            all.push_back(s);
            if (s < t) lo = std::max(lo, s);
            if (s > t) hi = std::min(hi, s);
        }
        if (c->isClosed()) {
            // Round a closed curve the cuts nearest the pick on either side, wrapping over its seam.
            if (all.size() >= 2) {
                if (lo == -std::numeric_limits<double>::max()) lo = *std::max_element(all.begin(), all.end());
                if (hi == std::numeric_limits<double>::max()) hi = *std::min_element(all.begin(), all.end());
            }
            if (lo != -std::numeric_limits<double>::max() && hi != std::numeric_limits<double>::max() && lo != hi)
                cuts.append(lo), cuts.append(hi);
        } else {
            double eps = 1e-9 * std::max(1.0, end - start);
            if (lo > start + eps && lo != -std::numeric_limits<double>::max()) cuts.append(lo);
            if (hi < end - eps && hi != std::numeric_limits<double>::max()) cuts.append(hi);
        }
    }
    if (cuts.isEmpty() || !cutAway(id, cuts, pick)) acutPrintf(L"The object does not cross a cutting edge.\n");
}

void extendOne(AcDbObjectId id, const AcGePoint3d& pick, const std::vector<AcDbObjectId>& edges) {
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForWrite);
    if (!c) {
        acutPrintf(L"Cannot extend that object.\n");
        return;
    }
    bool atStart = nearerStart(c.object(), pick);
    AcDbCurve* course = endCourse(c.object(), atStart);
    AcGePoint3d end;
    AcGeVector3d out;
    if (!course || !endFrame(c.object(), atStart, end, out)) {
        delete course;
        acutPrintf(L"Only lines, arcs, elliptical arcs and open polylines can be extended.\n");
        return;
    }
    double best = std::numeric_limits<double>::max(), eps = 1e-9 * std::max(1.0, (end - AcGePoint3d::kOrigin).length());
    AcGePoint3d to;
    for (const AcGePoint3d& p : meetings(course, id, edges, true)) {
        double d = travelBeyond(course, end, out, p);
        if (d > eps && d < best) best = d, to = p;
    }
    delete course;
    if (best == std::numeric_limits<double>::max() || !moveEndTo(c.object(), atStart, to))
        acutPrintf(L"The object does not reach a boundary edge.\n");
}

void editLoop(const wchar_t* edgesName, const wchar_t* prompt,
              void (*edit)(AcDbObjectId, const AcGePoint3d&, const std::vector<AcDbObjectId>&)) {
    std::vector<AcDbObjectId> edges = askEdges(edgesName);
    if (edges.empty()) {
        acutPrintf(L"There are no edges.\n");
        return;
    }
    for (;;) {
        AcDbObjectId id;
        AcGePoint3d at;
        if (pickEntity(prompt, id, at) != RTNORM) return;
        edit(id, at, edges);
    }
}

void trimCommand() { editLoop(L"cutting edges", L"Select object to trim <Exit>: ", trimOne); }
void extendCommand() { editLoop(L"boundary edges", L"Select object to extend <Exit>: ", extendOne); }

}  // namespace

void registerTrimExtendCommands(Registrar& add) {
    add(L"TRIM", trimCommand);
    add(L"EXTEND", extendCommand);
}

}  // namespace cvx::editor::commands
