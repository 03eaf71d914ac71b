// The user coordinate system: an origin and two axes in the world. Points typed at prompts and points that
// acedTrans converts from or to code 1 are in this system.
#pragma once

#include "cvx/ge.h"

namespace cvx::editor {

struct Ucs {
    AcGePoint3d origin;
    AcGeVector3d xAxis = AcGeVector3d::kXAxis, yAxis = AcGeVector3d::kYAxis;

    bool isWorld() const;
    // User coordinates to world coordinates.
    AcGeMatrix3d toWorld() const;
    // The system through an origin, a point on the positive X axis and one on the positive-Y side; false
    // when the three points do not make a plane.
    static bool fromThreePoints(const AcGePoint3d& o, const AcGePoint3d& onX, const AcGePoint3d& onXY, Ucs& out);
};

}  // namespace cvx::editor
