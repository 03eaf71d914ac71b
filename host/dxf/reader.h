// Reads the sections of a drawing file into a database made for it.
#pragma once

#include <string>
#include <string_view>

#include "cvx/dbmain.h"
#include "dxf/group_reader.h"

// The version and code page a file's header states, from a quick look at its start.
struct DxfFileFacts {
    int version = 0;     // 0 when the header does not say
    int codePage = 1252;  // 0 for UTF-8
};
DxfFileFacts dxfPeekHeader(std::string_view text);

// How much of a file's start is enough to find out what its header says.
constexpr size_t kDxfHeaderPeek = size_t(1) << 20;
// The window a file is read through: small enough to stay in the processor's cache.
constexpr size_t kDxfWindow = size_t(2) << 20;

// Reads a drawing file into db, an empty database (AcDbDatabase(false)): a text held whole in memory, or a
// file read a window at a time. Files before the 2007 format hold their texts in the code page the header
// names; each text is converted to UTF-8 as it is read. Throws DxfError for a damaged file. Returns what the
// header said.
DxfFileFacts dxfReadDatabase(std::string_view text, AcDbDatabase& db);
DxfFileFacts dxfReadDatabase(DxfTextSource& source, AcDbDatabase& db, size_t window = kDxfWindow);
