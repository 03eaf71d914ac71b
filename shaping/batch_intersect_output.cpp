#include "shaping/batch_intersect_output.h"

#include <string>

#include "cvx/dbents.h"
#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "reports/point_marks.h"
#include "reports/report_document.h"

namespace {

void markPoints(const std::vector<AcGePoint3d>& points, bool numbered) {
    const double height = numbered ? askMarkHeight() : defaultMarkHeight();
    addPointMarks(points, height, numbered);
    finishPointMarks();
}

ReportRow pointRow(int number, const AcGePoint3d& p) {
    return {{indexText(number), 10}, {measureText(p.x), 30}, {measureText(p.y), 30}, {measureText(p.z), 30}};
}

// The typed block name; false on a cancel. A name too long for any block comes back empty, which names no
// block either, so it gets the wrong-name message instead of ending the command without a word.
bool askBlockName(std::wstring& name) {
    ACHAR text[256] = {0};
    const int rc = acedGetString(1, chooseText(L"\n请输入图块名称：", L"\nPlease enter the block name："), text, 256);
    if (rc != RTNORM && rc != RTINPUTTRUNCATED) return false;
    name = rc == RTNORM ? text : L"";
    return true;
}

}  // namespace

bool askIntersectionOutput(IntersectionOutput& mode) {
    acedInitGet(6, nullptr);
    int value = 2;
    const int rc = getIntBilingual(
        L"\n在交点处：1、添加标记点; 2、标记点+编号; 3、标记点+编号+输出坐标列表; 4、插入图块。 (2):",
        L"\n1.Add marked points; 2.Mark point + number; 3.Mark point + number + output coordinate list; "
        L"4.Insert the block. (2):",
        value);
    if (rc == RTNONE || (rc == RTNORM && value > 4)) value = 2;
    else if (rc != RTNORM) return false;
    mode = static_cast<IntersectionOutput>(value);
    return true;
}

void applyIntersectionOutput(IntersectionOutput mode, const std::vector<AcGePoint3d>& points) {
    switch (mode) {
        case IntersectionOutput::kMarks:
            markPoints(points, false);
            return;
        case IntersectionOutput::kNumberedMarks:
            markPoints(points, true);
            return;
        case IntersectionOutput::kListAndNumberedMarks:
            writeIntersectionList(points);
            markPoints(points, true);
            return;
        case IntersectionOutput::kBlocks: {
            std::wstring name;
            if (askBlockName(name)) insertBlockAtPoints(points, name.c_str());
            return;
        }
    }
}

void writeIntersectionList(const std::vector<AcGePoint3d>& points) {
    std::wstring path;
    if (!askReportPath(L"交点坐标文件 (*.xls)|*.xls|", L"EXCEL File(*.xls)|*.xls|", path)) return;
    ReportFile file(path);
    if (!file.isOpen()) {
        const std::wstring cn = L"创建文件<" + path + L">失败。";
        const std::wstring en = L"Create file <" + path + L"> fail.";
        messageBoxBilingual(cn.c_str(), en.c_str());
        return;
    }
    std::wstring text = reportHead(path, L"交点坐标") +
                        reportRowText({{L"序号", 10}, {L"X坐标", 30}, {L"Y坐标", 30}, {L"Z坐标", 30}});
    for (size_t k = 0; k < points.size(); ++k) text += reportRowText(pointRow(static_cast<int>(k) + 1, points[k]));
    file.write(text + reportTail());
    openReport(path);
}

void insertBlockAtPoints(const std::vector<AcGePoint3d>& points, const ACHAR* blockName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbObjectId block;
    AcDbBlockTable* table = nullptr;
    if (db && db->getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
        if (table->getAt(blockName, block) != Acad::eOk) block = AcDbObjectId();
        table->close();
    }
    if (block.isNull()) {
        printBilingual(L"\n图块名称错误！", L"\nBlock name error！");
        return;
    }
    for (const AcGePoint3d& p : points) {
        auto* reference = new AcDbBlockReference(p, block);
        reference->setDatabaseDefaults(db);
        AcDbObjectId id;
        if (appendToCurrentSpace(db, reference, id) != Acad::eOk) delete reference;
    }
}
