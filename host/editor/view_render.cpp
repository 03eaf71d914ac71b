// The view as pictures show it, and the pixel <-> world services that rely on it.
#include "editor/view_render.h"

#include <cmath>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "cvx/profile.h"
#include "editor/front_end.h"
#include "editor/state.h"

namespace cvx::editor {

RenderOptions currentViewRenderOptions() {
    const View& v = editorState().view;
    RenderOptions r;
    r.width = v.screenWidth;
    r.height = v.screenHeight;
    r.viewCenter = v.center;
    r.viewHeight = v.height;
    COLORREF c = cvxHostBackgroundColor();
    r.background = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    return r;
}

bool currentViewMapping(ViewMapping& mapping) {
    AcDbDatabase* db = acdbCurDwg();
    return db && cvxRenderMapping(db, currentViewRenderOptions(), mapping);
}

}  // namespace cvx::editor

// A pixel stands for the world point at its centre; a world point lies in the pixel that covers it.
bool acedCoordFromPixelToWorld(int, POINT pixel, ads_point result) {
    cvx::ViewMapping m;
    if (!result || !cvx::editor::currentViewMapping(m)) return false;
    AcGePoint2d w = m.pixelToWorld({pixel.x + 0.5, pixel.y + 0.5});
    result[0] = w.x;
    result[1] = w.y;
    result[2] = 0;
    return true;
}

bool acedCoordFromWorldToPixel(int, const ads_point point, POINT& pixel) {
    cvx::ViewMapping m;
    if (!point || !cvx::editor::currentViewMapping(m)) return false;
    AcGePoint2d p = m.worldToPixel({point[0], point[1]});
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > 2e9 || std::fabs(p.y) > 2e9) return false;
    pixel.x = static_cast<LONG>(std::floor(p.x));
    pixel.y = static_cast<LONG>(std::floor(p.y));
    return true;
}

// Headless, the screen has nothing to refresh; a window front end redraws here.
void acedUpdateDisplay() {
    if (cvx::editor::frontEnd().updateDisplay) cvx::editor::frontEnd().updateDisplay();
}
