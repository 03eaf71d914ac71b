// End directions of link lines.
#pragma once

#include "cvx/ge.h"
#include "linkline/linked_shape.h"

// linkLine00: both ends horizontal, pointing from the start towards the end ((-1,0,0) when E is not right of S).
AcGeVector3d horizontalLinkTangent(const AcGePoint3d& s, const AcGePoint3d& e);
// linkLine90: both ends vertical ((0,-1,0) when S is above E, else (0,1,0)).
AcGeVector3d verticalLinkTangent(const AcGePoint3d& s, const AcGePoint3d& e);
// Leaving a shape: the outward normal of the side.
AcGeVector3d startTangentOf(LinkSide side);
// Entering a shape: the inward normal of the side.
AcGeVector3d endTangentOf(LinkSide side);
// For an end on no shape: the dominant direction from S to E, with a margin m against small offsets.
AcGeVector3d dominantTangent(const AcGePoint3d& s, const AcGePoint3d& e, double m);
