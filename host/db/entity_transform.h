// Helpers shared by the entities' transformations: angles in an entity's own plane.
#pragma once

#include "cvx/ge.h"

// Angle of v about the normal, from the X axis of the plane's own coordinate system, in [0, 2pi).
double cvxAngleInPlane(const AcGeVector3d& v, const AcGeVector3d& normal);
// The unit direction at an angle in the plane's own coordinate system.
AcGeVector3d cvxDirectionInPlane(double angle, const AcGeVector3d& normal);
// The normal of a plane carried by a transformation (uniform scalings, rotations and mirrors).
AcGeVector3d cvxTransformedNormal(const AcGeMatrix3d& m, const AcGeVector3d& n);
