// CLIST, ELLLIST, ARCLIST and PLLIST: one run of a coordinate report, with what differs per command in a
// table of their own.
#include <string>
#include <vector>

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "reports/commands.h"
#include "reports/point_marks.h"
#include "reports/report_document.h"
#include "reports/report_prompts.h"
#include "reports/report_rows.h"
#include "reports/vertex_list.h"

namespace {

struct Marks {
    bool on = false;
    double height = 0;
    bool lowerLeft = false;
};

// The rows of one opened entity, marks drawn as they are reported.
using EntityRows = std::vector<ReportRow> (*)(int index, const AcDbEntity& entity, const Marks& marks);

struct ReportCommand {
    bool (*select)(std::vector<AcDbObjectId>& ids);
    const wchar_t* cnTitle;
    const wchar_t* enTitle;
    std::vector<HeaderColumn> columns;
    const wchar_t* cnCreateFailed;  // formats with the path for %s
    const wchar_t* enCreateFailed;
    bool asksLowerLeft;
    EntityRows rows;
};

void reportCreateFailed(const ReportCommand& command, const std::wstring& path) {
    ACHAR cn[1200], en[1200];
    acutSPrintf(cn, 1200, command.cnCreateFailed, path.c_str());
    acutSPrintf(en, 1200, command.enCreateFailed, path.c_str());
    messageBoxBilingual(cn, en);
}

Marks askMarks(bool asksLowerLeft) {
    Marks marks;
    marks.on = askYesNo(L"\n标记和编号[Y/N](Y): ", L"\nMarks and numbers[Y/N](Y): ", true);
    if (marks.on) marks.height = askMarkHeight();
    if (asksLowerLeft) marks.lowerLeft = askLowerLeft();
    return marks;
}

void runReport(const ReportCommand& command) {
    std::vector<AcDbObjectId> ids;
    if (!command.select(ids)) return;
    std::wstring path;
    if (!askReportPath(L"EXCEL文件(*.xls)|*.xls|", L"EXCEL File(*.xls)|*.xls|", path)) return;
    ReportFile file(path);
    if (!file.isOpen()) {
        reportCreateFailed(command, path);
        return;
    }
    file.write(reportHead(path, chooseText(command.cnTitle, command.enTitle)) +
               reportRowText(headerRow(command.columns)));
    const Marks marks = askMarks(command.asksLowerLeft);
    int index = 0;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) continue;
        std::wstring text;
        for (const ReportRow& row : command.rows(index, *entity.object(), marks)) text += reportRowText(row);
        file.write(text);
        ++index;
    }
    if (marks.on) finishPointMarks();
    file.write(reportTail());
    openReport(path);
}

// Circles, ellipses and arcs: one row, the centre marked with the entity's number.
template <typename Entity, ReportRow (*Row)(int, const Entity&)>
std::vector<ReportRow> centredRows(int index, const AcDbEntity& entity, const Marks& marks) {
    const Entity* e = Entity::cast(&entity);
    if (!e) return {};
    if (marks.on) addPointMark(e->center(), marks.height, index);
    return {Row(index, *e)};
}

std::vector<ReportRow> polylineRows(int index, const AcDbEntity& entity, const Marks& marks) {
    const auto* curve = AcDbCurve::cast(&entity);
    const auto vertices = reportVertices(&entity, marks.lowerLeft);
    if (!curve || !vertices) return {};
    if (marks.on) addPointMarks(*vertices, marks.height);
    return vertexRows(index, *vertices, *curve);
}

bool selectCircles(std::vector<AcDbObjectId>& ids) {
    return selectForReport({L"CIRCLE"}, L"请选择圆 >\n", L"Please select circle >\n", L"没有选择圆。\n",
                           L"No circle selected.\n", ids);
}

bool selectEllipses(std::vector<AcDbObjectId>& ids) {
    return selectForReport({L"ELLIPSE"}, L"请选择椭圆 >\n", L"Please select Ellipse >\n", L"没有选择椭圆。\n",
                           L"No Ellipse selected.\n", ids);
}

bool selectArcs(std::vector<AcDbObjectId>& ids) {
    return selectForReport({L"ARC"}, L"请选择圆弧 >\n", L"Please select ARC >\n", L"没有选择圆弧。\n",
                           L"No ARC selected.\n", ids);
}

}  // namespace

void clistCommand() {
    runReport({&selectCircles,
               L"圆心坐标和半径",
               L"Center coordinates and radius",
               {{L"序号", L"Index", 5},
                {L"X坐标", L"X", 15},
                {L"Y坐标", L"Y", 15},
                {L"Z坐标", L"Z", 15},
                {L"半径", L"Radius", 20},
                {L"周长", L"Perimeter", 15},
                {L"面积", L"Area", 15}},
               L"创建文件<%s>错误！",
               L"Create file <%s> Error！",
               false,
               &centredRows<AcDbCircle, &circleRow>});
}

void elllistCommand() {
    runReport({&selectEllipses,
               L"椭圆圆心坐标和半径",
               L"Ellipse center coordinates and radius",
               {{L"序号", L"Index", 4},
                {L"X坐标", L"X", 16},
                {L"Y坐标", L"Y", 16},
                {L"Z坐标", L"Z", 16},
                {L"长轴", L"Major axis", 12},
                {L"短轴", L"Minor axis", 12},
                {L"周长", L"Perimeter", 12},
                {L"面积", L"Area", 12}},
               L"创建文件<%s>失败!",
               L"Create file <%s> fail!",
               false,
               &centredRows<AcDbEllipse, &ellipseRow>});
}

void arclistCommand() {
    runReport({&selectArcs,
               L"圆弧圆心坐标和半径",
               L"Arc center coordinates and radius",
               {{L"序号", L"Index", 4},
                {L"X坐标", L"X", 16},
                {L"Y坐标", L"Y", 16},
                {L"Z坐标", L"Z", 16},
                {L"半径", L"Radius", 12},
                {L"起点角度", L"StartAngle", 12},
                {L"终点角度", L"EndAngle", 12},
                {L"周长", L"Perimiter", 12}},
               L"创建文件<%s>失败！",
               L"Create file <%s> fail！",
               false,
               &centredRows<AcDbArc, &arcRow>});
}

void pllistCommand() {
    runReport({&selectVertexCurves,
               L"直线、圆弧、多段线、样条曲线坐标",
               L"Lines、Arcs、Polylines、Splines",
               {{L"序号", L"Index", 5},
                {L"顶点序号", L"VertexNumber", 5},
                {L"X坐标", L"X", 20},
                {L"Y坐标", L"Y", 20},
                {L"Z坐标", L"Z", 20},
                {L"长度", L"Length", 15},
                {L"面积", L"Area", 15}},
               L"创建文件<%s>失败。",
               L"Create file <%s> fail.",
               true,
               &polylineRows});
}
