// makeOutline: BOUNDARY picked in the gap between the isolated figure and a rectangle along the view's edges;
// the largest boundary is the outline. Large selections get a rough outline from a picture of the view first.
#include <cmath>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "frame/extents.h"
#include "outline/boundary_choice.h"
#include "outline/command_echo.h"
#include "outline/commands.h"
#include "outline/entity_lists.h"
#include "outline/figure_view.h"
#include "outline/region_trace.h"
#include "outline/rough_outline.h"
#include "outline/view_image.h"

namespace {

// Above this many selected entities the rough outline is made first.
constexpr int kMostEntitiesForBoundary = 1000;
constexpr double kPickOffset = 0.01;
constexpr double kWidthShare = 0.01;

// The raster stage. True when the user keeps the rough outline (the command ends); otherwise the curves well
// inside it may have joined `hidden`, and its inward offsets `temporary`.
bool roughOutlineAccepted(AcDbObjectIdArray& temporary, AcDbObjectIdArray& hidden) {
    PixelChain chain;
    int regions = 0;
    if (auto grid = labelCurrentView(regions)) traceRegionBoundary(0, *grid, chain);
    const AcDbObjectId rough = makeRoughOutline(chain);
    if (rough.isNull()) return false;
    if (askYesNo(L"\n图形太复杂，已先为您生成一个粗略的外轮廓。如果满意，回答 y 直接结束；回答 n 将继续努力生成精确的外轮廓？ ",
                 L"\nThe figure is too complex, so we first created a rough outline for you. If you are "
                 L"satisfied, answer y and finish directly. Will n continue to work hard to create a precise "
                 L"outline? ",
                 true)) {
        setEntitiesVisible(hidden, true);
        return true;
    }
    closeInternalObjects(rough, temporary, hidden);
    return false;
}

// A closed polyline along the edges of the current view.
AcDbObjectId addViewRectangle() {
    AcGePoint3d lo, hi;
    currentViewExtents(lo, hi);
    auto* rectangle = new AcDbPolyline;
    rectangle->addVertexAt(0, AcGePoint2d(lo.x, lo.y));
    rectangle->addVertexAt(1, AcGePoint2d(hi.x, lo.y));
    rectangle->addVertexAt(2, AcGePoint2d(hi.x, hi.y));
    rectangle->addVertexAt(3, AcGePoint2d(lo.x, hi.y));
    rectangle->setElevation(0);
    rectangle->setClosed(true);
    AcDbObjectId id;
    if (appendToWorkingSpace(rectangle, id) != Acad::eOk) delete rectangle;
    return id;
}

// Erases the entity and returns its extents before (invalid when it could not be opened).
AcDbExtents eraseAndMeasure(AcDbObjectId id) {
    AcDbExtents extents;
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (!entity) return extents;
    entity->getGeomExtents(extents);
    entity->erase();
    return extents;
}

void eraseAll(const AcDbObjectIdArray& ids) {
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbEntity> entity(ids[i], AcDb::kForWrite);
        if (entity) entity->erase();
    }
}

}  // namespace

void makeOutlineCommand() {
    CommandEchoOff quiet;
    AcDbObjectIdArray selected, hidden, temporary;
    if (!selectEntities(L"\n请选择要生成外轮廓的所有实体:", L"\nPleas Select all entities for outline:", selected))
        return;
    hideOtherEntities(selected, hidden);
    AcDbExtents figure;
    idArrayExtents(figure, selected);
    if (!figure.isValid()) {
        printBilingual(L"\n所选实体没有范围。", L"\nThe selected entities have no extents.");
        setEntitiesVisible(hidden, true);
        return;
    }
    const double width = std::fabs(figure.maxPoint().x - figure.minPoint().x);
    const double height = std::fabs(figure.maxPoint().y - figure.minPoint().y);
    zoomToFigure(figure);
    AcGePoint3d lo, hi;
    currentViewExtents(lo, hi);
    // Both offsets of the pick point use the figure's width.
    AcGePoint3d pick(lo.x + kPickOffset * width, lo.y + kPickOffset * width, 0);

    if (selected.length() > kMostEntitiesForBoundary && roughOutlineAccepted(temporary, hidden)) return;

    const AcDbObjectId rectangle = addViewRectangle();
    ads_name last;
    if (acdbEntLast(last) != RTNORM) ads_name_clear(last);
    acedCommand(RTSTR, L"_BOUNDARY", RT3DPOINT, asDblArray(pick), RTSTR, L"", RTNONE);
    const AcDbObjectIdArray boundaries = entitiesAfter(last);
    keepLargestBoundary(boundaries, eraseAndMeasure(rectangle), kWidthShare * height);
    bool made = false;
    for (int i = 0; i < boundaries.length() && !made; ++i) made = !boundaries[i].isErased();
    if (!made)
        printBilingual(L"\n所选实体周围没有找到封闭区域，未生成外轮廓。",
                       L"\nNo closed area was found around the selected entities; no outline was made.");
    setEntitiesVisible(hidden, true);
    eraseAll(temporary);
}
