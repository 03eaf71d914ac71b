// Loading the CURVIX menu group into a drawing.
#pragma once

#include <string>

// The expression that loads the menu file when the group is missing, every backslash of the path doubled.
std::wstring menuLoadExpression(const std::wstring& menuFile);
// For each drawing: the menu file of the current language beside the module; a missing file is reported in a
// message box; a group not yet loaded is queued for loading with its pull-down menu POP1 at position 12;
// hosts of release 18 and later get their menu bar shown.
void loadMenuForDrawing();
