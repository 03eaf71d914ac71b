// How formula curves are drawn: as polylines (the default) or as splines. One setting for the whole process,
// chosen in the formula dialog.
#pragma once

bool splineOutput();
void setSplineOutput(bool spline);
