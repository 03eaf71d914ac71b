#include "outline/rough_outline.h"

#include <unordered_set>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "frame/sysvars.h"
#include "outline/entity_lists.h"
#include "polyline/optimize.h"

namespace {

constexpr double kThinningFactor = 5.0;
constexpr int kWindowPoints = 36;
constexpr double kShortestCurve = 0.0001;

double viewSize() {
    double size = 0;
    getSysVarReal(L"VIEWSIZE", size);
    return size;
}

// The offset curve's outline as a list of 3D points: 36 points evenly along it and its end point.
resbuf* windowPolygon(AcDbObjectId curveId) {
    AcDbObjectPointer<AcDbCurve> curve(curveId, AcDb::kForRead);
    double endParam = 0, length = 0;
    if (!curve || curve->getEndParam(endParam) != Acad::eOk || curve->getDistAtParam(endParam, length) != Acad::eOk ||
        length < kShortestCurve)
        return nullptr;
    resbuf* head = nullptr;
    resbuf** tail = &head;
    auto add = [&](const AcGePoint3d& p) {
        *tail = acutNewRb(RT3DPOINT);
        (*tail)->resval.rpoint[0] = p.x;
        (*tail)->resval.rpoint[1] = p.y;
        (*tail)->resval.rpoint[2] = p.z;
        tail = &(*tail)->rbnext;
    };
    const double step = length / (kWindowPoints - 1);
    AcGePoint3d p;
    for (int k = 0; k < kWindowPoints; ++k)
        if (curve->getPointAtDist(k * step, p) == Acad::eOk) add(p);
    if (curve->getEndPoint(p) == Acad::eOk) add(p);
    return head;
}

// Adds the curves that the window polygon selects to `hidden` (each once).
void addCurvesInside(resbuf* polygon, AcDbObjectIdArray& hidden) {
    ads_name set;
    if (acedSSGet(L"_WP", polygon, nullptr, nullptr, set) != RTNORM) return;
    std::unordered_set<AcDbObjectId> known;
    for (int i = 0; i < hidden.length(); ++i) known.insert(hidden[i]);
    int32_t length = 0;
    acedSSLength(set, &length);
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
        if (curve && known.insert(id).second) hidden.append(id);
    }
    acedSSFree(set);
}

}  // namespace

AcDbObjectId makeRoughOutline(const PixelChain& chain) {
    if (chain.size() <= kFewestRoughOutlinePoints) return AcDbObjectId();
    const double size = viewSize();
    auto* pl = new AcDbPolyline;
    for (const POINT& pixel : chain) {
        ads_point world = {0, 0, 0};
        acedCoordFromPixelToWorld(0, pixel, world);
        pl->addVertexAt(pl->numVerts(), AcGePoint2d(world[0], world[1]), 0.0, -1.0, -1.0);
    }
    pl->setElevation(0);
    pl->setConstantWidth(size / 100);
    pl->setColorIndex(1);
    pl->setClosed(true);
    AcDbObjectId id;
    if (appendToWorkingSpace(pl, id) != Acad::eOk) {
        delete pl;
        return AcDbObjectId();
    }
    AcDbObjectPointer<AcDbEntity> outline(id, AcDb::kForWrite);
    if (!outline) return id;
    AcDbObjectId thinned;
    if (optimizePolyline(thinned, nullptr, outline.object(), size, kThinningFactor) != Acad::eOk || thinned.isNull())
        return id;
    return thinned;
}

void closeInternalObjects(AcDbObjectId roughOutline, AcDbObjectIdArray& temporary, AcDbObjectIdArray& hidden) {
    AcDbObjectId firstOffset;
    {
        AcDbObjectPointer<AcDbCurve> outline(roughOutline, AcDb::kForWrite);
        if (!outline) return;
        AcDbVoidPtrArray offsets;
        outline->getOffsetCurves(viewSize() / 50, offsets);
        for (int i = 0; i < offsets.length(); ++i) {
            auto* curve = static_cast<AcDbEntity*>(offsets[i]);
            AcDbObjectId id;
            if (appendToCurrentSpace(outline->database(), curve, id) != Acad::eOk) {
                delete curve;
                continue;
            }
            temporary.append(id);
            if (firstOffset.isNull()) firstOffset = id;
        }
        outline->erase();
    }
    if (resbuf* polygon = firstOffset.isNull() ? nullptr : windowPolygon(firstOffset)) {
        addCurvesInside(polygon, hidden);
        acutRelRb(polygon);
    }
    setEntitiesVisible(hidden, false);
    acutPrintf(chooseText(L"\n临时关闭内部对象 <%d> 个。", L"\nTemporary closure of internal objects <%d>."),
               hidden.length());
}
