// Smoothing a polyline: even resampling, thinning, and a cubic spline-fit 2D polyline in its place.
#pragma once

#include "cvx/dbents.h"

// source: an open lightweight, 2D or 3D polyline (the caller closes it). Resamples it at as many points as it
// has vertices, thins the samples with optimizePolyline, and puts a cubic-spline-fit 2D polyline with the
// source's layer, colour, width and closed flag in its place (in targetBlock when given, else beside the
// source). The source is erased; one shorter than 1e-5 is only erased. id is the new 2D polyline, or null.
Acad::ErrorStatus smoothPolyline(AcDbObjectId& id, AcDbBlockTableRecord* targetBlock, AcDbEntity* source,
                                 double scaleLength, double toleranceFactor);
