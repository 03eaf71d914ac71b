// ZB2PL: polylines from a text file of coordinates, one polyline per block of point lines.
//
// Each line is trimmed; a "//" after its first character starts a comment; the separators "，" ";" "；" "、"
// and "|" count as ","; blanks are removed (they never separate fields). The line then splits at "," into
// fields, empty ones included:
//   three or more fields  a 3D point (X, Y, Z; further fields ignored); rejected when X or Y is empty;
//   two fields            a 2D point (Z = 0; an empty X reads as 0); rejected when Y is empty;
//   one field or none     (an empty line, a single number, a word, a "//" line) ends the current polyline.
// A number reads its leading numeric text; anything else, and a number out of range, reads as 0. Points still
// pending when the file ends belong to no polyline.
#pragma once

#include <string>
#include <vector>

#include "cvx/ge.h"

struct CoordinateLine {
    enum Kind { kPoint, kEnd, kRejected };
    Kind kind = kEnd;
    AcGePoint3d point;
};

CoordinateLine parseCoordinateLine(const std::wstring& raw);

struct RejectedLine {
    int number;  // counted from 1
    std::wstring text;
};

struct CoordinateFile {
    std::vector<std::vector<AcGePoint3d>> polylines;  // each with at least 2 points
    std::vector<RejectedLine> rejected;
};

CoordinateFile parseCoordinateLines(const std::vector<std::wstring>& lines);

// The lines of a text file as the host reads text: UTF-16 with its byte-order mark, otherwise UTF-8 (with or
// without a mark), and plain text that is not UTF-8 in the national encoding GB18030; "\r\n" and "\n" end lines, and a line break at the very end adds no empty line. Nothing
// when the file cannot be opened.
std::vector<std::wstring> readTextLines(const std::wstring& path);

void zb2plCommand();
