// The curve kinds the batch tools (offset, random array, projection) work on, as one selection.
#pragma once

#include "polyline/selection.h"

inline TypedSelection selectCurvesOfAnyKind(BilingualText prompt, BilingualText nothingSelected) {
    return TypedSelection({L"POLYLINE", L"LWPOLYLINE", L"LINE", L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC", L"SPLINE"},
                          prompt, nothingSelected);
}
