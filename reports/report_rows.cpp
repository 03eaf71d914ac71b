#include "reports/report_rows.h"

#include "frame/bilingual.h"

namespace {

constexpr double kPi = 3.141592653589793;

double degrees(double radians) { return radians * 180.0 / kPi; }

// The index and centre cells that open the circle, ellipse and arc rows.
ReportRow centreCells(int index, int indexWidth, int coordinateWidth, const AcGePoint3d& centre) {
    return {{indexText(index + 1), indexWidth},
            {measureText(centre.x), coordinateWidth},
            {measureText(centre.y), coordinateWidth},
            {measureText(centre.z), coordinateWidth}};
}

}  // namespace

ReportRow headerRow(const std::vector<HeaderColumn>& columns) {
    ReportRow row;
    for (const HeaderColumn& c : columns) row.push_back({chooseText(c.cn, c.en), c.width});
    return row;
}

double curveLength(const AcDbCurve& curve) {
    double endParam = 0, length = 0;
    if (curve.getEndParam(endParam) != Acad::eOk || curve.getDistAtParam(endParam, length) != Acad::eOk) return 0;
    return length;
}

double curveArea(const AcDbCurve& curve) {
    double area = 0;
    return curve.getArea(area) == Acad::eOk ? area : 0;
}

ReportRow circleRow(int index, const AcDbCircle& circle) {
    ReportRow row = centreCells(index, 5, 15, circle.center());
    row.push_back({measureText(circle.radius()), 20});
    row.push_back({measureText(curveLength(circle)), 15});
    row.push_back({measureText(curveArea(circle)), 15});
    return row;
}

ReportRow ellipseRow(int index, const AcDbEllipse& ellipse) {
    ReportRow row = centreCells(index, 4, 16, ellipse.center());
    row.push_back({measureText(2 * ellipse.majorAxis().length()), 12});
    row.push_back({measureText(2 * ellipse.minorAxis().length()), 12});
    row.push_back({measureText(curveLength(ellipse)), 12});
    row.push_back({measureText(curveArea(ellipse)), 12});
    return row;
}

ReportRow arcRow(int index, const AcDbArc& arc) {
    ReportRow row = centreCells(index, 4, 16, arc.center());
    row.push_back({measureText(arc.radius()), 12});
    row.push_back({measureText(degrees(arc.startAngle())), 12});
    row.push_back({measureText(degrees(arc.endAngle())), 12});
    row.push_back({measureText(curveLength(arc)), 12});
    return row;
}

std::vector<ReportRow> vertexRows(int index, const std::vector<AcGePoint3d>& vertices, const AcDbCurve& curve) {
    std::vector<ReportRow> rows;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const AcGePoint3d& p = vertices[i];
        rows.push_back({{i == 0 ? indexText(index + 1) : kEmptyCell, 5},
                        {indexText(static_cast<int>(i) + 1), 5},
                        {measureText(p.x), 20},
                        {measureText(p.y), 20},
                        {measureText(p.z), 20},
                        {kEmptyCell, 15},
                        {kEmptyCell, 15}});
    }
    ReportRow summary;
    for (int width : {5, 5, 20, 20, 20}) summary.push_back({kEmptyCell, width, kGreenCell});
    summary.push_back({measureText(curveLength(curve)), 15, kGreenCell});
    summary.push_back({measureText(curveArea(curve)), 15, kGreenCell});
    rows.push_back(summary);
    return rows;
}
