// Where the module's companion files (menus, pages) lie.
#pragma once

#include <string>

#include "cvx/status.h"

// The module's folder, always ending with a separator: the registry string "Location" under the product
// key; when that is empty, the folder of the running program (acedGetAppName); when that is empty too, the
// folder of the module's own file. Blanks around the text are trimmed. A backslash is appended unless the
// text already ends with a separator; a folder written with forward slashes only gets a '/'.
std::wstring moduleFolder();
// The full path of the module's own file; empty when it cannot be found.
std::wstring moduleFile();
// The folder part of a path (up to, not including, its last backslash, or its last slash when it has no
// backslash); empty when it has neither.
std::wstring folderOfPath(const std::wstring& path);
// True when the path names an existing file or folder.
bool fileExists(const ACHAR* path);
