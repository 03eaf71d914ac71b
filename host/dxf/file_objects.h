// What a drawing file needs that a database made in the session may lack: handles of the BLOCK / ENDBLK
// markers, layouts for model and paper space, the plot-style dictionary. Added to the database itself, so
// that saving again, or reading the file back, finds them and adds nothing.
#pragma once

#include "cvx/dbmain.h"

void dxfAddFileObjects(AcDbDatabase& db);
