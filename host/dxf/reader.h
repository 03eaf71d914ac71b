// Reads the sections of a drawing file into a database made for it.
#pragma once

#include <string>
#include <string_view>

#include "cvx/dbmain.h"

// Reads text (the whole file, already in UTF-8 or in the file's code page as noted in its header) into db,
// an empty database (AcDbDatabase(false)). Throws DxfError for a damaged file. release(offset) is called
// as reading moves on.
void dxfReadDatabase(std::string_view text, AcDbDatabase& db, void (*release)(void*, size_t) = nullptr,
                     void* releaseContext = nullptr);

// The version and code page a file's header states, from a quick look at its start.
struct DxfFileFacts {
    int version = 0;     // 0 when the header does not say
    int codePage = 1252;  // 0 for UTF-8
};
DxfFileFacts dxfPeekHeader(std::string_view text);
