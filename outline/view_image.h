// The current view as a picture: the background colour it is drawn on, its export to a temporary PNG file,
// and the labelling of its background regions.
#pragma once

#include <optional>
#include <string>

#include "cvx/win.h"
#include "outline/label_grid.h"

// The drawing window's background colour from the host's current profile (0x00BBGGRR) and its three parts;
// black when the profile has none. Always true.
bool getBackgroundColor(DWORD& color, DWORD& red, DWORD& green, DWORD& blue);

// A new unique name in the user's temporary folder, lower-cased, ending in `extension` (given with its dot)
// in place of ".tmp". The ".tmp" file that reserves the name is left in place; deleteTempFile removes both.
std::wstring makeTempFileName(const std::wstring& extension);
void deleteTempFile(const std::wstring& path);

// Writes the current view, pixel for pixel, into a new temporary PNG file (host command PNGOUT under
// CMDECHO 0, which is 1 afterwards) and returns its path.
std::wstring exportViewImage();

// A picture of the current view with its background regions labelled (tolerance 32), and regionCount from
// labelBackgroundRegions. The picture file is deleted afterwards. Nothing when the picture could not be loaded
// ("Load image file <path> Error" is printed).
std::optional<LabelGrid> labelCurrentView(int& regionCount);
