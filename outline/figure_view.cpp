#include "outline/figure_view.h"

#include <cmath>

#include "cvx/editor.h"
#include "frame/extents.h"

namespace {

constexpr double kRoom = 0.01;
constexpr double kMargin = 0.02;

}  // namespace

bool figureNeedsZoom(const AcDbExtents& figure, const AcGePoint3d& lo, const AcGePoint3d& hi) {
    const AcGePoint3d a = figure.minPoint(), b = figure.maxPoint();
    const double w = std::fabs(b.x - a.x), h = std::fabs(b.y - a.y);
    return lo.x + kRoom * w > a.x || lo.y + kRoom * h > a.y || b.x > hi.x - kRoom * w || b.y > hi.y - kRoom * h;
}

void zoomToFigure(const AcDbExtents& figure) {
    const AcGePoint3d a = figure.minPoint(), b = figure.maxPoint();
    const double w = std::fabs(b.x - a.x), h = std::fabs(b.y - a.y);
    AcGePoint3d first(a.x - kMargin * w, a.y - kMargin * h, a.z), second(b.x + kMargin * w, b.y + kMargin * h, b.z);
    wcsToUcs(first);
    wcsToUcs(second);
    AcGePoint3d lo, hi;
    currentViewExtents(lo, hi);
    if (!figureNeedsZoom(figure, lo, hi)) return;
    acedCommand(RTSTR, L"_ZOOM", RTSTR, L"W", RT3DPOINT, asDblArray(first), RT3DPOINT, asDblArray(second), RTNONE);
}
