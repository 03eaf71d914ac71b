// The current view as the renderer draws it: the options that draw exactly what the screen shows, pixel for
// pixel, and the mapping between the screen's pixels and the world.
#pragma once

#include "cvx/render.h"

namespace cvx::editor {

// The view's centre and height, the screen's size and the host's background colour.
RenderOptions currentViewRenderOptions();
// The mapping of a picture of the current view (false when there is no working database).
bool currentViewMapping(ViewMapping& mapping);

}  // namespace cvx::editor
