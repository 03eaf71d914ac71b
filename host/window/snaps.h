// Object snaps: the point of an entity near the cursor that a click takes instead of the cursor's own point.
// The kinds are the bits of the OSMODE setting.
#pragma once

#include <optional>

#include "cvx/ge.h"

namespace cvx::window {

enum SnapKind { SnapEnd = 1, SnapMiddle = 2, SnapCenter = 4, SnapQuadrant = 16, SnapIntersection = 32,
                SnapNearest = 512 };

struct Snap {
    AcGePoint3d point;
    SnapKind kind = SnapEnd;
};

// The snap point of the entities within `aperture` drawing units of `cursor`, for the kinds in `modes`:
// the closest one, a nearest point only when no other kind is in reach.
std::optional<Snap> findSnap(const AcGePoint3d& cursor, double aperture, int modes);

}  // namespace cvx::window
