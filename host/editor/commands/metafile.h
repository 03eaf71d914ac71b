// The host's metafile: a picture of objects as plain chains of points, written by WMFOUT and read by WMFIN.
//
// A UTF-8 text file, one record per line, numbers separated by blanks:
//   CVXMETAFILE 1
//   FRAME <width> <height>     the view the picture was taken of
//   LOOP <n>                   a closed chain (a filled area's outline, a closed curve), then n lines "<x> <y>"
//   LINE <n>                   an open chain, then n lines "<x> <y>"
//   DOT <x> <y>
//   END
// Coordinates are metafile units from the frame's upper-left corner, X to the right and Y downwards. One
// metafile unit is two drawing units, so a picture read back with the scale factors 2 has its exported size.
// Texts come out as the outlines of their glyphs (placed as the drawing shows them), curves as chains whose
// chords stay close to them.
#pragma once

#include <string>
#include <vector>

#include "cvx/dbid.h"
#include "cvx/ge.h"

class AcDbDatabase;

namespace cvx::editor::metafile {

constexpr double kDrawingUnitsPerUnit = 2;

struct Chain {
    std::vector<AcGePoint2d> points;
    bool closed = false;
};

struct Picture {
    double width = 0, height = 0;
    std::vector<Chain> chains;
    std::vector<AcGePoint2d> dots;
};

// The entities as a view of this size (drawing units) with this upper-left corner shows them.
Picture pictureOf(const AcDbDatabase& db, const std::vector<AcDbObjectId>& ids, const AcGePoint2d& upperLeft,
                  double viewWidth, double viewHeight);

// The file name as typed, with ".wmf" added when it has no extension.
std::wstring fileName(const std::wstring& typed);

// False with a message when the file cannot be written or read, or is no metafile of this kind.
bool writePicture(const Picture& picture, const std::string& nativePath, std::wstring& error);
bool readPicture(const std::string& nativePath, Picture& picture, std::wstring& error);

}  // namespace cvx::editor::metafile
