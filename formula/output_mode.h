// How formula curves are drawn: as splines (the default) or as polylines. One setting for the whole process,
// chosen in the formula dialog.
#pragma once

bool splineOutput();
void setSplineOutput(bool spline);
