// Bringing a figure into the view with some room around it, as the outline's BOUNDARY pick needs.
#pragma once

#include "cvx/dbents.h"

// True when the figure comes closer than 1% of its width (in x) or height (in y) to an edge of the view
// given by its lower-left and upper-right corners, or lies beyond one.
bool figureNeedsZoom(const AcDbExtents& figure, const AcGePoint3d& viewLowerLeft, const AcGePoint3d& viewUpperRight);

// When the figure needs it, zooms to the window of the figure widened by 2% of its width and height on every
// side (host command ZOOM).
void zoomToFigure(const AcDbExtents& figure);
