// The rows of the coordinate reports: header rows in the language chosen, and the data rows of one entity.
// index is the zero-based count of the entities reported so far; the first cell shows index + 1.
#pragma once

#include <vector>

#include "cvx/dbents.h"
#include "reports/report_document.h"

// A header row of white cells: (Chinese text, English text, width) per column.
struct HeaderColumn {
    const wchar_t* cn;
    const wchar_t* en;
    int width;
};
ReportRow headerRow(const std::vector<HeaderColumn>& columns);

// The curve's length (the distance at its end parameter) and its area; 0 for what the curve cannot give.
double curveLength(const AcDbCurve& curve);
double curveArea(const AcDbCurve& curve);

// Index; centre X, Y, Z; radius; length; area.
ReportRow circleRow(int index, const AcDbCircle& circle);
// Index; centre X, Y, Z; both full axis lengths (major, minor); length; area.
ReportRow ellipseRow(int index, const AcDbEllipse& ellipse);
// Index; centre X, Y, Z; radius; start and end angle in degrees; length.
ReportRow arcRow(int index, const AcDbArc& arc);
// One row per vertex (the index only on the first), then a green summary row with the length and area.
std::vector<ReportRow> vertexRows(int index, const std::vector<AcGePoint3d>& vertices, const AcDbCurve& curve);
