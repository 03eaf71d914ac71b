// The cumulative scale factor the scaling tools keep on an entity, as extended data of the application
// "CRUVIX": (1001 "CRUVIX") (1000 "ScaleFactor") (1042 factor).
#pragma once

#include "cvx/dbents.h"

// The stored factor; 1.0 without the record, or when the stored value is below 0.0001.
double getScaleFactorXData(const AcDbEntity* entity);
// Leaves exactly one "ScaleFactor" pair holding `factor`, registering the application when needed.
// The entity comes open (for read or write); it is upgraded to write, changed and closed.
Acad::ErrorStatus setScaleFactorXData(AcDbEntity* entity, double factor);
