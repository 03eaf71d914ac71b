// The picture of a catalogue row: a PNG named after the row's picture id in the module's pictures folder,
// and where the dialog shows it.
#pragma once

#include <string>

#include "cvx/image.h"
#include "cvx/win.h"

// <module folder>resources/pictures/<id>.png
std::wstring rowPicturePath(int pictureId);

// Loads the picture; a 32-bit picture is premultiplied (blue, green and red scaled by alpha / 255).
// False when the file cannot be read as an image.
bool loadRowPicture(const std::wstring& path, CImage& image);

// The square beside the curve list: from one frame width right of the list to one frame width left of the
// first slot label, level with the list's top. Empty when there is no room.
RECT rowPictureSquare(const RECT& list, const RECT& firstLabel, int frameWidth);

// Draws the picture into a square of side d at (0, 0) of the context: at its own size when d lies between
// 512 and 536, else stretched to d x d.
void drawRowPicture(const CImage& image, HDC dc, int side);
