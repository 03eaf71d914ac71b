// Bringing another drawing file into the current one as a block definition (INSERT of a file).
#pragma once

#include <string>

#include "cvx/dbmain.h"

namespace cvx::editor {

// Reads the drawing file and copies its model space into a new block definition named `blockName`, with the
// file's insertion base as origin. Layers the drawing lacks are added (with their colours); linetypes and
// text styles are matched by name; blocks the copied entities refer to come along. Null and a message when
// the file cannot be read or the block cannot be added.
AcDbObjectId importDrawingAsBlock(AcDbDatabase* target, const std::wstring& path, const std::wstring& blockName,
                                  std::wstring& error);

// The block name a file gives: its name without folder and extension.
std::wstring blockNameOfFile(const std::wstring& path);

}  // namespace cvx::editor
