// Writes a database as an ASCII drawing file.
#pragma once

#include <string>

#include "cvx/dbmain.h"
#include "dxf/out_stream.h"

// Writes every section; false with a reason when an object could not be written.
bool dxfWriteDatabase(DxfOutStream& out, AcDbDatabase& db, int version, std::string& error);
