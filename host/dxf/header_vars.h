// The HEADER section: variables the database models, and the others kept as read.
#pragma once

#include <string>

#include "cvx/dbmain.h"
#include "dxf/group_reader.h"
#include "dxf/out_filer.h"

// Names header variables refer to, resolved once the tables are read.
struct DxfHeaderNames {
    std::string clayer, celtype, textstyle;
};

// The version a $ACADVER value stands for (the newest for an unknown ACnnnn), or 0 when it is none.
int dxfVersionFromName(std::string_view acadver);
const char* dxfVersionName(int version);

void dxfReadHeader(const DxfElement& section, AcDbDatabase& db, DxfHeaderNames& names);
void dxfWriteHeader(DxfOutFiler& out, const AcDbDatabase& db, int version, AcDbHandle handseed);
